#include "recordset/CArgomentiLingueSet.h"

#include "recordset/schema/QtrColumnCount.h"

CArgomentiLingueSet::CArgomentiLingueSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/ArgomentiLingue.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CArgomentiLingueSet::GetDefaultSQL()
{
    return QStringLiteral("[ArgomentiLingue]");
}

QString CArgomentiLingueSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CArgomentiLingueSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/ArgomentiLingue.def"
#undef QTR_COLUMN
}
