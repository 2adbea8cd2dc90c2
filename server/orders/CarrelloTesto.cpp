#include "server/orders/CarrelloTesto.h"

#include "server/core/LettoreNumeri.h"

#include <QLocale>
#include <QUrl>

#include <cmath>
#include <limits>

namespace {

QLocale Numeri()
{
    QLocale locale = QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}

} // namespace

QString CarrelloTesto::Protetto(const QString& testo)
{
    QString protetto = testo;
    protetto.replace(QLatin1Char('%'), QLatin1String("%25"));
    protetto.replace(QLatin1Char('#'), QLatin1String("%23"));
    protetto.replace(QLatin1Char('|'), QLatin1String("%7C"));
    protetto.replace(QLatin1Char('~'), QLatin1String("%7E"));
    return protetto;
}

// Every "%" in a stored text is one of ours, so decoding all of them gives
// back exactly what was typed.
QString CarrelloTesto::Libero(const QString& testo)
{
    if (!testo.contains(QLatin1Char('%')))
        return testo;
    return QUrl::fromPercentEncoding(testo.toUtf8());
}

QString CarrelloTesto::Numero(double valore, int cifre)
{
    return Numeri().toString(valore, 'g', cifre);
}

QString CarrelloTesto::Componi(const CarrelloOggetto& oggetto)
{
    QString testo = QLatin1Char('#') + QString::number(oggetto.idProdotto) + QLatin1Char('|')
        + Quantita(oggetto.quantita) + QLatin1Char('|') + QString::number(oggetto.idColore) + QLatin1Char('|')
        + Protetto(oggetto.taglia) + QLatin1Char('|') + Numero(oggetto.prezzo) + QLatin1Char('|');
    for (const auto& [nome, valore] : oggetto.campiUtente)
        testo += Protetto(nome) + QLatin1Char('~') + Protetto(valore) + QLatin1Char('|');
    return testo;
}

QString CarrelloTesto::Componi(const QList<CarrelloOggetto>& oggetti)
{
    QString testo;
    for (const CarrelloOggetto& oggetto : oggetti)
        testo += Componi(oggetto);
    return testo;
}

QList<CarrelloOggetto> CarrelloTesto::Leggi(const QString& testo)
{
    QList<CarrelloOggetto> oggetti;
    const QStringList parti = testo.split(QLatin1Char('#'));
    for (qsizetype i = 1; i < parti.size(); ++i) {
        CarrelloOggetto oggetto;
        if (LeggiOggetto(parti.at(i), oggetto))
            oggetti << oggetto;
    }
    return oggetti;
}

bool CarrelloTesto::LeggiOggetto(const QString& testo, CarrelloOggetto& oggetto)
{
    const QStringList campi = testo.split(QLatin1Char('|'));
    if (campi.size() < 5)
        return false;
    bool okProdotto = false;
    bool okColore = false;
    oggetto.idProdotto = campi.at(0).toInt(&okProdotto);
    oggetto.idColore = campi.at(2).toInt(&okColore);
    const std::optional<double> quantita = LettoreNumeri::Decimale(campi.at(1));
    const std::optional<double> prezzo = LettoreNumeri::Decimale(campi.at(4));
    if (!okProdotto || !okColore || !quantita || !prezzo)
        return false;
    oggetto.quantita = static_cast<float>(*quantita);
    oggetto.prezzo = *prezzo;
    oggetto.taglia = Libero(campi.at(3));
    for (qsizetype i = 5; i < campi.size(); ++i) {
        if (campi.at(i).isEmpty() && i == campi.size() - 1)
            break;
        const QString nome = campi.at(i).section(QLatin1Char('~'), 0, 0);
        const QString valore = campi.at(i).contains(QLatin1Char('~')) ? campi.at(i).section(QLatin1Char('~'), 1)
                                                                       : QString();
        oggetto.campiUtente.append({Libero(nome), Libero(valore)});
    }
    return true;
}

QList<QPair<QString, QString>> CarrelloTesto::CampiUtente(const QString& testo)
{
    QList<QPair<QString, QString>> campi;
    QStringList voci = testo.split(QLatin1Char('|'));
    if (!voci.isEmpty() && voci.last().isEmpty())
        voci.removeLast();
    for (const QString& voce : voci) {
        const qsizetype tilde = voce.indexOf(QLatin1Char('~'));
        if (tilde < 0)
            campi.append({voce, QString()});
        else
            campi.append({voce.left(tilde), voce.mid(tilde + 1)});
    }
    return campi;
}

QString CarrelloTesto::TestoCampiUtente(const QList<QPair<QString, QString>>& campi)
{
    QString testo;
    for (const auto& [nome, valore] : campi)
        testo += nome + QLatin1Char('~') + valore + QLatin1Char('|');
    return testo;
}
