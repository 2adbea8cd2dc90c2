#include "recordset/CInterventiForumSet.h"

#include "recordset/schema/QtrColumnCount.h"

CInterventiForumSet::CInterventiForumSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/InterventiForum.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CInterventiForumSet::GetDefaultSQL()
{
    return QStringLiteral("[InterventiForum]");
}

QString CInterventiForumSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CInterventiForumSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/InterventiForum.def"
#undef QTR_COLUMN
}
