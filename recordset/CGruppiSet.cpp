#include "recordset/CGruppiSet.h"

#include "recordset/CPermessiSet.h"
#include "recordset/CScontiProdottoSet.h"
#include "recordset/QtrCascade.h"
#include "recordset/schema/QtrColumnCount.h"

CGruppiSet::CGruppiSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/Gruppi.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CGruppiSet::GetDefaultSQL()
{
    return QStringLiteral("[Gruppi]");
}

QString CGruppiSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CGruppiSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/Gruppi.def"
#undef QTR_COLUMN
}

void CGruppiSet::Delete()
{
    QtrCascade cascade(*this);
    if (cascade.Skipped())
        return;
    cascade.Repoint(QStringLiteral("Clienti"), QStringLiteral("IDGruppo"));
    cascade.DeleteRows<CPermessiSet>(QStringLiteral("IDGruppo=?"));
    cascade.DeleteRows<CScontiProdottoSet>(QStringLiteral("IDGruppo=?"));
    cascade.Finish();
}
