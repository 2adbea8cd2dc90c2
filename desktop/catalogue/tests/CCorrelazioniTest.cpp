// "Correlazioni": the links of a product, article or banner with the five
// kinds of records, found and removed in both directions.

#include "desktop/catalogue/CCorrPickerCore.h"
#include "desktop/catalogue/CCorrelazioniCore.h"
#include "desktop/catalogue/CCorrelazioniDlg.h"
#include "desktop/catalogue/tests/CatalogueFixture.h"
#include "desktop/shell/controls/CCheckTreeCtrl.h"
#include "desktop/shell/controls/CGridCore.h"
#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CSelPickerDlg.h"

#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Core = CCorrelazioniCore;

// Products 7 (P7, base), 8 (P8, variant of 7) and 9 (P9, base, in
// category 1); category 1 "Sedie" with child 2 "Pieghevoli"; section 4;
// article 20 in section 4, article 21; banners 30 and 31.
class CorrelazioniTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        f.AddProduct(7, "P7", 1);
        f.AddProduct(8, "P8", 2);
        f.Db().Execute("UPDATE Prodotti SET IDProdottoBase=7 WHERE ID=8");
        f.AddProduct(9, "P9", 3);
        f.AddProductLanguage(1, 7, "it", 10, "Sedia");
        f.AddProductLanguage(2, 9, "it", 10, "Tavolo");
        f.AddCategory(1, 0, 1);
        f.AddCategory(2, 1, 1);
        f.AddCategoryName(1, "it", "Sedie");
        f.AddCategoryName(2, "it", "Pieghevoli");
        f.AddLink(1, 1, 9);
        f.Db().Execute("INSERT INTO Sezioni (ID, IDSezionePadre, Ordine) VALUES (4, 0, 1)");
        for (int id : {20, 21})
            f.Db().Execute("INSERT INTO Articoli (ID, Codice, Ordine) VALUES (?, ?, ?)", {id, QString::number(id), id});
        f.Db().Execute("INSERT INTO SezioniArticoli (ID, IDSezione, IDArticolo) VALUES (1, 4, 20)");
        for (int id : {30, 31})
            f.Db().Execute("INSERT INTO Banner (ID, Codice, Link) VALUES (?, ?, 'http://x')", {id, QString("B%1").arg(id)});
        f.ClearModified();
    }

    void Link(qint32 id, int kind1, qint32 id1, int kind2, qint32 id2)
    {
        f.Db().Execute("INSERT INTO Correlazioni (ID, Tipo1, ID1, Tipo2, ID2) VALUES (?, ?, ?, ?, ?)",
                       {id, kind1, id1, kind2, id2});
    }

    int Links() { return f.Scalar("SELECT COUNT(*) FROM Correlazioni").toInt(); }

    CatalogueFixture f;
    CMessageBoxScript boxes;
};

struct Direction
{
    const char* name;
    int kind;
    qint32 id;
    bool ownerFirst;   // how the stored row was written
};

class CorrelazioniBothWays : public CorrelazioniTest, public ::testing::WithParamInterface<Direction>
{
};

TEST_P(CorrelazioniBothWays, ALinkIsFoundAndRemovedFromEitherSide)
{
    const Direction& d = GetParam();
    if (d.ownerFirst)
        Link(5, Core::Prodotto, 7, d.kind, d.id);
    else
        Link(5, d.kind, d.id, Core::Prodotto, 7);
    Core core(f.Db(), Core::Prodotto, 7, "P7");
    EXPECT_TRUE(core.IsLinked(d.kind, d.id));
    EXPECT_FALSE(core.IsLinked(d.kind, d.id + 1));
    EXPECT_FALSE(core.Toggle(d.kind, d.id));
    EXPECT_EQ(Links(), 0);
    EXPECT_EQ(f.Scalar("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='Correlazioni' AND IDRecord=5").toInt(),
              1);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, CorrelazioniBothWays,
    ::testing::Values(Direction{"CategoryFromTheOwner", Core::Categoria, 1, true},
                      Direction{"CategoryFromTheOtherSide", Core::Categoria, 1, false},
                      Direction{"ProductFromTheOwner", Core::Prodotto, 9, true},
                      Direction{"ProductFromTheOtherSide", Core::Prodotto, 9, false},
                      Direction{"SectionFromTheOtherSide", Core::Sezione, 4, false},
                      Direction{"ArticleFromTheOwner", Core::Articolo, 20, true},
                      Direction{"BannerFromTheOtherSide", Core::Banner, 30, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CorrelazioniTest, ANewLinkCarriesTheOwnerOnSideOneAndIsFlagged)
{
    Link(4, Core::Articolo, 21, Core::Banner, 31);
    Core core(f.Db(), Core::Articolo, 20, "20");
    EXPECT_EQ(core.Caption(), "Correlazione articolo 20");
    EXPECT_TRUE(core.Toggle(Core::Sezione, 4));
    EXPECT_EQ(f.Scalar("SELECT ID || ':' || Tipo1 || '/' || ID1 || '-' || Tipo2 || '/' || ID2 || ' ' || Modificato "
                       "FROM Correlazioni WHERE ID<>4")
                  .toString(),
              "5:3/20-2/4 1");
    EXPECT_GT(f.Scalar("SELECT VersioneRecord FROM Correlazioni WHERE ID=5").toInt(), 0);
    core.SetLinked(Core::Sezione, 4, true);
    EXPECT_EQ(Links(), 2) << "an existing link is not doubled";
}

TEST_F(CorrelazioniTest, CaptionsAndTheBannerTab)
{
    EXPECT_EQ(Core(f.Db(), Core::Prodotto, 7, "P7").Caption(), "Correlazione prodotto P7");
    Core banner(f.Db(), Core::Banner, 30, "B30");
    EXPECT_EQ(banner.Caption(), "Correlazione banner B30");
    EXPECT_TRUE(banner.MayShowTab(Core::Articolo));
    EXPECT_FALSE(banner.MayShowTab(Core::Banner));
    EXPECT_EQ(boxes.LastText(), "Non è possibile la correlazione tra banner!");
    EXPECT_EQ(boxes.Shown().last().caption, "Correlazioni banner");
    EXPECT_TRUE(Core(f.Db(), Core::Prodotto, 7, "P7").MayShowTab(Core::Banner));
}

QVector<qint32> Shown(CGridCore& grid)
{
    QVector<qint32> ids;
    for (int row = 1; row < grid.GetRowCount(); ++row)
        ids << grid.GetRowData(row);
    return ids;
}

TEST_F(CorrelazioniTest, TheProductPickerOffersOtherBaseProductsAndTicksTheLinked)
{
    Link(5, Core::Prodotto, 9, Core::Articolo, 20);
    Core core(f.Db(), Core::Articolo, 20, "20");
    CGridCore grid;
    CCorrPickerCore picker(core, Core::Prodotto, grid, "it");
    picker.InitGrid();
    picker.ShowFirstPage();
    EXPECT_EQ(Shown(grid), (QVector<qint32>{7, 9})) << "no variants";
    EXPECT_EQ(grid.GetCellText(1, 1), "P7");
    EXPECT_EQ(grid.GetCellText(1, 2), "Sedia");
    EXPECT_EQ(grid.GetCellCheck(1, 0), 0);
    EXPECT_EQ(grid.GetCellCheck(2, 0), 1) << "linked from the other side";

    grid.SetCellCheck(1, 0, 1);
    picker.OnCellEnter({0, 0, 1, 0, QString()});
    EXPECT_TRUE(core.IsLinked(Core::Prodotto, 7));
    grid.SetCellCheck(2, 0, 0);
    picker.OnCellEnter({0, 0, 2, 0, QString()});
    EXPECT_FALSE(core.IsLinked(Core::Prodotto, 9));
    EXPECT_EQ(Links(), 1);

    picker.ChooseTreeItem(1);
    EXPECT_EQ(Shown(grid), QVector<qint32>{9}) << "the products of the chosen category";
    picker.ChooseView(2);
    EXPECT_EQ(grid.GetCellText(0, 1), "Descrizione breve");
}

TEST_F(CorrelazioniTest, APickerNeverOffersTheOwnerItself)
{
    Core product(f.Db(), Core::Prodotto, 7, "P7");
    CGridCore products;
    CCorrPickerCore productPicker(product, Core::Prodotto, products, "it");
    productPicker.InitGrid();
    productPicker.ShowFirstPage();
    EXPECT_EQ(Shown(products), QVector<qint32>{9});

    Core article(f.Db(), Core::Articolo, 20, "20");
    CGridCore articles;
    CCorrPickerCore articlePicker(article, Core::Articolo, articles, "it");
    articlePicker.InitGrid();
    articlePicker.ShowFirstPage();
    EXPECT_EQ(Shown(articles), QVector<qint32>{21});
    articlePicker.ChooseTreeItem(4);
    EXPECT_TRUE(Shown(articles).isEmpty()) << "section 4 holds only the owner";
}

TEST_F(CorrelazioniTest, TheDialogShowsFiveTabsAndWritesEveryTickAtOnce)
{
    Link(5, Core::Categoria, 2, Core::Prodotto, 7);
    CCorrelazioniDlg dialog(f.Db(), Core::Prodotto, 7, "P7", "it", "it");
    EXPECT_EQ(dialog.windowTitle(), "Correlazione prodotto P7");
    ASSERT_EQ(dialog.Tabs()->count(), 5);
    EXPECT_EQ(dialog.Tabs()->tabText(0), "  Categorie  ");
    EXPECT_EQ(dialog.Tabs()->tabText(4), "  Banner  ");

    CCheckTreeCtrl* tree = dialog.CategoryTree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* sedie = tree->topLevelItem(0);
    EXPECT_EQ(sedie->text(0), "Sedie");
    EXPECT_EQ(sedie->checkState(0), Qt::Unchecked);
    EXPECT_EQ(sedie->child(0)->checkState(0), Qt::Checked);
    sedie->setCheckState(0, Qt::Checked);
    EXPECT_TRUE(dialog.Core().IsLinked(Core::Categoria, 1));
    sedie->child(0)->setCheckState(0, Qt::Unchecked);
    EXPECT_FALSE(dialog.Core().IsLinked(Core::Categoria, 2));

    // A click on the box: the tree toggles it and the link follows, once.
    dialog.show();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->CheckBoxRect(sedie).center());
    EXPECT_EQ(sedie->checkState(0), Qt::Unchecked);
    EXPECT_FALSE(dialog.Core().IsLinked(Core::Categoria, 1));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->CheckBoxRect(sedie).center());
    EXPECT_EQ(sedie->checkState(0), Qt::Checked);
    EXPECT_TRUE(dialog.Core().IsLinked(Core::Categoria, 1));

    ASSERT_EQ(dialog.SectionTree()->topLevelItemCount(), 1);
    dialog.SectionTree()->topLevelItem(0)->setCheckState(0, Qt::Checked);
    EXPECT_TRUE(dialog.Core().IsLinked(Core::Sezione, 4));

    dialog.Tabs()->setCurrentIndex(4);
    EXPECT_EQ(dialog.Tabs()->currentIndex(), 4);
    EXPECT_EQ(dialog.Picker(Core::Banner)->Grid()->GetRowCount(), 3);
}

TEST_F(CorrelazioniTest, ABannersDialogRefusesTheBannerTab)
{
    CCorrelazioniDlg dialog(f.Db(), Core::Banner, 30, "B30", "it", "it");
    dialog.Tabs()->setCurrentIndex(3);
    dialog.Tabs()->setCurrentIndex(4);
    EXPECT_EQ(dialog.Tabs()->currentIndex(), 3);
    EXPECT_EQ(boxes.LastText(), "Non è possibile la correlazione tra banner!");
}

} // namespace
