#include "exchange/scripts/CScriptExValue.h"
#include "platform/testing/QtPrinters.h"

#include <gtest/gtest.h>

#include <QDateTime>

namespace {

struct SetCase
{
    const char* name;
    QtrColumnKind kind;
    const char* text;
    bool ok;
    QVariant value;
};

void PrintTo(const SetCase& c, std::ostream* os) { *os << c.name; }

class ScriptValues : public testing::TestWithParam<SetCase>
{
};

TEST_P(ScriptValues, ReadAsOutsideFilesWriteThemOrRefused)
{
    const SetCase& c = GetParam();
    QVariant value;
    QString error;
    ASSERT_EQ(CScriptExValue::Parse(QString::fromUtf8(c.text), c.kind, &value, &error), c.ok) << error.toStdString();
    if (c.ok)
        EXPECT_EQ(value, c.value);
    else
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.text)));
}

INSTANTIATE_TEST_SUITE_P(
    SetCampo, ScriptValues,
    testing::Values(
        // Booleans in every spelling outside systems use.
        SetCase{"BoolTRUE", QtrColumnKind::Bool, "TRUE", true, QVariant(true)},
        SetCase{"BoolVero", QtrColumnKind::Bool, "Vero", true, QVariant(true)},
        SetCase{"Booltrue", QtrColumnKind::Bool, "true", true, QVariant(true)},
        SetCase{"BoolMinusOne", QtrColumnKind::Bool, "-1", true, QVariant(true)},
        SetCase{"BoolOne", QtrColumnKind::Bool, "1", true, QVariant(true)},
        SetCase{"BoolFalso", QtrColumnKind::Bool, "Falso", true, QVariant(false)},
        SetCase{"BoolZero", QtrColumnKind::Bool, "0", true, QVariant(false)},
        SetCase{"BoolWord", QtrColumnKind::Bool, "forse", false, QVariant()},
        // Numbers with a decimal comma and thousands points read right.
        SetCase{"DecimalComma", QtrColumnKind::Double, "12,5", true, QVariant(12.5)},
        SetCase{"DecimalPoint", QtrColumnKind::Double, "19.99", true, QVariant(19.99)},
        SetCase{"ThousandsPoints", QtrColumnKind::Double, "1.234,5", true, QVariant(1234.5)},
        SetCase{"ThousandsCommas", QtrColumnKind::Double, "1,234.5", true, QVariant(1234.5)},
        SetCase{"Millions", QtrColumnKind::Double, "1.234.567", true, QVariant(1234567.0)},
        SetCase{"Negative", QtrColumnKind::Single, "-3,25", true, QVariant(-3.25)},
        SetCase{"EmptyNumberIsNull", QtrColumnKind::Double, "", true, QVariant()},
        SetCase{"Unit", QtrColumnKind::Double, "12 kg", false, QVariant()},
        SetCase{"Letters", QtrColumnKind::Double, "abc", false, QVariant()},
        SetCase{"Integer", QtrColumnKind::Long, "1.000", true, QVariant(qint64(1))},
        SetCase{"IntegerWithFraction", QtrColumnKind::Long, "2,5", false, QVariant()},
        SetCase{"ByteOverflow", QtrColumnKind::Byte, "300", false, QVariant()},
        // Dates keep their time.
        SetCase{"Date", QtrColumnKind::DateTime, "7/3/2005", true, QVariant(QDateTime(QDate(2005, 3, 7), QTime(0, 0)))},
        SetCase{"DateTime", QtrColumnKind::DateTime, "07/03/2005 14:30", true,
                QVariant(QDateTime(QDate(2005, 3, 7), QTime(14, 30)))},
        SetCase{"TimeOfDay", QtrColumnKind::DateTime, "14:30", true,
                QVariant(QDateTime(QDate(1899, 12, 30), QTime(14, 30)))},
        SetCase{"EmptyDateIsNull", QtrColumnKind::DateTime, "", true, QVariant()},
        SetCase{"NoSuchDate", QtrColumnKind::DateTime, "31/02/2005", false, QVariant()},
        SetCase{"TextAsIs", QtrColumnKind::Text, " a;b ", true, QVariant(QString(" a;b "))}),
    [](const testing::TestParamInfo<SetCase>& info) { return std::string(info.param.name); });

TEST(ScriptValues, ColumnTextKeepsTheOldShape)
{
    EXPECT_EQ(CScriptExValue::Text(12.5, QtrColumnKind::Double), "      12,5");
    EXPECT_EQ(CScriptExValue::Text(12.0, QtrColumnKind::Single), "      12");
    EXPECT_EQ(CScriptExValue::Text(1, QtrColumnKind::Bool), "TRUE");
    EXPECT_EQ(CScriptExValue::Text(QString("2005-03-07 00:00:00"), QtrColumnKind::DateTime), "07/03/05");
    EXPECT_EQ(CScriptExValue::Text(QString("1899-12-30 14:30:00"), QtrColumnKind::DateTime), "14:30:00");
    EXPECT_EQ(CScriptExValue::Text(QVariant(), QtrColumnKind::Long), "");
}

} // namespace
