// The catalogue's commands as tinda runs them: registered by the library,
// in the menus, and opening their editors on the open project.

#include "desktop/catalogue/CCategorieView.h"
#include "desktop/catalogue/CProdottiView.h"
#include "desktop/catalogue/CDefCampiCustomView.h"
#include "desktop/catalogue/CScontiProdottoView.h"
#include "desktop/catalogue/CTabellaProdottiView.h"
#include "desktop/catalogue/CTabelleTaglieDlg.h"
#include "desktop/catalogue/tests/CatalogueFixture.h"
#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/app/testing/COpenProjectUi.h"
#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CMessageBoxScript.h"

#include <QAction>
#include <QComboBox>
#include <QSqlQuery>
#include <QApplication>
#include <QTimer>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

// The program's settings in a folder of the test's own, before anything
// reads them.
struct TestSettings
{
    TestSettings()
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.Path());
    }
    TempFolder folder;
};

// tinda started on a project with category 1 and product 7 ("Sedia").
class CatalogueCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        f.AddLanguage(2, QStringLiteral("en"));
        f.AddCategory(1);
        f.AddProduct(7, QStringLiteral("P7"));
        f.AddProductLanguage(1, 7, QStringLiteral("it"), 10, QStringLiteral("Sedia"));
        f.Db().Close();
        app.m_strInstallFolder = QCoreApplication::applicationDirPath();
        app.SetProjectUi(std::make_unique<COpenProjectUi>(app, f.Folder()));
        ASSERT_TRUE(app.InitInstance());
        ASSERT_TRUE(app.m_bProjectOpen);
        frame = app.GetMainFrame();
    }
    void TearDown() override
    {
        if (frame)
            frame->CloseEditors();
        app.ExitInstance();
    }

    int LanguageIndex(const QString& code)
    {
        QComboBox* combo = frame->GetLanguageCombo();
        for (int i = 0; i < combo->count(); ++i)
            if (combo->itemText(i).contains(code))
                return i;
        return -1;
    }

    QMdiSubWindow* FrameOf(QWidget* view)
    {
        for (QMdiSubWindow* sub : frame->GetMdiArea()->subWindowList())
            if (sub->widget() == view)
                return sub;
        return nullptr;
    }

    TestSettings settings;
    CMessageBoxScript boxes;
    CatalogueFixture f;
    CTindaApp app;
    CMainFrame* frame = nullptr;
};

TEST_F(CatalogueCommandsTest, TheCatalogueEditorsOpenFromTindasMenus)
{
    for (int id : {ID_ARCHIVIO_PRODOTTI, ID_TABELLA_PRODOTTI, ID_CATEGORIE, ID_SCONTI, ID_DEFINIZIONE_CAMPI_CUSTOM, ID_AGGIORNAMENTO_LISTINI,
                   ID_IMPORT_DATI_ESTERNI, ID_TABELLE_TAGLIE}) {
        ASSERT_TRUE(frame->GetAction(id)) << id;
        EXPECT_TRUE(frame->GetAction(id)->isEnabled()) << id;
    }

    ASSERT_TRUE(frame->RunCommand(ID_TABELLA_PRODOTTI));
    EXPECT_TRUE(dynamic_cast<CTabellaProdottiView*>(frame->GetActiveView()));
    EXPECT_FALSE(frame->GetAction(ID_CATEGORIE)->isEnabled());   // one editor at a time
    ASSERT_TRUE(frame->CloseEditors());

    ASSERT_TRUE(frame->RunCommand(ID_CATEGORIE));
    EXPECT_TRUE(dynamic_cast<CCategorieView*>(frame->GetActiveView()));
    EXPECT_EQ(frame->GetMdiArea()->activeSubWindow()->windowTitle(), QStringLiteral("Categorie prodotti"));
    ASSERT_TRUE(frame->CloseEditors());

    ASSERT_TRUE(frame->RunCommand(ID_SCONTI));
    EXPECT_TRUE(dynamic_cast<CScontiProdottoView*>(frame->GetActiveView()));
    EXPECT_EQ(frame->GetMdiArea()->activeSubWindow()->windowTitle(), QStringLiteral("Sconti"));
    ASSERT_TRUE(frame->CloseEditors());

    ASSERT_TRUE(frame->RunCommand(ID_DEFINIZIONE_CAMPI_CUSTOM));
    EXPECT_TRUE(dynamic_cast<CDefCampiCustomView*>(frame->GetActiveView()));
    EXPECT_EQ(frame->GetMdiArea()->activeSubWindow()->windowTitle(), QStringLiteral("Definizione campi custom"));
    ASSERT_TRUE(frame->CloseEditors());

    // The size tables dialog, modal on the open project.
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* dialog = qobject_cast<CTabelleTaglieDlg*>(QApplication::activeModalWidget())) {
            shown = dialog->windowTitle();
            dialog->reject();
        }
    });
    ASSERT_TRUE(frame->RunCommand(ID_TABELLE_TAGLIE));
    EXPECT_EQ(shown, QStringLiteral("Tabelle Taglie"));

    // "Scheda" under "Prodotti", and from it the variants of the product shown.
    ASSERT_TRUE(frame->RunCommand(ID_ARCHIVIO_PRODOTTI));
    auto* card = dynamic_cast<CProdottiView*>(frame->GetActiveView());
    ASSERT_TRUE(card);
    EXPECT_EQ(card->Core().CurrentID(), 7);
    EXPECT_EQ(frame->GetMdiArea()->activeSubWindow()->windowTitle(), QStringLiteral("Scheda prodotti"));
    ASSERT_TRUE(frame->RunCommand(ID_VARIANTI));
    auto* variants = dynamic_cast<CProdottiView*>(frame->GetActiveView());
    ASSERT_TRUE(variants);
    EXPECT_NE(variants, card);
    EXPECT_EQ(variants->Core().BaseProduct(), 7);
    EXPECT_EQ(variants->Core().RecordCount(), 0);
    EXPECT_EQ(frame->GetMdiArea()->activeSubWindow()->windowTitle(), QStringLiteral("Gestione Varianti - Sedia"));
    ASSERT_TRUE(frame->CloseEditors());
}

// A variants window works on the project that opened it: while it is open,
// after its card has closed too, no other project can be opened under it.
TEST_F(CatalogueCommandsTest, AVariantsWindowKeepsItsProjectAfterTheCardCloses)
{
    ASSERT_TRUE(frame->RunCommand(ID_ARCHIVIO_PRODOTTI));
    auto* card = dynamic_cast<CProdottiView*>(frame->GetActiveView());
    ASSERT_TRUE(card);
    ASSERT_TRUE(frame->RunCommand(ID_VARIANTI));
    auto* variants = dynamic_cast<CProdottiView*>(frame->GetActiveView());
    ASSERT_TRUE(variants && variants != card);

    ASSERT_TRUE(FrameOf(card)->close());
    EXPECT_TRUE(app.m_bViewOpen);
    EXPECT_FALSE(frame->GetAction(ID_FILE_OPEN)->isEnabled());
    EXPECT_FALSE(frame->GetAction(ID_FILE_NEW)->isEnabled());
    EXPECT_FALSE(frame->RunCommand(ID_FILE_OPEN));

    ASSERT_TRUE(FrameOf(variants)->close());
    EXPECT_FALSE(app.m_bViewOpen);
    EXPECT_TRUE(frame->GetAction(ID_FILE_OPEN)->isEnabled());
}

// Choosing another language in the main frame during an insertion is
// refused: the selector stays on the default language and the product is
// written there, with its price.
TEST_F(CatalogueCommandsTest, AnInsertionKeepsTheDefaultLanguage)
{
    ASSERT_TRUE(frame->RunCommand(ID_ARCHIVIO_PRODOTTI));
    auto* card = dynamic_cast<CProdottiView*>(frame->GetActiveView());
    ASSERT_TRUE(card);
    card->OnViewCommand(ID_RECORD_INSERT);
    ASSERT_TRUE(card->Core().IsInserting());
    const int english = LanguageIndex(QStringLiteral("en"));
    ASSERT_GE(english, 0);
    boxes.Clear();
    frame->SelectLanguage(english);
    EXPECT_EQ(frame->GetCurrentLanguage(), QStringLiteral("it"));
    EXPECT_NE(frame->GetLanguageCombo()->currentIndex(), english);
    EXPECT_EQ(boxes.LastText(), QStringLiteral("ATTENZIONE: L'inserimento avviene sempre nella lingua predefinita."));
    EXPECT_TRUE(card->Core().IsInserting());
}

// A price typed in the price table that cannot be saved keeps the language
// it was typed in.
TEST_F(CatalogueCommandsTest, ThePriceTableKeepsItsLanguageWhileARowCannotBeSaved)
{
    ASSERT_TRUE(frame->RunCommand(ID_TABELLA_PRODOTTI));
    auto* table = dynamic_cast<CTabellaProdottiView*>(frame->GetActiveView());
    ASSERT_TRUE(table);
    table->Grid()->Click(table->Grid()->CellRect(1, 3).center());
    ASSERT_TRUE(table->Grid()->IsEditing());
    table->Grid()->Editor().SetWindowText(QStringLiteral("61"));
    app.m_db.Execute(QStringLiteral("CREATE TRIGGER nosave BEFORE INSERT ON ProdottiLingue "
                                    "BEGIN SELECT RAISE(ABORT, 'bloccato'); END"));
    app.m_db.Execute(QStringLiteral("CREATE TRIGGER noedit BEFORE UPDATE ON ProdottiLingue "
                                    "BEGIN SELECT RAISE(ABORT, 'bloccato'); END"));
    frame->SelectLanguage(LanguageIndex(QStringLiteral("en")));
    EXPECT_EQ(frame->GetCurrentLanguage(), QStringLiteral("it"));
    EXPECT_TRUE(boxes.LastText().contains(QStringLiteral("bloccato")));

    app.m_db.Execute(QStringLiteral("DROP TRIGGER nosave"));
    app.m_db.Execute(QStringLiteral("DROP TRIGGER noedit"));
    frame->SelectLanguage(LanguageIndex(QStringLiteral("en")));
    EXPECT_EQ(frame->GetCurrentLanguage(), QStringLiteral("en"));
    QSqlQuery price(app.m_db.Connection());
    ASSERT_TRUE(price.exec(QStringLiteral("SELECT Prezzo2 FROM ProdottiLingue WHERE IDProdotto=7 AND CodiceLingua='it'")));
    ASSERT_TRUE(price.next());
    EXPECT_DOUBLE_EQ(price.value(0).toDouble(), 61.0);
}

} // namespace
