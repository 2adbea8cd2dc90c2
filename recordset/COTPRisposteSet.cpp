#include "recordset/COTPRisposteSet.h"

#include "recordset/schema/QtrColumnCount.h"

COTPRisposteSet::COTPRisposteSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/OTPRisposte.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString COTPRisposteSet::GetDefaultSQL()
{
    return QStringLiteral("[OTPRisposte]");
}

QString COTPRisposteSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void COTPRisposteSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/OTPRisposte.def"
#undef QTR_COLUMN
}
