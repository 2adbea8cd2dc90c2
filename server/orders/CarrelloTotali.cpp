#include "server/orders/CarrelloTotali.h"

#include "server/core/Funzioni.h"
#include "server/orders/CarrelloPrezzoOggetto.h"

#include <cmath>

namespace {

struct Aliquota
{
    float iva = 0;
    qint64 importo = 0;   // smallest units
};

} // namespace

CarrelloTotali CarrelloTotali::Calcola(const QList<CarrelloRiga>& righe, const CarrelloImpostazioni& impostazioni,
                                       const std::optional<CarrelloSpedizione>& spedizione,
                                       const CarrelloTotali& precedente)
{
    CarrelloTotali t;
    t.limiteSpeseSpedizione = precedente.limiteSpeseSpedizione;
    t.importoSpeseSpedizione = precedente.importoSpeseSpedizione;
    t.limiteSpeseSpedizioneApplicato = precedente.limiteSpeseSpedizioneApplicato;
    t.importoSpeseSpedizioneApplicato = precedente.importoSpeseSpedizioneApplicato;
    t.Merci(righe, impostazioni);
    t.Spedizione(impostazioni, spedizione);
    t.Contrassegno(impostazioni);
    t.Testi(impostazioni);
    return t;
}

CarrelloTotali CarrelloTotali::Calcola(const QList<CarrelloRiga>& righe, const CarrelloImpostazioni& impostazioni,
                                       const std::optional<CarrelloSpedizione>& spedizione)
{
    return Calcola(righe, impostazioni, spedizione, CarrelloTotali());
}

void CarrelloTotali::Merci(const QList<CarrelloRiga>& righe, const CarrelloImpostazioni& impostazioni)
{
    const CatalogoCambi& c = impostazioni.cambi;
    const double unita = CarrelloPrezzoOggetto::UnitaMinima(c.arrotondamento);
    QList<Aliquota> aliquote;
    float peso = 0;
    for (const CarrelloRiga& riga : righe) {
        auto it = std::find_if(aliquote.begin(), aliquote.end(), [&](const Aliquota& a) { return a.iva == riga.iva; });
        if (it == aliquote.end())
            it = aliquote.insert(aliquote.end(), Aliquota{riga.iva, 0});
        it->importo += Funzioni::Minori(riga.importo, unita);
        peso += riga.peso * riga.quantita;
    }
    if (impostazioni.tipoPesoImballo == 0)
        peso += static_cast<float>(impostazioni.pesoImballo);
    else
        peso = static_cast<float>(peso * (impostazioni.pesoImballo + 100) / 100);
    totalePesoProdotti = peso;

    qint64 netto = 0;
    qint64 imposta = 0;
    for (const Aliquota& a : aliquote) {
        const double importo = Funzioni::DaMinori(a.importo, unita);
        if (impostazioni.ivaCompresa) {
            const qint64 n = Funzioni::Minori(importo / ((a.iva + 100.0) / 100), unita);
            netto += n;
            imposta += a.importo - n;
        } else {
            netto += a.importo;
            imposta += Funzioni::Minori(importo * a.iva / 100, unita);
        }
    }
    totaleProdotti = Funzioni::DaMinori(netto, unita);
    totaleIVA = Funzioni::DaMinori(imposta, unita);
    const double unitaVL = c.arrotondamento >= 1 ? c.arrotondamento : 0.01;
    totaleProdottiVL = Funzioni::ConvertiPrezzo(totaleProdotti, c.fcEuro2Web, c.fcListino2Euro, unitaVL);
    totaleProdottiInEuro = Funzioni::ConvertiPrezzo(totaleProdotti, c.fcEuro2Web, 1, 0.01);
}

void CarrelloTotali::Spedizione(const CarrelloImpostazioni& impostazioni,
                                const std::optional<CarrelloSpedizione>& spedizione)
{
    const CatalogoCambi& c = impostazioni.cambi;
    esenzioneIVA = false;
    importoSpeseSpedizioneVL = 0;
    if (spedizione) {
        limiteSpeseSpedizione = spedizione->limite;
        importoSpeseSpedizione = spedizione->prezzo;
        esenzioneIVA = spedizione->esenzioneIVA;
        // The lowest band that takes the weight; a weight above every
        // limit, with no open band, pays the band of the highest limit.
        int fascia = -1;
        for (int k = 4; k >= 0; --k) {
            if (spedizione->limite[k] == 0 || totalePesoProdotti <= spedizione->limite[k])
                fascia = k;
        }
        if (fascia < 0) {
            fascia = 0;
            for (int k = 1; k < 5; ++k)
                if (spedizione->limite[k] > spedizione->limite[fascia])
                    fascia = k;
        }
        limiteSpeseSpedizioneApplicato = spedizione->limite[fascia];
        importoSpeseSpedizioneApplicato = spedizione->prezzo[fascia];
        importoSpeseSpedizioneVL = spedizione->prezzo[fascia];
    }
    if (impostazioni.spedizionePersonalizzata)
        importoSpeseSpedizioneVL = impostazioni.importoSpedizionePersonalizzata;
    importoSpeseSpedizioneWeb =
        Funzioni::ConvertiPrezzo(importoSpeseSpedizioneVL, c.fcListino2Euro, c.fcEuro2Web, c.arrotondamento);
    importoSpeseSpedizioneInEuro = Funzioni::ConvertiPrezzo(importoSpeseSpedizioneWeb, c.fcEuro2Web, 1, 0.01);

    // VAT on shipping is charged even when the option is exempt; the
    // exemption only leaves all VAT out of the order total.
    const double unita = CarrelloPrezzoOggetto::UnitaMinima(c.arrotondamento);
    totaleIVA = Funzioni::DaMinori(Funzioni::Minori(totaleIVA, unita)
                             + Funzioni::Minori(importoSpeseSpedizioneWeb * impostazioni.ivaSpedizioni / 100, unita),
                         unita);
    const double unitaVL = c.arrotondamento >= 1 ? 1 : 0.01;
    totaleIVAVL = Funzioni::ConvertiPrezzo(totaleIVA, c.fcEuro2Web, c.fcListino2Euro, unitaVL);
    totaleIVAInEuro = Funzioni::ConvertiPrezzo(totaleIVA, c.fcEuro2Web, 1, 0.01);

    totaleOrdineVL = totaleProdottiVL + importoSpeseSpedizioneVL;
    qint64 ordine = Funzioni::Minori(totaleProdotti, unita) + Funzioni::Minori(importoSpeseSpedizioneWeb, unita);
    if (!esenzioneIVA) {
        totaleOrdineVL += totaleIVAVL;
        ordine += Funzioni::Minori(totaleIVA, unita);
    }
    totaleOrdineVL = Funzioni::Arrotonda(totaleOrdineVL, 0.01);
    totaleOrdine = Funzioni::DaMinori(ordine, unita);
    totaleOrdineInEuro = Funzioni::ConvertiPrezzo(totaleOrdine, c.fcEuro2Web, 1, 0.01);
}

void CarrelloTotali::Contrassegno(const CarrelloImpostazioni& impostazioni)
{
    const CatalogoCambi& c = impostazioni.cambi;
    speseContrassegnoVL = impostazioni.speseContrassegno;
    if (impostazioni.tipoSpeseContrassegno == 1) {
        speseContrassegnoVL = speseContrassegnoVL * totaleOrdineVL / 100;
        if (speseContrassegnoVL < impostazioni.minimoContrassegno)
            speseContrassegnoVL = impostazioni.minimoContrassegno;
    }
    if (!esenzioneIVA)
        speseContrassegnoVL = speseContrassegnoVL * (impostazioni.ivaSpedizioni + 100) / 100;
    speseContrassegnoVL = Funzioni::Arrotonda(speseContrassegnoVL, c.arrotondamentoListino >= 1 ? 1 : 0.01);
    speseContrassegno = Funzioni::ConvertiPrezzo(speseContrassegnoVL, c.fcListino2Euro, c.fcEuro2Web,
                                                 c.arrotondamento >= 1 ? 1 : c.arrotondamento);
    speseContrassegnoInEuro = Funzioni::ConvertiPrezzo(speseContrassegno, c.fcEuro2Web, 1, 0.01);
}

void CarrelloTotali::Testi(const CarrelloImpostazioni& impostazioni)
{
    const CatalogoCambi& c = impostazioni.cambi;
    const double uW = c.arrotondamento < 1 ? 0.01 : c.arrotondamento;
    const double uL = c.arrotondamentoListino < 1 ? 0.01 : c.arrotondamentoListino;
    const auto testo = [](double valore, double unita) { return Funzioni::FormattaImporto(valore, unita); };
    fTotaleProdottiVL = testo(totaleProdottiVL, uL);
    fTotaleProdotti = testo(totaleProdotti, uW);
    fTotaleProdottiInEuro = testo(totaleProdottiInEuro, 0.01);
    fTotaleIVAVL = testo(totaleIVAVL, uL);
    fTotaleIVA = testo(totaleIVA, uW);
    fTotaleIVAInEuro = testo(totaleIVAInEuro, 0.01);
    fImportoSpeseSpedizioneVL = testo(importoSpeseSpedizioneVL, c.arrotondamentoListino);
    fImportoSpeseSpedizione = testo(importoSpeseSpedizioneWeb, c.arrotondamento);
    fImportoSpeseSpedizioneInEuro = testo(importoSpeseSpedizioneInEuro, 0.01);
    fTotaleOrdineVL = testo(totaleOrdineVL, uL);
    fTotaleOrdine = testo(totaleOrdine, uW);
    fTotaleOrdineInEuro = testo(totaleOrdineInEuro, 0.01);
    fSpeseContrassegnoVL = testo(speseContrassegnoVL, c.arrotondamentoListino);
    fSpeseContrassegno = testo(speseContrassegno, c.arrotondamento);
    fSpeseContrassegnoInEuro = testo(speseContrassegnoInEuro, 0.01);
}
