#include "recordset/CArticoliLinSet.h"

#include "recordset/schema/QtrColumnCount.h"

CArticoliLinSet::CArticoliLinSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/ArticoliLingue.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CArticoliLinSet::GetDefaultSQL()
{
    return QStringLiteral("[ArticoliLingue]");
}

QString CArticoliLinSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CArticoliLinSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/ArticoliLingue.def"
#undef QTR_COLUMN
}
