#include "recordset/CCodiceASPSet.h"

#include "recordset/schema/QtrColumnCount.h"

CCodiceASPSet::CCodiceASPSet(CDaoDatabase* pDatabase) : CDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/CodiceASP.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CCodiceASPSet::GetDefaultSQL()
{
    return QStringLiteral("[CodiceASP]");
}

QString CCodiceASPSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CCodiceASPSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/CodiceASP.def"
#undef QTR_COLUMN
}
