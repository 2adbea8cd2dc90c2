#include "recordset/CCondizioniVenditaSet.h"

#include "recordset/schema/QtrColumnCount.h"

CCondizioniVenditaSet::CCondizioniVenditaSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/CondizioniVendita.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CCondizioniVenditaSet::GetDefaultSQL()
{
    return QStringLiteral("[CondizioniVendita]");
}

QString CCondizioniVenditaSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CCondizioniVenditaSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/CondizioniVendita.def"
#undef QTR_COLUMN
}
