#include "recordset/CStatoOrdiniLingueSet.h"

#include "recordset/schema/QtrColumnCount.h"

CStatoOrdiniLingueSet::CStatoOrdiniLingueSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/StatoOrdiniLingue.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CStatoOrdiniLingueSet::GetDefaultSQL()
{
    return QStringLiteral("[StatoOrdiniLingue]");
}

QString CStatoOrdiniLingueSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CStatoOrdiniLingueSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/StatoOrdiniLingue.def"
#undef QTR_COLUMN
}
