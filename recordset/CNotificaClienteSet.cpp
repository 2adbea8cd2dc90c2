#include "recordset/CNotificaClienteSet.h"

#include "recordset/schema/QtrColumnCount.h"

CNotificaClienteSet::CNotificaClienteSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/TestoNotificaOrdine.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CNotificaClienteSet::GetDefaultSQL()
{
    return QStringLiteral("[TestoNotificaOrdine]");
}

QString CNotificaClienteSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CNotificaClienteSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/TestoNotificaOrdine.def"
#undef QTR_COLUMN
}
