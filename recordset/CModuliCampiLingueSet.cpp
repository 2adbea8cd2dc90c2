#include "recordset/CModuliCampiLingueSet.h"

#include "recordset/schema/QtrColumnCount.h"

CModuliCampiLingueSet::CModuliCampiLingueSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/ModuliCampiLingue.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CModuliCampiLingueSet::GetDefaultSQL()
{
    return QStringLiteral("[ModuliCampiLingue]");
}

QString CModuliCampiLingueSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CModuliCampiLingueSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/ModuliCampiLingue.def"
#undef QTR_COLUMN
}
