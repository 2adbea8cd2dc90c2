// The orders view as the merchant uses it: record buttons, a shipped
// quantity typed into the lines grid, the state page, the frame's close.

#include "desktop/orders/COrdineClienteDlg.h"
#include "desktop/orders/COrdineGeneraleDlg.h"
#include "desktop/orders/COrdineStatoDlg.h"
#include "desktop/orders/COrdiniView.h"
#include "desktop/orders/COrdiniViewCore.h"
#include "desktop/orders/testing/OrdersFixture.h"
#include "desktop/shell/app/CCloseProtocol.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include "desktop/shell/controls/CNumberText.h"

#include <QComboBox>
#include <QTest>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QFile>
#include <QPdfWriter>
#include <QProcess>

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
    EXPECT_EQ(grid->GetCellText(1, 7), QStringLiteral("20,00"));
}

// Prices, line amounts and totals in the merchant's region, as every
// number of the desk: an Italian desk writes "10,00".
TEST_F(OrdiniViewTest, AmountsAreShownInTheMerchantsRegion)
{
    const QLocale before = CNumberText::Region();
    f.Db().Execute(QStringLiteral("UPDATE OrdiniDettaglio SET QuantitaEvasa=Quantita"));
    for (const auto& [region, price, amount, total] :
         std::vector<std::tuple<QLocale, QString, QString, QString>>{
             {QLocale(QLocale::Italian, QLocale::Italy), "10,00", "20,00", "39,60"},
             {QLocale(QLocale::English, QLocale::UnitedKingdom), "10.00", "20.00", "39.60"}}) {
        CNumberText::SetRegion(region);
        COrdiniView shown(f.Db(), f.Folder(), QStringLiteral("it"));
        EXPECT_EQ(shown.Lines()->GetCellText(1, 4), price) << region.name().toStdString();
        EXPECT_EQ(shown.Lines()->GetCellText(1, 7), amount) << region.name().toStdString();
        EXPECT_EQ(shown.OrderTotal()->text(), total) << region.name().toStdString();
    }
    CNumberText::SetRegion(before);
}

TEST_F(OrdiniViewTest, AStateAddedOnThePageIsSavedWhenTheFrameCloses)
{
    COrdineStatoDlg* page = view->StatePage();
    // The customer has a mobile number: each state added by hand offers
    // the SMS notice, declined here.
    boxes.Answer(QMessageBox::No);
    boxes.Answer(QMessageBox::No);
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
    ASSERT_EQ(boxes.Shown().size(), 2);
    for (const CMessageBox::Request& box : boxes.Shown()) {
        EXPECT_EQ(box.text, QStringLiteral("Vuoi inviare notifica SMS ?"));
        EXPECT_EQ(box.caption, QStringLiteral("Notifica nuovo stato"));
    }
}

TEST_F(OrdiniViewTest, ACustomerWithoutAMobileNumberIsOfferedNoSms)
{
    f.Db().Execute(QStringLiteral("UPDATE Clienti SET Cellulare='' WHERE ID=10"));
    COrdiniView shown(f.Db(), f.Folder(), QStringLiteral("it"));
    shown.StatePage()->FreeText()->SetValue(QStringLiteral("Imballato"));
    shown.StatePage()->AddState();
    EXPECT_EQ(shown.StatePage()->Entries().size(), 3);
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

namespace {

class OrdiniPrintTest : public OrdiniViewTest
{
protected:
    void SetUp() override
    {
        f.Db().Execute(QStringLiteral("UPDATE Ordini SET NumeroFattura=5, DataFattura='2024-03-12 09:00:00' WHERE ID=?"),
                       {OrdersFixture::kFirst});
        OrdiniViewTest::SetUp();
        view->m_chooseDocuments = [this](bool* fattura, bool* etichetta) {
            *fattura = tickInvoice;
            *etichetta = tickLabel;
            return !cancelDocuments;
        };
        view->m_choosePrinter = [this]() -> std::unique_ptr<QPagedPaintDevice> {
            ++printerAsked;
            if (cancelPrinter)
                return nullptr;
            auto writer = std::make_unique<QPdfWriter>(f.Folder() + QStringLiteral("out.pdf"));
            writer->setPageSize(QPageSize(QPageSize::A4));
            return writer;
        };
    }
    int Pages()
    {
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {f.Folder() + QStringLiteral("out.pdf")});
        info.waitForFinished();
        const QString text = QString::fromUtf8(info.readAllStandardOutput());
        const qsizetype at = text.indexOf(QStringLiteral("Pages:"));
        return at < 0 ? 0 : text.mid(at + 6).trimmed().section(QLatin1Char('\n'), 0, 0).toInt();
    }

    bool tickInvoice = true, tickLabel = true, cancelDocuments = false, cancelPrinter = false;
    int printerAsked = 0;
};

TEST_F(OrdiniPrintTest, BothDocumentsGoToTheChosenPrinter)
{
    ASSERT_TRUE(view->IsViewCommandEnabled(ID_FILE_PRINT));
    view->OnViewCommand(ID_FILE_PRINT);
    EXPECT_EQ(Pages(), 2);
}

TEST_F(OrdiniPrintTest, NothingTickedOrCancelledPrintsNothing)
{
    tickInvoice = tickLabel = false;
    view->OnViewCommand(ID_FILE_PRINT);
    EXPECT_EQ(printerAsked, 0);
    tickInvoice = true;
    cancelDocuments = true;
    view->OnViewCommand(ID_FILE_PRINT);
    EXPECT_EQ(printerAsked, 0);
    cancelDocuments = false;
    cancelPrinter = true;
    view->OnViewCommand(ID_FILE_PRINT);
    EXPECT_EQ(printerAsked, 1);
    EXPECT_FALSE(QFile::exists(f.Folder() + QStringLiteral("out.pdf")));
}

TEST_F(OrdiniPrintTest, AnOrderNotInvoicedCannotBePrinted)
{
    view->OnViewCommand(ID_RECORD_NEXT);
    EXPECT_FALSE(view->IsViewCommandEnabled(ID_FILE_PRINT));
}

} // namespace

namespace {

TEST_F(OrdiniViewTest, EnteringALineShowsItsColourOrProductPicture)
{
    QDir().mkpath(f.Folder() + QStringLiteral("website/images/prodotti/colori"));
    QImage picture(400, 200, QImage::Format_RGB32);
    picture.fill(Qt::red);
    // Line 1 has colour 7; both lines are of product 5.
    picture.save(f.Folder() + QStringLiteral("website/images/prodotti/colori/7.jpg"));
    picture.save(f.Folder() + QStringLiteral("website/images/prodotti/5.jpg"));
    EXPECT_EQ(view->Core().ImagePath(0), f.Folder() + QStringLiteral("website/images/prodotti/colori/7.jpg"));
    EXPECT_EQ(view->Core().ImagePath(1), f.Folder() + QStringLiteral("website/images/prodotti/5.jpg"));
    view->Lines()->Click(view->Lines()->CellRect(1, 0).center());
    ASSERT_FALSE(view->Image()->pixmap().isNull());
    // Scaled down to the frame, keeping its 2:1 proportions.
    EXPECT_LE(view->Image()->pixmap().width(), view->Image()->width());
    EXPECT_EQ(view->Image()->pixmap().width(), 2 * view->Image()->pixmap().height());
}

} // namespace

namespace {

struct TypedCase
{
    const char* name;
    bool generalPage;   // "N. colli"; else the tax code of the billing page
    const char* typed;
    QString kept;
};

void PrintTo(const TypedCase& c, std::ostream* os) { *os << c.name; }

class OrderFieldsTest : public OrdiniViewTest, public ::testing::WithParamInterface<TypedCase>
{
};

TEST_P(OrderFieldsTest, FieldsTakeOnlyWhatTheColumnHolds)
{
    const TypedCase& c = GetParam();
    CValidatedEdit* edit = c.generalPage ? view->GeneralPage()->ParcelsField() : view->CustomerPage()->Field(10);
    edit->SetValue(QString());
    QTest::keyClicks(edit, QString::fromLatin1(c.typed));
    EXPECT_EQ(edit->text(), c.kept);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, OrderFieldsTest,
    ::testing::Values(TypedCase{"TaxCodeOf17IsCut", false, "RSSMRA80A01F205XY", "RSSMRA80A01F205X"},
                      TypedCase{"ParcelsThreeDigits", true, "1234", "123"},
                      TypedCase{"ParcelsNoLetters", true, "1a2", "12"}),
    [](const ::testing::TestParamInfo<TypedCase>& info) { return std::string(info.param.name); });

TEST_F(OrdiniViewTest, AQuantityBeingTypedIsSavedWhenTheFrameCloses)
{
    CGridCtrl* grid = view->Lines();
    grid->SetCurCell(2, 6);
    grid->Editor().SetText(QStringLiteral("1"));
    EXPECT_TRUE(view->IsRecordModified());
    EXPECT_TRUE(CCloseProtocol(nullptr, [] { return true; }).MayClose(*view));
    EXPECT_EQ(f.Value(QStringLiteral("SELECT QuantitaEvasa FROM OrdiniDettaglio WHERE ID=2")).toDouble(), 1.0);
}

} // namespace
