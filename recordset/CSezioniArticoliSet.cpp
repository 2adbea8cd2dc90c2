#include "recordset/CSezioniArticoliSet.h"

#include "recordset/schema/QtrColumnCount.h"

CSezioniArticoliSet::CSezioniArticoliSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/SezioniArticoli.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CSezioniArticoliSet::GetDefaultSQL()
{
    return QStringLiteral("[SezioniArticoli]");
}

QString CSezioniArticoliSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CSezioniArticoliSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/SezioniArticoli.def"
#undef QTR_COLUMN
}
