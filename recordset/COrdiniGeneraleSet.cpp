#include "recordset/COrdiniGeneraleSet.h"

#include "recordset/COrdiniDettaglioSet.h"
#include "recordset/QtrCascade.h"
#include "recordset/schema/QtrColumnCount.h"

COrdiniGeneraleSet::COrdiniGeneraleSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/Ordini.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString COrdiniGeneraleSet::GetDefaultSQL()
{
    return QStringLiteral("[Ordini]");
}

QString COrdiniGeneraleSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void COrdiniGeneraleSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/Ordini.def"
#undef QTR_COLUMN
}

void COrdiniGeneraleSet::Delete()
{
    QtrCascade cascade(*this);
    if (cascade.Skipped())
        return;
    cascade.DeleteRows<COrdiniDettaglioSet>(QStringLiteral("IDOrdine=?"));
    cascade.Finish();
}
