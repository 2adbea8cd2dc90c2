#include "recordset/sync/CSyncFileBody.h"
#include "recordset/sync/CSyncTags.h"
#include "recordset/sync/CSyncValueText.h"

#include <gtest/gtest.h>

#include <QDateTime>

namespace {

// ------------------------------------------------------------ value texts

struct TextCase
{
    const char* name;
    QtrColumnKind kind;
    QVariant value;     // as the database hands it over
    const char* text;   // as it travels
    QVariant read;      // what the other end binds
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class ValueText : public testing::TestWithParam<TextCase>
{
};

TEST_P(ValueText, TravelsAndReadsBack)
{
    const TextCase& c = GetParam();
    EXPECT_EQ(CSyncValueText::ToText(c.value, c.kind), QString::fromUtf8(c.text));
    QVariant read;
    QString error;
    ASSERT_TRUE(CSyncValueText::FromText(QString::fromUtf8(c.text), c.kind, &read, &error)) << error.toStdString();
    EXPECT_EQ(read, c.read);
}

const QDateTime kMarch(QDate(2005, 3, 7), QTime(0, 0));

INSTANTIATE_TEST_SUITE_P(
    Kinds, ValueText,
    testing::Values(
        TextCase{"NullIsEmpty", QtrColumnKind::Long, QVariant(), "", QVariant()},
        TextCase{"NegativeLong", QtrColumnKind::Long, qint64(-42), "-42", QVariant(qint64(-42))},
        TextCase{"ServerId", QtrColumnKind::Long, qint64(1000000001), "1000000001", QVariant(qint64(1000000001))},
        // Reals read back to the very same value; the old "%f" form lost digits.
        TextCase{"TenthExact", QtrColumnKind::Double, 0.1, "0,1", QVariant(0.1)},
        TextCase{"PriceExact", QtrColumnKind::Double, 19.99, "19,99", QVariant(19.99)},
        TextCase{"ManyDigits", QtrColumnKind::Double, 1.0 / 3.0, "0,3333333333333333", QVariant(1.0 / 3.0)},
        TextCase{"SingleAsStored", QtrColumnKind::Single, double(19.99f), "19,989999771118164",
                 QVariant(double(19.99f))},
        TextCase{"Huge", QtrColumnKind::Double, 1e21, "1000000000000000000000", QVariant(1e21)},
        TextCase{"BoolTrue", QtrColumnKind::Bool, qint64(1), "TRUE", QVariant(true)},
        TextCase{"BoolFalse", QtrColumnKind::Bool, qint64(0), "FALSE", QVariant(false)},
        // Dates keep their time and four-digit year.
        TextCase{"DateFromStoredText", QtrColumnKind::DateTime, QString("2005-03-07 00:00:00"),
                 "07/03/2005 00:00:00", QVariant(kMarch)},
        TextCase{"DateWithTime", QtrColumnKind::DateTime, QString("2026-12-10 14:05:09"),
                 "10/12/2026 14:05:09", QVariant(QDateTime(QDate(2026, 12, 10), QTime(14, 5, 9)))},
        TextCase{"ZeroDate", QtrColumnKind::DateTime, QString("1899-12-30 00:00:00"), "30/12/1899 00:00:00",
                 QVariant(QDateTime(QDate(1899, 12, 30), QTime(0, 0)))},
        TextCase{"TextWithMarkup", QtrColumnKind::Text, QString("a<b>&c"), "a<b>&c", QVariant(QString("a<b>&c"))}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

struct ReadCase
{
    const char* name;
    QtrColumnKind kind;
    const char* text;
    bool ok;
    QVariant read;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class ValueTextReading : public testing::TestWithParam<ReadCase>
{
};

TEST_P(ValueTextReading, AcceptsWhatOlderSendersWroteAndRefusesTheRest)
{
    const ReadCase& c = GetParam();
    QVariant read;
    QString error;
    EXPECT_EQ(CSyncValueText::FromText(QString::fromUtf8(c.text), c.kind, &read, &error), c.ok);
    if (c.ok)
        EXPECT_EQ(read, c.read);
    else
        EXPECT_FALSE(error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValueTextReading,
    testing::Values(
        ReadCase{"SixDecimals", QtrColumnKind::Double, "12,500000", true, QVariant(12.5)},
        ReadCase{"DecimalPoint", QtrColumnKind::Double, "12.5", true, QVariant(12.5)},
        ReadCase{"Vero", QtrColumnKind::Bool, "Vero", true, QVariant(true)},
        ReadCase{"MinusOne", QtrColumnKind::Bool, "-1", true, QVariant(true)},
        ReadCase{"Falso", QtrColumnKind::Bool, "Falso", true, QVariant(false)},
        ReadCase{"TwoDigitYear", QtrColumnKind::DateTime, "07/03/05", true, QVariant(kMarch)},
        ReadCase{"TimeOfDay", QtrColumnKind::DateTime, "14:05:09", true,
                 QVariant(QDateTime(QDate(1899, 12, 30), QTime(14, 5, 9)))},
        ReadCase{"GroupedNumber", QtrColumnKind::Double, "1.234,5", false, QVariant()},
        ReadCase{"WordForNumber", QtrColumnKind::Long, "12; DROP TABLE Prodotti", false, QVariant()},
        ReadCase{"ShortOverflow", QtrColumnKind::Short, "40000", false, QVariant()},
        ReadCase{"LongOverflow", QtrColumnKind::Long, "9999999999", false, QVariant()},
        ReadCase{"NotABool", QtrColumnKind::Bool, "forse", false, QVariant()},
        ReadCase{"NoSuchDay", QtrColumnKind::DateTime, "31/02/2020", false, QVariant()}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

// ------------------------------------------------------------ tags

TEST(SyncTags, ValuesWithMarkupArriveWholeInTheirOrder)
{
    const QString reply = QStringLiteral("OK") + CSyncTags::Tag("NumRec", "2") + CSyncTags::Tag("IDRec", "5")
                          + CSyncTags::Tag("FieldName", "Nome") + CSyncTags::Tag("FieldValue", "a</FieldValue>b & <c>")
                          + CSyncTags::Tag("FieldName", "Vuoto") + CSyncTags::Tag("FieldValue", "");
    QString rest = reply.mid(2);
    QString value;
    ASSERT_TRUE(CSyncTags::GetTagValue(rest, "NumRec", &value));
    EXPECT_EQ(value, "2");
    ASSERT_TRUE(CSyncTags::GetTagValue(rest, "IDRec", &value));
    EXPECT_EQ(value, "5");
    ASSERT_TRUE(CSyncTags::GetTagValue(rest, "FieldName", &value));
    EXPECT_EQ(value, "Nome");
    ASSERT_TRUE(CSyncTags::GetTagValue(rest, "FieldValue", &value));
    EXPECT_EQ(value, "a</FieldValue>b & <c>");
    ASSERT_TRUE(CSyncTags::GetTagValue(rest, "FieldName", &value));
    ASSERT_TRUE(CSyncTags::GetTagValue(rest, "FieldValue", &value));
    EXPECT_EQ(value, "");
    const QString before = rest;
    EXPECT_FALSE(CSyncTags::GetTagValue(rest, "FieldName", &value));
    EXPECT_EQ(rest, before);
}

// ------------------------------------------------------------ raw file body

TEST(SyncFileBody, APasswordWithSeparatorsAndTheExactPieceComeThrough)
{
    CSyncFileBody::Header sent;
    sent.userCode = "negozio";
    sent.password = "a&b=c%d è";
    sent.path = "images\\prodotti";
    sent.fileName = "12.jpg";
    sent.flagFirst = 1;
    sent.totalBytes = 20;
    sent.offset = 12;
    const QByteArray piece("\x00\x01&=PF_\xff", 8);
    QByteArray body = CSyncFileBody::Build(sent, piece);
    body += "trailing bytes are ignored";

    CSyncFileBody::Header read;
    QByteArray readPiece;
    QString error;
    ASSERT_TRUE(CSyncFileBody::Parse(body, &read, &readPiece, &error)) << error.toStdString();
    EXPECT_EQ(read.userCode, sent.userCode);
    EXPECT_EQ(read.password, sent.password);
    EXPECT_EQ(read.path, sent.path);
    EXPECT_EQ(read.fileName, sent.fileName);
    EXPECT_EQ(read.flagFirst, 1);
    EXPECT_EQ(read.totalBytes, 20);
    EXPECT_EQ(read.offset, 12);
    EXPECT_EQ(readPiece, piece);
}

TEST(SyncFileBody, SixPairsInAnyOrderAsOlderDesktopsWriteThem)
{
    const QByteArray body("PF_NumBytes=3&PF_FileName=logo&PF_FlagFirst=0&PF_Path=images&PF_Password=pw&"
                          "PF_UserCode=u&PF_Bytes=abcdef");
    CSyncFileBody::Header read;
    QByteArray piece;
    QString error;
    ASSERT_TRUE(CSyncFileBody::Parse(body, &read, &piece, &error));
    EXPECT_EQ(read.userCode, "u");
    EXPECT_EQ(read.fileName, "logo");
    EXPECT_EQ(read.flagFirst, 0);
    EXPECT_EQ(read.totalBytes, -1);
    EXPECT_EQ(read.offset, -1);
    EXPECT_EQ(piece, "abc");
}

TEST(SyncFileBody, ShortOrMalformedBodiesAreTransmissionErrors)
{
    CSyncFileBody::Header header;
    QByteArray piece;
    QString error;
    for (const QByteArray& body :
         {QByteArray(), QByteArray("PF_UserCode=a&PF_Password=b&"),
          QByteArray("PF_UserCode=a&PF_Password=b&PF_Path=x&PF_FlagFirst=1&PF_FileName=f&PF_NumBytes=99&PF_Bytes=abc"),
          QByteArray("PF_UserCode=a&PF_Password=b&PF_Path=x&PF_FlagFirst=uno&PF_FileName=f&PF_NumBytes=1&PF_Bytes=a")}) {
        EXPECT_FALSE(CSyncFileBody::Parse(body, &header, &piece, &error)) << body.constData();
        EXPECT_EQ(error, "Errore di trasmissione.");
    }
}

} // namespace
