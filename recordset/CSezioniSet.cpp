#include "recordset/CSezioniSet.h"

#include "recordset/CPermessiSet.h"
#include "recordset/CSezioniArticoliSet.h"
#include "recordset/CSezioniLingueSet.h"
#include "recordset/QtrCascade.h"
#include "recordset/schema/QtrColumnCount.h"

CSezioniSet::CSezioniSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/Sezioni.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CSezioniSet::GetDefaultSQL()
{
    return QStringLiteral("[Sezioni]");
}

QString CSezioniSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CSezioniSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/Sezioni.def"
#undef QTR_COLUMN
}

void CSezioniSet::Delete()
{
    QtrCascade cascade(*this);
    if (cascade.Skipped())
        return;
    cascade.DeleteRows<CSezioniLingueSet>(QStringLiteral("IDSezione=?"));
    cascade.DeleteRows<CSezioniArticoliSet>(QStringLiteral("IDSezione=?"));
    cascade.DeleteRows<CPermessiSet>(QStringLiteral("Tipo=2 AND IDRecord=?"));
    cascade.DeleteLanguageFiles(QStringLiteral("website/images/sezioni/"));
    cascade.Finish();
}
