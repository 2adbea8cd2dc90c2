#pragma once

#include <QList>
#include <QPair>
#include <QString>

// One item of the basket as the Session keeps it.
struct CarrelloOggetto
{
    qint32 idProdotto = 0;
    float quantita = 0;
    qint32 idColore = 0;
    QString taglia;
    double prezzo = 0;   // given by the page's own code, web currency, net of VAT
    QList<QPair<QString, QString>> campiUtente;

    bool operator==(const CarrelloOggetto&) const = default;
};

// The basket text of the Session: each item "#", product, "|", quantity,
// "|", colour, "|", size, "|", price, "|", then its user fields as name,
// "~", value and "|". Numbers follow the shop's regional format.
//
// What a shopper types (sizes, field names and values) is stored with
// "%", "#", "|" and "~" written as "%25", "%23", "%7C" and "%7E", so no
// text of his can open an item or a field; plain text reads as it always
// did ("#12|2|0|M|0|Dedica~Auguri|").
class CarrelloTesto
{
public:
    CarrelloTesto() = delete;

    static QString Componi(const CarrelloOggetto& oggetto);
    static QString Componi(const QList<CarrelloOggetto>& oggetti);

    // Every item of a basket text. An item whose numbers do not read is
    // one the basket never wrote; it is left out rather than failing every
    // page of the visit.
    static QList<CarrelloOggetto> Leggi(const QString& testo);

    // A page's user-field text ("Nome~Mario|Cognome~Rossi|") as entries;
    // a last entry without its "|" is read to the end, an entry without
    // "~" is a name with an empty value.
    static QList<QPair<QString, QString>> CampiUtente(const QString& testo);
    // The entries back as a page reads them, unescaped.
    static QString TestoCampiUtente(const QList<QPair<QString, QString>>& campi);

    // Numbers as the basket writes them, with a decimal point; they are
    // read back by LettoreNumeri.
    static QString Numero(double valore, int cifre = 15);
    static QString Quantita(float quantita) { return Numero(quantita, 7); }

private:
    static QString Protetto(const QString& testo);
    static QString Libero(const QString& testo);
    static bool LeggiOggetto(const QString& testo, CarrelloOggetto& oggetto);
};
