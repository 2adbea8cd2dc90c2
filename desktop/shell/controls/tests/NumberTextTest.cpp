#include "desktop/shell/controls/CNumberText.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct ReadCase
{
    const char* name;
    const char* typed;
    bool integer;
    const char* canonical;   // nullptr: refused
};

void PrintTo(const ReadCase& c, std::ostream* os)
{
    *os << c.name;
}

class NumberTextReadTest : public ::testing::TestWithParam<ReadCase>
{
};

// What a merchant types, read in the Italian region whatever the process's
// locale: the comma and the point as decimal separators, groups where they
// stand every three digits, anything else refused (never cut to its leading
// digits: "24,90" was stored as 2490).
TEST_P(NumberTextReadTest, ReadsOrRefusesTheWholeEntry)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const ReadCase& c = GetParam();
    const CNumberText::Read read = CNumberText::Parse(QString::fromUtf8(c.typed), c.integer);
    if (c.canonical) {
        EXPECT_TRUE(read.ok);
        EXPECT_EQ(read.canonical.toStdString(), c.canonical);
    } else {
        EXPECT_FALSE(read.ok) << read.canonical.toStdString();
        EXPECT_EQ(read.error, QStringLiteral("Numero non corretto!"));
    }
    QLocale::setDefault(QLocale::c());
}

INSTANTIATE_TEST_SUITE_P(Entries, NumberTextReadTest,
    ::testing::Values(
        // Decimal separators.
        ReadCase{"Comma", "24,90", false, "24.9"},
        ReadCase{"Point", "24.90", false, "24.9"},
        ReadCase{"CommaWeight", "0,35", false, "0.35"},
        ReadCase{"NegativeComma", "-10,5", false, "-10.5"},
        ReadCase{"PlusSign", "+3", false, "3"},
        ReadCase{"LeadingComma", ",5", false, "0.5"},
        ReadCase{"TrailingComma", "7,", false, "7"},
        ReadCase{"Blanks", "  12,5  ", false, "12.5"},
        ReadCase{"MinusZero", "-0,00", false, "0"},
        ReadCase{"MinusZeroZero", "-00", true, "00"},
        ReadCase{"LeadingZerosStay", "0012345678905", true, "0012345678905"},
        // Group separators where they stand every three digits.
        ReadCase{"ItalianGroups", "1.234,50", false, "1234.5"},
        ReadCase{"ItalianGroupsNoDecimals", "1.234.567", false, "1234567"},
        ReadCase{"ApostropheGroups", "1'234.5", false, "1234.5"},
        ReadCase{"ApostropheWithComma", "1'234'567,25", false, "1234567.25"},
        // A lone point is the decimal point, except in an integer.
        ReadCase{"LonePointIsDecimal", "2.490", false, "2.49"},
        ReadCase{"LonePointInAnInteger", "2.490", true, "2490"},
        ReadCase{"IntegerWithZeroDecimals", "12,00", true, "12"},
        // Refused.
        ReadCase{"Letters", "12a", false, nullptr},
        ReadCase{"OnlyASign", "-", false, nullptr},
        ReadCase{"TwoCommas", "1,2,3", false, nullptr},
        ReadCase{"EnglishGroups", "1,234.50", false, nullptr},
        ReadCase{"BadGroups", "1.23.4", false, nullptr},
        ReadCase{"MixedGroups", "1.234'567", false, nullptr},
        ReadCase{"GroupAfterComma", "1,234.5", false, nullptr},
        ReadCase{"SpaceInside", "1 234", false, nullptr},
        ReadCase{"Exponent", "1e5", false, nullptr},
        ReadCase{"DecimalsInAnInteger", "2,5", true, nullptr},
        ReadCase{"PercentSign", "10%", false, nullptr}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(NumberText, ShownInTheRegionTheSettingsName)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(CNumberText::Display(QStringLiteral("-1234.5"), true), QStringLiteral("-1234,5"));
    CNumberText::SetRegion(QLocale(QLocale::English, QLocale::UnitedStates));
    // An English region: a decimal point, and its comma groups would read
    // as decimals, so none are shown.
    EXPECT_EQ(CNumberText::Display(QStringLiteral("-1234.5"), true), QStringLiteral("-1234.5"));
    CNumberText::SetRegion(QLocale(QLocale::Italian, QLocale::Italy));
    EXPECT_EQ(CNumberText::Display(QStringLiteral("1234.5"), true), QStringLiteral("1234,5"));
    QLocale::setDefault(QLocale::c());
}

} // namespace
