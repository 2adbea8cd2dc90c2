#include "desktop/catalogue/CAggiornamentoListini.h"

#include "platform/dao/CDaoException.h"
#include "recordset/CProdottiGeneraleSet.h"
#include "recordset/CProdottiLingueSet.h"

#include <QSet>

CAggiornamentoListini::CAggiornamentoListini(CDaoDatabase& project, const QString& projectFolder,
                                             const Settings& settings)
    : CCatalogueJob(project, projectFolder), m_settings(settings)
{
}

double CAggiornamentoListini::NewPrice(double old, double percent)
{
    return old * (percent + 100.0) / 100.0;
}

CCatalogueJob::Result CAggiornamentoListini::WorkOnCopy(CDaoDatabase& db, ICatalogueProgress& progress)
{
    m_nProducts = 0;
    m_strScratch = ScratchFolder();
    const QVector<qint32> products = Products(db);
    progress.SetLabel(QStringLiteral("Aggiornamento listini in corso..."));
    progress.SetTotal(products.size());
    for (int i = 0; i < products.size(); ++i) {
        if (Step(progress, i))
            return Cancelled;
        ChangeProduct(db, products.at(i));
        ++m_nProducts;
    }
    progress.SetDone(products.size());
    return Done;
}

// The products in the set's order, each once: the join form gives one row
// per link, so a product linked twice to the category comes twice.
QVector<qint32> CAggiornamentoListini::Products(CDaoDatabase& db) const
{
    CProdottiGeneraleSet set(&db);
    if (m_settings.nCategory > 0) {
        set.m_bJoin = true;
        set.m_strFilter = QStringLiteral("IDCategoria=?");
        set.m_filterParams = {m_settings.nCategory};
    }
    set.Open();
    QVector<qint32> products;
    QSet<qint32> seen;
    for (; !set.IsEOF(); set.MoveNext())
        if (!seen.contains(set.m_ID)) {
            seen.insert(set.m_ID);
            products << set.m_ID;
        }
    set.Close();
    return products;
}

void CAggiornamentoListini::ChangeProduct(CDaoDatabase& db, qint32 productId)
{
    const int list = m_settings.nList;
    const double percent = m_settings.dPercent;
    CProdottiLingueSet rows(&db);
    rows.m_strProjectFolder = m_strScratch;
    rows.m_strFilter = QStringLiteral("IDProdotto=?");
    rows.m_filterParams = {productId};
    rows.Open();
    for (; !rows.IsEOF(); rows.MoveNext()) {
        rows.Edit();
        if (list == AllLists || list == Price1)
            rows.m_Prezzo = NewPrice(rows.m_Prezzo, percent);
        if (list == AllLists || list == Price2)
            rows.m_Prezzo2 = NewPrice(rows.m_Prezzo2, percent);
        if (list == AllLists || list == Price3)
            rows.m_Prezzo3 = NewPrice(rows.m_Prezzo3, percent);
        if (list == AllLists || list == Price4)
            rows.m_Prezzo4 = NewPrice(rows.m_Prezzo4, percent);
        if (m_settings.bPromotional)
            rows.m_PrezzoPromozione = NewPrice(rows.m_PrezzoPromozione, percent);
        rows.Update();
    }
    rows.Close();
}
