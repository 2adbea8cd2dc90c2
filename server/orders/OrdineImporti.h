#pragma once

#include <QList>
#include <QString>

class CAdoRecordset;
struct OrdineAddebito;

// The amounts of one order as a customer reads them: stored in the list
// currency, shown in the order's currency (its own exchange rate and the
// rounding unit of its language's currency) and in euro, each as a number
// and a text. Quantities come twice: ordered, and shipped by the merchant.
class OrdineImporti
{
public:
    struct Cambi
    {
        double listino2Euro = 0;     // list-currency units per euro
        double cambioOrdine = 0;     // order-currency units per euro
        double arrotondamento = 0;   // rounding unit of the order's currency
    };

    struct Riga
    {
        double prezzo = 0;
        float quantita = 0;
        float quantitaEvasa = 0;
        float iva = 0;   // percent
    };

    // One amount in the order's currency and in euro, with their texts.
    struct Importo
    {
        double valore = 0, inEuro = 0;
        QString testo, testoInEuro;
    };

    struct ImportiRiga
    {
        Importo prezzo, evaso, ordinato;
        QString daEvadere, daEvadereInEuro;
    };

    struct Totali
    {
        Importo imponibileOrdine, imponibileOrdinato, impostaOrdine, impostaOrdinato;
        Importo speseSpedizione, speseContrassegno, totaleOrdine, totaleOrdinato;
        QString imponibileDaEvadere, imponibileDaEvadereInEuro;
    };

    struct Costi
    {
        double speseSpedizione = 0, speseContrassegno = 0;
        float ivaSpedizioni = 0;   // percent
        bool esenzioneIVA = false;
    };

    explicit OrdineImporti(const Cambi& cambi) : m_cambi(cambi) {}

    // A stored line (OrdiniDettaglio) and the costs of a stored order
    // (Ordini), as every reader of an order's amounts takes them.
    static Riga RigaDa(const CAdoRecordset& dettaglio);
    static Costi CostiDa(const CAdoRecordset& ordine);

    // A line: price and amounts converted one by one, their euro twins
    // from the converted values.
    ImportiRiga CalcolaRiga(const Riga& riga) const;
    // The order: net and VAT summed in the list currency, VAT rounded, then
    // each total converted; the euro twins from the list-currency values.
    Totali CalcolaTotali(const QList<Riga>& righe, const Costi& costi) const;
    // The totals of an order that stores what the shopper was charged: the
    // ordered figures and the costs are the stored ones; the shipped ones
    // too once every line has shipped in full, else they are what has
    // shipped so far, worked out from the lines.
    Totali TotaliAddebitati(const QList<Riga>& righe, const Costi& costi, const OrdineAddebito& addebito) const;

private:
    double InOrdine(double valore, double unita) const;
    double InEuro(double valore) const;
    Importo Converti(double valore, double unita, double unitaTesto) const;
    Importo Memorizzato(double valore, double unitaTesto) const;

    Cambi m_cambi;
};
