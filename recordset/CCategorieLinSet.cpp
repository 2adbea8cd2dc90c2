#include "recordset/CCategorieLinSet.h"

#include "recordset/schema/QtrColumnCount.h"

CCategorieLinSet::CCategorieLinSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/CategorieLingue.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CCategorieLinSet::GetDefaultSQL()
{
    return QStringLiteral("[CategorieLingue]");
}

QString CCategorieLinSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CCategorieLinSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/CategorieLingue.def"
#undef QTR_COLUMN
}
