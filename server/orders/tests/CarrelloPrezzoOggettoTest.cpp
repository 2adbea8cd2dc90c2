#include "server/orders/CarrelloPrezzoOggetto.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace {

CatalogoCambi Euro()
{
    return CatalogoCambi{1, 1, 0.01, 0.01};
}

// A product the catalogue prices at 40.00 net (VAT 20: 8.00) whose initial
// list price before the customer's discounts is 50.00.
CarrelloListino Listino(float iva = 20)
{
    CarrelloListino l;
    l.prezzoProdottoVL = l.prezzoProdotto = l.prezzoProdottoInEuro = 40;
    l.impostaProdottoVL = l.impostaProdotto = l.impostaProdottoInEuro = 8;
    l.prezzoInizialeVL = 50;
    l.iva = iva;
    return l;
}

// Tiers 1 and 2 up to 10 and 50 pieces, 5 and 10 percent off; tier 3 has
// no limit and no discount.
CarrelloListino ConFasce(bool terzaVuota)
{
    CarrelloListino l = Listino();
    l.flagScontoQuantitaAttivo = true;
    l.fasce[0].limite = 10;
    l.fasce[0].sconto = "5";
    l.fasce[1].limite = 50;
    l.fasce[1].sconto = "10";
    // Without an open tier, every tier past 2 carries a limit below 51.
    if (!terzaVuota)
        for (int i = 2; i < kFasceQuantita; ++i)
            l.fasce[i].limite = 50;
    return l;
}

struct CasoPrezzo
{
    const char* nome;
    CarrelloListino listino;
    float quantita;
    double prezzoDato;
    CatalogoCambi cambi;
    bool ivaCompresa;
    double prezzoVL, prezzo, impostaVL, imposta, impostaInEuro, importo;
};

void PrintTo(const CasoPrezzo& c, std::ostream* os) { *os << c.nome; }

class CarrelloPrezzo : public ::testing::TestWithParam<CasoPrezzo>
{
protected:
    static void SetUpTestSuite() { QLocale::setDefault(QLocale::c()); }
};

CarrelloListino Promo()
{
    CarrelloListino l = ConFasce(true);
    l.fasce[0].prezzoPromo = 30;
    l.fasce[0].prezzoPromoVL = 30;
    return l;
}

CarrelloListino DueSconti()
{
    CarrelloListino l = ConFasce(true);
    l.fasce[0].sconto = "10+5";
    return l;
}

} // namespace

TEST_P(CarrelloPrezzo, UnitPriceVatAndAmount)
{
    const CasoPrezzo& c = GetParam();
    const CarrelloPrezzoOggetto p =
        CarrelloPrezzoOggetto::Calcola(c.listino, c.quantita, c.prezzoDato, c.cambi, c.ivaCompresa);
    EXPECT_DOUBLE_EQ(p.prezzoProdottoVL, c.prezzoVL);
    EXPECT_DOUBLE_EQ(p.prezzoProdotto, c.prezzo);
    EXPECT_DOUBLE_EQ(p.impostaProdottoVL, c.impostaVL);
    EXPECT_DOUBLE_EQ(p.impostaProdotto, c.imposta);
    EXPECT_DOUBLE_EQ(p.impostaProdottoInEuro, c.impostaInEuro);
    EXPECT_DOUBLE_EQ(p.importoProdotto, c.importo);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, CarrelloPrezzo,
    ::testing::Values(
        // A price the page's code gave wins over the catalogue.
        CasoPrezzo{"GivenPrice", Listino(), 3, 12.5, Euro(), false, 12.5, 12.5, 2.5, 2.5, 2.5, 37.5},
        CasoPrezzo{"GivenPriceVatIncluded", Listino(), 3, 12.5, Euro(), true, 15, 15, 2.5, 2.5, 2.5, 45},
        // A list currency without decimals: the list price keeps the web
        // unit, its VAT is cut to whole units.
        CasoPrezzo{"ListCurrencyWithoutDecimals", Listino(), 1, 10, CatalogoCambi{1936.27, 1, 0.01, 1}, false,
                   19362.7, 10, 3873, 2, 2, 10},
        CasoPrezzo{"CataloguePrice", Listino(), 2, 0, Euro(), false, 40, 40, 8, 8, 8, 80},
        CasoPrezzo{"TierLimitIsInclusive", ConFasce(true), 10, 0, Euro(), false, 47.5, 47.5, 9.5, 9.5, 9.5, 475},
        CasoPrezzo{"SecondTier", ConFasce(true), 11, 0, Euro(), false, 45, 45, 9, 9, 9, 495},
        CasoPrezzo{"OpenEmptyTierIsUndiscounted", ConFasce(true), 51, 0, Euro(), false, 50, 50, 10, 10, 10, 2550},
        // Above every tier: the catalogue's price, never 0.
        CasoPrezzo{"AboveEveryTierTakesTheCataloguePrice", ConFasce(false), 51, 0, Euro(), false, 40, 40, 8, 8, 8,
                   2040},
        CasoPrezzo{"PromotionalPriceWinsOverDiscount", Promo(), 5, 0, Euro(), false, 30, 30, 6, 6, 6, 150},
        CasoPrezzo{"TwoStepDiscount", DueSconti(), 1, 0, Euro(), false, 42.75, 42.75, 8.55, 8.55, 8.55, 42.75},
        // 1.005 is held a hair below its half, and still rounds up.
        CasoPrezzo{"HalfCentRoundsUp", Listino(10), 1, 10.05, Euro(), false, 10.05, 10.05, 1.01, 1.01, 1.01, 10.05},
        // A fractional quantity's amount is cut to the cent, half up.
        CasoPrezzo{"FractionalQuantityAmountIsCut", Listino(), 1.5, 12.33, Euro(), false, 12.33, 12.33, 2.47, 2.47,
                   2.47, 18.5}),
    [](const auto& info) { return std::string(info.param.nome); });
