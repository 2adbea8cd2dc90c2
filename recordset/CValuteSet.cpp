#include "recordset/CValuteSet.h"

#include "recordset/schema/QtrColumnCount.h"

CValuteSet::CValuteSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/Valute.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CValuteSet::GetDefaultSQL()
{
    return QStringLiteral("[Valute]");
}

QString CValuteSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CValuteSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/Valute.def"
#undef QTR_COLUMN
}
