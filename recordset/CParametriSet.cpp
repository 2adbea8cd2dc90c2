#include "recordset/CParametriSet.h"

#include "recordset/schema/QtrColumnCount.h"

CParametriSet::CParametriSet(CDaoDatabase* pDatabase) : CDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/Parametri.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CParametriSet::GetDefaultSQL()
{
    return QStringLiteral("[Parametri]");
}

QString CParametriSet::GetDefaultDBName() { return QStringLiteral("modellografico.mdb"); }

void CParametriSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/Parametri.def"
#undef QTR_COLUMN
}
