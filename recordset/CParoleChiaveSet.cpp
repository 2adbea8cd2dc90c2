#include "recordset/CParoleChiaveSet.h"

#include "recordset/schema/QtrColumnCount.h"

CParoleChiaveSet::CParoleChiaveSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/ParoleChiave.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CParoleChiaveSet::GetDefaultSQL()
{
    return QStringLiteral("[ParoleChiave]");
}

QString CParoleChiaveSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CParoleChiaveSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/ParoleChiave.def"
#undef QTR_COLUMN
}
