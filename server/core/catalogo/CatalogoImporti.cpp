#include "server/core/catalogo/CatalogoImporti.h"

#include "server/core/Funzioni.h"

namespace {

// VAT is rounded to whole units in a currency without decimals, never to
// the currency's coarser rounding unit.
double UnitaImposta(double arrotondamento) { return arrotondamento >= 1 ? 1 : arrotondamento; }

double Imposta(float iva, double importo, double arrotondamento)
{
    return Funzioni::Arrotonda(iva * importo / 100, UnitaImposta(arrotondamento));
}

double InEuro(double importoWeb, const CatalogoCambi& cambi)
{
    return Funzioni::ConvertiPrezzo(importoWeb, cambi.fcEuro2Web, 1, 0.01);
}

} // namespace

CatalogoImporti CatalogoImporti::Calcola(double prezzoVL, double listinoVL, float iva, const CatalogoCambi& cambi,
                                         bool ivaCompresa)
{
    CatalogoImporti importi;
    importi.prezzoProdottoVL = prezzoVL;
    importi.impostaProdottoVL = Imposta(iva, prezzoVL, cambi.arrotondamentoListino);

    const auto inWeb = [&](double valore) {
        return Funzioni::ConvertiPrezzo(valore, cambi.fcListino2Euro, cambi.fcEuro2Web, cambi.arrotondamento);
    };
    importi.prezzoProdotto = inWeb(prezzoVL);
    importi.prezzoListino = inWeb(listinoVL);
    importi.impostaProdotto = Imposta(iva, importi.prezzoProdotto, cambi.arrotondamento);
    const double impostaListino = Imposta(iva, importi.prezzoListino, cambi.arrotondamento);

    if (ivaCompresa) {
        importi.prezzoProdottoVL += importi.impostaProdottoVL;
        importi.prezzoProdotto += importi.impostaProdotto;
        importi.prezzoListino += impostaListino;
    }

    importi.impostaProdottoInEuro = InEuro(importi.impostaProdotto, cambi);
    importi.prezzoProdottoInEuro = InEuro(importi.prezzoProdotto, cambi);
    importi.prezzoListinoInEuro = InEuro(importi.prezzoListino, cambi);

    importi.fPrezzoProdottoVL = Funzioni::FormattaImporto(importi.prezzoProdottoVL, cambi.arrotondamentoListino);
    importi.fImpostaProdottoVL = Funzioni::FormattaImporto(importi.impostaProdottoVL, cambi.arrotondamentoListino);
    importi.fPrezzoProdotto = Funzioni::FormattaImporto(importi.prezzoProdotto, cambi.arrotondamento);
    importi.fPrezzoListino = Funzioni::FormattaImporto(importi.prezzoListino, cambi.arrotondamento);
    importi.fImpostaProdotto = Funzioni::FormattaImporto(importi.impostaProdotto, cambi.arrotondamento);
    importi.fPrezzoProdottoInEuro = Funzioni::FormattaImporto(importi.prezzoProdottoInEuro, 0.01);
    importi.fPrezzoListinoInEuro = Funzioni::FormattaImporto(importi.prezzoListinoInEuro, 0.01);
    importi.fImpostaProdottoInEuro = Funzioni::FormattaImporto(importi.impostaProdottoInEuro, 0.01);
    return importi;
}
