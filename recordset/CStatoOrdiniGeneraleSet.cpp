#include "recordset/CStatoOrdiniGeneraleSet.h"

#include "recordset/CStatoOrdiniLingueSet.h"
#include "recordset/QtrCascade.h"
#include "recordset/schema/QtrColumnCount.h"

CStatoOrdiniGeneraleSet::CStatoOrdiniGeneraleSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/StatoOrdini.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CStatoOrdiniGeneraleSet::GetDefaultSQL()
{
    return QStringLiteral("[StatoOrdini]");
}

QString CStatoOrdiniGeneraleSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CStatoOrdiniGeneraleSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/StatoOrdini.def"
#undef QTR_COLUMN
}

void CStatoOrdiniGeneraleSet::Delete()
{
    QtrCascade cascade(*this);
    if (cascade.Skipped())
        return;
    cascade.DeleteRows<CStatoOrdiniLingueSet>(QStringLiteral("IDCodice=?"));
    cascade.Finish();
}
