// The content commands as tinda runs them: registered by the library, in
// the menus, opening their editors on the open project; and the company
// page inside "Parametri aziendali".

#include "desktop/content/CArgomentiView.h"
#include "desktop/content/CArticoliTestoDlg.h"
#include "desktop/content/CArticoliView.h"
#include "desktop/content/CBannerView.h"
#include "desktop/content/CForumView.h"
#include "desktop/content/CModuliView.h"
#include "desktop/content/CSezioniView.h"
#include "desktop/content/CTabellaArticoliView.h"
#include "desktop/shell/app/CChildFrame.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "desktop/content/CChiSiamoDlg.h"
#include "desktop/content/CDizionarioView.h"
#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/app/testing/COpenProjectUi.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/settings/CParAziView.h"
#include "platform/dao/CDaoCriteria.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/testing/TempFolder.h"
#include "recordset/CArticoliLinSet.h"
#include "recordset/CChiSiamoSet.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <gtest/gtest.h>

namespace {

// tinda started on a throwaway copy of the installation's empty project.
class ContentCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.Path());
        for (const char* dir : {"/db", "/website"})
            QDir().mkpath(folder + QLatin1String(dir));
        ASSERT_TRUE(QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/db/database.mdb"), database));
        QFile::setPermissions(database, QFile::ReadOwner | QFile::WriteOwner);
        // The program reads its settings when it is made: after they moved.
        m_app = std::make_unique<CTindaApp>();
        m_app->m_strInstallFolder = QCoreApplication::applicationDirPath();
        m_app->SetProjectUi(std::make_unique<COpenProjectUi>(*m_app, folder));
        m_app->InitInstance();
    }

    TempFolder settings;
    CMessageBoxScript boxes;
    TempFolder temp;
    const QString folder = temp.Path() + QStringLiteral("/negozio");
    const QString database = folder + QStringLiteral("/db/database.mdb");
    std::unique_ptr<CTindaApp> m_app;
};

TEST_F(ContentCommandsTest, TheDictionaryBannersAndCompanyPageOpenFromTindasMenus)
{
    CTindaApp& app = *m_app;
    ASSERT_TRUE(app.m_bProjectOpen) << boxes.LastText().toStdString();
    CMainFrame* frame = app.GetMainFrame();
    ASSERT_TRUE(frame->GetAction(ID_DIZIONARIO));
    EXPECT_TRUE(frame->GetAction(ID_DIZIONARIO)->isEnabled());

    ASSERT_TRUE(frame->RunCommand(ID_DIZIONARIO));
    EXPECT_TRUE(dynamic_cast<CDizionarioView*>(frame->GetActiveView()));
    EXPECT_EQ(frame->GetMdiArea()->activeSubWindow()->windowTitle(), QStringLiteral("Dizionario"));
    ASSERT_TRUE(frame->CloseEditors());

    ASSERT_TRUE(frame->RunCommand(ID_BANNER));
    EXPECT_TRUE(dynamic_cast<CBannerView*>(frame->GetActiveView()));
    EXPECT_EQ(frame->GetMdiArea()->activeSubWindow()->windowTitle(), QStringLiteral("Banner"));
    ASSERT_TRUE(frame->GetAction(ID_CORRELAZIONI_BANNER));
    EXPECT_TRUE(frame->GetAction(ID_CORRELAZIONI_BANNER)->isEnabled());
    ASSERT_TRUE(frame->CloseEditors());

    const QString language = frame->GetCurrentLanguage();
    ASSERT_TRUE(frame->RunCommand(ID_PARAMETRI_AZIENDALI));
    auto* company = dynamic_cast<CParAziView*>(frame->GetActiveView());
    ASSERT_TRUE(company);
    company->ShowPage(1);
    auto* page = company->findChild<CChiSiamoDlg*>();
    ASSERT_TRUE(page);
    page->TextEdit()->setPlainText(QStringLiteral("Dal 1950"));
    ASSERT_TRUE(frame->CloseEditors());
    CChiSiamoSet rows(&app.m_db);
    rows.SetFilter(CDaoCriteria::Format(QStringLiteral("CodiceLingua='%s'"), {language}));
    rows.Open();
    ASSERT_FALSE(rows.IsEOF());
    EXPECT_EQ(rows.m_Testo, QStringLiteral("Dal 1950"));
    rows.Close();
    app.ExitInstance();
}

TEST_F(ContentCommandsTest, TheArticlesSectionsAndTopicsOpenFromTindasMenus)
{
    CTindaApp& app = *m_app;
    ASSERT_TRUE(app.m_bProjectOpen) << boxes.LastText().toStdString();
    CMainFrame* frame = app.GetMainFrame();

    // A new article typed in the card and saved with the record button;
    // its text edited and saved when the card closes.
    ASSERT_TRUE(frame->RunCommand(ID_ARTICOLI));
    auto* articles = dynamic_cast<CArticoliView*>(frame->GetActiveView());
    ASSERT_TRUE(articles);
    EXPECT_EQ(frame->GetMdiArea()->activeSubWindow()->windowTitle(), QStringLiteral("Articoli"));
    ASSERT_TRUE(frame->RunCommand(ID_RECORD_INSERT));
    ASSERT_TRUE(articles->Core().IsInserting());
    articles->CodiceEdit()->setText(QStringLiteral("benvenuto"));
    articles->TestoPage()->Titolo()->setText(QStringLiteral("Benvenuti"));
    ASSERT_TRUE(frame->RunCommand(ID_RECORD_SAVE));
    ASSERT_FALSE(articles->Core().IsInserting()) << boxes.LastText().toStdString();
    articles->TestoPage()->Titolo()->setText(QStringLiteral("Benvenuti <tutti>"));
    ASSERT_TRUE(frame->CloseEditors());
    EXPECT_EQ(app.m_db.Connection().isOpen(), true);

    ASSERT_TRUE(frame->RunCommand(ID_TABELLA_ARTICOLI));
    auto* table = dynamic_cast<CTabellaArticoliView*>(frame->GetActiveView());
    ASSERT_TRUE(table);
    EXPECT_EQ(table->Core().ArticleCount(), 1);
    ASSERT_TRUE(frame->CloseEditors());

    ASSERT_TRUE(frame->RunCommand(ID_SEZIONI));
    EXPECT_TRUE(dynamic_cast<CSezioniView*>(frame->GetActiveView()));
    ASSERT_TRUE(frame->CloseEditors());

    for (const auto& [id, kind] : {std::pair{ID_ARGOMENTI_FORUM, CContentTreeCore::ArgomentiForum},
                                   std::pair{ID_ARGOMENTI_CHAT, CContentTreeCore::ArgomentiChat}}) {
        ASSERT_TRUE(frame->RunCommand(id));
        auto* topics = dynamic_cast<CArgomentiView*>(frame->GetActiveView());
        ASSERT_TRUE(topics);
        EXPECT_EQ(topics->Core().GetKind(), kind);
        auto* child = dynamic_cast<CChildFrame*>(frame->GetMdiArea()->activeSubWindow());
        ASSERT_TRUE(child);
        EXPECT_EQ(child->m_bChat, kind == CContentTreeCore::ArgomentiChat);
        ASSERT_TRUE(frame->CloseEditors());
    }
    ASSERT_TRUE(frame->RunCommand(ID_MODULI));
    EXPECT_TRUE(dynamic_cast<CModuliView*>(frame->GetActiveView()));
    ASSERT_TRUE(frame->CloseEditors());
    ASSERT_TRUE(frame->RunCommand(ID_INTERVENTI_FORUM));
    EXPECT_TRUE(dynamic_cast<CForumView*>(frame->GetActiveView()));
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Nessun intevento in archivio"));
    ASSERT_TRUE(frame->CloseEditors());
    app.ExitInstance();

    CDaoDatabase db;
    db.Open(database);
    QSqlQuery query(db.Connection());
    ASSERT_TRUE(query.exec(QStringLiteral("SELECT Codice FROM Articoli")));
    ASSERT_TRUE(query.next());
    EXPECT_EQ(query.value(0).toString(), QStringLiteral("BENVENUTO"));
    CArticoliLinSet texts(&db);
    texts.Open();
    ASSERT_FALSE(texts.IsEOF());
    EXPECT_EQ(texts.m_Titolo, QStringLiteral("Benvenuti <tutti>"));
}

} // namespace
