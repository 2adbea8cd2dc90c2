#include "recordset/COpzioniSet.h"

#include "recordset/schema/QtrColumnCount.h"

COpzioniSet::COpzioniSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/Opzioni.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString COpzioniSet::GetDefaultSQL()
{
    return QStringLiteral("[Opzioni]");
}

QString COpzioniSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void COpzioniSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/Opzioni.def"
#undef QTR_COLUMN
}
