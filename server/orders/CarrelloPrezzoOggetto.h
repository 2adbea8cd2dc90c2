#pragma once

#include "server/core/catalogo/CatalogoPrezzo.h"

#include <QString>

#include <array>

// What the catalogue answers for one product as this visitor sees it.
struct CarrelloListino
{
    double prezzoProdottoVL = 0, prezzoProdotto = 0, prezzoProdottoInEuro = 0;
    double impostaProdottoVL = 0, impostaProdotto = 0, impostaProdottoInEuro = 0;
    double prezzoInizialeVL = 0;
    float iva = 0;
    bool flagScontoQuantitaAttivo = false;
    std::array<CatalogoFascia, kFasceQuantita> fasce;
};

// One priced basket line: unit price, VAT on one unit and the amount for
// the quantity, in the list currency, the web currency and euro.
struct CarrelloPrezzoOggetto
{
    double prezzo = 0;   // the item's price field after pricing (a tier's list price when a tier decided)
    double prezzoProdottoVL = 0, prezzoProdotto = 0, prezzoProdottoInEuro = 0;
    double impostaProdottoVL = 0, impostaProdotto = 0, impostaProdottoInEuro = 0;
    double importoProdottoVL = 0, importoProdotto = 0, importoProdottoInEuro = 0;
    QString fPrezzoProdottoVL, fPrezzoProdotto, fPrezzoProdottoInEuro;
    QString fImpostaProdottoVL, fImpostaProdotto, fImpostaProdottoInEuro;
    QString fImportoProdottoVL, fImportoProdotto, fImportoProdottoInEuro;

    // prezzoDato: a price the page's own code gave with the item (web
    // currency, net of VAT), 0 for none. A given price wins; else the
    // lowest quantity tier that takes the quantity; else, and also when the
    // quantity is above every tier, the catalogue's price.
    static CarrelloPrezzoOggetto Calcola(const CarrelloListino& listino, float quantita, double prezzoDato,
                                         const CatalogoCambi& cambi, bool ivaCompresa);

    // The line amount in the web currency, cut to its smallest unit: what
    // the totals add up.
    static double UnitaMinima(double arrotondamento) { return arrotondamento < 1 ? 0.01 : 1; }
};
