#include "desktop/design/tests/StiliFixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Core = CDefinizioneStiliCore;

TEST(DefinizioneStiliCore, ABlockWithoutClassesLoadsNothingAndSavesNothing)
{
    StiliFixture f;
    f.Attr(StiliFixture::kAltro, 0, "10");
    f.clipboard = QStringList(35, QStringLiteral("x"));
    auto core = f.Open(StiliFixture::kEmptyBlock);
    EXPECT_TRUE(core->Classes().isEmpty());
    EXPECT_EQ(core->CurrentIndex(), -1);
    EXPECT_EQ(core->CurrentClassId(), 0);
    EXPECT_FALSE(core->CopyEnabled());
    EXPECT_FALSE(core->PasteEnabled());
    core->Confirm();
    EXPECT_EQ(f.Rows(), 1);
}

TEST(DefinizioneStiliCore, ClassesComeInOrderAndTheFirstIsLoaded)
{
    StiliFixture f;
    f.Attr(StiliFixture::kTitolo, 0, "100%");
    f.Attr(StiliFixture::kTesto, 0, "20");
    auto core = f.Open();
    ASSERT_EQ(core->Classes().size(), 2);
    EXPECT_EQ(core->Classes().at(0).strName, "Titolo");
    EXPECT_EQ(core->Classes().at(1).strName, "Testo");
    EXPECT_EQ(core->CurrentClassId(), StiliFixture::kTitolo);
    EXPECT_EQ(core->CurrentDescription(), "I titoli");
    EXPECT_EQ(core->Get(0), "100%");
    EXPECT_TRUE(core->CopyEnabled());
    EXPECT_FALSE(core->PasteEnabled());   // nothing copied yet
    core->SelectClass(1);
    EXPECT_EQ(core->Get(0), "20");
    EXPECT_EQ(core->CurrentDescription(), "Il testo delle pagine");
}

// The write rule, straight on the table.
struct WriteCase
{
    const char* name;
    const char* before;   // nullptr: no row
    const char* value;
    const char* after;    // "(no row)" when the row must be gone
    int rows;             // rows of the table afterwards
};

void PrintTo(const WriteCase& c, std::ostream* os)
{
    *os << c.name;
}

class WriteRule : public ::testing::TestWithParam<WriteCase>
{
};

TEST_P(WriteRule, FindsEditsDeletesOrAdds)
{
    const WriteCase& c = GetParam();
    StiliFixture f;
    f.nextAttributeId = 41;
    f.Attr(StiliFixture::kAltro, 5, "#000000");   // ID 41: the highest of the table
    if (c.before)
        f.Attr(StiliFixture::kTesto, 6, QString::fromUtf8(c.before));
    auto core = f.Open();
    core->WriteAttribute(StiliFixture::kTesto, 6, QString::fromUtf8(c.value));
    EXPECT_EQ(f.Stored(StiliFixture::kTesto, 6), QString::fromUtf8(c.after));
    EXPECT_EQ(f.Rows(), c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    DefinizioneStiliCore, WriteRule,
    ::testing::Values(WriteCase{"FoundAndValueIsEdited", "3", "8", "8", 2},
                      WriteCase{"FoundAndUnchangedStays", "3", "3", "3", 2},
                      WriteCase{"FoundAndEmptyIsDeleted", "3", "", "(no row)", 1},
                      WriteCase{"MissingAndValueIsAdded", nullptr, "8", "8", 2},
                      WriteCase{"MissingAndEmptyDoesNothing", nullptr, "", "(no row)", 1}),
    [](const ::testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

TEST(DefinizioneStiliCore, NewRowsTakeTheHighestIdOfTheWholeTablePlusOne)
{
    StiliFixture f;
    {
        auto core = f.Open();
        core->WriteAttribute(StiliFixture::kTesto, 0, "5");   // empty table
    }
    EXPECT_EQ(f.db.Value("SELECT ID FROM AttributiCSS WHERE IDClasse=10 AND IDAttributo=0").toInt(), 1);
    f.nextAttributeId = 77;
    f.Attr(StiliFixture::kAltro, 1, "9");   // another block's class holds the highest ID
    auto core = f.Open();
    core->WriteAttribute(StiliFixture::kTesto, 1, "6");
    core->WriteAttribute(StiliFixture::kTesto, 2, "left");
    EXPECT_EQ(f.db.Value("SELECT ID FROM AttributiCSS WHERE IDClasse=10 AND IDAttributo=1").toInt(), 78);
    EXPECT_EQ(f.db.Value("SELECT ID FROM AttributiCSS WHERE IDClasse=10 AND IDAttributo=2").toInt(), 79);
}

// A stored value goes through the page that shows it and back at save.
struct RoundTripCase
{
    const char* name;
    int attribute;
    const char* stored;   // nullptr: no row
    std::function<void(Core&)> edit;
    const char* saved;    // "(no row)" when the row must be gone
};

void PrintTo(const RoundTripCase& c, std::ostream* os)
{
    *os << c.name;
}

class RoundTrip : public ::testing::TestWithParam<RoundTripCase>
{
};

TEST_P(RoundTrip, SavedAsThePageShowsIt)
{
    const RoundTripCase& c = GetParam();
    StiliFixture f;
    if (c.stored)
        f.Attr(StiliFixture::kTitolo, c.attribute, QString::fromUtf8(c.stored));
    auto core = f.Open();
    if (c.edit)
        c.edit(*core);
    core->Confirm();
    EXPECT_EQ(f.Stored(StiliFixture::kTitolo, c.attribute), QString::fromUtf8(c.saved));
}

const auto kNoEdit = std::function<void(Core&)>();

INSTANTIATE_TEST_SUITE_P(
    DefinizioneStiliCore, RoundTrip,
    ::testing::Values(
        RoundTripCase{"LengthKeptAsTyped", 0, "50%", kNoEdit, "50%"},
        RoundTripCase{"ListValueKept", 2, "center", kNoEdit, "center"},
        // The first entry of a list stands for no value: its row goes.
        RoundTripCase{"FloatSetToNessunoLosesItsRow", 33, "left", [](Core& core) { core.Set(33, ""); }, "(no row)"},
        RoundTripCase{"DecorationNessunoIsTheKeywordNone", 34, nullptr, [](Core& core) { core.Set(34, "none"); },
                      "none"},
        // Values no entry matches show as the first entry and are dropped.
        RoundTripCase{"MiddleIsNoVerticalAlignment", 3, "middle", kNoEdit, "(no row)"},
        RoundTripCase{"ListsCompareCase", 31, "Bold", kNoEdit, "(no row)"},
        RoundTripCase{"ColourInUpperCase", 5, "#ff8000", kNoEdit, "#FF8000"},
        RoundTripCase{"TextThatIsNoColourIsNoColour", 4, "red", kNoEdit, "(no row)"},
        RoundTripCase{"PositionWithoutXStartsAtZero", 27, nullptr,
                      [](Core& core) {
                          core.Sfondo().SetPositionX("");
                          core.Sfondo().SetPositionY("5");
                      },
                      "0 5"},
        RoundTripCase{"PositionWithoutYIsXAlone", 27, "3 4", [](Core& core) { core.Sfondo().SetPositionY(""); }, "3"},
        RoundTripCase{"PositionKeptWhole", 27, "12 30", kNoEdit, "12 30"},
        RoundTripCase{"BorderTextKeptUntilItsSideIsShown", 14, "middle", kNoEdit, "middle"},
        RoundTripCase{"BorderStyleOutsideTheListDroppedOnceShown", 14, "middle",
                      [](Core& core) { core.Bordi().ChooseSide(1); }, "(no row)"},
        RoundTripCase{"BorderEditReachesItsSide", 16, nullptr,
                      [](Core& core) {
                          core.Bordi().ChooseSide(2);
                          core.Bordi().SetWidth("2");
                      },
                      "2"}),
    [](const ::testing::TestParamInfo<RoundTripCase>& info) { return std::string(info.param.name); });

TEST(DefinizioneStiliCore, MovingTheSelectionSavesTheClassLeftAndCancelDropsTheCurrentOne)
{
    StiliFixture f;
    {
        auto core = f.Open();
        core->Set(0, "80");      // Titolo
        core->SelectClass(1);    // saves Titolo
        core->Set(0, "90");      // Testo, never confirmed
    }
    EXPECT_EQ(f.Stored(StiliFixture::kTitolo, 0), "80");
    EXPECT_EQ(f.Stored(StiliFixture::kTesto, 0), "(no row)");
}

TEST(DefinizioneStiliCore, CopiaTakesThePagesAsShownAndIncollaGivesThemToAnotherClass)
{
    StiliFixture f;
    f.Attr(StiliFixture::kTitolo, 29, "Times");
    f.Attr(StiliFixture::kTitolo, 10, "1");
    f.Attr(StiliFixture::kTesto, 32, "9");
    {
        auto core = f.Open();
        core->Set(5, "#112233");   // not saved yet
        core->Copy();
        EXPECT_TRUE(core->PasteEnabled());
        ASSERT_EQ(f.clipboard.size(), 35);
        EXPECT_EQ(f.clipboard.at(5), "#112233");
    }
    // The clipboard outlives the dialog.
    auto core = f.Open();
    EXPECT_TRUE(core->PasteEnabled());
    core->SelectClass(1);
    core->Paste();
    core->Confirm();
    EXPECT_EQ(f.Stored(StiliFixture::kTesto, 5), "#112233");
    EXPECT_EQ(f.Stored(StiliFixture::kTesto, 29), "Times");
    EXPECT_EQ(f.Stored(StiliFixture::kTesto, 10), "1");
    EXPECT_EQ(f.Stored(StiliFixture::kTesto, 32), "(no row)");   // pasted as empty
    EXPECT_EQ(f.Stored(StiliFixture::kTitolo, 5), "(no row)");   // Titolo was left unsaved
}

TEST(DefinizioneStiliCore, CustomColoursAreTheMostUsedFirstAndWhiteAfter)
{
    StiliFixture f;
    for (int i = 0; i < 3; ++i)
        f.Attr(StiliFixture::kAltro, 12, "#00FF00");
    f.Attr(StiliFixture::kAltro, 4, "#FF0000");
    f.Attr(StiliFixture::kAltro, 5, "#0000FF");
    f.Attr(StiliFixture::kAltro, 5, "#0000FF");
    f.Attr(StiliFixture::kAltro, 0, "100");   // not a colour
    auto core = f.Open();
    const auto& colours = core->CustomColours();
    EXPECT_EQ(colours[0], QColor(0, 255, 0));
    EXPECT_EQ(colours[1], QColor(0, 0, 255));
    EXPECT_EQ(colours[2], QColor(255, 0, 0));
    for (size_t slot = 3; slot < colours.size(); ++slot)
        EXPECT_EQ(colours[slot], QColor(Qt::white)) << slot;
}

TEST(DefinizioneStiliCore, OnlySixteenCustomColoursAreTaken)
{
    StiliFixture f;
    for (int i = 0; i < 20; ++i)
        for (int n = 0; n <= i; ++n)   // colour i used i + 1 times
            f.Attr(StiliFixture::kAltro, 4, QStringLiteral("#0000%1").arg(i, 2, 16, QLatin1Char('0')).toUpper());
    auto core = f.Open();
    const auto& colours = core->CustomColours();
    for (int slot = 0; slot < 16; ++slot)
        EXPECT_EQ(colours[size_t(slot)], QColor(0, 0, 19 - slot)) << slot;
}

// Per-language backgrounds are written into the pages: a move between a
// plain image and a per-language one must have the pages generated again.
struct FlagCase
{
    const char* name;
    const char* stored;   // nullptr: no row
    const char* shown;    // "" for none; files decide plain or per-language
    bool flag;
};

void PrintTo(const FlagCase& c, std::ostream* os)
{
    *os << c.name;
}

class PerLanguageFlag : public ::testing::TestWithParam<FlagCase>
{
};

TEST_P(PerLanguageFlag, SetWhenTheBackgroundChangesKind)
{
    const FlagCase& c = GetParam();
    StiliFixture f;
    f.Image("piano.jpg");
    f.Image("en/lingua.jpg");
    f.Image("fr/lingua2.jpg");
    if (c.stored)
        f.Attr(StiliFixture::kTitolo, 26, QString::fromUtf8(c.stored));
    auto core = f.Open();
    core->Set(26, QString::fromUtf8(c.shown).isEmpty() ? QString() : QStringLiteral("url(/images/%1)").arg(c.shown));
    EXPECT_FALSE(core->PerLanguageBackgroundChanged());
    core->Confirm();
    EXPECT_EQ(core->PerLanguageBackgroundChanged(), c.flag);
}

INSTANTIATE_TEST_SUITE_P(
    DefinizioneStiliCore, PerLanguageFlag,
    ::testing::Values(FlagCase{"NoneToPerLanguage", nullptr, "lingua.jpg", true},
                      FlagCase{"PlainToPerLanguage", "url(/images/piano.jpg)", "lingua.jpg", true},
                      FlagCase{"PerLanguageToPlain", "url(/images/<%=Generale.CodiceLingua%>/lingua.jpg)",
                               "piano.jpg", true},
                      FlagCase{"PerLanguageToNone", "url(/images/<%=Generale.CodiceLingua%>/lingua.jpg)", "", true},
                      FlagCase{"PerLanguageToPerLanguage", "url(/images/<%=Generale.CodiceLingua%>/lingua.jpg)",
                               "lingua2.jpg", false},
                      FlagCase{"PlainToNone", "url(/images/piano.jpg)", "", false},
                      FlagCase{"NoneToPlain", nullptr, "piano.jpg", false}),
    [](const ::testing::TestParamInfo<FlagCase>& info) { return std::string(info.param.name); });

TEST(DefinizioneStiliCore, EliminaKeepsAnImageAnotherClassUses)
{
    StiliFixture f;
    f.Image("fondo.jpg");
    f.Image("en/fondo.jpg");
    f.Attr(StiliFixture::kTitolo, 26, "url(/images/fondo.jpg)");
    f.Attr(StiliFixture::kAltro, 26, "url(/images/<%=Generale.CodiceLingua%>/fondo.jpg)");
    auto core = f.Open();
    core->DeleteBackgroundImage();
    EXPECT_TRUE(f.HasImage("fondo.jpg"));
    EXPECT_TRUE(f.HasImage("en/fondo.jpg"));
    EXPECT_EQ(core->Sfondo().ImageName(), "");   // the class itself lets it go
    core->Confirm();
    EXPECT_EQ(f.Stored(StiliFixture::kTitolo, 26), "(no row)");
}

TEST(DefinizioneStiliCore, EliminaRemovesTheFilesOfEveryLanguageWhenNoOtherClassUsesThem)
{
    StiliFixture f;
    f.Image("fondo.jpg");
    f.Image("en/fondo.jpg");
    f.Image("fr/fondo.jpg");
    f.Image("de/fondo.jpg");   // an inactive language's folder is left alone
    f.Image("altro.jpg");
    f.Attr(StiliFixture::kTitolo, 26, "url(/images/fondo.jpg)");
    f.Attr(StiliFixture::kAltro, 26, "url(/images/altro.jpg)");
    auto core = f.Open();
    core->DeleteBackgroundImage();
    EXPECT_FALSE(f.HasImage("fondo.jpg"));
    EXPECT_FALSE(f.HasImage("en/fondo.jpg"));
    EXPECT_FALSE(f.HasImage("fr/fondo.jpg"));
    EXPECT_TRUE(f.HasImage("de/fondo.jpg"));
    EXPECT_TRUE(f.HasImage("altro.jpg"));
}

} // namespace

namespace {

// A class is written whole or not at all: a write refused halfway leaves
// every row of the class as it was, the edits stay on the pages, and a
// later save writes them without doubling a row.
TEST(DefinizioneStiliCore, AFailedSaveLeavesTheClassAsItWas)
{
    StiliFixture f;
    f.Attr(StiliFixture::kTitolo, 0, "10");
    f.Attr(StiliFixture::kTitolo, 1, "20");
    f.db.Db().Execute(QStringLiteral("CREATE TRIGGER Rifiuta BEFORE INSERT ON AttributiCSS WHEN NEW.IDAttributo=30 "
                                     "BEGIN SELECT RAISE(ABORT, 'rifiutato'); END"));
    auto core = f.Open();
    core->Set(0, "11");    // an edit
    core->Set(1, "");      // a deletion
    core->Set(2, "left");  // an addition
    core->Set(30, "italic");
    EXPECT_THROW(core->Confirm(), CDaoException);
    EXPECT_EQ(f.Stored(StiliFixture::kTitolo, 0), "10");
    EXPECT_EQ(f.Stored(StiliFixture::kTitolo, 1), "20");
    EXPECT_EQ(f.Stored(StiliFixture::kTitolo, 2), "(no row)");
    EXPECT_EQ(f.Rows(), 2);
    EXPECT_EQ(core->Get(0), "11");

    f.db.Db().Execute(QStringLiteral("DROP TRIGGER Rifiuta"));
    core->Confirm();
    EXPECT_EQ(f.Stored(StiliFixture::kTitolo, 0), "11");
    EXPECT_EQ(f.Stored(StiliFixture::kTitolo, 1), "(no row)");
    EXPECT_EQ(f.Stored(StiliFixture::kTitolo, 30), "italic");
    EXPECT_EQ(f.Rows(), 3);
}

} // namespace
