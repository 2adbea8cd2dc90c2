#pragma once

#include "server/core/catalogo/CatalogoPrezzo.h"

#include <QString>

// A product's amounts once its price is known: VAT in the list currency,
// price, list price and VAT in the web currency and in euro, each with the
// text the page prints (as many decimals as its rounding unit asks).
struct CatalogoImporti
{
    double prezzoProdottoVL = 0;
    double impostaProdottoVL = 0;
    double prezzoProdotto = 0;
    double impostaProdotto = 0;
    double prezzoListino = 0;
    double prezzoProdottoInEuro = 0;
    double impostaProdottoInEuro = 0;
    double prezzoListinoInEuro = 0;

    QString fPrezzoProdottoVL, fImpostaProdottoVL;
    QString fPrezzoProdotto, fImpostaProdotto, fPrezzoListino;
    QString fPrezzoProdottoInEuro, fImpostaProdottoInEuro, fPrezzoListinoInEuro;

    // prezzoVL: the visitor's price in the list currency after discounts;
    // listinoVL: the price of his price list before them.
    static CatalogoImporti Calcola(double prezzoVL, double listinoVL, float iva, const CatalogoCambi& cambi,
                                   bool ivaCompresa);
};
