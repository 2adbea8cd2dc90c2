#include "recordset/CDizionarioLinSet.h"

#include "recordset/schema/QtrColumnCount.h"

CDizionarioLinSet::CDizionarioLinSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/DizionarioLingue.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CDizionarioLinSet::GetDefaultSQL()
{
    return QStringLiteral("[DizionarioLingue]");
}

QString CDizionarioLinSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CDizionarioLinSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/DizionarioLingue.def"
#undef QTR_COLUMN
}
