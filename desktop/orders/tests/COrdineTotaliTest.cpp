#include "desktop/orders/COrdineTotali.h"

#include <gtest/gtest.h>

namespace {

struct TotaliCase
{
    const char* name;
    int decimals;
    QList<COrdineTotali::Riga> righe;
    COrdineTotali::Costi costi;
    COrdineTotali::Totali expected;   // worked out by hand
};

void PrintTo(const TotaliCase& c, std::ostream* os) { *os << c.name; }

class TotaliTest : public ::testing::TestWithParam<TotaliCase>
{
};

TEST_P(TotaliTest, TotalsAreSumsOfRoundedFigures)
{
    const TotaliCase& c = GetParam();
    const COrdineTotali::Totali t = COrdineTotali(c.decimals).Calcola(c.righe, c.costi);
    EXPECT_EQ(t.spedizione, c.expected.spedizione);
    EXPECT_EQ(t.contrassegno, c.expected.contrassegno);
    EXPECT_EQ(t.imponibile, c.expected.imponibile);
    EXPECT_EQ(t.imposta, c.expected.imposta);
    EXPECT_EQ(t.totale, c.expected.totale);
}

INSTANTIATE_TEST_SUITE_P(
    Totali, TotaliTest,
    ::testing::Values(
        // 3 x 0.335 = 1.005 per line, rounded to 1.01 each: 3.03, not 3.015 -> 3.02.
        TotaliCase{"LinesRoundedOneByOne", 2, {{0.335, 3, 0}, {0.335, 3, 0}, {0.335, 3, 0}}, {}, {0, 0, 303, 0, 303}},
        // VAT 22% of 10.00 + shipping 5.00 at 22%: 2.20 + 1.10.
        TotaliCase{"ShippingCarriesItsRate", 2, {{10.0, 1, 22}}, {5.0f, 0, 22, false}, {500, 0, 1000, 330, 1830}},
        TotaliCase{"CashOnDeliveryCounts", 2, {{10.0, 1, 22}}, {5.0f, 3.5f, 22, false}, {500, 350, 1000, 407, 2257}},
        // Exempt: the tax is still shown, the total leaves it out.
        TotaliCase{"ExemptLeavesTaxOut", 2, {{10.0, 1, 22}}, {0, 0, 22, true}, {0, 0, 1000, 220, 1000}},
        TotaliCase{"NothingShippedTotalsFees", 2, {{10.0, 0, 22}}, {7.5f, 0, 20, false}, {750, 0, 0, 150, 900}},
        // Lire: whole units; a total above 2^24 stays exact.
        TotaliCase{"LireAboveSinglePrecision", 0, {{16777217.0, 1, 0}, {1.0, 3, 0}}, {}, {0, 0, 16777220, 0, 16777220}},
        TotaliCase{"NegativeLineKeepsItsSign", 2, {{-12.5, 1, 0}}, {}, {0, 0, -1250, 0, -1250}},
        TotaliCase{"FloatFeeReadsAsTyped", 2, {}, {12.35f, 0, 0, false}, {1235, 0, 0, 0, 1235}}),
    [](const ::testing::TestParamInfo<TotaliCase>& info) { return std::string(info.param.name); });

TEST(TotaliText, MinorUnitsPrintExactly)
{
    EXPECT_EQ(COrdineTotali(2).Text(1234550), QStringLiteral("12345.50"));
    EXPECT_EQ(COrdineTotali(2).Text(-1250), QStringLiteral("-12.50"));
    EXPECT_EQ(COrdineTotali(2).Text(5), QStringLiteral("0.05"));
    EXPECT_EQ(COrdineTotali(0).Text(16777217), QStringLiteral("16777217"));
}

} // namespace
