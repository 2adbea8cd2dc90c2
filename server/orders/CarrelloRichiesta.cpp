#include "server/orders/CarrelloRichiesta.h"

#include "server/core/LettoreNumeri.h"
#include "platform/asp/IAspRequest.h"

#include <QUrlQuery>

#include <cmath>
#include <limits>

namespace {

const QStringList kChiaviNote = {QStringLiteral("Operazione"), QStringLiteral("IndiceOggetto"),
                                 QStringLiteral("IDProdotto"),  QStringLiteral("Quantita"),
                                 QStringLiteral("IDColore"),    QStringLiteral("Taglia"),
                                 QStringLiteral("Prezzo"),      QStringLiteral("IDSpese")};
const QStringList kPulsanti = {QStringLiteral("Aggiungi"), QStringLiteral("Modifica"), QStringLiteral("Elimina"),
                               QStringLiteral("Svuota"), QStringLiteral("Spese")};

bool Nota(const QString& chiave)
{
    return kChiaviNote.contains(chiave, Qt::CaseInsensitive);
}

// The query string's keys in the order the link carries them, each once.
QStringList ChiaviQueryString(const IAspRequest& request)
{
    QStringList chiavi;
    // A "+" in a link stands for a space.
    QString testo = request.ServerVariable(QStringLiteral("QUERY_STRING"));
    testo.replace(QLatin1Char('+'), QLatin1String("%20"));
    const QUrlQuery query(testo);
    for (const auto& [chiave, valore] : query.queryItems(QUrl::FullyDecoded)) {
        Q_UNUSED(valore);
        if (!chiavi.contains(chiave, Qt::CaseInsensitive))
            chiavi << chiave;
    }
    return chiavi;
}

} // namespace

bool CarrelloRichiesta::Reale(const QVariant& valore, double& reale)
{
    const std::optional<double> letto = LettoreNumeri::Decimale(valore);
    reale = letto.value_or(0);
    return letto.has_value();
}

bool CarrelloRichiesta::Intero(const QVariant& valore, qint32& intero)
{
    double reale = 0;
    if (!Reale(valore, reale) || std::abs(reale) > std::numeric_limits<qint32>::max())
        return false;
    intero = static_cast<qint32>(std::nearbyint(reale));
    return true;
}

CarrelloOperazione CarrelloRichiesta::DaArgomenti(const QVariant& op, const QVariant& idx, const QVariant& idProdotto,
                                                  const QVariant& qta, const QVariant& idCol, const QVariant& taglia,
                                                  const QVariant& prezzo, const QVariant& idSpese,
                                                  const QVariant& userFields)
{
    CarrelloOperazione o;
    o.parola = op.toString().toLower();
    Intero(idx, o.indice);
    Intero(idProdotto, o.oggetto.idProdotto);
    double quantita = 0;
    Reale(qta, quantita);
    o.oggetto.quantita = static_cast<float>(quantita);
    Intero(idCol, o.oggetto.idColore);
    o.oggetto.taglia = taglia.isValid() ? taglia.toString() : QString();
    Reale(prezzo, o.oggetto.prezzo);
    Intero(idSpese, o.idSpese);
    o.oggetto.campiUtente = CarrelloTesto::CampiUtente(userFields.toString());
    return o;
}

CarrelloOperazione CarrelloRichiesta::DaQueryString(const IAspRequest& request)
{
    CarrelloOperazione o;
    const auto valore = [&](const char* chiave) { return request.QueryString(QLatin1String(chiave)); };
    o.parola = valore("Operazione").toLower();
    Intero(valore("IndiceOggetto"), o.indice);
    Intero(valore("IDProdotto"), o.oggetto.idProdotto);
    double quantita = 0;
    Reale(valore("Quantita"), quantita);
    o.oggetto.quantita = static_cast<float>(std::abs(quantita));
    Intero(valore("IDColore"), o.oggetto.idColore);
    o.oggetto.taglia = valore("Taglia");
    Intero(valore("IDSpese"), o.idSpese);
    for (const QString& chiave : ChiaviQueryString(request)) {
        if (!Nota(chiave))
            o.oggetto.campiUtente.append({chiave, request.QueryString(chiave)});
    }
    return o;
}

CarrelloOperazione CarrelloRichiesta::DaForm(const IAspRequest& request)
{
    CarrelloOperazione o;
    QStringList visti;
    bool zeroScritto = false;
    for (const auto& [chiave, valore] : request.FormFields()) {
        Q_UNUSED(valore);
        QString nome = chiave;
        if (nome.endsWith(QLatin1String(".x")) || nome.endsWith(QLatin1String(".y")))
            nome.chop(2);
        if (visti.contains(nome))
            continue;
        visti << nome;
        const QString testo = request.Form(nome);
        if (kPulsanti.contains(nome)) {
            o.parola = nome.toLower();
        } else if (nome.compare(QLatin1String("IndiceOggetto"), Qt::CaseInsensitive) == 0) {
            Intero(testo, o.indice);
        } else if (nome.compare(QLatin1String("IDProdotto"), Qt::CaseInsensitive) == 0) {
            Intero(testo, o.oggetto.idProdotto);
        } else if (nome.compare(QLatin1String("IDColore"), Qt::CaseInsensitive) == 0) {
            Intero(testo, o.oggetto.idColore);
        } else if (nome.compare(QLatin1String("IDSpese"), Qt::CaseInsensitive) == 0) {
            Intero(testo, o.idSpese);
        } else if (nome.compare(QLatin1String("Quantita"), Qt::CaseInsensitive) == 0) {
            double quantita = 0;
            zeroScritto = Reale(testo, quantita) && quantita == 0;
            o.oggetto.quantita = quantita > 0 ? static_cast<float>(quantita) : 1;
        } else if (nome.compare(QLatin1String("Taglia"), Qt::CaseInsensitive) == 0) {
            o.oggetto.taglia = testo;
        } else if (nome.compare(QLatin1String("Prezzo"), Qt::CaseInsensitive) != 0) {
            o.oggetto.campiUtente.append({nome, testo});
        }
    }
    // A 0 typed in the basket's quantity takes the line away.
    if (zeroScritto && o.parola == QLatin1String("modifica"))
        o.oggetto.quantita = 0;
    return o;
}
