#include "server/core/LettoreNumeri.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct CasoDecimale
{
    const char* nome;
    QVariant valore;
    std::optional<double> atteso;
};

void PrintTo(const CasoDecimale& c, std::ostream* os) { *os << c.nome; }

class Decimali : public ::testing::TestWithParam<CasoDecimale>
{
};

TEST_P(Decimali, ReadAsEveryCallerReadsThem)
{
    const CasoDecimale& c = GetParam();
    const std::optional<double> letto = LettoreNumeri::Decimale(c.valore);
    ASSERT_EQ(letto.has_value(), c.atteso.has_value()) << c.valore.toString().toStdString();
    if (letto)
        EXPECT_DOUBLE_EQ(*letto, *c.atteso);
}

INSTANTIATE_TEST_SUITE_P(
    Lettore, Decimali,
    ::testing::Values(CasoDecimale{"Whole", "12", 12}, CasoDecimale{"DecimalPoint", "1.5", 1.5},
                      CasoDecimale{"DecimalComma", "1,5", 1.5}, CasoDecimale{"BlanksAround", " 2,25 ", 2.25},
                      CasoDecimale{"Signed", "-3,5", -3.5}, CasoDecimale{"PlusSign", "+10", 10},
                      CasoDecimale{"LeadingSeparator", ",5", 0.5}, CasoDecimale{"TrailingSeparator", "5.", 5},
                      CasoDecimale{"BasketsSmallestFigure", "1e-05", 0.00001},
                      CasoDecimale{"ANumberAsItIs", QVariant(2.75), 2.75}, CasoDecimale{"AnInteger", QVariant(7), 7},
                      CasoDecimale{"Empty", "", std::nullopt}, CasoDecimale{"Blank", "  ", std::nullopt},
                      CasoDecimale{"ThousandsAndComma", "1.000,50", std::nullopt},
                      CasoDecimale{"ThousandsAndPoint", "1,000.5", std::nullopt},
                      CasoDecimale{"TwoCommas", "1,2,3", std::nullopt},
                      CasoDecimale{"TrailingLetters", "12abc", std::nullopt},
                      CasoDecimale{"Sum", "50+50", std::nullopt}, CasoDecimale{"Infinity", "inf", std::nullopt},
                      CasoDecimale{"NotANumber", "nan", std::nullopt},
                      CasoDecimale{"Overflow", "1e999", std::nullopt},
                      CasoDecimale{"Boolean", QVariant(true), std::nullopt},
                      CasoDecimale{"Null", QVariant(), std::nullopt},
                      CasoDecimale{"InfiniteNumber", QVariant(INFINITY), std::nullopt}),
    [](const auto& info) { return std::string(info.param.nome); });

struct CasoIntero
{
    const char* nome;
    QVariant valore;
    bool conSegno;
    std::optional<qint32> atteso;
};

void PrintTo(const CasoIntero& c, std::ostream* os) { *os << c.nome; }

class Interi : public ::testing::TestWithParam<CasoIntero>
{
};

TEST_P(Interi, ReadAsEveryCallerReadsThem)
{
    const CasoIntero& c = GetParam();
    EXPECT_EQ(LettoreNumeri::Intero(c.valore, c.conSegno), c.atteso) << c.valore.toString().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Lettore, Interi,
    ::testing::Values(CasoIntero{"ShopId", "1000000001", false, 1000000001},
                      CasoIntero{"Largest", "2147483647", false, 2147483647},
                      CasoIntero{"AboveTheRange", "2147483648", false, std::nullopt},
                      CasoIntero{"ElevenDigits", "10000000001", false, std::nullopt},
                      CasoIntero{"NegativeWhereAllowed", "-5", true, -5},
                      CasoIntero{"NegativeWhereNot", "-5", false, std::nullopt},
                      CasoIntero{"Smallest", "-2147483648", true, std::numeric_limits<qint32>::min()},
                      CasoIntero{"BlanksAround", " 12 ", false, 12}, CasoIntero{"TrailingLetters", "12abc", false, std::nullopt},
                      CasoIntero{"Decimal", "1.5", true, std::nullopt}, CasoIntero{"Empty", "", true, std::nullopt},
                      CasoIntero{"WholeNumberValue", QVariant(42.0), true, 42},
                      CasoIntero{"FractionValue", QVariant(4.2), true, std::nullopt},
                      CasoIntero{"NegativeValueWhereNot", QVariant(-1), false, std::nullopt},
                      CasoIntero{"HugeValue", QVariant(5e9), true, std::nullopt},
                      CasoIntero{"Boolean", QVariant(true), true, std::nullopt},
                      CasoIntero{"Null", QVariant(), true, std::nullopt}),
    [](const auto& info) { return std::string(info.param.nome); });

} // namespace
