#pragma once

#include <QDateTime>
#include <QString>

#include <array>

// One quantity tier of a product's discount row, as the basket reads it:
// a negative promotional price means the tier has none.
struct CatalogoFascia
{
    float limite = 0;
    QString sconto;
    double prezzoPromoVL = -1;
    double prezzoPromo = -1;
    QString fPrezzoPromo;
};

constexpr int kFasceQuantita = 9;

// The price state of the product being read: what the offer and the
// customer's discount start from and what they leave for the page. Every
// amount ending in VL is in the list currency.
struct CatalogoPrezzo
{
    qint32 idProdotto = 0;
    double prezzoProdottoVL = 0;
    double prezzoPromozioneVL = 0;
    bool offerta = false;
    QDateTime validitaScontoDal;
    QDateTime validitaScontoAl;
    float scontoProdotto = 0;

    QString sconto;
    QString prezzoPromozionale;
    QString fPrezzoPromozionale;
    bool flagScontoQuantitaAttivo = false;
    std::array<CatalogoFascia, kFasceQuantita> fasce;
};

// The visitor's currency values from the Session: list currency to euro,
// euro to the web currency, and the rounding units of each.
struct CatalogoCambi
{
    double fcListino2Euro = 0;
    double fcEuro2Web = 0;
    double arrotondamento = 0;
    double arrotondamentoListino = 0;
};
