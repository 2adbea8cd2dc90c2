#include "recordset/CModuliSet.h"

#include "recordset/CArticoliGenSet.h"
#include "recordset/CModuliCampiLingueSet.h"
#include "recordset/CModuliCampiSet.h"
#include "recordset/CModuliLingueSet.h"
#include "recordset/QtrCascade.h"
#include "recordset/schema/QtrColumnCount.h"

CModuliSet::CModuliSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/Moduli.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CModuliSet::GetDefaultSQL()
{
    return QStringLiteral("[Moduli]");
}

QString CModuliSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CModuliSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/Moduli.def"
#undef QTR_COLUMN
}

void CModuliSet::Delete()
{
    QtrCascade cascade(*this);
    if (cascade.Skipped())
        return;
    cascade.ClearRows<CArticoliGenSet>(QStringLiteral("IDModulo=?"), [](CArticoliGenSet& article) {
        article.m_IDModulo = 0;
        article.m_IDArticoloRispostaModulo = 0;
    });
    cascade.DeleteRows<CModuliLingueSet>(QStringLiteral("IDModulo=?"));
    cascade.ForEachRow<CModuliCampiSet>(QStringLiteral("IDModulo=?"), [&cascade](CModuliCampiSet& field) {
        cascade.DeleteRows<CModuliCampiLingueSet>(QStringLiteral("IDCampo=?"), {field.m_ID});
        field.Delete();
    });
    cascade.Finish();
}
