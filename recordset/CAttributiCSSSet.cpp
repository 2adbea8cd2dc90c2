#include "recordset/CAttributiCSSSet.h"

#include "recordset/schema/QtrColumnCount.h"

CAttributiCSSSet::CAttributiCSSSet(CDaoDatabase* pDatabase) : CDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/AttributiCSS.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CAttributiCSSSet::GetDefaultSQL()
{
    return QStringLiteral("[AttributiCSS]");
}

QString CAttributiCSSSet::GetDefaultDBName() { return QStringLiteral("modellografico.mdb"); }

void CAttributiCSSSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/AttributiCSS.def"
#undef QTR_COLUMN
}
