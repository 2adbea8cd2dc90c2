#include "recordset/CModuliCampiSet.h"

#include "recordset/CModuliCampiLingueSet.h"
#include "recordset/CModuliOpzioniSet.h"
#include "recordset/QtrCascade.h"
#include "recordset/schema/QtrColumnCount.h"

CModuliCampiSet::CModuliCampiSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/ModuliCampi.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CModuliCampiSet::GetDefaultSQL()
{
    return QStringLiteral("[ModuliCampi]");
}

QString CModuliCampiSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CModuliCampiSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/ModuliCampi.def"
#undef QTR_COLUMN
}

void CModuliCampiSet::Delete()
{
    QtrCascade cascade(*this);
    if (cascade.Skipped())
        return;
    cascade.DeleteRows<CModuliCampiLingueSet>(QStringLiteral("IDCampo=?"));
    cascade.DeleteRows<CModuliOpzioniSet>(QStringLiteral("IDCampo=?"));
    cascade.Finish();
}
