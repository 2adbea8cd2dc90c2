// The orders view as the merchant uses it: record buttons, a shipped
// quantity typed into the lines grid, the state page, the frame's close.

#include "desktop/orders/COrdineClienteDlg.h"
#include "desktop/orders/COrdineStatoDlg.h"
#include "desktop/orders/COrdiniView.h"
#include "desktop/orders/COrdiniViewCore.h"
#include "desktop/orders/testing/OrdersFixture.h"
#include "desktop/shell/app/CCloseProtocol.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QComboBox>

#include <gtest/gtest.h>

namespace {

class OrdiniViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        view = std::make_unique<COrdiniView>(f.Db(), f.Folder(), QStringLiteral("it"));
        view->Lines()->SetClientSize(QSize(700, 200));
    }
    QVariant Order(const QString& column, qint32 id = OrdersFixture::kFirst)
    {
        return f.Value(QStringLiteral("SELECT ") + column + QStringLiteral(" FROM Ordini WHERE ID=?"), {id});
    }

    OrdersFixture f;
    CMessageBoxScript boxes;
    std::unique_ptr<COrdiniView> view;
};

TEST_F(OrdiniViewTest, RecordButtonsFollowThePosition)
{
    EXPECT_FALSE(view->IsViewCommandEnabled(ID_RECORD_PREV));
    EXPECT_TRUE(view->IsViewCommandEnabled(ID_RECORD_LAST));
    view->OnViewCommand(ID_RECORD_LAST);
    EXPECT_EQ(view->Core().CurrentID(), OrdersFixture::kThird);
    EXPECT_FALSE(view->IsViewCommandEnabled(ID_RECORD_NEXT));
    EXPECT_TRUE(view->IsViewCommandEnabled(ID_RECORD_FIRST));
    // The invoiced order's shipped quantities are text, not edits.
    EXPECT_EQ(view->Lines()->GetCell(1, 6)->kind, GridCell::TextKind);
}

TEST_F(OrdiniViewTest, AShippedQuantityTypedInTheGridIsWrittenOnLeaving)
{
    CGridCtrl* grid = view->Lines();
    grid->SetCurCell(1, 6);
    ASSERT_TRUE(grid->IsEditing());
    grid->Editor().SetText(QStringLiteral("2"));
    grid->Click(grid->CellRect(2, 6).center());
    EXPECT_EQ(grid->GetCurRow(), 2);
    EXPECT_EQ(f.Value(QStringLiteral("SELECT QuantitaEvasa FROM OrdiniDettaglio WHERE ID=1")).toDouble(), 2.0);
    EXPECT_EQ(grid->GetCellText(1, 7), QStringLiteral("20.00"));
}

TEST_F(OrdiniViewTest, AStateAddedOnThePageIsSavedWhenTheFrameCloses)
{
    COrdineStatoDlg* page = view->StatePage();
    page->Combo()->setCurrentIndex(page->Combo()->findText(QStringLiteral("Spedito")));
    page->AddState();
    page->FreeText()->SetValue(QStringLiteral("Reso | parziale"));
    page->AddState();
    view->CustomerPage()->Field(1)->SetValue(QStringLiteral("Mariano"));
    EXPECT_TRUE(view->IsRecordModified());
    EXPECT_TRUE(CCloseProtocol(nullptr, [] { return true; }).MayClose(*view));
    const auto entries = COrdineStati::Parse(Order(QStringLiteral("Stati")).toString());
    ASSERT_EQ(entries.size(), 4);
    // The predefined state in the order's language; the typed bar replaced.
    EXPECT_EQ(entries.at(2).strStato, QStringLiteral("Shipped"));
    EXPECT_EQ(entries.at(3).strStato, QStringLiteral("Reso / parziale"));
    EXPECT_EQ(Order(QStringLiteral("Nome")).toString(), QStringLiteral("Mariano"));
    EXPECT_TRUE(boxes.Shown().isEmpty());
}

TEST_F(OrdiniViewTest, IssuingTheInvoiceLocksTheOrder)
{
    EXPECT_TRUE(view->IsViewCommandEnabled(ID_EMETTI_FATTURA));
    EXPECT_FALSE(view->IsViewCommandEnabled(ID_CANCELLA_FATTURA));
    view->OnViewCommand(ID_EMETTI_FATTURA);
    EXPECT_GT(Order(QStringLiteral("NumeroFattura")).toInt(), 0);
    EXPECT_FALSE(view->IsViewCommandEnabled(ID_EMETTI_FATTURA));
    EXPECT_EQ(view->Lines()->GetCell(1, 6)->kind, GridCell::TextKind);
    EXPECT_TRUE(view->CustomerPage()->Field(0)->isReadOnly());
}

} // namespace
