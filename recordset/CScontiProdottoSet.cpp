#include "recordset/CScontiProdottoSet.h"

#include "recordset/schema/QtrColumnCount.h"

CScontiProdottoSet::CScontiProdottoSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/ScontiProdotto.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CScontiProdottoSet::GetDefaultSQL()
{
    return QStringLiteral("[ScontiProdotto]");
}

QString CScontiProdottoSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CScontiProdottoSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/ScontiProdotto.def"
#undef QTR_COLUMN
}
