#include "recordset/CCategorieProdottiSet.h"

#include "recordset/schema/QtrColumnCount.h"

CCategorieProdottiSet::CCategorieProdottiSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/CategorieProdotti.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CCategorieProdottiSet::GetDefaultSQL()
{
    return QStringLiteral("[CategorieProdotti]");
}

QString CCategorieProdottiSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CCategorieProdottiSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/CategorieProdotti.def"
#undef QTR_COLUMN
}
