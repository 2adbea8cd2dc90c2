#include "server/orders/CarrelloTotali.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace {

// Both factors 1, both units 0.01, prices net of VAT, shipping VAT 20,
// packaging fixed at 0.5, a fixed cash-on-delivery fee of 5.
CarrelloImpostazioni Base()
{
    CarrelloImpostazioni i;
    i.cambi = CatalogoCambi{1, 1, 0.01, 0.01};
    i.ivaSpedizioni = 20;
    i.pesoImballo = 0.5;
    i.speseContrassegno = 5;
    return i;
}

// Bands (2, 5), (5, 8), (0, 12).
CarrelloSpedizione Fasce(bool esente = false)
{
    CarrelloSpedizione s;
    s.limite = {2, 5, 0, 0, 0};
    s.prezzo = {5, 8, 12, 0, 0};
    s.esenzioneIVA = esente;
    return s;
}

// 100.00 at 20 percent (2 of 1.5 kg) and 50.00 at 10 percent (1 of 0.5 kg).
QList<CarrelloRiga> DueRighe()
{
    return {{100, 20, 1.5f, 2}, {50, 10, 0.5f, 1}};
}

struct CasoTotali
{
    const char* nome;
    QList<CarrelloRiga> righe;
    CarrelloImpostazioni impostazioni;
    std::optional<CarrelloSpedizione> spedizione;
    float peso;
    double merci, iva, spedizioneWeb, ordine, contrassegno;
    const char* fOrdine;
};

void PrintTo(const CasoTotali& c, std::ostream* os) { *os << c.nome; }

CarrelloImpostazioni Contrassegno(double percento, double minimo)
{
    CarrelloImpostazioni i = Base();
    i.tipoSpeseContrassegno = 1;
    i.speseContrassegno = percento;
    i.minimoContrassegno = minimo;
    return i;
}

CarrelloImpostazioni Imballo(qint32 tipo, double peso)
{
    CarrelloImpostazioni i = Base();
    i.tipoPesoImballo = tipo;
    i.pesoImballo = peso;
    return i;
}

CarrelloImpostazioni IvaCompresa()
{
    CarrelloImpostazioni i = Base();
    i.ivaCompresa = true;
    return i;
}

CarrelloImpostazioni Personalizzata(double importo)
{
    CarrelloImpostazioni i = Base();
    i.spedizionePersonalizzata = true;
    i.importoSpedizionePersonalizzata = importo;
    return i;
}

CarrelloImpostazioni WebInDecine()
{
    CarrelloImpostazioni i = Base();
    i.cambi = CatalogoCambi{1, 1, 10, 0.01};
    return i;
}

// Many rates: no limit on how many a basket holds.
QList<CarrelloRiga> VentiCinqueAliquote()
{
    QList<CarrelloRiga> righe;
    for (int r = 1; r <= 25; ++r)
        righe.append({10, float(r), 0, 1});
    return righe;
}

class CarrelloTotaliCasi : public ::testing::TestWithParam<CasoTotali>
{
protected:
    static void SetUpTestSuite() { QLocale::setDefault(QLocale::c()); }
};

} // namespace

TEST_P(CarrelloTotaliCasi, TotalsOfTheBasket)
{
    const CasoTotali& c = GetParam();
    const CarrelloTotali t = CarrelloTotali::Calcola(c.righe, c.impostazioni, c.spedizione);
    EXPECT_FLOAT_EQ(t.totalePesoProdotti, c.peso);
    EXPECT_DOUBLE_EQ(t.totaleProdotti, c.merci);
    EXPECT_DOUBLE_EQ(t.totaleIVA, c.iva);
    EXPECT_DOUBLE_EQ(t.importoSpeseSpedizioneWeb, c.spedizioneWeb);
    EXPECT_DOUBLE_EQ(t.totaleOrdine, c.ordine);
    EXPECT_DOUBLE_EQ(t.speseContrassegnoVL, c.contrassegno);
    EXPECT_EQ(t.fTotaleOrdine, c.fOrdine);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, CarrelloTotaliCasi,
    ::testing::Values(
        CasoTotali{"TwoRatesSecondBand", DueRighe(), Base(), Fasce(), 4, 150, 26.6, 8, 184.6, 6, "184.60"},
        // 2 percent of 184.60 is below the minimum: 5 plus VAT.
        CasoTotali{"CashOnDeliveryMinimum", DueRighe(), Contrassegno(2, 5), Fasce(), 4, 150, 26.6, 8, 184.6, 6,
                   "184.60"},
        // Exempt: VAT still shown, left out of the total and of the fee.
        CasoTotali{"ExemptOption", DueRighe(), Contrassegno(2, 5), Fasce(true), 4, 150, 26.6, 8, 158, 5, "158.00"},
        CasoTotali{"WeightOnFirstLimit", {{10, 20, 1.5f, 1}}, Base(), Fasce(), 2, 10, 3, 5, 18, 6, "18.00"},
        CasoTotali{"WeightAboveSecondLimit", {{10, 20, 4.51f, 1}}, Base(), Fasce(), 5.01f, 10, 4.4, 12, 26.4, 6,
                   "26.40"},
        CasoTotali{"PercentagePackaging", {{10, 0, 3.5f, 1}}, Imballo(1, 10), Fasce(), 3.85f, 10, 1.6, 8, 19.6, 6,
                   "19.60"},
        CasoTotali{"PricesIncludeVat", {{120, 20, 0, 1}}, IvaCompresa(), std::nullopt, 0.5, 100, 20, 0, 120, 6,
                   "120.00"},
        CasoTotali{"CustomShippingOfZero", DueRighe(), Personalizzata(0), Fasce(), 4, 150, 25, 0, 175, 6, "175.00"},
        CasoTotali{"NoOptionChosen", DueRighe(), Base(), std::nullopt, 4, 150, 25, 0, 175, 6, "175.00"},
        CasoTotali{"EmptyBasketPaysItsPackagingBand", {}, Base(), Fasce(), 0.5, 0, 1, 5, 6, 6, "6.00"},
        CasoTotali{"WebUnitOfTen", {{15, 20, 0, 1}}, WebInDecine(), std::nullopt, 0.5, 15, 3, 0, 18, 6, "18"},
        CasoTotali{"TwentyFiveRates", VentiCinqueAliquote(), Base(), std::nullopt, 0.5, 250, 32.5, 0, 282.5, 6,
                   "282.50"},
        // Each rate's VAT is cut to the cent and the total is their sum:
        // 0.333 + 0.333 would be 0.67 when added first.
        CasoTotali{"VatIsTheSumOfCutRates", {{1.11, 30, 0, 1}, {1.11, 30.0001f, 0, 1}}, Base(), std::nullopt, 0.5,
                   2.22, 0.66, 0, 2.88, 6, "2.88"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(CarrelloTotali, AWeightAboveEveryLimitPaysTheHighestBand)
{
    CarrelloSpedizione s;
    s.limite = {2, 5, 3, 0.5, 1};
    s.prezzo = {5, 8, 7, 1, 2};
    const CarrelloTotali t = CarrelloTotali::Calcola({{10, 0, 9, 1}}, Base(), s);
    EXPECT_DOUBLE_EQ(t.limiteSpeseSpedizioneApplicato, 5);
    EXPECT_DOUBLE_EQ(t.importoSpeseSpedizioneVL, 8);
}
