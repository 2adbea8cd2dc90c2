#include "recordset/CSSpedizioneSet.h"

#include "recordset/schema/QtrColumnCount.h"

CSSpedizioneSet::CSSpedizioneSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/SpeseSpedizione.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CSSpedizioneSet::GetDefaultSQL()
{
    return QStringLiteral("[SpeseSpedizione]");
}

QString CSSpedizioneSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CSSpedizioneSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/SpeseSpedizione.def"
#undef QTR_COLUMN
}
