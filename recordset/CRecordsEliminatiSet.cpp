#include "recordset/CRecordsEliminatiSet.h"

#include "recordset/schema/QtrColumnCount.h"

CRecordsEliminatiSet::CRecordsEliminatiSet(CDaoDatabase* pDatabase) : CDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/RecordsEliminati.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CRecordsEliminatiSet::GetDefaultSQL()
{
    return QStringLiteral("[RecordsEliminati]");
}

QString CRecordsEliminatiSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CRecordsEliminatiSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/RecordsEliminati.def"
#undef QTR_COLUMN
}
