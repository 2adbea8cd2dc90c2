#include "recordset/CModuliLingueSet.h"

#include "recordset/schema/QtrColumnCount.h"

CModuliLingueSet::CModuliLingueSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/ModuliLingue.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CModuliLingueSet::GetDefaultSQL()
{
    return QStringLiteral("[ModuliLingue]");
}

QString CModuliLingueSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CModuliLingueSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/ModuliLingue.def"
#undef QTR_COLUMN
}
