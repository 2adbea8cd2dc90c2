#include "recordset/CLingueSet.h"

#include "recordset/schema/QtrColumnCount.h"

CLingueSet::CLingueSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/Lingue.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CLingueSet::GetDefaultSQL()
{
    return QStringLiteral("[Lingue]");
}

QString CLingueSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CLingueSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/Lingue.def"
#undef QTR_COLUMN
}
