#include "recordset/CProdottiGeneraleSet.h"

#include "recordset/CCategorieProdottiSet.h"
#include "recordset/CCorrelazioniSet.h"
#include "recordset/CParoleChiaveSet.h"
#include "recordset/CPermessiSet.h"
#include "recordset/CProdottiColoriSet.h"
#include "recordset/CProdottiLingueSet.h"
#include "recordset/CScontiProdottoSet.h"
#include "recordset/QtrCascade.h"
#include "recordset/schema/QtrColumnCount.h"

CProdottiGeneraleSet::CProdottiGeneraleSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/Prodotti.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
    // The joined statement names no single table for the deletion log.
    m_strTableName = QStringLiteral("Prodotti");
}

QString CProdottiGeneraleSet::GetDefaultSQL()
{
    if (m_bJoin)
        return QStringLiteral("SELECT Prodotti.*, CategorieProdotti.IDCategoria") + QStringLiteral(" FROM Prodotti")
               + QStringLiteral(" INNER JOIN CategorieProdotti ON Prodotti.ID=CategorieProdotti.IDProdotto");
    return QStringLiteral("[Prodotti]");
}

QString CProdottiGeneraleSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CProdottiGeneraleSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/Prodotti.def"
#undef QTR_COLUMN
}

void CProdottiGeneraleSet::Delete()
{
    QtrCascade cascade(*this);
    if (cascade.Skipped())
        return;
    cascade.DeleteRows<CProdottiLingueSet>(QStringLiteral("IDProdotto=?"));
    cascade.DeleteRows<CCategorieProdottiSet>(QStringLiteral("IDProdotto=?"));
    cascade.DeleteRows<CProdottiColoriSet>(QStringLiteral("IDProdotto=?"));
    cascade.DeleteCorrelations(1);
    cascade.DeleteRows<CScontiProdottoSet>(QStringLiteral("IDProdotto=?"));
    cascade.DeleteRows<CParoleChiaveSet>(QStringLiteral("Tipo=1 AND IDRecord=?"));
    cascade.DeleteRows<CPermessiSet>(QStringLiteral("Tipo=1 AND IDRecord=?"));
    cascade.DeleteRows<CProdottiGeneraleSet>(QStringLiteral("IDProdottoBase=?"));
    cascade.DeleteFiles(QStringLiteral("website/images/prodotti/"));
    cascade.DeleteFiles(QStringLiteral("website/images/prodotti/th/"));
    // Attachments are "<letter><ID>_<code>...": the flag letter varies.
    cascade.DeleteFiles(QStringLiteral("website/images/prodotti/files/"), QStringLiteral("?"));
    cascade.Finish();
}
