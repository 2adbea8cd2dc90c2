#include "recordset/CModuliOpzioniLingueSet.h"

#include "recordset/schema/QtrColumnCount.h"

CModuliOpzioniLingueSet::CModuliOpzioniLingueSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/ModuliOpzioniLingue.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CModuliOpzioniLingueSet::GetDefaultSQL()
{
    return QStringLiteral("[ModuliOpzioniLingue]");
}

QString CModuliOpzioniLingueSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CModuliOpzioniLingueSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/ModuliOpzioniLingue.def"
#undef QTR_COLUMN
}
