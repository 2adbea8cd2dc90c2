#include "recordset/CCategorieGenSet.h"

#include "recordset/CCategorieLinSet.h"
#include "recordset/CCategorieProdottiSet.h"
#include "recordset/CDefCampiCustomSet.h"
#include "recordset/CPermessiSet.h"
#include "recordset/CScontiProdottoSet.h"
#include "recordset/QtrCascade.h"
#include "recordset/schema/QtrColumnCount.h"

CCategorieGenSet::CCategorieGenSet(CDaoDatabase* pDatabase) : CQTRDaoRecordset(pDatabase)
{
    m_nFields = 0
#define QTR_COLUMN QTR_COUNT
#include "recordset/schema/tables/Categorie.def"
#undef QTR_COLUMN
        ;
    m_nDefaultType = dbOpenDynaset;
}

QString CCategorieGenSet::GetDefaultSQL()
{
    return QStringLiteral("[Categorie]");
}

QString CCategorieGenSet::GetDefaultDBName() { return QStringLiteral("database.mdb"); }

void CCategorieGenSet::DoFieldExchange(CDaoFieldExchange* pFX)
{
#define QTR_COLUMN QTR_EXCHANGE
#include "recordset/schema/tables/Categorie.def"
#undef QTR_COLUMN
}

void CCategorieGenSet::Delete()
{
    QtrCascade cascade(*this);
    if (cascade.Skipped())
        return;
    cascade.DeleteRows<CCategorieLinSet>(QStringLiteral("IDCategoria=?"));
    cascade.DeleteRows<CCategorieProdottiSet>(QStringLiteral("IDCategoria=?"));
    cascade.DeleteRows<CDefCampiCustomSet>(QStringLiteral("IDCategoria=?"));
    cascade.DeleteRows<CPermessiSet>(QStringLiteral("Tipo=0 AND IDRecord=?"));
    cascade.DeleteRows<CScontiProdottoSet>(QStringLiteral("IDCategoria=?"));
    cascade.DeleteLanguageFiles(QStringLiteral("website/images/categorie/"));
    cascade.Finish();
}
