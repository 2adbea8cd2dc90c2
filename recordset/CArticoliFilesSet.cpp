#include "recordset/CArticoliFilesSet.h"

#include "recordset/CArticoliFilesLingueSet.h"
#include "recordset/QtrCascade.h"
#include "recordset/schema/QtrColumnCount.h"

CArticoliFilesSet::CArticoliFilesSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/ArticoliFiles.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CArticoliFilesSet::GetDefaultSQL()
{
    return QStringLiteral("[ArticoliFiles]");
}

QString CArticoliFilesSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CArticoliFilesSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/ArticoliFiles.def"
#undef QTR_COLUMN
}

void CArticoliFilesSet::Delete()
{
    QtrCascade cascade(*this);
    if (cascade.Skipped())
        return;
    cascade.DeleteRows<CArticoliFilesLingueSet>(QStringLiteral("IDFiles=?"));
    cascade.DeleteFiles(QStringLiteral("website/images/articoli/files/"));
    cascade.Finish();
}
