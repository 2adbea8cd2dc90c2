#include "recordset/CProdottiLingueSet.h"

#include "recordset/schema/QtrColumnCount.h"

CProdottiLingueSet::CProdottiLingueSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/ProdottiLingue.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CProdottiLingueSet::GetDefaultSQL()
{
    return QStringLiteral("[ProdottiLingue]");
}

QString CProdottiLingueSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CProdottiLingueSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/ProdottiLingue.def"
#undef QTR_COLUMN
}
