#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

struct TypingCase
{
    quint8 kind;
    int width;
    int decimals;
    const char* allowed;
    const char* typed;
    const char* shown;
};

// Typing goes through the same filter for every form's field.
TEST(ValidatedEdit, TypingStaysWithinKindWidthDecimalsAndAllowedCharacters)
{
    const TypingCase cases[] = {
        {0, 5, 0, "", "abcdefgh", "abcde"},
        {0, -1, 0, "", "a long text without any limit", "a long text without any limit"},
        {0, 20, 0, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWYXZ1234567890", "ab-C 1_", "abC1"},
        {0, 20, 0, "1234567890+,.", "10+5,5.x", "10+5,5."},
        {1, 5, 0, "", "-12345678", "-12345"},
        {1, 2, 0, "", "1.5a", "15"},
        {2, 5, 2, "", "123456.789", "12345.78"},
        {4, 4, 1, "", "100.55", "100.5"},
        {4, 8, 6, "", "12.1234567", "12.123456"},
        // The regional comma goes in like the point, once ("24,90" became 2490).
        {4, 10, 6, "", "24,90", "24,90"},
        {2, 7, 3, "", "0,35", "0,35"},
        {2, 5, 2, "", "-10,5,2", "-10,52"},
        {1, 5, 0, "", "3,5", "35"},
        {5, 8, 0, "", "01/02/2024-", "01022024"},
    };
    for (const auto& c : cases) {
        CValidatedEdit edit;
        edit.SetParam(c.kind, c.width, 0, c.decimals);
        edit.SetAllowedChr(c.allowed);
        QTest::keyClicks(&edit, c.typed);
        EXPECT_EQ(edit.text().toStdString(), c.shown) << "kind " << int(c.kind) << " typed " << c.typed;
    }
}

TEST(ValidatedEdit, ValuesComeBackAsTheyWentIn)
{
    CValidatedEdit edit;
    edit.SetParam(4, 12, 1, 2);
    edit.SetValue(1234567.25);
    EXPECT_EQ(edit.text(), "1234567,25");
    double d = 0;
    edit.GetValue(d);
    EXPECT_DOUBLE_EQ(d, 1234567.25);
    float f = 0;
    edit.SetValue(12.5f);
    edit.GetValue(f);
    EXPECT_FLOAT_EQ(f, 12.5f);
    QString s;
    edit.GetValue(s);
    EXPECT_EQ(s, "12,5");

    edit.SetParam(1, 11, 0, 0);
    edit.SetValue(qint64(1000000001));
    qint64 big = 0;
    edit.GetValue(big);
    EXPECT_EQ(big, 1000000001);
    int i = 0;
    edit.SetValue(-42);
    edit.GetValue(i);
    EXPECT_EQ(i, -42);

    edit.SetParam(5, 8, 0, 0);
    edit.SetValue(QDateTime(QDate(2024, 2, 1), QTime(0, 0)));
    EXPECT_EQ(edit.text(), "01/02/2024");
    QDateTime date;
    edit.GetValue(date);
    EXPECT_EQ(date.date(), QDate(2024, 2, 1));
    edit.Blank();
    edit.GetValue(date);
    EXPECT_FALSE(date.isValid());
    EXPECT_TRUE(edit.text().isEmpty());

    edit.SetParam(0, 50, 0, 0);
    edit.SetValue(QString("Rossi & figli"));
    edit.GetValue(s);
    EXPECT_EQ(s, "Rossi & figli");
}

TEST(ValidatedEdit, TheRawFormIsReadToo)
{
    CValidatedEdit edit;
    edit.SetParam(5, 8, 0, 0);
    edit.setText("15032024");
    QDateTime date;
    edit.GetValue(date);
    EXPECT_EQ(date.date(), QDate(2024, 3, 15));
    edit.SetParam(4, 10, 0, 2);
    edit.setText("1234.5");
    double d = 0;
    edit.GetValue(d);
    EXPECT_DOUBLE_EQ(d, 1234.5);
}

TEST(ValidatedEdit, LeavingAWrongEntryReportsItAndKeepsIt)
{
    struct Case
    {
        quint8 kind;
        const char* typed;
        const char* message;
    };
    const Case cases[] = {
        {5, "31022024", "Data non corretta!"},
        {5, "0102", "Data non corretta!"},
        {7, "2460", "Ora non corretta!"},
        {6, "RSSMRA85T10A562X", "Codice fiscale non corretto!"},
        {2, "12abc", "Numero non corretto!"},
        {4, "1,234.50", "Numero non corretto!"},
        {1, "2,5", "Numero non corretto!"},
    };
    for (const auto& c : cases) {
        CMessageBoxScript boxes;
        CValidatedEdit edit;
        edit.SetParam(c.kind, 16, 0, 0);
        edit.setText(c.typed);
        EXPECT_FALSE(edit.ValidateEntry());
        ASSERT_EQ(boxes.Shown().size(), 1);
        EXPECT_EQ(boxes.LastText().toStdString(), c.message);
        EXPECT_EQ(boxes.Shown()[0].caption, "Validazione campi");
        EXPECT_EQ(edit.text().toStdString(), c.typed);
    }
    CMessageBoxScript boxes;
    CValidatedEdit edit;
    edit.SetParam(5, 8, 0, 0);
    edit.setText("01022024");
    EXPECT_TRUE(edit.ValidateEntry());
    EXPECT_EQ(edit.text(), "01/02/2024");
    edit.Blank();
    EXPECT_TRUE(edit.ValidateEntry());
    EXPECT_TRUE(boxes.Shown().isEmpty());
}

// A merchant types a price the Italian way, or with a point, and moves on:
// the field shows the regional form and gives back the value typed.
TEST(ValidatedEdit, TypedPricesKeepTheirDecimals)
{
    CMessageBoxScript boxes;
    QWidget form;
    auto* edit = new CValidatedEdit(&form);
    auto* other = new QLineEdit(&form);
    edit->SetParam(4, 10, 1, 6);
    form.show();
    QApplication::setActiveWindow(&form);
    for (const char* typed : {"24,90", "24.90"}) {
        edit->setFocus();
        QApplication::processEvents();
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        other->setFocus();
        QApplication::processEvents();
        EXPECT_EQ(edit->text(), "24,9") << typed;
        double value = 0;
        edit->GetValue(value);
        EXPECT_DOUBLE_EQ(value, 24.9) << typed;
    }
    EXPECT_TRUE(boxes.Shown().isEmpty());
}

TEST(ValidatedEdit, ReadOnlyRefusesTyping)
{
    CValidatedEdit edit;
    edit.SetParam(0, 10, 0, 0);
    edit.SetValue(QString("fisso"));
    edit.SetReadOnly(1);
    QTest::keyClicks(&edit, "x");
    EXPECT_EQ(edit.text(), "fisso");
    edit.SetReadOnly(0);
    EXPECT_FALSE(edit.isReadOnly());
}

} // namespace
