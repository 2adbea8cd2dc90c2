#include "recordset/CClientiSet.h"

#include "recordset/CInteressiUtentiSet.h"
#include "recordset/CPermessiSet.h"
#include "recordset/CScontiProdottoSet.h"
#include "recordset/QtrCascade.h"
#include "recordset/schema/QtrColumnCount.h"

CClientiSet::CClientiSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/Clienti.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CClientiSet::GetDefaultSQL()
{
    return QStringLiteral("[Clienti]");
}

QString CClientiSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CClientiSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/Clienti.def"
#undef QTR_COLUMN
}

void CClientiSet::Delete()
{
    QtrCascade cascade(*this);
    if (cascade.Skipped())
        return;
    cascade.Repoint(QStringLiteral("Clienti"), QStringLiteral("IDAgente"));
    cascade.DeleteRows<CInteressiUtentiSet>(QStringLiteral("IDUtente=?"));
    cascade.DeleteRows<CPermessiSet>(QStringLiteral("IDUtente=?"));
    cascade.DeleteRows<CScontiProdottoSet>(QStringLiteral("IDUtente=?"));
    cascade.Finish();
}
