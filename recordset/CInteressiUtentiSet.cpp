#include "recordset/CInteressiUtentiSet.h"

#include "recordset/schema/QtrColumnCount.h"

CInteressiUtentiSet::CInteressiUtentiSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/InteressiUtenti.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CInteressiUtentiSet::GetDefaultSQL()
{
    return QStringLiteral("[InteressiUtenti]");
}

QString CInteressiUtentiSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CInteressiUtentiSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/InteressiUtenti.def"
#undef QTR_COLUMN
}
