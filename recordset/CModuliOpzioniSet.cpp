#include "recordset/CModuliOpzioniSet.h"

#include "recordset/CModuliOpzioniLingueSet.h"
#include "recordset/QtrCascade.h"
#include "recordset/schema/QtrColumnCount.h"

CModuliOpzioniSet::CModuliOpzioniSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/ModuliOpzioni.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CModuliOpzioniSet::GetDefaultSQL()
{
    return QStringLiteral("[ModuliOpzioni]");
}

QString CModuliOpzioniSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CModuliOpzioniSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/ModuliOpzioni.def"
#undef QTR_COLUMN
}

void CModuliOpzioniSet::Delete()
{
    QtrCascade cascade(*this);
    if (cascade.Skipped())
        return;
    cascade.DeleteRows<CModuliOpzioniLingueSet>(QStringLiteral("IDOpzione=?"));
    cascade.Finish();
}
