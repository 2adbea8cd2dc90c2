#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

class COrdiniGeneraleSet;

// The amounts of one order on the desk, exact: every figure is held in
// integer minor units of the list currency (cents, or whole units for a
// currency rounded to units), each line is rounded once, half away from
// zero, and the totals are sums of the rounded figures. The VAT is summed
// over the rounded lines and fees and rounded once, as the shop does.
//
// An order placed since the shop stores what the shopper was charged
// carries those figures: once every line has shipped in full they are the
// order's totals, on the screen and on the invoice, so the desk never shows
// a total that differs by a cent from the one charged.
class COrdineTotali
{
public:
    struct Riga
    {
        double prezzo = 0;
        float quantitaEvasa = 0;
        float iva = 0;   // percent
    };

    struct Costi
    {
        double speseSpedizione = 0;
        double speseContrassegno = 0;
        float ivaSpedizioni = 0;   // percent
        bool esenzioneIVA = false;
    };

    struct Totali
    {
        qint64 spedizione = 0, contrassegno = 0, imponibile = 0, imposta = 0, totale = 0;
    };

    // decimals: 2 for a currency rounded below one unit, 0 otherwise.
    explicit COrdineTotali(int decimals) : m_nDecimals(decimals) {}
    // The decimals of a currency from its rounding unit (Valute.Arrotondamento).
    static int DecimalsOf(double arrotondamento) { return arrotondamento < 1.0 ? 2 : 0; }

    int Decimals() const { return m_nDecimals; }
    qint64 ToMinor(double amount) const;
    qint64 Importo(const Riga& riga) const;
    Totali Calcola(const QList<Riga>& righe, const Costi& costi) const;
    // The stored charge when there is one and every line has shipped in
    // full; otherwise what the shipped lines come to.
    Totali Calcola(const QList<Riga>& righe, const Costi& costi, const std::optional<Totali>& addebitati,
                   bool tuttoEvaso) const;
    // The figures the shop stored as charged (Ordini.Importo...); none for
    // an order stored without them, or charged in a currency other than the
    // list currency (whose rate to the euro is cambioListino).
    std::optional<Totali> Addebitati(COrdiniGeneraleSet& ordine, double cambioListino) const;
    // "1234.50" (or "1234" with no decimals), for the total fields.
    QString Text(qint64 minor) const;

private:
    qint64 Scale() const { return m_nDecimals == 2 ? 100 : 1; }

    int m_nDecimals;
};
