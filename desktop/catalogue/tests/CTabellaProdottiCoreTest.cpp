#include "desktop/catalogue/CTabellaProdottiCore.h"
#include "desktop/catalogue/tests/CatalogueFixture.h"
#include "recordset/CProdottiLingueSet.h"

#include <gtest/gtest.h>

namespace {

// Fourteen products P1..P14 in display order 10, 20, ... 140, each with an
// "it" row (price 10 x its number); P1 also has an "en" row (price 7).
// Category 5 links P2, P4 and P6. The editing language is "en", the
// default "it".
class TabellaProdottiTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        f.AddLanguage(2, QStringLiteral("en"));
        f.AddCategory(5);
        for (int i = 1; i <= 14; ++i) {
            f.AddProduct(i, QStringLiteral("P%1").arg(i), i * 10);
            f.AddProductLanguage(100 + i, i, QStringLiteral("it"), i * 10.0, QStringLiteral("Nome %1").arg(i));
        }
        f.AddProductLanguage(200, 1, QStringLiteral("en"), 7.0, QStringLiteral("Name 1"));
        f.AddLink(1, 5, 2);
        f.AddLink(2, 5, 4);
        f.AddLink(3, 5, 6);
        f.ClearModified();
        core.SetLanguages(QStringLiteral("en"), QStringLiteral("it"));
        core.Start();
    }

    void Enter(int row, int col = 2)
    {
        GridNotifyInfo info{-1, -1, row, col, {}};
        grid.SetCurCell(row, col);
        core.CellEnter(info);
    }

    int Leave(int toRow, int toCol = 2)
    {
        GridNotifyInfo info{core.CurRow(), core.CurCol(), toRow, toCol, {}};
        return core.CellLeave(info);
    }

    double Price(qint32 product, const QString& language, const char* column = "Prezzo")
    {
        return f.Scalar(QStringLiteral("SELECT %1 FROM ProdottiLingue WHERE IDProdotto=? AND CodiceLingua=?")
                            .arg(QLatin1String(column)),
                        {product, language})
            .toDouble();
    }

    void BlockSaves()
    {
        f.Db().Execute(QStringLiteral("CREATE TRIGGER nosave BEFORE UPDATE ON ProdottiLingue "
                                      "BEGIN SELECT RAISE(ABORT, 'bloccato'); END"));
    }

    CatalogueFixture f;
    CGridCore grid;
    CTabellaProdottiCore core{f.Db(), grid};
};

TEST_F(TabellaProdottiTest, FirstPageShowsTwelveProductsInTheEditingLanguageOrElseTheDefault)
{
    ASSERT_EQ(grid.GetRowCount(), 13);
    EXPECT_EQ(grid.GetCellText(0, 1), QStringLiteral("Nome"));
    EXPECT_EQ(grid.GetCellText(1, 0), QStringLiteral("P1"));
    EXPECT_EQ(grid.GetCellText(1, 1), QStringLiteral("Name 1"));
    EXPECT_DOUBLE_EQ(grid.GetCellDouble(1, 2), 7.0);
    EXPECT_EQ(grid.GetCellText(2, 1), QStringLiteral("Nome 2"));
    EXPECT_DOUBLE_EQ(grid.GetCellDouble(2, 2), 20.0);
    EXPECT_EQ(grid.GetCellText(12, 0), QStringLiteral("P12"));
    EXPECT_EQ(grid.GetRowData(12), 12);
    EXPECT_EQ(grid.GetVBar().max, 14);
}

struct PriceCase
{
    const char* name;
    qint32 product;
    int row;
};

class TabellaPrezziTest : public TabellaProdottiTest, public ::testing::WithParamInterface<PriceCase>
{
};

// Prices go into the row of the language shown, made when missing; the
// default language's row (another currency) keeps its prices.
TEST_P(TabellaPrezziTest, PricesGoIntoTheEditingLanguageRowOnly)
{
    const PriceCase& c = GetParam();
    const double before = Price(c.product, QStringLiteral("it"));
    Enter(c.row);
    grid.SetCellDouble(c.row, 2, 12.5);
    grid.SetCellDouble(c.row, 5, 99.99);
    EXPECT_TRUE(core.IsRowModified());
    ASSERT_TRUE(core.SaveRow()) << core.Error().toStdString();
    EXPECT_FALSE(core.IsRowModified());
    EXPECT_DOUBLE_EQ(Price(c.product, QStringLiteral("en")), 12.5);
    EXPECT_DOUBLE_EQ(Price(c.product, QStringLiteral("en"), "Prezzo4"), 99.99);
    EXPECT_DOUBLE_EQ(Price(c.product, QStringLiteral("it")), before);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue WHERE IDProdotto=? AND CodiceLingua='en'"),
                       {c.product})
                  .toInt(),
              1);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT Modificato FROM ProdottiLingue WHERE IDProdotto=? AND CodiceLingua='en'"),
                       {c.product})
                  .toInt(),
              1);
}

INSTANTIATE_TEST_SUITE_P(Rows, TabellaPrezziTest,
    ::testing::Values(PriceCase{"ExistingLanguageRow", 1, 1}, PriceCase{"MissingLanguageRowIsMade", 3, 3}),
    [](const ::testing::TestParamInfo<PriceCase>& info) { return std::string(info.param.name); });

TEST_F(TabellaProdottiTest, MadeLanguageRowTakesTheDefaultTexts)
{
    Enter(3);
    grid.SetCellDouble(3, 2, 5.0);
    ASSERT_TRUE(core.SaveRow());
    CProdottiLingueSet rows(&f.Db());
    rows.m_strFilter = QStringLiteral("IDProdotto=3 AND CodiceLingua='en'");
    rows.Open();
    ASSERT_FALSE(rows.IsEOF());
    EXPECT_EQ(rows.m_Nome, QStringLiteral("Nome 3"));
    EXPECT_LT(rows.m_ID, 1000000000);
    EXPECT_GT(rows.m_ID, 200);
}

TEST_F(TabellaProdottiTest, LeavingTheRowSavesAndAnotherCellOfTheRowDoesNot)
{
    Enter(2);
    grid.SetCellDouble(2, 3, 33.0);
    EXPECT_EQ(Leave(2, 4), 0);
    EXPECT_DOUBLE_EQ(Price(2, QStringLiteral("en"), "Prezzo2"), 0.0);
    Enter(2, 4);
    EXPECT_EQ(Leave(5), 0);
    EXPECT_DOUBLE_EQ(Price(2, QStringLiteral("en"), "Prezzo2"), 33.0);
}

TEST_F(TabellaProdottiTest, FailedSaveKeepsTheCursorOnTheRow)
{
    BlockSaves();
    Enter(1);
    grid.SetCellDouble(1, 2, 8.0);
    EXPECT_NE(Leave(4), 0);
    EXPECT_FALSE(core.Error().isEmpty());
    EXPECT_TRUE(core.IsRowModified());   // the typed price stays for another try
    EXPECT_DOUBLE_EQ(Price(1, QStringLiteral("en")), 7.0);
}

TEST_F(TabellaProdottiTest, PagingSavesTheRowFirst)
{
    Enter(2);
    grid.SetCellDouble(2, 2, 21.0);
    EXPECT_EQ(core.Paging(CGridCore::MsgPageDown, 0), 3);   // 14 products: the last page starts at P3
    EXPECT_DOUBLE_EQ(Price(2, QStringLiteral("en")), 21.0);
    EXPECT_EQ(grid.GetCellText(1, 0), QStringLiteral("P3"));
    EXPECT_EQ(core.CurRow(), -1);
}

TEST_F(TabellaProdottiTest, FailedSaveRefusesThePage)
{
    BlockSaves();
    Enter(1);
    grid.SetCellDouble(1, 2, 8.0);
    EXPECT_EQ(core.Paging(CGridCore::MsgLineDown, 0), 0);
    EXPECT_EQ(core.FirstShown(), 0);
    EXPECT_EQ(core.CurRow(), 1);
    EXPECT_TRUE(core.IsRowModified());
}

struct PageCase
{
    const char* name;
    int startFirst;   // first product shown before (0-based)
    CGridCore::PagingMessage message;
    int position;
    int answer;       // 0: no move
    const char* firstCode;
};

class TabellaPagingTest : public TabellaProdottiTest, public ::testing::WithParamInterface<PageCase>
{
};

TEST_P(TabellaPagingTest, PagesMoveWithinTheList)
{
    const PageCase& c = GetParam();
    if (c.startFirst > 0)
        core.Paging(CGridCore::MsgThumb, c.startFirst + 1);
    EXPECT_EQ(core.Paging(c.message, c.position), c.answer);
    EXPECT_EQ(grid.GetCellText(1, 0), QString::fromLatin1(c.firstCode));
    EXPECT_EQ(grid.GetRowCount(), 13);
}

INSTANTIATE_TEST_SUITE_P(Pages, TabellaPagingTest,
    ::testing::Values(PageCase{"LineDown", 0, CGridCore::MsgLineDown, 0, 2, "P2"},
                      PageCase{"LineUpAtTheTop", 0, CGridCore::MsgLineUp, 0, 0, "P1"},
                      PageCase{"LineDownAtTheEnd", 2, CGridCore::MsgLineDown, 0, 0, "P3"},
                      PageCase{"PageUpFromTheEnd", 2, CGridCore::MsgPageUp, 0, 1, "P1"},
                      PageCase{"ThumbClampedToTheLastPage", 0, CGridCore::MsgThumb, 14, 3, "P3"}),
    [](const ::testing::TestParamInfo<PageCase>& info) { return std::string(info.param.name); });

TEST_F(TabellaProdottiTest, MoveTradesOrderWithTheNeighbourOfTheCategoryShown)
{
    core.ChooseCategory(5);
    ASSERT_EQ(grid.GetRowCount(), 4);
    Enter(2);   // P4, between P2 and P6
    EXPECT_TRUE(core.CanMoveUp());
    ASSERT_TRUE(core.MoveUp());
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT Ordine FROM Prodotti WHERE ID=4")).toInt(), 20);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT Ordine FROM Prodotti WHERE ID=2")).toInt(), 40);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT Ordine FROM Prodotti WHERE ID=3")).toInt(), 30);
    EXPECT_EQ(grid.GetCellText(1, 0), QStringLiteral("P4"));
    EXPECT_EQ(core.CurRow(), 1);
    EXPECT_EQ(grid.GetCurRow(), 1);
    EXPECT_FALSE(core.CanMoveUp());
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT Modificato FROM Prodotti WHERE ID=2")).toInt(), 1);
}

TEST_F(TabellaProdottiTest, FirstCannotMoveUpAndLastCannotMoveDown)
{
    Enter(1);
    EXPECT_FALSE(core.CanMoveUp());
    EXPECT_TRUE(core.CanMoveDown());
    core.Paging(CGridCore::MsgThumb, 3);
    Enter(12);   // P14
    EXPECT_TRUE(core.CanMoveUp());
    EXPECT_FALSE(core.CanMoveDown());
    EXPECT_FALSE(core.MoveDown());
}

TEST_F(TabellaProdottiTest, MoveUpFromTheFirstRowOfAPageScrollsOneLine)
{
    core.Paging(CGridCore::MsgLineDown, 0);   // P2 on row 1
    Enter(1, 3);
    ASSERT_TRUE(core.MoveUp());
    EXPECT_EQ(core.FirstShown(), 0);
    EXPECT_EQ(grid.GetCellText(1, 0), QStringLiteral("P2"));
    EXPECT_EQ(grid.GetCellText(2, 0), QStringLiteral("P1"));
    EXPECT_EQ(core.CurRow(), 1);
    EXPECT_EQ(core.CurCol(), 3);
}

TEST_F(TabellaProdottiTest, DescriptionChoiceChangesTheColumn)
{
    core.ChooseDescription(CTabellaProdottiCore::DescrizioneBreve);
    EXPECT_EQ(grid.GetCellText(0, 1), QStringLiteral("Descrizione breve"));
    EXPECT_EQ(grid.GetCellText(2, 1), QString());
}

} // namespace

// A move across the page edge shows another page: the scroll bar must
// follow it, or the next paging step starts from the old page.
TEST_F(TabellaProdottiTest, MoveAcrossThePageEdgeMovesTheScrollBar)
{
    EXPECT_EQ(grid.GetVBar().min, 1);
    Enter(CTabellaProdottiCore::kRowsPerPage);
    ASSERT_TRUE(core.MoveDown());
    EXPECT_EQ(core.FirstShown(), 1);
    EXPECT_EQ(grid.GetVBar().min, core.FirstShown() + 1);
}
