#include "recordset/CClassiCSSSet.h"

#include "recordset/schema/QtrColumnCount.h"

CClassiCSSSet::CClassiCSSSet(CDaoDatabase* pDatabase) : CDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/ClassiCSS.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CClassiCSSSet::GetDefaultSQL()
{
    return QStringLiteral("[ClassiCSS]");
}

QString CClassiCSSSet::GetDefaultDBName() { return QStringLiteral("modellografico.mdb"); }

void CClassiCSSSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/ClassiCSS.def"
#undef QTR_COLUMN
}
