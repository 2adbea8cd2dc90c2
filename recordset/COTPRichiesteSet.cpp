#include "recordset/COTPRichiesteSet.h"

#include "recordset/schema/QtrColumnCount.h"

COTPRichiesteSet::COTPRichiesteSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/OTPRichieste.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString COTPRichiesteSet::GetDefaultSQL()
{
    return QStringLiteral("[OTPRichieste]");
}

QString COTPRichiesteSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void COTPRichiesteSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/OTPRichieste.def"
#undef QTR_COLUMN
}
