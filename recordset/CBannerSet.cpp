#include "recordset/CBannerSet.h"

#include "recordset/QtrCascade.h"
#include "recordset/schema/QtrColumnCount.h"

CBannerSet::CBannerSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/Banner.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CBannerSet::GetDefaultSQL()
{
    return QStringLiteral("[Banner]");
}

QString CBannerSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CBannerSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/Banner.def"
#undef QTR_COLUMN
}

void CBannerSet::Delete()
{
    QtrCascade cascade(*this);
    if (cascade.Skipped())
        return;
    cascade.DeleteFiles(QStringLiteral("website/images/banner/"));
    cascade.Finish();
}
