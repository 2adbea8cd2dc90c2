#include "desktop/catalogue/CProdottiCustomDlg.h"
#include "desktop/catalogue/CProdottiFilesDlg.h"
#include "desktop/catalogue/CProdottiGeneraleDlg.h"
#include "desktop/catalogue/CProdottiImmagineDlg.h"
#include "desktop/catalogue/CProdottiTaglieDlg.h"
#include "desktop/catalogue/CProdottiPrezziDlg.h"
#include "desktop/catalogue/CProdottiView.h"
#include "desktop/catalogue/CProdottoFotoFrame.h"
#include "desktop/catalogue/tests/CatalogueFixture.h"
#include "desktop/shell/app/CCloseProtocol.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CCheckTreeCtrl.h"
#include "desktop/shell/controls/CCheckTreePopupDlg.h"
#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "platform/utilities/QtrCipher.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidgetItemIterator>

#include <gtest/gtest.h>

namespace {

// The card's widget forwards to its core: what is typed reaches the save,
// the close protocol asks the core, the popup's ticks are written. Products
// P7 "Sedia" (in category 1) and P8 "Tavolo".
class ProdottiViewWidgetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        f.AddCategory(1, 0, 1);
        f.AddCategory(2, 0, 2);
        f.AddCategoryName(1, QStringLiteral("it"), QStringLiteral("Sedie"));
        f.AddCategoryName(2, QStringLiteral("it"), QStringLiteral("Tavoli"));
        f.AddProduct(7, QStringLiteral("P7"), 1);
        f.AddProduct(8, QStringLiteral("P8"), 2);
        f.AddProductLanguage(1, 7, QStringLiteral("it"), 10, QStringLiteral("Sedia"));
        f.AddProductLanguage(2, 8, QStringLiteral("it"), 20, QStringLiteral("Tavolo"));
        f.Db().Execute(QStringLiteral("UPDATE Prodotti SET IVA=22"));
        f.Db().Execute(QStringLiteral("UPDATE ProdottiLingue SET DescrizioneBreve=?"), {Encrypt(QStringLiteral("breve"))});
        f.AddLink(1, 1, 7);
        view = std::make_unique<CProdottiView>(f.Db(), f.Folder(), QStringLiteral("it"), QStringLiteral("it"));
    }

    QTreeWidgetItem* Item(qint32 id)
    {
        for (QTreeWidgetItemIterator it(view->CategoryPopup()->Tree()); *it; ++it)
            if ((*it)->data(0, Qt::UserRole).toInt() == id)
                return *it;
        return nullptr;
    }

    CMessageBoxScript boxes;
    CatalogueFixture f;
    std::unique_ptr<CProdottiView> view;
};

TEST_F(ProdottiViewWidgetTest, ShowsTheProductAndSavesWhatIsTypedWhenMovingOn)
{
    EXPECT_EQ(view->CodiceEdit()->text(), QStringLiteral("P7"));
    EXPECT_EQ(view->SummaryLabel()->text(), QStringLiteral("Sedia\nbreve"));
    EXPECT_EQ(view->GeneralePage()->m_pPosition->text(), QStringLiteral("1 / 2"));
    EXPECT_EQ(Item(1)->checkState(0), Qt::Checked);
    EXPECT_EQ(Item(2)->checkState(0), Qt::Unchecked);
    EXPECT_FALSE(view->IsRecordModified());

    view->GeneralePage()->m_pNome->SetValue(QStringLiteral("Sedia impagliata"));
    view->PrezziPage()->m_pPrezzi[1]->SetValue(8.5);
    ASSERT_TRUE(view->IsViewCommandEnabled(ID_RECORD_NEXT));
    view->OnViewCommand(ID_RECORD_NEXT);
    EXPECT_EQ(view->CodiceEdit()->text(), QStringLiteral("P8"));
    EXPECT_DOUBLE_EQ(f.Scalar(QStringLiteral("SELECT Prezzo2 FROM ProdottiLingue WHERE IDProdotto=7")).toDouble(), 8.5);
    EXPECT_EQ(Item(1)->checkState(0), Qt::Unchecked);
    view->OnViewCommand(ID_RECORD_FIRST);
    EXPECT_EQ(view->SummaryLabel()->text(), QStringLiteral("Sedia impagliata\nbreve"));
}

// Prices and weights typed the Italian way keep their decimals ("24,90"
// was stored as 2490 and "0,35" kg as 35), and the card shows every number
// in that one form whatever locale the program started in.
TEST_F(ProdottiViewWidgetTest, NumbersTypedWithACommaKeepTheirDecimals)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    CProdottiPrezziDlg* prices = view->PrezziPage();
    prices->m_pPrezzi[0]->selectAll();
    QTest::keyClicks(prices->m_pPrezzi[0], QStringLiteral("24,90"));
    prices->m_pPeso->selectAll();
    QTest::keyClicks(prices->m_pPeso, QStringLiteral("0,35"));
    prices->m_pPrezzi[2]->selectAll();
    QTest::keyClicks(prices->m_pPrezzi[2], QStringLiteral("1234.5"));
    ASSERT_TRUE(view->SaveRecord()) << boxes.LastText().toStdString();
    EXPECT_DOUBLE_EQ(f.Scalar(QStringLiteral("SELECT Prezzo FROM ProdottiLingue WHERE IDProdotto=7")).toDouble(), 24.9);
    EXPECT_DOUBLE_EQ(f.Scalar(QStringLiteral("SELECT Prezzo3 FROM ProdottiLingue WHERE IDProdotto=7")).toDouble(), 1234.5);
    EXPECT_NEAR(f.Scalar(QStringLiteral("SELECT Peso FROM Prodotti WHERE ID=7")).toDouble(), 0.35, 1e-6);

    view->OnViewCommand(ID_RECORD_NEXT);
    view->OnViewCommand(ID_RECORD_FIRST);
    EXPECT_EQ(prices->m_pPrezzi[0]->text(), QStringLiteral("24,9"));
    EXPECT_EQ(prices->m_pPrezzi[2]->text(), QStringLiteral("1234,5"));
    EXPECT_EQ(prices->m_pPeso->text(), QStringLiteral("0,35"));
    EXPECT_EQ(prices->m_pIva->text(), QStringLiteral("22"));
    QLocale::setDefault(QLocale::c());
}

// A number that does not read (pasted, or still being typed when the save
// starts) is refused with the field's message, never stored as 0.
TEST_F(ProdottiViewWidgetTest, ANumberThatDoesNotReadIsRefusedNotStoredAsZero)
{
    CProdottiPrezziDlg* prices = view->PrezziPage();
    prices->m_pPrezzi[0]->setText(QStringLiteral("1,234.50"));
    EXPECT_FALSE(view->SaveRecord());
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Numero non corretto!"));
    EXPECT_DOUBLE_EQ(f.Scalar(QStringLiteral("SELECT Prezzo FROM ProdottiLingue WHERE IDProdotto=7")).toDouble(), 10.0);
    EXPECT_EQ(prices->m_pPrezzi[0]->text(), QStringLiteral("1,234.50")) << "the entry stays to be mended";

    prices->m_pPrezzi[0]->setText(QStringLiteral("1.234,50"));
    ASSERT_TRUE(view->SaveRecord()) << boxes.LastText().toStdString();
    EXPECT_DOUBLE_EQ(f.Scalar(QStringLiteral("SELECT Prezzo FROM ProdottiLingue WHERE IDProdotto=7")).toDouble(), 1234.5);
}

TEST_F(ProdottiViewWidgetTest, TheCloseSavesOrStaysAndRefusesAnInsertion)
{
    CCloseProtocol close(nullptr, {});
    view->GeneralePage()->m_pNome->Blank();
    view->ShowTab(CProdottiViewCore::TabPrezzi);
    EXPECT_EQ(view->Tabs()->currentIndex(), CProdottiViewCore::TabGenerale)
        << "the missing name keeps the page where it is";
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Campo obbligatorio!"));
    EXPECT_FALSE(close.MayClose(*view));

    view->GeneralePage()->m_pNome->SetValue(QStringLiteral("Sedia"));
    view->GeneralePage()->m_pDescrizioneEstesa->setPlainText(QStringLiteral("Faggio"));
    EXPECT_TRUE(close.MayClose(*view));
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT DescrizioneEstesa IS NOT NULL FROM ProdottiLingue WHERE ID=1")).toInt(), 1);

    view->OnViewCommand(ID_RECORD_INSERT);
    EXPECT_TRUE(view->GeneralePage()->m_pAttivo->isChecked());
    EXPECT_TRUE(view->CodiceEdit()->text().isEmpty());
    EXPECT_FALSE(close.MayClose(*view));
    EXPECT_EQ(boxes.Shown().last().caption, QStringLiteral("Inserimento prodotto"));
}

TEST_F(ProdottiViewWidgetTest, APopupTickIsWrittenAtOnce)
{
    view->CategoryButton()->click();
    EXPECT_TRUE(view->CategoryPopup()->isVisibleTo(view.get()));
    emit view->CategoryPopup()->UM_TREE_STATE_CLICK(Item(2));
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT COUNT(*) FROM CategorieProdotti WHERE IDProdotto=7 AND IDCategoria=2")).toInt(),
              1);
    EXPECT_EQ(Item(2)->checkState(0), Qt::Checked);
}

// A new product's categories are ticked before it is saved: what was typed
// stays, and each box shows what is stored after a real click on it.
TEST_F(ProdottiViewWidgetTest, TickingACategoryWhileInsertingKeepsWhatWasTyped)
{
    view->resize(900, 700);
    view->show();
    view->OnViewCommand(ID_RECORD_INSERT);
    ASSERT_TRUE(view->Core().IsInserting());
    const qint32 reserved = view->Core().ReservedID();
    QTest::keyClicks(view->CodiceEdit(), QStringLiteral("P9"));
    QTest::keyClicks(view->GeneralePage()->m_pNome, QStringLiteral("Sgabello"));
    EXPECT_EQ(Item(1)->checkState(0), Qt::Unchecked) << "a new product has no category yet";

    view->CategoryButton()->click();
    CCheckTreeCtrl* tree = view->CategoryPopup()->Tree();
    const QString links = QStringLiteral("SELECT COUNT(*) FROM CategorieProdotti WHERE IDProdotto=? AND IDCategoria=2");
    for (bool on : {true, false}) {
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->CheckBoxRect(Item(2)).center());
        EXPECT_EQ(f.Scalar(links, {reserved}).toInt(), on ? 1 : 0);
        EXPECT_EQ(Item(2)->checkState(0), on ? Qt::Checked : Qt::Unchecked);
        EXPECT_EQ(view->CodiceEdit()->text(), QStringLiteral("P9"));
        EXPECT_EQ(view->GeneralePage()->m_pNome->text(), QStringLiteral("Sgabello"));
    }
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->CheckBoxRect(Item(2)).center());
    view->GeneralePage()->m_pDescrizioneFattura->SetValue(QStringLiteral("Sgabello"));
    view->PrezziPage()->m_pPrezzi[0]->SetValue(12.0);
    view->PrezziPage()->m_pIva->SetValue(22.0);
    ASSERT_TRUE(view->SaveRecord()) << boxes.LastText().toStdString();
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT Codice FROM Prodotti WHERE ID=?"), {reserved}).toString(), QStringLiteral("P9"));
    EXPECT_EQ(f.Scalar(links, {reserved}).toInt(), 1);
}

// Turning the offer on starts a percentage; off blanks its fields.
TEST_F(ProdottiViewWidgetTest, TheOfferSwitchesItsFields)
{
    CProdottiPrezziDlg* prices = view->PrezziPage();
    view->ShowTab(CProdottiViewCore::TabPrezzi);
    EXPECT_FALSE(prices->m_pSconto->isEnabled());
    prices->m_pOfferta->click();
    EXPECT_TRUE(prices->m_pSconto->isEnabled());
    EXPECT_FALSE(prices->m_pPrezzoPromozione->isEnabled());
    prices->m_pSconto->SetValue(10.0);
    prices->m_pValiditaDal->SetValue(QDateTime(QDate(2026, 1, 1), QTime()));
    prices->m_pPromozione->click();
    EXPECT_TRUE(prices->m_pSconto->text().isEmpty());
    EXPECT_TRUE(prices->m_pPrezzoPromozione->isEnabled());
    prices->m_pOfferta->click();
    EXPECT_TRUE(prices->m_pValiditaDal->text().isEmpty());
    EXPECT_FALSE(prices->m_pValiditaDal->isEnabled());
}

// The pages of the other tabs work on what the card holds: its picture,
// its working copy of the sizes, the custom text; the card's save writes
// them with the rest.
TEST_F(ProdottiViewWidgetTest, ThePagesEditWhatTheCardSaves)
{
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 0; y < 20; ++y)
        picture.setPixel(0, y, qRgb(255, 0, 0));   // a red left edge
    const QString chosen = f.Folder() + QStringLiteral("/scelta.png");
    picture.save(chosen, "PNG");
    view->ShowTab(CProdottiViewCore::TabImmagine);
    ASSERT_EQ(view->Core().CurrentTab(), CProdottiViewCore::TabImmagine);
    QString error;
    ASSERT_TRUE(view->ImmaginePage()->Core().LoadFile(chosen, &error)) << error.toStdString();
    view->ImmaginePage()->Core().FlipOrizzontale();
    view->ImmaginePage()->Core().Applica();
    EXPECT_FALSE(view->FotoFrame()->Image().isNull());
    ASSERT_TRUE(view->IsRecordModified());
    ASSERT_TRUE(view->SaveRecord());
    const QImage stored(f.Folder() + QStringLiteral("/website/images/prodotti/7.jpg"));
    ASSERT_FALSE(stored.isNull());
    EXPECT_GT(qRed(stored.pixel(stored.width() - 1, stored.height() / 2)), 200) << "the flip was saved";
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT ModificataFoto FROM Prodotti WHERE ID=7")).toInt(), 1);

    // Mend: with the sizes in front a save writes what was typed elsewhere too.
    f.Db().Execute(QStringLiteral("INSERT INTO ValoriTaglie (ID, Descrizione, Valori) VALUES (3, 'Abiti', 'S|M|L|')"));
    view->GeneralePage()->m_pNome->SetValue(QStringLiteral("Sedia alta"));
    view->ShowTab(CProdottiViewCore::TabTaglie);
    ASSERT_EQ(view->Core().CurrentTab(), CProdottiViewCore::TabTaglie);
    view->TagliePage()->Core().SetHasTable(true);
    view->TagliePage()->Core().SelectTable(0);
    ASSERT_TRUE(view->SaveRecord());
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT IDTabellaTaglie FROM Prodotti WHERE ID=7")).toInt(), 3);
    EXPECT_EQ(view->Core().Form().nome, QStringLiteral("Sedia alta"));

    // A custom value holding "|" is refused and its page comes forward.
    f.Db().Execute(QStringLiteral("INSERT INTO DefinizioneCampiCustom (ID, IDCategoria, Nome, Tipo, Lunghezza, "
                                  "Decimali) VALUES (1, 0, 'Materiale', 0, 20, 0)"));
    view->OnViewCommand(ID_RECORD_UNDO);
    view->ShowTab(CProdottiViewCore::TabCustom);
    ASSERT_EQ(view->CustomPage()->Grid()->GetRowCount(), 2);
    view->CustomPage()->Grid()->SetCellText(1, 1, QStringLiteral("faggio|rovere"));
    view->ShowTab(CProdottiViewCore::TabGenerale);
    EXPECT_EQ(view->Core().CurrentTab(), CProdottiViewCore::TabCustom);
    EXPECT_EQ(boxes.LastText(), QString::fromUtf8("Il carattere \"|\" non è ammesso nei campi custom."));
    view->CustomPage()->Grid()->SetCellText(1, 1, QStringLiteral("faggio"));
    view->ShowTab(CProdottiViewCore::TabGenerale);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT CampiCustom FROM ProdottiLingue WHERE ID=1")).toString(),
              QStringLiteral("Materiale|faggio|"));
}

TEST_F(ProdottiViewWidgetTest, CorrelazioniOpensTheDialogOfTheShownProduct)
{
    QString caption;
    QTimer::singleShot(0, [&caption] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            caption = dialog->windowTitle();
            dialog->close();
        }
    });
    ASSERT_TRUE(view->IsViewCommandEnabled(ID_CORRELAZIONI_PRODOTTI));
    view->OnViewCommand(ID_CORRELAZIONI_PRODOTTI);
    EXPECT_EQ(caption, QStringLiteral("Correlazione prodotto P7"));
}

TEST_F(ProdottiViewWidgetTest, TheFilesPageListsTheShownProduct)
{
    const QString folder = f.Folder() + QStringLiteral("/website/images/prodotti/files/");
    for (const char* name : {"m7_manuale.pdf", "m8_scheda.pdf", "d7_vecchio"})
        QFile(folder + QLatin1String(name)).open(QIODevice::WriteOnly);
    view->ShowTab(CProdottiViewCore::TabFiles);
    ASSERT_EQ(view->FilesPage()->List()->count(), 1);
    EXPECT_EQ(view->FilesPage()->List()->item(0)->text(), QStringLiteral("MANUALE"));
    view->OnViewCommand(ID_RECORD_NEXT);
    ASSERT_EQ(view->FilesPage()->List()->count(), 1);
    EXPECT_EQ(view->FilesPage()->List()->item(0)->text(), QStringLiteral("SCHEDA"));
}

struct PlacementCase
{
    const char* name;
    QSize image;
    QRect expected;
};

class FotoPlacement : public ::testing::TestWithParam<PlacementCase>
{
};

// The area is 100 x 60 at (6, 12).
TEST_P(FotoPlacement, FitsThePictureIntoTheFrame)
{
    EXPECT_EQ(CProdottoFotoFrame::Placement(GetParam().image, QRect(6, 12, 100, 60)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Pictures, FotoPlacement,
                         ::testing::Values(PlacementCase{"SmallIsCentredAtItsSize", {40, 20}, QRect(36, 32, 40, 20)},
                                           PlacementCase{"WideFillsTheWidth", {192, 56}, QRect(8, 28, 96, 28)},
                                           PlacementCase{"TallFillsTheHeight", {100, 200}, QRect(42, 14, 28, 56)},
                                           PlacementCase{"NoPicture", {0, 0}, QRect()}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
