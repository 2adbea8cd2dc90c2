#include "recordset/CCategorieCodiciASPSet.h"

#include "recordset/schema/QtrColumnCount.h"

CCategorieCodiciASPSet::CCategorieCodiciASPSet(CDaoDatabase* pDatabase) : CDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/CategorieCodiciASP.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CCategorieCodiciASPSet::GetDefaultSQL()
{
    return QStringLiteral("[CategorieCodiciASP]");
}

QString CCategorieCodiciASPSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CCategorieCodiciASPSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/CategorieCodiciASP.def"
#undef QTR_COLUMN
}
