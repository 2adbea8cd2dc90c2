#include "recordset/CArticoliFilesLingueSet.h"

#include "recordset/schema/QtrColumnCount.h"

CArticoliFilesLingueSet::CArticoliFilesLingueSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/ArticoliFilesLingue.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CArticoliFilesLingueSet::GetDefaultSQL()
{
    return QStringLiteral("[ArticoliFilesLingue]");
}

QString CArticoliFilesLingueSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CArticoliFilesLingueSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/ArticoliFilesLingue.def"
#undef QTR_COLUMN
}
