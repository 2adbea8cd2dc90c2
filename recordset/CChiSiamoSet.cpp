#include "recordset/CChiSiamoSet.h"

#include "recordset/schema/QtrColumnCount.h"

CChiSiamoSet::CChiSiamoSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/ChiSiamo.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CChiSiamoSet::GetDefaultSQL()
{
    return QStringLiteral("[ChiSiamo]");
}

QString CChiSiamoSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CChiSiamoSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/ChiSiamo.def"
#undef QTR_COLUMN
}
