#include "desktop/catalogue/CAggiornamentoListini.h"

#include "platform/dao/CDaoException.h"
#include "recordset/CProdottiGeneraleSet.h"
#include "recordset/CProdottiLingueSet.h"

#include "desktop/shell/controls/CValueFormat.h"
#include "platform/utilities/QtrArrotonda.h"

#include <QSet>
#include <QSqlQuery>

#include <cmath>

CAggiornamentoListini::CAggiornamentoListini(CDaoDatabase& project, const QString& projectFolder,
                                             const Settings& settings)
    : CCatalogueJob(project, projectFolder), m_settings(settings)
{
}

double CAggiornamentoListini::NewPrice(double old, double percent, double unit)
{
    return QtrArrotonda(old * (percent + 100.0) / 100.0, unit);
}

QString CAggiornamentoListini::Refusal(const Settings& settings)
{
    if (!std::isfinite(settings.dPercent) || settings.dPercent < -100.0)
        return QStringLiteral("La variazione non può essere inferiore a -100%: i prezzi diventerebbero negativi.");
    return QString();
}

QString CAggiornamentoListini::Confirmation(const Settings& settings, const QString& listText,
                                            const QString& categoryText)
{
    const QString percent = CValueFormat::FormatNumber(settings.dPercent, CValueFormat::Decimal, 2);
    QString text = QStringLiteral("I prezzi (%1%2) dei prodotti di \"%3\" saranno variati del %4%5%.")
                       .arg(listText, settings.bPromotional ? QStringLiteral(" e promozionali") : QString(),
                            categoryText, settings.dPercent > 0 ? QStringLiteral("+") : QString(), percent);
    return text + QStringLiteral("\nConfermi ?");
}

double CAggiornamentoListini::ListUnit(CDaoDatabase& db)
{
    static const QString kSql = QStringLiteral(
        "SELECT Valute.Arrotondamento FROM Configurazione INNER JOIN Valute ON Valute.ID = Configurazione.ValutaListino");
    QSqlQuery query(db.Connection());
    query.setForwardOnly(true);
    query.prepare(kSql);
    CDaoDatabase::Exec(query, kSql);
    const double unit = query.next() ? query.value(0).toDouble() : 0.0;
    return unit > 0 ? unit : 0.01;
}

CCatalogueJob::Result CAggiornamentoListini::WorkOnCopy(CDaoDatabase& db, ICatalogueProgress& progress)
{
    m_nProducts = 0;
    m_strError = Refusal(m_settings);
    if (!m_strError.isEmpty())
        return Failed;
    m_strScratch = ScratchFolder();
    m_dUnit = ListUnit(db);
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
            rows.m_Prezzo = NewPrice(rows.m_Prezzo, percent, m_dUnit);
        if (list == AllLists || list == Price2)
            rows.m_Prezzo2 = NewPrice(rows.m_Prezzo2, percent, m_dUnit);
        if (list == AllLists || list == Price3)
            rows.m_Prezzo3 = NewPrice(rows.m_Prezzo3, percent, m_dUnit);
        if (list == AllLists || list == Price4)
            rows.m_Prezzo4 = NewPrice(rows.m_Prezzo4, percent, m_dUnit);
        if (m_settings.bPromotional)
            rows.m_PrezzoPromozione = NewPrice(rows.m_PrezzoPromozione, percent, m_dUnit);
        rows.Update();
    }
    rows.Close();
}
