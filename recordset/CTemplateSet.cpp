#include "recordset/CTemplateSet.h"

#include "recordset/CArticoliGenSet.h"
#include "recordset/QtrCascade.h"
#include "recordset/schema/QtrColumnCount.h"

CTemplateSet::CTemplateSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/Template.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CTemplateSet::GetDefaultSQL()
{
    return QStringLiteral("[Template]");
}

QString CTemplateSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CTemplateSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/Template.def"
#undef QTR_COLUMN
}

void CTemplateSet::Delete()
{
    QtrCascade cascade(*this);
    if (cascade.Skipped())
        return;
    cascade.ClearRows<CArticoliGenSet>(QStringLiteral("IDTemplate=?"), [](CArticoliGenSet& article) {
        article.m_IDTemplate = 0;
    });
    cascade.Finish();
}
