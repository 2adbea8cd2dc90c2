#include "recordset/COrdiniDettaglioSet.h"

#include "recordset/schema/QtrColumnCount.h"

COrdiniDettaglioSet::COrdiniDettaglioSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/OrdiniDettaglio.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString COrdiniDettaglioSet::GetDefaultSQL()
{
    return QStringLiteral("[OrdiniDettaglio]");
}

QString COrdiniDettaglioSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void COrdiniDettaglioSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/OrdiniDettaglio.def"
#undef QTR_COLUMN
}
