#include "recordset/CDizionarioGenSet.h"

#include "recordset/CDizionarioLinSet.h"
#include "recordset/QtrCascade.h"
#include "recordset/schema/QtrColumnCount.h"

CDizionarioGenSet::CDizionarioGenSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/Dizionario.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CDizionarioGenSet::GetDefaultSQL()
{
    return QStringLiteral("[Dizionario]");
}

QString CDizionarioGenSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CDizionarioGenSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/Dizionario.def"
#undef QTR_COLUMN
}

void CDizionarioGenSet::Delete()
{
    QtrCascade cascade(*this);
    if (cascade.Skipped())
        return;
    cascade.DeleteRows<CDizionarioLinSet>(QStringLiteral("IDCodice=?"));
    cascade.Finish();
}
