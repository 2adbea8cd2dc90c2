// The sizes page on the card's working copy of the size settings.

#include "desktop/catalogue/CProdottiTaglieCore.h"
#include "desktop/catalogue/tests/CatalogueFixture.h"

#include <gtest/gtest.h>

namespace {

class SizesPage : public ::testing::Test
{
protected:
    SizesPage() : core(f.Db(), sizes)
    {
        f.Db().Execute(QStringLiteral("INSERT INTO ValoriTaglie (ID, Descrizione, Valori) VALUES "
                                      "(1, 'Scarpe', '38|39|40|41|'), (2, 'Camicie', 'S|M|L|XL|')"));
    }

    CatalogueFixture f;
    TaglieProdotto sizes;
    CProdottiTaglieCore core;
};

TEST_F(SizesPage, AProductWithATableShowsItsRunSelected)
{
    sizes = {2, 1, 2};
    core.LoadSizes();
    const CProdottiTaglieCore::State& state = core.GetState();
    ASSERT_EQ(core.Entries().size(), 2);
    EXPECT_EQ(core.Entries().first().strDescrizione, QStringLiteral("Camicie"));   // by name
    EXPECT_TRUE(state.bHasTable);
    EXPECT_TRUE(state.bComboEnabled);
    EXPECT_EQ(state.nComboIndex, 0);
    EXPECT_EQ(state.strCells, QStringLiteral("S|M|L|XL|"));
    EXPECT_EQ(state.nSelStart, 1);
    EXPECT_EQ(state.nSelEnd, 2);
}

TEST_F(SizesPage, AProductWithoutATableShowsAnEmptyMatrix)
{
    core.LoadSizes();
    EXPECT_FALSE(core.GetState().bHasTable);
    EXPECT_FALSE(core.GetState().bComboEnabled);
    EXPECT_TRUE(core.GetState().strCells.isEmpty());
}

TEST_F(SizesPage, ChoosingATableSellsEverySizeUntilARunIsPicked)
{
    core.LoadSizes();
    core.SetHasTable(true);
    core.SelectTable(1);   // "Scarpe", second by name
    EXPECT_EQ(sizes, (TaglieProdotto{1, 0, 3}));
    core.SelectionChanged(1, 2);
    EXPECT_EQ(sizes, (TaglieProdotto{1, 1, 2}));
}

// Ticking the box alone must not tie the product to the table whose ID
// happens to be 1: the choice waits for a table.
TEST_F(SizesPage, TickingTheBoxAloneChoosesNoTable)
{
    sizes = {2, 0, 1};
    core.LoadSizes();
    core.SetHasTable(false);
    EXPECT_EQ(sizes, (TaglieProdotto{0, -1, -1}));
    core.SetHasTable(true);
    EXPECT_EQ(sizes.IDTabellaTaglie, 0);
    EXPECT_TRUE(core.GetState().bComboEnabled);
    EXPECT_EQ(core.GetState().nComboIndex, -1);
    core.SelectionChanged(0, 1);   // an empty matrix picks nothing
    EXPECT_EQ(sizes, (TaglieProdotto{0, -1, -1}));
}

TEST_F(SizesPage, BackFromTheTablesDialogTheChoiceStartsAgainOnTheNewTables)
{
    sizes = {2, 1, 2};
    core.LoadSizes();
    f.Db().Execute(QStringLiteral("INSERT INTO ValoriTaglie (ID, Descrizione, Valori) VALUES (3, 'Anelli', '10|12|')"));
    core.AfterTablesDialog();
    EXPECT_EQ(sizes.IDTabellaTaglie, 0);
    EXPECT_EQ(core.Entries().size(), 3);
    EXPECT_FALSE(core.GetState().bHasTable);
    // The product row itself is untouched: only the card's save writes it.
}

TEST_F(SizesPage, ARunBeyondAShrunkTableShowsEverySize)
{
    sizes = {1, 2, 7};
    core.LoadSizes();
    EXPECT_EQ(core.GetState().nSelStart, 0);
    EXPECT_EQ(core.GetState().nSelEnd, 3);
}

} // namespace
