// The colours of the graphic project's styles: the census as the list
// shows it, and the save that writes each entry's colour everywhere the
// entry's value was used.

#include "desktop/design/CStyleColours.h"
#include "desktop/design/tests/ColourFixture.h"
#include "platform/dao/CDaoException.h"

#include <gtest/gtest.h>

namespace {

int EntryOf(const CStyleColours& colours, const QString& text)
{
    const QList<CStyleColourEntry>& entries = colours.Entries();
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].censusText.compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

TEST(CStyleColours, CensusListsEachColourOnceMostUsedFirst)
{
    ColourFixture fixture;
    for (int i = 0; i < 3; ++i)
        fixture.Value(1, QStringLiteral("#00FF00"));
    // The same colour in both cases is one colour, counted once for both.
    fixture.Value(2, QStringLiteral("#ff0000"));
    fixture.Value(3, QStringLiteral("#FF0000"));
    fixture.Value(3, QStringLiteral("#0000FF"));
    // Not colours the list could write back: never listed, never touched.
    for (int i = 0; i < 5; ++i)
        fixture.Value(4, QStringLiteral("12"));
    fixture.Value(4, QStringLiteral("#abc"));
    fixture.Value(4, QStringLiteral("#FF0000 !important"));

    CStyleColours colours(fixture.shop.Db());
    ASSERT_TRUE(colours.LoadColourCensus());
    const QList<CStyleColourEntry>& entries = colours.Entries();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0].censusText, QStringLiteral("#00FF00"));
    EXPECT_EQ(entries[0].count, 3);
    EXPECT_EQ(CStyleColours::EntryText(entries[0].colour), QStringLiteral("(0, 255, 0)"));
    EXPECT_EQ(entries[1].colour, QColor(255, 0, 0));
    EXPECT_EQ(entries[1].count, 2);
    EXPECT_EQ(entries[2].censusText, QStringLiteral("#0000FF"));
    EXPECT_EQ(CStyleColours::RgbText(entries[2].colour), QStringLiteral("0, 0, 255"));
    EXPECT_FALSE(colours.IsChanged());
}

TEST(CStyleColours, AProjectWithoutColoursHasAnEmptyList)
{
    ColourFixture fixture;
    fixture.Value(1, QStringLiteral("bold"));
    CStyleColours colours(fixture.shop.Db());
    EXPECT_FALSE(colours.LoadColourCensus());
    EXPECT_TRUE(colours.Entries().isEmpty());
}

// Any save writes every entry as "#RRGGBB" in upper case: a colour stored
// in lower case is rewritten even when its entry was not changed, and its
// class is reported so its style sheet is written again.
TEST(CStyleColours, LowerCaseColoursAreWrittenInUpperCaseAtAnySave)
{
    ColourFixture fixture;
    fixture.Value(5, QStringLiteral("#a0b1c2"));
    fixture.Value(6, QStringLiteral("#00FF00"));
    fixture.Value(7, QStringLiteral("#FFFFFF"));
    CStyleColours colours(fixture.shop.Db());
    colours.LoadColourCensus();
    colours.Change(EntryOf(colours, QStringLiteral("#00FF00")), QColor(0x12, 0xab, 0xef));

    EXPECT_EQ(colours.Write(), (QSet<qint32>{5, 6}));
    EXPECT_EQ(fixture.Values(), (QStringList{"#A0B1C2", "#12ABEF", "#FFFFFF"}));
    EXPECT_FALSE(colours.IsChanged());
}

TEST(CStyleColours, AColourUsedInManyClassesChangesEverywhere)
{
    ColourFixture fixture;
    for (qint32 classId = 1; classId <= 6; ++classId) {
        fixture.Value(classId, QStringLiteral("#336699"));
        fixture.Value(classId, QStringLiteral("#336699"));
        fixture.Value(classId, QStringLiteral("left"));
    }
    fixture.Value(7, QStringLiteral("#000000"));
    CStyleColours colours(fixture.shop.Db());
    colours.LoadColourCensus();
    colours.Change(EntryOf(colours, QStringLiteral("#336699")), QColor(0xCC, 0x00, 0x33));

    EXPECT_EQ(colours.Write(), (QSet<qint32>{1, 2, 3, 4, 5, 6}));
    const QStringList values = fixture.Values();
    EXPECT_EQ(values.count(QStringLiteral("#CC0033")), 12);
    EXPECT_EQ(values.count(QStringLiteral("left")), 6);
    EXPECT_EQ(values.last(), QStringLiteral("#000000"));
    // The list now shows what was written.
    EXPECT_EQ(colours.Entries().first().censusText, QStringLiteral("#CC0033"));
}

// Each row takes the colour of the entry it belonged to before the save:
// colours changed into each other are not changed twice.
struct MappingCase
{
    const char* name;
    QStringList values;   // one row each, class = position + 1
    QList<std::pair<QString, QString>> changes;
    QStringList expected;
};

void PrintTo(const MappingCase& c, std::ostream* os)
{
    *os << c.name;
}

class ColourMapping : public ::testing::TestWithParam<MappingCase>
{
};

TEST_P(ColourMapping, EachRowMapsFromItsOriginalColour)
{
    const MappingCase& c = GetParam();
    ColourFixture fixture;
    for (int i = 0; i < c.values.size(); ++i)
        fixture.Value(i + 1, c.values[i]);
    CStyleColours colours(fixture.shop.Db());
    colours.LoadColourCensus();
    for (const auto& [from, to] : c.changes)
        colours.Change(EntryOf(colours, from), QColor(to));
    colours.Write();
    EXPECT_EQ(fixture.Values(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Saves, ColourMapping,
    ::testing::Values(
        MappingCase{"AToBWithBToC",
                    {"#AAAAAA", "#BBBBBB", "#AAAAAA", "#CCCCCC"},
                    {{"#AAAAAA", "#BBBBBB"}, {"#BBBBBB", "#CCCCCC"}},
                    {"#BBBBBB", "#CCCCCC", "#BBBBBB", "#CCCCCC"}},
        MappingCase{"BToCWithAToB",
                    {"#AAAAAA", "#BBBBBB", "#BBBBBB"},
                    {{"#BBBBBB", "#CCCCCC"}, {"#AAAAAA", "#BBBBBB"}},
                    {"#BBBBBB", "#CCCCCC", "#CCCCCC"}},
        MappingCase{"Swap",
                    {"#AAAAAA", "#BBBBBB", "#BBBBBB", "#AAAAAA"},
                    {{"#AAAAAA", "#BBBBBB"}, {"#BBBBBB", "#AAAAAA"}},
                    {"#BBBBBB", "#AAAAAA", "#AAAAAA", "#BBBBBB"}},
        MappingCase{"ThreeWayRotation",
                    {"#111111", "#222222", "#333333"},
                    {{"#111111", "#222222"}, {"#222222", "#333333"}, {"#333333", "#111111"}},
                    {"#222222", "#333333", "#111111"}},
        MappingCase{"TwoIntoOne",
                    {"#111111", "#222222", "#333333"},
                    {{"#111111", "#333333"}, {"#222222", "#333333"}},
                    {"#333333", "#333333", "#333333"}}),
    [](const ::testing::TestParamInfo<MappingCase>& info) { return std::string(info.param.name); });

TEST(CStyleColours, AFailedSaveLeavesTheDatabaseAndThePendingChange)
{
    ColourFixture fixture;
    fixture.Value(1, QStringLiteral("#AAAAAA"));
    fixture.Value(2, QStringLiteral("#AAAAAA"));
    CStyleColours colours(fixture.shop.Db());
    colours.LoadColourCensus();
    colours.Change(0, QColor(0x12, 0x34, 0x56));
    // The second row refuses to be written, after the first one was.
    fixture.shop.Db().Execute(QStringLiteral(
        "CREATE TRIGGER refuse BEFORE UPDATE ON AttributiCSS WHEN OLD.ID = 2 BEGIN SELECT RAISE(ABORT, 'disco pieno'); END"));

    EXPECT_THROW(colours.Write(), CDaoException);
    EXPECT_EQ(fixture.Values(), (QStringList{"#AAAAAA", "#AAAAAA"}));
    EXPECT_TRUE(colours.IsChanged());
    EXPECT_EQ(colours.Entries().first().colour, QColor(0x12, 0x34, 0x56));
}

} // namespace
