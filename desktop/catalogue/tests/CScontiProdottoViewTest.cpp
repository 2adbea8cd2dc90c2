#include "desktop/catalogue/CScontiProdottoView.h"
#include "desktop/catalogue/tests/CatalogueFixture.h"
#include "desktop/shell/controls/CCheckTreeCtrl.h"
#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

// The widget's part: ticks through the tree, the terms loaded when an
// item becomes current and saved silently when the entry changes, the
// percent refused as the field is left. Customers 10 and 11, category 1.
class ScontiViewWidgetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        f.Db().Execute(QStringLiteral("INSERT INTO Clienti (ID, Nome, Cognome, RagioneSociale, TipoUtente) "
                                      "VALUES (10, 'Mario', 'Rossi', '', 1), (11, 'Anna', 'Bianchi', '', 1)"));
        f.AddCategory(1, 0, 1);
        f.AddCategoryName(1, QStringLiteral("it"), QStringLiteral("Sedie"));
        f.AddProduct(7, QStringLiteral("P7"));
        view = std::make_unique<CScontiProdottoView>(f.Db(), QStringLiteral("it"), QStringLiteral("it"));
    }

    QString Stored(const char* column)
    {
        return f.Scalar(QStringLiteral("SELECT ") + column + QStringLiteral(" FROM ScontiProdotto WHERE IDUtente=10"))
            .toString();
    }

    CMessageBoxScript boxes;
    CatalogueFixture f;
    std::unique_ptr<CScontiProdottoView> view;
};

TEST_F(ScontiViewWidgetTest, TickEditAndLeaveSavesTheTerms)
{
    EXPECT_EQ(view->Tree()->topLevelItemCount(), 0) << "no entry: empty tree";
    view->List()->setCurrentRow(0);
    ASSERT_EQ(view->Tree()->topLevelItemCount(), 1);
    QTreeWidgetItem* sedie = view->Tree()->topLevelItem(0);
    emit view->Tree()->UM_TREE_STATE_CLICK(sedie);
    EXPECT_EQ(sedie->checkState(0), Qt::Checked);
    view->Tree()->setCurrentItem(sedie);
    EXPECT_TRUE(view->Page(0)->isEnabled());
    EXPECT_FALSE(view->DefaultPriceRadio()->isVisibleTo(view.get())) << "no promotional price for categories";

    view->DefaultPercent()->SetValue(QStringLiteral("10+5"));
    view->PeriodFrom()->SetValue(QDateTime(QDate(2026, 3, 1), QTime()));
    EXPECT_TRUE(view->IsRecordModified());
    view->List()->setCurrentRow(1);
    EXPECT_EQ(Stored("ScontoPredefinito"), "10+5");
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT ValiditaDal FROM ScontiProdotto")).toDateTime().date(), QDate(2026, 3, 1));
    EXPECT_TRUE(f.Scalar(QStringLiteral("SELECT ValiditaAl FROM ScontiProdotto")).isNull());
    EXPECT_FALSE(view->Page(0)->isEnabled());

    // Back on the first customer, the category shows its terms; unticking deletes the row.
    view->List()->setCurrentRow(0);
    view->Tree()->setCurrentItem(view->Tree()->topLevelItem(0));
    QString shown;
    view->DefaultPercent()->GetValue(shown);
    EXPECT_EQ(shown, "10+5");
    QDateTime from;
    view->PeriodFrom()->GetValue(from);
    EXPECT_EQ(from.date(), QDate(2026, 3, 1));
    EXPECT_FALSE(view->IsRecordModified()) << "as loaded";
    emit view->Tree()->UM_TREE_STATE_CLICK(view->Tree()->topLevelItem(0));
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT COUNT(*) FROM ScontiProdotto")).toInt(), 0);
    EXPECT_FALSE(view->Page(0)->isEnabled());
}

TEST_F(ScontiViewWidgetTest, RefusesAPercentAsTheFieldIsLeft)
{
    view->DefaultPercent()->SetValue(QStringLiteral("150"));
    emit view->DefaultPercent()->editingFinished();
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_TRUE(boxes.LastText().startsWith(QStringLiteral("Percentuale non corretta")));
    boxes.Clear();
    view->DefaultPercent()->SetValue(QStringLiteral("7,5"));
    emit view->DefaultPercent()->editingFinished();
    EXPECT_TRUE(boxes.Shown().isEmpty());
}

TEST_F(ScontiViewWidgetTest, ProductsPageAddsTheQuantityTabAndThePrice)
{
    view->List()->setCurrentRow(0);
    EXPECT_EQ(view->LowerTabs()->count(), 2);
    view->UpperTabs()->setCurrentIndex(1);
    EXPECT_EQ(view->LowerTabs()->count(), 3);
    EXPECT_TRUE(view->DefaultPriceRadio()->isVisibleTo(view.get()));
    // A ticked product row entered makes its discount row and enables the pages.
    ASSERT_EQ(view->ProductGrid()->GetRowCount(), 2);
    view->resize(800, 560);
    view->show();
    view->ProductGrid()->Click(view->ProductGrid()->CheckBoxRect(1, 0).center());
    EXPECT_EQ(view->ProductGrid()->GetCellCheck(1, 0), 1);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT IDCategoria || '/' || IDProdotto FROM ScontiProdotto")).toString(), "0/7");
    ASSERT_TRUE(view->Page(0)->isEnabled());
    view->DefaultPercent()->SetValue(QStringLiteral("10"));
    view->DefaultPriceRadio()->click();
    QString percent;
    view->DefaultPercent()->GetValue(percent);
    EXPECT_TRUE(percent.isEmpty()) << "the price blanks the percent";
    EXPECT_FALSE(view->DefaultPercent()->isEnabled());
    view->UpperTabs()->setCurrentIndex(0);
    EXPECT_EQ(view->LowerTabs()->count(), 2);
}

// The shop takes a quantity step up to its quantity: the grid names its
// quantities as limits and says which step decides.
TEST_F(ScontiViewWidgetTest, TheQuantityStepsAreLabelledAsLimits)
{
    EXPECT_EQ(view->StepsGrid()->GetCellText(0, 0), "Fino a");
    EXPECT_TRUE(view->StepsNote()->text().contains("fino alla sua quantità compresa"));
    EXPECT_TRUE(view->StepsNote()->text().contains("prima riga"));
}

} // namespace

namespace {

// The product grid shows four products at a time; the paging messages
// move by one or four, the thumb to a place, and stop at either end.
TEST_F(ScontiViewWidgetTest, ProductGridPagesFourAtATime)
{
    for (qint32 id = 20; id < 26; ++id)
        f.AddProduct(id, QStringLiteral("Q%1").arg(id));
    view->List()->setCurrentRow(0);
    view->Core().SetTick(CScontiProdottoViewCore::ProductItem, 22, true);
    view->UpperTabs()->setCurrentIndex(1);
    CGridCtrl* grid = view->ProductGrid();
    auto firstShown = [grid] { return grid->GetRowData(1); };
    ASSERT_EQ(grid->GetRowCount(), 5) << "header and four products";
    EXPECT_EQ(firstShown(), 7);
    int result = -1;
    emit grid->UM_GRID_LINE_DOWN(&result);
    EXPECT_EQ(result, 2);
    EXPECT_EQ(firstShown(), 20);
    EXPECT_EQ(grid->GetCellCheck(3, 0), 1) << "product 22 is ticked";
    emit grid->UM_GRID_PAGE_DOWN(&result);
    EXPECT_EQ(result, 4) << "seven products: the last page starts at the fourth";
    EXPECT_EQ(firstShown(), 22);
    emit grid->UM_GRID_PAGE_DOWN(&result);
    EXPECT_EQ(result, 0) << "at the end nothing moves";
    emit grid->UM_GRID_THUMB(1, &result);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(firstShown(), 7);
    emit grid->UM_GRID_LINE_UP(&result);
    EXPECT_EQ(result, 0);
}

} // namespace
