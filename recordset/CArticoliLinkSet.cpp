#include "recordset/CArticoliLinkSet.h"

#include "recordset/CArticoliLinkLingueSet.h"
#include "recordset/QtrCascade.h"
#include "recordset/schema/QtrColumnCount.h"

CArticoliLinkSet::CArticoliLinkSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/ArticoliLink.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CArticoliLinkSet::GetDefaultSQL()
{
    return QStringLiteral("[ArticoliLink]");
}

QString CArticoliLinkSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CArticoliLinkSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/ArticoliLink.def"
#undef QTR_COLUMN
}

void CArticoliLinkSet::Delete()
{
    QtrCascade cascade(*this);
    if (cascade.Skipped())
        return;
    cascade.DeleteRows<CArticoliLinkLingueSet>(QStringLiteral("IDLink=?"));
    cascade.Finish();
}
