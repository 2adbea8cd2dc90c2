#include "recordset/CTipoBannerSet.h"

#include "recordset/QtrCascade.h"
#include "recordset/schema/QtrColumnCount.h"

CTipoBannerSet::CTipoBannerSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/TipoBanner.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CTipoBannerSet::GetDefaultSQL()
{
    return QStringLiteral("[TipoBanner]");
}

QString CTipoBannerSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CTipoBannerSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/TipoBanner.def"
#undef QTR_COLUMN
}

void CTipoBannerSet::Delete()
{
    QtrCascade cascade(*this);
    if (cascade.Skipped())
        return;
    cascade.Repoint(QStringLiteral("Banner"), QStringLiteral("Tipo"));
    cascade.Finish();
}
