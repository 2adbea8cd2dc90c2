#include "recordset/CArticoliLinkLingueSet.h"

#include "recordset/schema/QtrColumnCount.h"

CArticoliLinkLingueSet::CArticoliLinkLingueSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/ArticoliLinkLingue.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CArticoliLinkLingueSet::GetDefaultSQL()
{
    return QStringLiteral("[ArticoliLinkLingue]");
}

QString CArticoliLinkLingueSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CArticoliLinkLingueSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/ArticoliLinkLingue.def"
#undef QTR_COLUMN
}
