#include "desktop/shell/controls/CValueFormat.h"

#include <gtest/gtest.h>

namespace {

using F = CValueFormat;

struct NumberCase
{
    double value;
    int format;
    int decimals;
    const char* expected;
};

// The merchant's region (Italian by default) whatever the process's locale:
// a decimal comma, and no group separator that would read as a point.
TEST(ValueFormat, FormatsNumbersInTheMerchantsRegion)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const NumberCase cases[] = {
        {12.5, F::Decimal, 2, "12,5"},
        {12.0, F::Decimal, 2, "12"},
        {1234567.25, F::GroupedDecimal, 2, "1234567,25"},
        {-1234.5, F::GroupedDecimal, 2, "-1234,5"},
        {0.1, F::Decimal, 3, "0,1"},
        {2.0 / 3.0, F::Decimal, 2, "0,67"},
        {1000.0, F::GroupedInteger, 0, "1000"},
        {100.0, F::Decimal, 2, "100"},
        {-0.0, F::Decimal, 2, "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(F::FormatNumber(c.value, c.format, c.decimals).toStdString(), c.expected)
            << c.value << " format " << c.format;
    QLocale::setDefault(QLocale::c());
}

TEST(ValueFormat, IntegersAreExactBeyondFloatRange)
{
    EXPECT_EQ(F::FormatInteger(1000000001, F::Integer), "1000000001");
    EXPECT_EQ(F::FormatInteger(2147483647, F::GroupedInteger), "2147483647");
    EXPECT_EQ(F::FormatInteger(9007199254740993LL, F::Integer), "9007199254740993");
    EXPECT_EQ(F::ReadInteger("1000000001", F::Integer), 1000000001);
    EXPECT_EQ(F::ReadInteger("2'147'483'647", F::GroupedInteger), 2147483647);
    EXPECT_EQ(F::ReadInteger("2.147.483.647", F::GroupedInteger), 2147483647);
    EXPECT_EQ(F::ReadInteger("9007199254740993", F::Integer), 9007199254740993LL);
}

TEST(ValueFormat, DatesAndTimes)
{
    const std::pair<const char*, const char*> dates[] = {
        {"", ""}, {"01022024", "01/02/2024"}, {"29022024", "29/02/2024"},
        {"31022024", "Error"}, {"29022023", "Error"}, {"99999999", "99/99/9999"},
        {"ab022024", "Error"},
    };
    for (const auto& [raw, display] : dates)
        EXPECT_EQ(F::DateRawToDisplay(raw).toStdString(), display) << raw;
    EXPECT_EQ(F::DateDisplayToRaw("01/02/2024"), "01022024");
    EXPECT_EQ(F::FormatDate(QDateTime(QDate(2024, 2, 1), QTime(10, 5))), "01/02/2024");
    EXPECT_EQ(F::FormatDate(QDateTime()), "");
    EXPECT_EQ(F::ReadDate("01/02/2024").date(), QDate(2024, 2, 1));
    EXPECT_FALSE(F::ReadDate("").isValid());
    EXPECT_FALSE(F::ReadDate("99/99/9999").isValid());

    const std::pair<const char*, const char*> times[] = {
        {"", ""}, {"0930", "09:30"}, {"2460", "Error"}, {"2400", "Error"}, {"9999", "99:99"},
        {"2359", "23:59"}, {"09305", "Error"},
    };
    for (const auto& [raw, display] : times)
        EXPECT_EQ(F::TimeRawToDisplay(raw).toStdString(), display) << raw;
    EXPECT_EQ(F::TimeDisplayToRaw("09:30"), "0930");
    EXPECT_EQ(F::FormatTime(QDateTime(QDate(2024, 2, 1), QTime(7, 5))), "07:05");
}

TEST(ValueFormat, FiscalCode)
{
    EXPECT_EQ(F::FiscalCodeCheckChar("RSSMRA85T10A562"), QChar('S'));
    EXPECT_TRUE(F::IsValidFiscalCode("RSSMRA85T10A562S"));
    const char* wrong[] = {"", "RSSMRA85T10A562", "RSSMRA85T10A562T", "rssmra85t10a562s",
                           "RSSMRA85T10A56 S", "RSSMRA85T10A562SS"};
    for (const char* code : wrong)
        EXPECT_FALSE(F::IsValidFiscalCode(code)) << code;
}

struct CheckCase
{
    const char* entry;
    int format;
    bool ok;
    const char* result; // text kept, or the message
};

TEST(ValueFormat, CheckGivesTheTextOrTheMessage)
{
    const CheckCase cases[] = {
        {"01022024", F::Date, true, "01/02/2024"},
        {"01/02/2024", F::Date, true, "01/02/2024"},
        {"", F::Date, true, ""},
        {"0102202", F::Date, false, "Data non corretta!"},
        {"31022024", F::Date, false, "Data non corretta!"},
        {"0930", F::Time, true, "09:30"},
        {"930", F::Time, false, "Ora non corretta!"},
        {"2460", F::Time, false, "Ora non corretta!"},
        {"", F::Time, true, ""},
        {"RSSMRA85T10A562S", F::FiscalCode, true, "RSSMRA85T10A562S"},
        {"", F::FiscalCode, false, "Codice fiscale non corretto!"},
        {"RSSMRA85T10A562", F::FiscalCode, false, "Codice fiscale non corretto!"},
        {"RSSMRA85T10A562X", F::FiscalCode, false, "Codice fiscale non corretto!"},
        {"1234.5", F::GroupedDecimal, true, "1234,5"},
        {"1'234,50", F::GroupedDecimal, true, "1234,5"},
        {"24,90", F::Decimal, true, "24,9"},
        {"", F::Decimal, true, ""},
        {"24,9x", F::Decimal, false, "Numero non corretto!"},
        {"2,5", F::Integer, false, "Numero non corretto!"},
        {"free text", F::Text, true, "free text"},
    };
    for (const auto& c : cases) {
        const auto checked = F::Check(c.entry, c.format);
        EXPECT_EQ(checked.ok, c.ok) << c.entry;
        EXPECT_EQ((c.ok ? checked.text : checked.error).toStdString(), c.result) << c.entry;
    }
}

struct KeyCase
{
    char ch;
    const char* text;
    int selStart;
    int selLength;
    int format;
    int width;
    int decimals;
    bool accepted;
};

TEST(ValueFormat, KeystrokeFilter)
{
    const KeyCase cases[] = {
        {'x', "", 0, 0, F::Text, 10, 0, true},
        {'x', "abc", 3, 0, F::Text, 3, 0, false},     // width reached
        {'x', "abc", 0, 3, F::Text, 3, 0, true},      // replaces the selection
        {'x', "abc", 3, 0, F::Text, 0, 0, true},      // no limit
        {'5', "", 0, 0, F::Integer, 5, 0, true},
        {'a', "", 0, 0, F::Integer, 5, 0, false},
        {'-', "", 0, 0, F::Integer, 5, 0, true},
        {'-', "1", 1, 0, F::Integer, 5, 0, false},
        {'-', "", 0, 0, F::Date, 8, 0, false},
        {'.', "1", 1, 0, F::Integer, 5, 0, false},
        {'.', "1", 1, 0, F::Decimal, 7, 2, true},
        {'.', "1.2", 3, 0, F::Decimal, 7, 2, false},
        {'5', "1.25", 4, 0, F::Decimal, 7, 2, false},  // decimals full
        {'5', "1.2", 3, 0, F::Decimal, 7, 2, true},
        {'5', "1.25", 0, 0, F::Decimal, 7, 2, true},   // before the point
        {'5', "1.25", 0, 4, F::Decimal, 7, 2, true},   // replaces everything
        {'\'', "1", 1, 0, F::GroupedInteger, 7, 0, false},
        {'.', "1", 1, 0, F::GroupedDecimal, 7, 2, true},
        {',', "1", 1, 0, F::Decimal, 7, 2, true},       // the regional comma
        {',', "1", 1, 0, F::Integer, 5, 0, false},
        {',', "1.2", 3, 0, F::Decimal, 7, 2, false},     // one separator
        {'5', "1,25", 4, 0, F::Decimal, 7, 2, false},    // decimals full after a comma
        {'0', "093", 3, 0, F::Time, 4, 0, true},
        {'0', "0930", 4, 0, F::Time, 4, 0, false},
        {'R', "", 0, 0, F::FiscalCode, 16, 0, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(F::AcceptChar(QChar(c.ch), c.text, c.selStart, c.selLength, c.format, c.width,
                                c.decimals),
                  c.accepted)
            << "'" << c.ch << "' into \"" << c.text << "\" format " << c.format;
}

// A number field reads the whole entry or nothing: a text that is not a
// number gives 0, never its leading digits. Text fields keep the C
// library's reading.
TEST(ValueFormat, ReadsWholeNumbersWhateverTheLocale)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_DOUBLE_EQ(F::ReadDouble("1'234.5", F::GroupedDecimal), 1234.5);
    EXPECT_DOUBLE_EQ(F::ReadDouble("24,90", F::Decimal), 24.9);
    EXPECT_DOUBLE_EQ(F::ReadDouble("12.75abc", F::Decimal), 0.0);
    EXPECT_DOUBLE_EQ(F::ReadDouble("12.75abc", F::Text), 12.75);
    EXPECT_DOUBLE_EQ(F::ReadDouble("  -3,5", F::Decimal), -3.5);
    EXPECT_EQ(F::ReadInteger("1'234", F::Integer), 1234);
    EXPECT_EQ(F::ReadInteger("42x", F::Integer), 0);
    EXPECT_EQ(F::ReadInteger("42x", F::Text), 42);
    EXPECT_EQ(F::ReadInteger("", F::Integer), 0);
    EXPECT_EQ(F::ToRaw("1'234,5", F::GroupedDecimal), "1234,5");
    QLocale::setDefault(QLocale::c());
}

} // namespace
