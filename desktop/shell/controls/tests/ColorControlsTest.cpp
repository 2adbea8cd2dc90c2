#include "desktop/shell/controls/CColorListBox.h"
#include "desktop/shell/controls/CColorSwatch.h"
#include "desktop/shell/controls/CColorText.h"

#include <gtest/gtest.h>

namespace {

struct ColorCase
{
    const char* name;
    const char* text;
    bool valid;
    QColor color;
};

class ColorTextCases : public ::testing::TestWithParam<ColorCase>
{
};

TEST_P(ColorTextCases, ReadsTheSiteForm)
{
    const ColorCase& c = GetParam();
    const QColor color = CColorText::FromString(QString::fromUtf8(c.text));
    ASSERT_EQ(color.isValid(), c.valid);
    if (c.valid)
        EXPECT_EQ(color, c.color);
}

INSTANTIATE_TEST_SUITE_P(ColorText, ColorTextCases,
                         ::testing::Values(ColorCase{"Orange", "#FF8000", true, QColor(255, 128, 0)},
                                           ColorCase{"LowerCase", "#0a0b0c", true, QColor(10, 11, 12)},
                                           ColorCase{"TooShort", "#FF80", false, {}},
                                           ColorCase{"NotHex", "#GG0000", false, {}},
                                           ColorCase{"Empty", "", false, {}}),
                         [](const ::testing::TestParamInfo<ColorCase>& info) { return std::string(info.param.name); });

TEST(ColorSwatch, RoundTripAndNoColour)
{
    CColorSwatch swatch;
    EXPECT_EQ(swatch.GetColorString(), "");
    swatch.SetColorString("#FF8000");
    EXPECT_EQ(swatch.GetColorString(), "#FF8000");
    EXPECT_EQ(swatch.GetColor(), QColor(255, 128, 0));
    swatch.SetNoColor();
    EXPECT_EQ(swatch.GetColorString(), "");
    swatch.SetColor(QColor(1, 2, 3));
    EXPECT_EQ(swatch.GetColorString(), "#010203");
    swatch.resize(20, 20);
    EXPECT_FALSE(swatch.grab().isNull());
}

TEST(ColorListBox, EntriesKeepTheirColours)
{
    CColorListBox list;
    list.clearSelection();
    list.setCurrentRow(-1);
    EXPECT_EQ(list.GetSelColor(), QColor(Qt::black)) << "nothing selected reads as black";
    EXPECT_EQ(list.AddColor("Rosso", Qt::red), 0);
    EXPECT_EQ(list.AddColor("Blu", Qt::blue), 1);
    EXPECT_EQ(list.currentRow(), 0) << "the first entry is selected";

    list.setCurrentRow(1);
    list.SetItemText(1, "Azzurro");
    EXPECT_EQ(list.item(1)->text(), "Azzurro");
    EXPECT_EQ(list.currentRow(), 1);
    EXPECT_EQ(list.GetSelColor(), QColor(Qt::blue));
    list.SetItemColor(0, Qt::green);
    EXPECT_EQ(list.GetItemColor(0), QColor(Qt::green));
    list.resize(200, 100);
    EXPECT_FALSE(list.grab().isNull());
}

} // namespace
