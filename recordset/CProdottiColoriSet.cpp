#include "recordset/CProdottiColoriSet.h"

#include "recordset/QtrCascade.h"
#include "recordset/schema/QtrColumnCount.h"

CProdottiColoriSet::CProdottiColoriSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/ProdottiColori.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CProdottiColoriSet::GetDefaultSQL()
{
    return QStringLiteral("[ProdottiColori]");
}

QString CProdottiColoriSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CProdottiColoriSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/ProdottiColori.def"
#undef QTR_COLUMN
}

void CProdottiColoriSet::Delete()
{
    QtrCascade cascade(*this);
    if (cascade.Skipped())
        return;
    cascade.DeleteFiles(QStringLiteral("website/images/prodotti/colori/"));
    cascade.DeleteFiles(QStringLiteral("website/images/prodotti/colori/th/"));
    cascade.DeleteFiles(QStringLiteral("website/images/prodotti/colori/dettagli/"));
    cascade.Finish();
}
