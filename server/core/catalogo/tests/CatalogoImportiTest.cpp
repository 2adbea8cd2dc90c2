#include "server/core/catalogo/CatalogoImporti.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace {

struct CasoImporti
{
    const char* nome;
    double prezzoVL, listinoVL;
    float iva;
    CatalogoCambi cambi;
    bool ivaCompresa;
    double attesoPrezzoVL, attesoImpostaVL, attesoPrezzo, attesoImposta, attesoListino;
    double attesoPrezzoEuro, attesoImpostaEuro;
    const char* fPrezzoVL;
    const char* fPrezzo;
    const char* fPrezzoEuro;
};

class Importi : public ::testing::TestWithParam<CasoImporti>
{
public:
    static void SetUpTestSuite() { QLocale::setDefault(QLocale::c()); }
};

const CasoImporti kCasi[] = {
    // Euro list and web currency, cents.
    {"Euro", 10, 10, 22, {1, 1, 0.01, 0.01}, false, 10, 2.2, 10, 2.2, 10, 10, 2.2, "10.00", "10.00", "10.00"},
    {"EuroIvaCompresa", 10, 12, 22, {1, 1, 0.01, 0.01}, true, 12.2, 2.2, 12.2, 2.2, 14.64, 12.2, 2.2, "12.20", "12.20",
     "12.20"},
    // A list currency without decimals: VAT to whole units, never to fives.
    {"ListinoSenzaDecimali", 10, 10, 22, {1, 1, 0.01, 5}, false, 10, 2, 10, 2.2, 10, 10, 2.2, "10", "10.00", "10.00"},
    // Lire to euro: the list amount over its rate, rounded to the web unit.
    {"DaLireAEuro", 19362.7, 19362.7, 0, {1936.27, 1, 0.01, 1}, false, 19362.7, 0, 10, 0, 10, 10, 0, "19363", "10.00",
     "10.00"},
    // Euro to dollars at 1.25, rounded to tenths; euro back from the web amount.
    {"ValutaWebAlDecimo", 10, 10, 10, {1, 1.25, 0.1, 0.01}, false, 10, 1, 12.5, 1.3, 12.5, 10, 1.04, "10.00", "12.5",
     "10.00"},
    {"ValutaWebAUnitaIntere", 10, 10, 10, {1, 1.26, 1, 0.01}, false, 10, 1, 13, 1, 13, 10.32, 0.79, "10.00", "13",
     "10.32"},
    {"UnitaDiTreDecimali", 1.2374, 1.2374, 0, {1, 1, 0.001, 0.001}, false, 1.2374, 0, 1.237, 0, 1.237, 1.24, 0, "1.237",
     "1.237", "1.24"},
    {"CambioZero", 10, 10, 22, {0, 1, 0.01, 0.01}, false, 10, 2.2, 0, 0, 0, 0, 0, "10.00", "0.00", "0.00"},
};

TEST_P(Importi, Calcola)
{
    const CasoImporti& c = GetParam();
    const CatalogoImporti i = CatalogoImporti::Calcola(c.prezzoVL, c.listinoVL, c.iva, c.cambi, c.ivaCompresa);
    EXPECT_NEAR(i.prezzoProdottoVL, c.attesoPrezzoVL, 1e-9);
    EXPECT_NEAR(i.impostaProdottoVL, c.attesoImpostaVL, 1e-9);
    EXPECT_NEAR(i.prezzoProdotto, c.attesoPrezzo, 1e-9);
    EXPECT_NEAR(i.impostaProdotto, c.attesoImposta, 1e-9);
    EXPECT_NEAR(i.prezzoListino, c.attesoListino, 1e-9);
    EXPECT_NEAR(i.prezzoProdottoInEuro, c.attesoPrezzoEuro, 1e-9);
    EXPECT_NEAR(i.impostaProdottoInEuro, c.attesoImpostaEuro, 1e-9);
    EXPECT_EQ(i.fPrezzoProdottoVL, c.fPrezzoVL);
    EXPECT_EQ(i.fPrezzoProdotto, c.fPrezzo);
    EXPECT_EQ(i.fPrezzoProdottoInEuro, c.fPrezzoEuro);
}

INSTANTIATE_TEST_SUITE_P(Casi, Importi, ::testing::ValuesIn(kCasi),
                         [](const auto& info) { return std::string(info.param.nome); });

} // namespace
