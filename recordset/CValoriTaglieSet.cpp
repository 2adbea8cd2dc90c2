#include "recordset/CValoriTaglieSet.h"

#include "recordset/schema/QtrColumnCount.h"

CValoriTaglieSet::CValoriTaglieSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/ValoriTaglie.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CValoriTaglieSet::GetDefaultSQL()
{
    return QStringLiteral("[ValoriTaglie]");
}

QString CValoriTaglieSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CValoriTaglieSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/ValoriTaglie.def"
#undef QTR_COLUMN
}
