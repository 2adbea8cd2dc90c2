#include "recordset/CConfigurazioneSet.h"

#include "recordset/schema/QtrColumnCount.h"

CConfigurazioneSet::CConfigurazioneSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/Configurazione.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CConfigurazioneSet::GetDefaultSQL()
{
    return QStringLiteral("[Configurazione]");
}

QString CConfigurazioneSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CConfigurazioneSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/Configurazione.def"
#undef QTR_COLUMN
}
