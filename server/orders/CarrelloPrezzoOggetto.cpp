#include "server/orders/CarrelloPrezzoOggetto.h"

#include "server/core/Funzioni.h"

#include <optional>

namespace {

// VAT is cut to whole units in a currency without decimals, never to its
// coarser rounding unit.
double UnitaImposta(double arrotondamento) { return arrotondamento < 1 ? arrotondamento : 1; }

// The list price of the lowest tier that takes the quantity; nothing when
// no tier does.
std::optional<double> PrezzoFascia(const CarrelloListino& listino, float quantita)
{
    std::optional<double> prezzo;
    for (int i = kFasceQuantita - 1; i >= 0; --i) {
        const CatalogoFascia& fascia = listino.fasce[i];
        if (fascia.limite != 0 && double(quantita) > double(fascia.limite))
            continue;
        if (fascia.prezzoPromo < 0)
            // A tier without a discount text sells at the initial price.
            prezzo = (100 - (fascia.sconto.trimmed().isEmpty() ? 0 : Funzioni::CalcolaScontoComposto(fascia.sconto)))
                / 100 * listino.prezzoInizialeVL;
        else
            prezzo = fascia.prezzoPromoVL;
    }
    return prezzo;
}

} // namespace

CarrelloPrezzoOggetto CarrelloPrezzoOggetto::Calcola(const CarrelloListino& listino, float quantita, double prezzoDato,
                                                     const CatalogoCambi& cambi, bool ivaCompresa)
{
    CarrelloPrezzoOggetto p;
    p.prezzo = prezzoDato;
    p.prezzoProdottoVL = listino.prezzoProdottoVL;
    p.prezzoProdotto = listino.prezzoProdotto;
    p.prezzoProdottoInEuro = listino.prezzoProdottoInEuro;
    p.impostaProdottoVL = listino.impostaProdottoVL;
    p.impostaProdotto = listino.impostaProdotto;
    p.impostaProdottoInEuro = listino.impostaProdottoInEuro;

    std::optional<double> prezzoVL;
    if (prezzoDato != 0) {
        prezzoVL = Funzioni::ConvertiPrezzo(prezzoDato, cambi.fcEuro2Web, cambi.fcListino2Euro, cambi.arrotondamento);
    } else if (listino.flagScontoQuantitaAttivo) {
        prezzoVL = PrezzoFascia(listino, quantita);
        if (prezzoVL)
            p.prezzo = *prezzoVL;
    }
    if (prezzoVL) {
        const double iva = listino.iva;
        p.prezzoProdottoVL = *prezzoVL;
        p.impostaProdottoVL = Funzioni::Arrotonda(iva * p.prezzoProdottoVL / 100, UnitaImposta(cambi.arrotondamentoListino));
        p.prezzoProdotto = Funzioni::ConvertiPrezzo(p.prezzoProdottoVL, cambi.fcListino2Euro, cambi.fcEuro2Web,
                                                    cambi.arrotondamento);
        p.impostaProdotto = Funzioni::Arrotonda(iva * p.prezzoProdotto / 100, UnitaImposta(cambi.arrotondamento));
        if (ivaCompresa) {
            p.prezzoProdottoVL += p.impostaProdottoVL;
            p.prezzoProdotto += p.impostaProdotto;
        }
        p.prezzoProdottoInEuro = Funzioni::ConvertiPrezzo(p.prezzoProdotto, cambi.fcEuro2Web, 1, 0.01);
        p.impostaProdottoInEuro = Funzioni::ConvertiPrezzo(p.impostaProdottoVL, cambi.fcListino2Euro, 1, 0.01);
    }

    // Lines are cut to the currency's smallest unit, so the totals are the
    // sums of what each line shows.
    p.importoProdottoVL = Funzioni::Arrotonda(quantita * p.prezzoProdottoVL, UnitaMinima(cambi.arrotondamentoListino));
    p.importoProdotto = Funzioni::Arrotonda(quantita * p.prezzoProdotto, UnitaMinima(cambi.arrotondamento));
    p.importoProdottoInEuro = Funzioni::ConvertiPrezzo(p.importoProdotto, cambi.fcEuro2Web, 1, 0.01);

    const auto testo = [](double valore, double unita) { return Funzioni::FormattaImporto(valore, unita); };
    p.fPrezzoProdottoVL = testo(p.prezzoProdottoVL, cambi.arrotondamentoListino);
    p.fPrezzoProdotto = testo(p.prezzoProdotto, cambi.arrotondamento);
    p.fPrezzoProdottoInEuro = testo(p.prezzoProdottoInEuro, 0.01);
    p.fImpostaProdottoVL = testo(p.impostaProdottoVL, cambi.arrotondamentoListino);
    p.fImpostaProdotto = testo(p.impostaProdotto, cambi.arrotondamento);
    p.fImpostaProdottoInEuro = testo(p.impostaProdottoInEuro, 0.01);
    p.fImportoProdottoVL = testo(p.importoProdottoVL, cambi.arrotondamentoListino);
    p.fImportoProdotto = testo(p.importoProdotto, cambi.arrotondamento);
    p.fImportoProdottoInEuro = testo(p.importoProdottoInEuro, 0.01);
    return p;
}
