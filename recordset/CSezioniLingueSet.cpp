#include "recordset/CSezioniLingueSet.h"

#include "recordset/schema/QtrColumnCount.h"

CSezioniLingueSet::CSezioniLingueSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/SezioniLingue.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CSezioniLingueSet::GetDefaultSQL()
{
    return QStringLiteral("[SezioniLingue]");
}

QString CSezioniLingueSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CSezioniLingueSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/SezioniLingue.def"
#undef QTR_COLUMN
}
