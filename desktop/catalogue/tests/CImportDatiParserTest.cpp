#include "desktop/catalogue/CImportDatiParser.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct NumberCase
{
    const char* name;
    const char* text;
    bool ok;
    double value;
};

class ImportNumberTest : public ::testing::TestWithParam<NumberCase>
{
};

TEST_P(ImportNumberTest, ReadsStraightToDouble)
{
    const NumberCase& c = GetParam();
    double value = -1;
    EXPECT_EQ(CImportDatiParser::ParseNumber(QString::fromUtf8(c.text), &value), c.ok);
    if (c.ok) {
        EXPECT_EQ(value, c.value);   // exactly the double the text names, no float on the way
    }
}

INSTANTIATE_TEST_SUITE_P(Numbers, ImportNumberTest,
    ::testing::Values(
        NumberCase{"PointDecimal", "19.99", true, 19.99},
        NumberCase{"CommaDecimal", "19,99", true, 19.99},
        NumberCase{"Whole", "120", true, 120.0},
        NumberCase{"LeadingSeparator", ",5", true, 0.5},
        NumberCase{"TrailingSeparator", "12.", true, 12.0},
        NumberCase{"ManyDecimals", "0.123456789", true, 0.123456789},
        // Grouping, signs and exponents are not amounts a file carries.
        NumberCase{"GroupedAmount", "1.234,50", false, 0},
        NumberCase{"Negative", "-1", false, 0},
        NumberCase{"Exponent", "1e3", false, 0},
        NumberCase{"OnlySeparator", ".", false, 0},
        NumberCase{"Letters", "1,5x", false, 0},
        NumberCase{"InnerBlank", "1 5", false, 0}),
    [](const ::testing::TestParamInfo<NumberCase>& info) { return std::string(info.param.name); });

struct LineCase
{
    const char* name;
    const char* line;
    int columns;   // the first n fields of the list
    bool ok;
};

class ImportLineTest : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(ImportLineTest, AcceptsOrRefusesTheLine)
{
    const LineCase& c = GetParam();
    ImportDatiRecord record;
    QString why;
    const QVector<ImportField> columns = CImportDatiParser::AllFields().mid(0, c.columns);
    EXPECT_EQ(CImportDatiParser::ParseLine(QString::fromUtf8(c.line), columns, QLatin1Char('|'), &record, &why), c.ok)
        << why.toStdString();
    EXPECT_EQ(why.isEmpty(), c.ok);
}

INSTANTIATE_TEST_SUITE_P(Lines, ImportLineTest,
    ::testing::Values(
        LineCase{"SixFields", "1|A|Nome|Breve|1.5|22", 6, true},
        LineCase{"OneFieldMore", "1|A|Nome|Breve|1.5|22|extra", 6, true},
        LineCase{"EndsWithSeparator", "1|A|Nome|Breve|1.5|22|", 6, true},
        LineCase{"EmptyFieldsKeepDefaults", "1|A|||||", 6, true},
        LineCase{"TooFewFields", "1|A|Nome|Breve|1.5", 6, false},
        LineCase{"EmptyLine", "", 6, false},
        LineCase{"CodeOfTwentyOne", "1|ABCDEFGHIJKLMNOPQRSTU|Nome|Breve|1|22", 6, false},
        LineCase{"CodeOfTwenty", "1|ABCDEFGHIJKLMNOPQRST|Nome|Breve|1|22", 6, true},
        LineCase{"PriceOfElevenCharacters", "1|A|Nome|Breve|12345678.90|22", 6, false},
        LineCase{"CategoryNotANumber", "x|A|Nome|Breve|1|22", 6, false},
        LineCase{"DateOfNoCalendar", "1|A|N|B|1|22||||||||||||1|31/02/2026", 19, false},
        LineCase{"DateTooShort", "1|A|N|B|1|22||||||||||||1|1/3/2026", 19, false},
        LineCase{"DateWithOtherMarks", "1|A|N|B|1|22||||||||||||1|01-03-2026", 19, true}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST(ImportLineRecordTest, FieldsAreTrimmedAndDefaultsKept)
{
    ImportDatiRecord record;
    const QVector<ImportField> columns = {ImportField::Codice, ImportField::FlagAttivo, ImportField::Prezzo2,
                                          ImportField::DataFineOfferta};
    ASSERT_TRUE(CImportDatiParser::ParseLine(QStringLiteral("  X1 ; 0 ;  ; 05/11/2026 "), columns,
                                             QLatin1Char(';'), &record, nullptr));
    EXPECT_EQ(record.strCodice, QStringLiteral("X1"));
    EXPECT_FALSE(record.bAttivo);
    EXPECT_EQ(record.dPrezzo[1], 0.0);
    EXPECT_EQ(record.dataAl, QDate(2026, 11, 5));
    EXPECT_TRUE(record.dataDal.isNull());
    EXPECT_FALSE(record.bOfferta);
}

} // namespace
