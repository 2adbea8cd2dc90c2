#include "recordset/CInteressiLingueSet.h"

#include "recordset/schema/QtrColumnCount.h"

CInteressiLingueSet::CInteressiLingueSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/InteressiLingue.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CInteressiLingueSet::GetDefaultSQL()
{
    return QStringLiteral("[InteressiLingue]");
}

QString CInteressiLingueSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CInteressiLingueSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/InteressiLingue.def"
#undef QTR_COLUMN
}
