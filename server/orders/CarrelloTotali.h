#pragma once

#include "server/core/catalogo/CatalogoPrezzo.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

// One priced basket line as the totals see it: its amount in the web
// currency (already cut to the currency's smallest unit), its VAT rate,
// and the weight of one unit with the quantity.
struct CarrelloRiga
{
    double importo = 0;
    float iva = 0;
    float peso = 0;
    float quantita = 0;
};

// A shipping option's weight bands: band k applies to a weight up to
// limite[k] (0: no limit); prices in the list currency.
struct CarrelloSpedizione
{
    std::array<double, 5> limite{};
    std::array<double, 5> prezzo{};
    bool esenzioneIVA = false;
};

// The shop's settings the totals depend on, from the Session.
struct CarrelloImpostazioni
{
    CatalogoCambi cambi;
    bool ivaCompresa = false;
    qint32 tipoPesoImballo = 0;       // 0: a fixed weight, else a percentage
    double pesoImballo = 0;
    double ivaSpedizioni = 0;
    qint32 tipoSpeseContrassegno = 0; // 1: a percentage of the order, else a fixed fee
    double speseContrassegno = 0;
    double minimoContrassegno = 0;
    bool spedizionePersonalizzata = false;
    double importoSpedizionePersonalizzata = 0;
};

// The basket's totals in the three currencies with their texts. VAT is
// worked out once per rate and cut to the currency's smallest unit; the
// goods, the VAT and the order total are sums of cut figures, so what the
// page shows adds up.
struct CarrelloTotali
{
    float totalePesoProdotti = 0;
    double totaleProdotti = 0, totaleProdottiVL = 0, totaleProdottiInEuro = 0;
    double totaleIVA = 0, totaleIVAVL = 0, totaleIVAInEuro = 0;
    std::array<double, 5> limiteSpeseSpedizione{};
    std::array<double, 5> importoSpeseSpedizione{};
    double limiteSpeseSpedizioneApplicato = 0, importoSpeseSpedizioneApplicato = 0;
    double importoSpeseSpedizioneVL = 0, importoSpeseSpedizioneWeb = 0, importoSpeseSpedizioneInEuro = 0;
    double totaleOrdine = 0, totaleOrdineVL = 0, totaleOrdineInEuro = 0;
    double speseContrassegno = 0, speseContrassegnoVL = 0, speseContrassegnoInEuro = 0;
    bool esenzioneIVA = false;

    QString fTotaleProdottiVL, fTotaleProdotti, fTotaleProdottiInEuro;
    QString fTotaleIVAVL, fTotaleIVA, fTotaleIVAInEuro;
    QString fImportoSpeseSpedizioneVL, fImportoSpeseSpedizione, fImportoSpeseSpedizioneInEuro;
    QString fTotaleOrdineVL, fTotaleOrdine, fTotaleOrdineInEuro;
    QString fSpeseContrassegnoVL, fSpeseContrassegno, fSpeseContrassegnoInEuro;

    // spedizione: the chosen option, none when no option is chosen. The
    // band fields start from precedente, which keeps the bands of the last
    // option found.
    static CarrelloTotali Calcola(const QList<CarrelloRiga>& righe, const CarrelloImpostazioni& impostazioni,
                                  const std::optional<CarrelloSpedizione>& spedizione,
                                  const CarrelloTotali& precedente);
    static CarrelloTotali Calcola(const QList<CarrelloRiga>& righe, const CarrelloImpostazioni& impostazioni,
                                  const std::optional<CarrelloSpedizione>& spedizione);

private:
    void Merci(const QList<CarrelloRiga>& righe, const CarrelloImpostazioni& impostazioni);
    void Spedizione(const CarrelloImpostazioni& impostazioni, const std::optional<CarrelloSpedizione>& spedizione);
    void Contrassegno(const CarrelloImpostazioni& impostazioni);
    void Testi(const CarrelloImpostazioni& impostazioni);
};
