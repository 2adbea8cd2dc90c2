#include "recordset/CPermessiSet.h"

#include "recordset/schema/QtrColumnCount.h"

CPermessiSet::CPermessiSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/Permessi.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CPermessiSet::GetDefaultSQL()
{
    return QStringLiteral("[Permessi]");
}

QString CPermessiSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CPermessiSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/Permessi.def"
#undef QTR_COLUMN
}
