#include "recordset/CDefCampiCustomSet.h"

#include "recordset/schema/QtrColumnCount.h"

CDefCampiCustomSet::CDefCampiCustomSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/DefinizioneCampiCustom.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CDefCampiCustomSet::GetDefaultSQL()
{
    return QStringLiteral("[DefinizioneCampiCustom]");
}

QString CDefCampiCustomSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CDefCampiCustomSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/DefinizioneCampiCustom.def"
#undef QTR_COLUMN
}
