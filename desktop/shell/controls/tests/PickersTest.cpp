#include "desktop/shell/controls/CFunzionalitaCore.h"
#include "desktop/shell/controls/CFunzionalitaDlg.h"
#include "desktop/shell/controls/CGridCore.h"
#include "desktop/shell/controls/CIDCategorieDlg.h"
#include "desktop/shell/controls/CRecordTree.h"
#include "desktop/shell/controls/CSelPickerCore.h"
#include "desktop/shell/controls/CSelPickerDlg.h"
#include "desktop/shell/controls/CTreePopupDlg.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "desktop/shell/controls/tests/ShopTestDb.h"
#include "platform/utilities/QtrCipher.h"
#include "recordset/CBannerSet.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

QStringList Texts(const QVector<TreeNode>& nodes, const QString& indent = QString())
{
    QStringList lines;
    for (const TreeNode& node : nodes) {
        lines << indent + node.text;
        lines << Texts(node.children, indent + QStringLiteral("  "));
    }
    return lines;
}

class RecordTreeTest : public ::testing::Test
{
protected:
    void Category(int id, int parent, int order, const QVector<std::pair<const char*, const char*>>& names)
    {
        shop.Row("Categorie", {{"ID", id}, {"IDCategoriaPadre", parent}, {"Ordine", order}});
        static int textId = 0;
        for (const auto& [language, name] : names)
            shop.Row("CategorieLingue",
                     {{"ID", ++textId}, {"IDCategoria", id}, {"CodiceLingua", language}, {"Nome", Encrypt(QString::fromUtf8(name))}});
    }

    ShopTestDb shop;
};

TEST_F(RecordTreeTest, CategoriesByOrderWithTheDefaultLanguageAsFallback)
{
    Category(1, 0, 2, {{"it", "Scarpe"}, {"en", "Shoes"}});
    Category(2, 0, 1, {{"it", "Borse"}});
    Category(3, 1, 1, {{"it", "Stivali"}, {"en", "Boots"}});

    EXPECT_EQ(Texts(CRecordTree::Categories(shop.Db(), "en", "it")),
              (QStringList{"Tutte le categorie", "Borse", "Shoes", "  Boots"}));
}

TEST_F(RecordTreeTest, SectionTreeStartsWithItsRoot)
{
    shop.Row("Sezioni", {{"ID", 4}, {"IDSezionePadre", 0}, {"Ordine", 1}});
    shop.Row("SezioniLingue", {{"ID", 1}, {"IDSezione", 4}, {"CodiceLingua", "it"}, {"Nome", Encrypt("Notizie")}});
    const QVector<TreeNode> nodes = CRecordTree::Sections(shop.Db(), "it", "it");
    EXPECT_EQ(Texts(nodes), (QStringList{"Tutte le sezioni", "Notizie"}));
    EXPECT_EQ(nodes.first().id, 0);
    EXPECT_EQ(nodes.at(1).id, 4);
}

TEST_F(RecordTreeTest, IdTreePutsACategoryWhoseParentComesLaterAtTheTop)
{
    Category(5, 0, 1, {{"it", "Casa"}});
    Category(6, 5, 1, {{"it", "Cucina"}});
    Category(9, 6, 1, {{"it", "Pentole"}});
    Category(8, 9, 1, {{"it", "Tegami"}});
    // Read by parent, then ID: 3 (parent 8) comes before 8 (parent 9).
    Category(3, 8, 1, {{"it", "Coperchi"}});

    EXPECT_EQ(Texts(CRecordTree::CategoryIds(shop.Db(), "it", "it")),
              (QStringList{"[5] - Casa", "  [6] - Cucina", "    [9] - Pentole", "      [8] - Tegami",
                           "[3] - Coperchi"}));

    CIDCategorieDlg dialog(shop.Db(), "it", "it");
    EXPECT_EQ(dialog.windowTitle(), "ID Categorie");
    EXPECT_EQ(dialog.Tree()->topLevelItemCount(), 2);
}

// ---- paging ----------------------------------------------------------------------

// A banner picker whose rows show code and link; ticks are recorded.
class BannerPicker : public CSelPickerCore
{
public:
    BannerPicker(CGridCore& grid, CDaoDatabase& db) : CSelPickerCore(PickerLayout::Banner(), grid), banners(&db)
    {
        banners.m_strSort = QStringLiteral("ID");
        banners.Open();
        SetRecordset(&banners);
    }

    void AddRecordRow(int index) override
    {
        const int row = Grid().AddRow(QStringLiteral("\t%1\t%2\t").arg(banners.m_Codice, banners.m_Link), index);
        Grid().SetRowData(row, banners.m_ID);
    }

    void OnCellEnter(const GridNotifyInfo& info) override { entered << Grid().GetRowData(info.toRow); }

    CBannerSet banners;
    QVector<qint32> entered;
};

class PagerTest : public ::testing::Test
{
protected:
    void Banners(int count)
    {
        for (int id = 1; id <= count; ++id)
            shop.Row("Banner", {{"ID", id}, {"Codice", QStringLiteral("B%1").arg(id)}});
    }

    QVector<qint32> Shown() const
    {
        QVector<qint32> ids;
        for (int row = 1; row < grid.GetRowCount(); ++row)
            ids << grid.GetRowData(row);
        return ids;
    }

    void Start()
    {
        picker = std::make_unique<BannerPicker>(grid, shop.Db());
        picker->InitGrid();
        picker->ShowFirstPage();
    }

    ShopTestDb shop;
    CGridCore grid;
    std::unique_ptr<BannerPicker> picker;
};

TEST_F(PagerTest, EmptyRecordSetShowsOnlyTheHeader)
{
    Start();
    EXPECT_EQ(grid.GetRowCount(), 1);
    EXPECT_EQ(grid.GetCellText(0, 1), "Codice");
    EXPECT_EQ(picker->Pager().PageDown(), 0);
    EXPECT_EQ(picker->Pager().LineUp(), 0);
}

TEST_F(PagerTest, LinesAndPagesMoveThroughTheRecords)
{
    Banners(20);
    Start();
    CRecordPager& pager = picker->Pager();
    EXPECT_EQ(Shown(), (QVector<qint32>{1, 2, 3, 4, 5, 6, 7, 8, 9}));

    EXPECT_EQ(pager.LineUp(), 0) << "already at the start";
    EXPECT_EQ(pager.LineDown(), 9 - 8);
    EXPECT_EQ(Shown().first(), 2);
    EXPECT_EQ(Shown().last(), 10);
    EXPECT_EQ(pager.LineUp(), 1);
    EXPECT_EQ(Shown().first(), 1);

    EXPECT_EQ(pager.PageDown(), 18 - 8) << "one past the last shown, less a page";
    EXPECT_EQ(Shown(), (QVector<qint32>{10, 11, 12, 13, 14, 15, 16, 17, 18}));
    EXPECT_EQ(pager.PageDown(), 20 - 9) << "the end was reached";
    EXPECT_EQ(Shown(), (QVector<qint32>{12, 13, 14, 15, 16, 17, 18, 19, 20}));
    EXPECT_EQ(pager.PageDown(), 0) << "at the last page";
    EXPECT_EQ(Shown().first(), 12);

    EXPECT_EQ(pager.PageUp(), 1 + 1) << "one before the first shown, plus one";
    EXPECT_EQ(Shown(), (QVector<qint32>{3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(pager.PageUp(), 1) << "the start was reached";
    EXPECT_EQ(Shown().first(), 1);
    EXPECT_EQ(Shown().size(), 9);
}

TEST_F(PagerTest, ThumbShowsThePageAtItsPosition)
{
    Banners(20);
    Start();
    EXPECT_EQ(picker->Pager().Thumb(6), 14 - 8);
    EXPECT_EQ(Shown(), (QVector<qint32>{6, 7, 8, 9, 10, 11, 12, 13, 14}));
    EXPECT_EQ(picker->Pager().Thumb(40), 0);
    EXPECT_EQ(Shown().first(), 6);
}

// A product picker over a filter the test can watch.
class FilterWatcher : public CSelPickerCore
{
public:
    using CSelPickerCore::CSelPickerCore;
    void ApplyFilter(bool filtered, qint32 id) override { calls << std::make_pair(filtered, id); }
    QVector<std::pair<bool, qint32>> calls;
};

TEST(SelPicker, TreeChoiceAndViewChoice)
{
    CGridCore grid;
    FilterWatcher picker(PickerLayout::Prodotti(), grid);
    picker.InitGrid();
    EXPECT_EQ(grid.GetColumnCount(), 3);
    EXPECT_TRUE(grid.GetFixedFirstRow());

    picker.ChooseTreeItem(8);
    picker.ChooseTreeItem(0);
    EXPECT_EQ(picker.calls, (QVector<std::pair<bool, qint32>>{{true, 8}, {false, 0}}));
    EXPECT_FALSE(picker.IsFiltered()) << "the root removes the filter";

    picker.ChooseView(2);
    EXPECT_EQ(picker.ViewIndex(), 2);
    EXPECT_EQ(grid.GetCellText(0, 1), "Descrizione breve");
}

TEST(SelPicker, PageShowsTheTreeAndForwardsTheChoice)
{
    ShopTestDb shop;
    shop.Row("Categorie", {{"ID", 3}, {"IDCategoriaPadre", 0}, {"Ordine", 1}});
    shop.Row("CategorieLingue", {{"ID", 1}, {"IDCategoria", 3}, {"CodiceLingua", "it"}, {"Nome", Encrypt("Scarpe")}});
    FilterWatcher* core = nullptr;
    CSelProdottiDlg page(
        [&core](CGridCore& grid) {
            auto made = std::make_unique<FilterWatcher>(PickerLayout::Prodotti(), grid);
            core = made.get();
            return made;
        },
        &shop.Db(), "it", "it");
    EXPECT_EQ(page.FilterEdit()->text(), "Tutte le categorie");
    EXPECT_EQ(page.ViewCombo()->count(), 4);
    QTreeWidget* tree = page.TreePopup()->Tree();
    ASSERT_EQ(tree->topLevelItemCount(), 2);

    page.show();
    page.TreePopup()->ShowOver(page.FilterEdit());
    tree->setCurrentItem(tree->topLevelItem(1));
    EXPECT_EQ(page.FilterEdit()->text(), "Scarpe");
    ASSERT_NE(core, nullptr);
    EXPECT_EQ(core->calls.value(0), std::make_pair(true, 3));
}

// ---- feature chooser ----------------------------------------------------------------

class FeatureChooserTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        shop.Row("CategorieCodiciASP", {{"ID", 1}, {"Nome", "Catalogo"}, {"Descrizione", "Vetrina"}, {"Ordine", 2}});
        shop.Row("CategorieCodiciASP", {{"ID", 2}, {"Nome", "Vuota"}, {"Descrizione", "Niente"}, {"Ordine", 1}});
        shop.Row("CodiceASP", {{"ID", 10}, {"IDCategoria", 1}, {"Nome", "Offerte"}, {"Descrizione", "Le offerte"}, {"Ordine", 1}});
        shop.Row("CodiceASP", {{"ID", 11}, {"IDCategoria", 1}, {"Nome", "Novità"}, {"Descrizione", "Le novità"}, {"Ordine", 2}});
    }

    ShopTestDb shop;
};

TEST_F(FeatureChooserTest, CategoriesFeaturesAndTheAddButton)
{
    CFunzionalitaCore core(shop.Db());
    ASSERT_EQ(core.Categories().size(), 2);
    EXPECT_EQ(core.Categories().first().name, "Vuota") << "by Ordine";

    core.SelectCategory(2);
    EXPECT_TRUE(core.Features().isEmpty());
    EXPECT_FALSE(core.CanAdd());
    EXPECT_EQ(core.Description(), "Niente");

    core.SelectCategory(1);
    ASSERT_EQ(core.Features().size(), 2);
    core.SelectFeature(11);
    EXPECT_EQ(core.Description(), "Le novità");
    EXPECT_TRUE(core.CanAdd());
    EXPECT_EQ(core.Result(), 11);

    core.SelectCategory(2);
    EXPECT_FALSE(core.CanAdd()) << "another category disables Aggiungi again";
    EXPECT_EQ(core.Result(), 0);
}

TEST_F(FeatureChooserTest, DialogEndsWithTheChosenFeature)
{
    CFunzionalitaDlg dialog(shop.Db());
    EXPECT_EQ(dialog.windowTitle(), "Funzionalità");
    EXPECT_FALSE(dialog.AddButton()->isEnabled());
    dialog.CategoryList()->setCurrentRow(1);
    EXPECT_EQ(dialog.FeatureList()->count(), 2);
    EXPECT_EQ(dialog.DescriptionEdit()->text(), "Vetrina");
    dialog.FeatureList()->setCurrentRow(0);
    EXPECT_TRUE(dialog.AddButton()->isEnabled());
    dialog.AddButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetResult(), 10);
}

} // namespace
