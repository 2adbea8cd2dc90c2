#include "desktop/shell/controls/CGridEdit.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CValueFormat.h"

#include <gtest/gtest.h>

namespace {

CGridEdit EditorOn(quint8 format, const QString& stored, qint32 width = 10, qint32 decimals = 2)
{
    CGridEdit edit;
    edit.SetFormat(format, width, decimals);
    edit.SetText(stored);
    edit.OpenWindow();
    return edit;
}

TEST(GridEdit, EnteringShowsTheRawForm)
{
    EXPECT_EQ(EditorOn(CValueFormat::GroupedDecimal, "1'234.5").GetWindowText(), "1234.5");
    EXPECT_EQ(EditorOn(CValueFormat::Date, "01/02/2024").GetWindowText(), "01022024");
    EXPECT_EQ(EditorOn(CValueFormat::Time, "09:30").GetWindowText(), "0930");
    EXPECT_EQ(EditorOn(CValueFormat::Text, "a'b").GetWindowText(), "a'b");
}

struct ValidateCase
{
    quint8 format;
    const char* typed;
    bool ok;
    const char* stored;  // after Validate
    const char* message; // shown, or empty
};

TEST(GridEdit, ValidateStoresOrReportsAndKeepsTheOldText)
{
    const ValidateCase cases[] = {
        {CValueFormat::Date, "01022024", true, "01/02/2024", ""},
        {CValueFormat::Date, "31022024", false, "OLD", "Data non corretta!"},
        {CValueFormat::Date, "0102", false, "OLD", "Data non corretta!"},
        {CValueFormat::Time, "2460", false, "OLD", "Ora non corretta!"},
        {CValueFormat::Time, "0930", true, "09:30", ""},
        {CValueFormat::Time, "9999", true, "99:99", ""},
        {CValueFormat::FiscalCode, "", false, "OLD", "Codice fiscale non corretto!"},
        {CValueFormat::FiscalCode, "RSSMRA85T10A562", false, "OLD", "Codice fiscale non corretto!"},
        {CValueFormat::FiscalCode, "RSSMRA85T10A562S", true, "RSSMRA85T10A562S", ""},
        {CValueFormat::GroupedDecimal, "-12.5", true, "-12,5", ""},
        {CValueFormat::GroupedDecimal, "1234.5", true, "1234,5", ""},
        {CValueFormat::GroupedDecimal, "24,90", true, "24,9", ""},
        {CValueFormat::Decimal, "24,9,0", false, "OLD", "Numero non corretto!"},
    };
    for (const auto& c : cases) {
        CMessageBoxScript boxes;
        CGridEdit edit = EditorOn(c.format, "OLD");
        edit.SetWindowText(c.typed);
        EXPECT_EQ(edit.Validate(), c.ok) << c.typed;
        EXPECT_EQ(edit.IsValid(), c.ok);
        EXPECT_EQ(edit.GetStoredText().toStdString(), c.stored) << c.typed;
        EXPECT_EQ(boxes.LastText().toStdString(), c.message) << c.typed;
        if (!c.ok) {
            ASSERT_EQ(boxes.Shown().size(), 1);
            EXPECT_EQ(boxes.Shown()[0].caption, "Validazione campi");
            EXPECT_EQ(boxes.Shown()[0].icon, CMessageBox::Stop);
        }
    }
}

TEST(GridEdit, FormattersAndReaders)
{
    CGridEdit edit;
    edit.SetFormat(CValueFormat::GroupedDecimal, 10, 2);
    edit.FormatDouble(1234567.25);
    EXPECT_EQ(edit.GetStoredText(), "1234567,25");
    EXPECT_DOUBLE_EQ(edit.ReadDouble(), 1234567.25);
    edit.FormatFloat(12.5f);
    EXPECT_EQ(edit.GetStoredText(), "12,5");

    edit.SetFormat(CValueFormat::Integer, 10, 0);
    edit.FormatInt(1000000123);
    EXPECT_EQ(edit.GetStoredText(), "1000000123");
    EXPECT_EQ(edit.ReadInt(), 1000000123);

    edit.SetFormat(CValueFormat::Date, 8, 0);
    edit.FormatDate(QDateTime(QDate(2024, 2, 1), QTime(0, 0)));
    EXPECT_EQ(edit.GetStoredText(), "01/02/2024");
    EXPECT_EQ(edit.ReadDate().date(), QDate(2024, 2, 1));
}

TEST(GridEdit, ReadersTakeTheValidWindowTextWithoutMessages)
{
    CMessageBoxScript boxes;
    CGridEdit edit = EditorOn(CValueFormat::Date, "01/01/2020");
    edit.SetWindowText("31022024");
    EXPECT_EQ(edit.ReadDate().date(), QDate(2020, 1, 1));
    edit.SetWindowText("15032024");
    EXPECT_EQ(edit.ReadDate().date(), QDate(2024, 3, 15));
    EXPECT_TRUE(boxes.Shown().isEmpty());
}

TEST(GridEdit, DecimalsFullRefusesAFurtherDigit)
{
    CGridEdit edit = EditorOn(CValueFormat::Decimal, "", 10, 2);
    edit.SetWindowText("1.25");
    EXPECT_FALSE(edit.AcceptChar(QChar('3'), 4, 0));
    EXPECT_TRUE(edit.AcceptChar(QChar('3'), 0, 0));
}

} // namespace
