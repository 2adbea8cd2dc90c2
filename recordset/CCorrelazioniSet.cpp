#include "recordset/CCorrelazioniSet.h"

#include "recordset/schema/QtrColumnCount.h"

CCorrelazioniSet::CCorrelazioniSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/Correlazioni.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CCorrelazioniSet::GetDefaultSQL()
{
    return QStringLiteral("[Correlazioni]");
}

QString CCorrelazioniSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CCorrelazioniSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/Correlazioni.def"
#undef QTR_COLUMN
}
