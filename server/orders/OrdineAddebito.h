#pragma once

#include <QStringList>
#include <QVariantList>

#include <optional>

class CAdoRecordset;
struct CarrelloTotali;

// The figures the shopper was shown on the order's summary and charged,
// kept with the order (Ordini.Importo...): in whole smallest units of the
// order's currency (cents, or whole units for a currency rounded to units)
// and the grand total in euro cents. They are worked out once, from the
// basket's totals at the submission; every later page, mail, request to
// the bank and document shows them, never a recomputation from the stored
// lines, which can differ by cents when prices include VAT.
struct OrdineAddebito
{
    qint64 merci = 0;          // goods, net of VAT
    qint64 spedizione = 0;     // shipping, net of VAT
    qint64 contrassegno = 0;   // cash-on-delivery fee, net of VAT unless exempt
    qint64 iva = 0;            // all the VAT, shown even when exempt
    qint64 totale = 0;         // what the shopper pays
    qint64 totaleInEuro = 0;   // the same in euro cents: what the bank is asked for
    double unita = 0.01;       // the order currency's smallest unit

    // The smallest unit of a currency from its rounding unit.
    static double UnitaDi(double arrotondamento) { return arrotondamento < 1 ? 0.01 : 1; }

    // From the basket's totals. The basket leaves the cash-on-delivery fee
    // (VAT included unless exempt) out of its total: an order paid on
    // delivery adds it, its VAT counted with the rest.
    static OrdineAddebito DaCarrello(const CarrelloTotali& totali, double arrotondamento, double fcEuro2Web,
                                     double ivaSpedizioni, bool contrassegno);

    // The order row's stored figures; none for an order placed before the
    // shop stored them.
    static std::optional<OrdineAddebito> Leggi(const CAdoRecordset& ordine, double arrotondamento);

    // The columns and their values as the order row stores them.
    static QStringList Colonne();
    QVariantList Valori() const;

    // A figure back in the currency's units.
    double Valore(qint64 minori) const;
};
