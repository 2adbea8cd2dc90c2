#include "desktop/shell/app/CChildFrame.h"
#include "desktop/shell/app/CCommandRegistrar.h"
#include "desktop/shell/app/CCommandTable.h"
#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/controls/CNumberText.h"
#include "desktop/shell/app/CTindaProjectUi.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/app/tests/FakeView.h"
#include "desktop/shell/app/tests/TestProject.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "platform/testing/TempFolder.h"
#include "platform/utilities/QtrUtilities.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QToolBar>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QSettings>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

constexpr int kFakeViewCommand = 40010;
constexpr int kOtherViewCommand = 40011;
constexpr int kCdCommand = ID_CREAZIONE_CD_ROM;

// The project dialogs answered by the test; the main-frame parts are real.
class ScriptedProjectUi : public CTindaProjectUi
{
public:
    using CTindaProjectUi::CTindaProjectUi;

    bool ChooseProject(const QStringList& recent, bool* createNew, QString* folder) override
    {
        ++chooseCalls;
        offeredRecent = recent;
        *createNew = chooseNew;
        *folder = chosenFolder;
        return chooseOk;
    }

    bool AskNewProject(const QString&, QString* folder) override
    {
        ++askNewCalls;
        if (newFolder.isEmpty() || !QDir().mkdir(newFolder))
            return false;
        *folder = newFolder;
        return true;
    }

    bool WaitForSyncLock(const QString&) override { return true; }

    int chooseCalls = 0;
    int askNewCalls = 0;
    QStringList offeredRecent;
    bool chooseOk = false;
    bool chooseNew = false;
    QString chosenFolder;
    QString newFolder;
};

class TindaAppTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.Path());
    }

    void TearDown() override
    {
        app.reset();
        for (int id : {kFakeViewCommand, kOtherViewCommand, kCdCommand})
            CCommandTable::Instance().Unregister(id);
    }

    // Starts the program as at launch, with the dialogs answered by ui.
    bool Start(std::function<void(ScriptedProjectUi&)> script = {})
    {
        app.reset();
        app = std::make_unique<CTindaApp>();
        app->m_strInstallFolder = TestProject::InstallFolder();
        auto scripted = std::make_unique<ScriptedProjectUi>(*app);
        if (script)
            script(*scripted);
        ui = scripted.get();
        app->SetProjectUi(std::move(scripted));
        return app->InitInstance();
    }

    // Starts with project as the newest recent project, so it opens.
    void StartOn(const TestProject& project)
    {
        SetRecent({project.Folder()});
        ASSERT_TRUE(Start());
        ASSERT_TRUE(app->m_bProjectOpen);
    }

    void SetRecent(const QStringList& folders)
    {
        QSettings settings(QStringLiteral("Morvella"), QStringLiteral("Quintaro50"));
        settings.remove(QStringLiteral("LRUProjects"));
        for (int i = 0; i < folders.size(); ++i)
            settings.setValue(QStringLiteral("LRUProjects/Project%1").arg(i + 1), folders.at(i));
    }

    QStringList Recent()
    {
        QSettings settings(QStringLiteral("Morvella"), QStringLiteral("Quintaro50"));
        QStringList folders;
        for (int i = 1; i <= 4; ++i) {
            const QString value = settings.value(QStringLiteral("LRUProjects/Project%1").arg(i)).toString();
            if (!value.isEmpty())
                folders << value;
        }
        return folders;
    }

    void RegisterFakeViews()
    {
        for (int id : {kFakeViewCommand, kOtherViewCommand}) {
            CCommandInfo info;
            info.nId = id;
            info.strPopup = QStringLiteral("&Configurazione");
            info.strCaption = QStringLiteral("Prova %1").arg(id);
            info.strTitle = QStringLiteral("Vista di prova");
            info.createView = [this](CChildFrame& frame) {
                frame.m_bChat = true;
                openedView = new FakeView;
                return static_cast<QWidget*>(openedView.data());
            };
            CCommandTable::Instance().Register(info);
        }
        app->GetMainFrame()->RebuildMenus();
    }

    // Opens an editor through its command; the view is openedView.
    void OpenFakeEditor()
    {
        RegisterFakeViews();
        ASSERT_TRUE(app->GetMainFrame()->RunCommand(kFakeViewCommand));
        ASSERT_TRUE(openedView);
    }

    bool Enabled(int id) { return app->GetMainFrame()->GetAction(id)->isEnabled(); }

    QStringList MenuTitles()
    {
        QStringList titles;
        for (QAction* action : app->GetMainFrame()->menuBar()->actions())
            titles << action->text();
        return titles;
    }

    QStringList ComboTexts()
    {
        QComboBox* combo = app->GetMainFrame()->GetLanguageCombo();
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        return texts;
    }

    TempFolder settingsFolder;
    CMessageBoxScript boxes;
    std::unique_ptr<CTindaApp> app;
    ScriptedProjectUi* ui = nullptr;
    QPointer<FakeView> openedView;
};

// ---- start-up ----------------------------------------------------------------

TEST_F(TindaAppTest, FirstStartOffersProgettiAndAnnullaLeavesNoProject)
{
    EXPECT_TRUE(Start());

    EXPECT_EQ(ui->chooseCalls, 1);
    EXPECT_TRUE(ui->offeredRecent.isEmpty());
    EXPECT_FALSE(app->m_bProjectOpen);
    EXPECT_EQ(app->GetMainFrame()->windowTitle(), QStringLiteral("Quintaro"));
    EXPECT_EQ(app->GetMainFrame()->GetLanguageCombo()->count(), 0);
    EXPECT_TRUE(Enabled(ID_FILE_NEW));
    EXPECT_TRUE(Enabled(ID_FILE_OPEN));
    EXPECT_TRUE(Enabled(ID_APP_ABOUT));
    QSettings settings(QStringLiteral("Morvella"), QStringLiteral("Quintaro50"));
    EXPECT_EQ(settings.value(QStringLiteral("CartellaInstallazione")).toString(), TestProject::InstallFolder());
}

TEST_F(TindaAppTest, NewProjectIsMadeOpenedAndReopenedAtTheNextStart)
{
    TempFolder projects;
    const QString folder = projects.Path() + QStringLiteral("/negozio1");
    ASSERT_TRUE(Start([&](ScriptedProjectUi& ui) {
        ui.chooseOk = true;
        ui.chooseNew = true;
        ui.newFolder = folder;
    }));

    EXPECT_EQ(ui->askNewCalls, 1);
    EXPECT_TRUE(app->m_bProjectOpen);
    EXPECT_TRUE(app->m_db.IsOpen());
    EXPECT_EQ(app->m_strProjectFolder, folder + QLatin1Char('/'));
    EXPECT_EQ(app->GetMainFrame()->windowTitle(), QStringLiteral("Quintaro - [negozio1]"));
    for (const char* path : {"db/database.mdb", "db/progettografico.mdb", "website/asp",
                             "website/images/prodotti/colori/dettagli", "website/demo/prodotti/th"})
        EXPECT_TRUE(QFileInfo::exists(folder + QLatin1Char('/') + QLatin1String(path))) << path;
    EXPECT_EQ(ComboTexts(), QStringList{QStringLiteral("Italiano")});
    EXPECT_EQ(app->GetMainFrame()->GetCurrentLanguage(), QStringLiteral("it"));
    EXPECT_EQ(Recent(), QStringList{folder});
    EXPECT_EQ(QtrHost()->GetProjectDatabase(), &app->m_db);
    EXPECT_EQ(QtrHost()->GetProjectFolder(), folder + QLatin1Char('/'));
    app->ExitInstance();

    ASSERT_TRUE(Start());
    EXPECT_EQ(ui->chooseCalls, 0);
    EXPECT_TRUE(app->m_bProjectOpen);
    EXPECT_EQ(app->GetMainFrame()->windowTitle(), QStringLiteral("Quintaro - [negozio1]"));
    EXPECT_EQ(ComboTexts(), QStringList{QStringLiteral("Italiano")});
}

TEST_F(TindaAppTest, NewestRecentProjectOpensWithoutDialog)
{
    TestProject older(QStringLiteral("vecchio"));
    TestProject newer(QStringLiteral("nuovo"));
    SetRecent({older.Folder(), newer.Folder()});

    ASSERT_TRUE(Start());
    EXPECT_EQ(ui->chooseCalls, 0);
    EXPECT_EQ(app->m_strProjectFolder, newer.Folder() + QLatin1Char('/'));
    EXPECT_EQ(app->GetMainFrame()->windowTitle(), QStringLiteral("Quintaro - [nuovo]"));
}

TEST_F(TindaAppTest, MissingRecentProjectLeavesTheListWithoutProgetti)
{
    TempFolder gone;
    const QString folder = gone.Path() + QStringLiteral("/sparito");
    SetRecent({folder});

    EXPECT_TRUE(Start());
    EXPECT_EQ(ui->chooseCalls, 0);
    EXPECT_FALSE(app->m_bProjectOpen);
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Il progetto non esiste più nella cartella specificata."));
    EXPECT_TRUE(Recent().isEmpty());
    EXPECT_EQ(app->GetMainFrame()->windowTitle(), QStringLiteral("Quintaro"));
}

// ---- command table -------------------------------------------------------------

TEST_F(TindaAppTest, CommandsOfMissingViewsAreNotOffered)
{
    EXPECT_TRUE(Start());
    EXPECT_FALSE(MenuTitles().contains(QStringLiteral("&Configurazione")));
    EXPECT_TRUE(MenuTitles().contains(QStringLiteral("&File")));
    EXPECT_TRUE(MenuTitles().contains(QStringLiteral("&Aiuto")));
    EXPECT_FALSE(app->GetMainFrame()->GetAction(ID_ANTEPRIMA)->isVisible());
    EXPECT_FALSE(app->GetMainFrame()->RunCommand(ID_ANTEPRIMA));
    // The record buttons are always there, for whichever editor is active.
    EXPECT_TRUE(app->GetMainFrame()->GetAction(ID_RECORD_SAVE)->isVisible());
    EXPECT_FALSE(Enabled(ID_RECORD_SAVE));

    RegisterFakeViews();
    EXPECT_TRUE(MenuTitles().contains(QStringLiteral("&Configurazione")));
}

TEST_F(TindaAppTest, OneEditorAtATime)
{
    TestProject project;
    ASSERT_NO_FATAL_FAILURE(StartOn(project));
    RegisterFakeViews();
    CCommandInfo cd;
    cd.nId = kCdCommand;
    cd.rule = CommandRule::ProjectAndCdViewer;
    cd.run = [] {};
    CCommandTable::Instance().Register(cd);
    app->GetMainFrame()->RebuildMenus();

    EXPECT_TRUE(Enabled(kFakeViewCommand));
    EXPECT_FALSE(Enabled(kCdCommand)) << "the installation has no cdviewer";
    ASSERT_TRUE(app->GetMainFrame()->RunCommand(kFakeViewCommand));
    ASSERT_TRUE(openedView);
    EXPECT_TRUE(app->m_bViewOpen);
    QMdiSubWindow* frame = app->GetMainFrame()->GetMdiArea()->subWindowList().value(0);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Vista di prova"));
    EXPECT_TRUE(static_cast<CChildFrame*>(frame)->m_bChat);

    for (int id : {kFakeViewCommand, kOtherViewCommand, int(ID_FILE_NEW), int(ID_FILE_OPEN)})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(ID_APP_ABOUT));
    EXPECT_FALSE(app->GetMainFrame()->RunCommand(kOtherViewCommand));

    ASSERT_TRUE(frame->close());
    EXPECT_FALSE(app->m_bViewOpen);
    for (int id : {kFakeViewCommand, kOtherViewCommand, int(ID_FILE_NEW), int(ID_FILE_OPEN)})
        EXPECT_TRUE(Enabled(id)) << id;
}

// Numbers are shown and read in the merchant's region: Italian unless the
// settings name another, whatever locale the program started in.
TEST_F(TindaAppTest, NumbersFollowTheRegionOfTheSettings)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    CNumberText::SetRegion(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_TRUE(Start());
    EXPECT_EQ(CNumberText::Display(QStringLiteral("24.9"), false), QStringLiteral("24,9"));
    app.reset();

    QSettings(QStringLiteral("Morvella"), QStringLiteral("Quintaro50")).setValue(QStringLiteral("Regione"), "en_US");
    EXPECT_TRUE(Start());
    EXPECT_EQ(CNumberText::Display(QStringLiteral("24.9"), false), QStringLiteral("24.9"));
    QSettings(QStringLiteral("Morvella"), QStringLiteral("Quintaro50")).remove(QStringLiteral("Regione"));
    CNumberText::SetRegion(QLocale(QLocale::Italian, QLocale::Italy));
    QLocale::setDefault(QLocale::c());
}

TEST_F(TindaAppTest, ProjectCommandsNeedAProject)
{
    EXPECT_TRUE(Start());
    RegisterFakeViews();
    EXPECT_FALSE(Enabled(kFakeViewCommand));
    EXPECT_FALSE(app->GetMainFrame()->RunCommand(kFakeViewCommand));
    EXPECT_FALSE(app->m_bViewOpen);
}

// Each editor counts once, whatever window opened it: a project stays
// fixed while any of them is open, and File Apri does nothing meanwhile.
TEST_F(TindaAppTest, EveryOpenEditorHoldsTheProject)
{
    TestProject project;
    ASSERT_NO_FATAL_FAILURE(StartOn(project));
    ASSERT_NO_FATAL_FAILURE(OpenFakeEditor());
    auto* frame = static_cast<CChildFrame*>(app->GetMainFrame()->GetMdiArea()->subWindowList().value(0));
    frame->m_nBaseProductID = 7;
    app->SetViewOpen(true);   // a job's dialog, modal on the same project
    ASSERT_TRUE(frame->close());
    ASSERT_TRUE(frame->close()) << "a frame closed twice counts once";
    EXPECT_TRUE(app->m_bViewOpen);
    EXPECT_FALSE(Enabled(ID_FILE_OPEN));
    const QString folder = app->m_strProjectFolder;
    app->OnFileOpen();
    EXPECT_EQ(app->m_strProjectFolder, folder);
    app->SetViewOpen(false);
    EXPECT_FALSE(app->m_bViewOpen);
    EXPECT_TRUE(Enabled(ID_FILE_OPEN));
}

// ---- closing ---------------------------------------------------------------------

TEST_F(TindaAppTest, EditorWhoseSaveFailsKeepsTheProgramOpen)
{
    TestProject project;
    ASSERT_NO_FATAL_FAILURE(StartOn(project));
    ASSERT_NO_FATAL_FAILURE(OpenFakeEditor());
    openedView->rule = ITindaView::CloseRecordStrict;
    openedView->recordModified = true;
    openedView->saveRecordOk = false;

    EXPECT_FALSE(app->GetMainFrame()->close());
    EXPECT_TRUE(openedView);
    EXPECT_EQ(openedView->calls, (QStringList{"IsRecordModified", "SaveRecord"}));
    EXPECT_EQ(app->GetMainFrame()->GetMdiArea()->subWindowList().size(), 1);

    openedView->saveRecordOk = true;
    EXPECT_TRUE(app->GetMainFrame()->close());
    EXPECT_TRUE(boxes.Shown().isEmpty()) << "no site-update marker, no question";
}

TEST_F(TindaAppTest, SiteUpdateMarkerAsksBeforeClosing)
{
    TestProject project;
    ASSERT_NO_FATAL_FAILURE(StartOn(project));
    AlertUpd(app->m_strProjectFolder);

    boxes.Answer(QMessageBox::Yes);
    EXPECT_FALSE(app->GetMainFrame()->close());
    ASSERT_EQ(boxes.Shown().size(), 1);
    EXPECT_EQ(boxes.Shown().first().caption, QStringLiteral("Aggiornamento sito"));
    EXPECT_EQ(boxes.Shown().first().text,
              QStringLiteral("E' stato modificato l'archivio dati ed e' pertanto necessario aggiornare il sito.\n\n"
                             "Vuoi farlo ora?"));

    boxes.Answer(QMessageBox::No);
    EXPECT_TRUE(app->GetMainFrame()->close());
}

TEST_F(TindaAppTest, EditorSavedOnExitRaisesTheSiteUpdateQuestion)
{
    TestProject project;
    ASSERT_NO_FATAL_FAILURE(StartOn(project));
    ASSERT_NO_FATAL_FAILURE(OpenFakeEditor());
    openedView->rule = ITindaView::CloseRecordStrict;
    openedView->recordModified = true;
    const QString folder = app->m_strProjectFolder;
    // A save writes through a table class, which raises the marker.
    openedView->onSave = [folder] { AlertUpd(folder); };
    ASSERT_FALSE(IsAlertUpd(folder));

    boxes.Answer(QMessageBox::Yes);
    EXPECT_FALSE(app->GetMainFrame()->close());
    EXPECT_EQ(app->GetMainFrame()->GetMdiArea()->subWindowList().size(), 0) << "the editor saved and closed first";
    EXPECT_EQ(boxes.Shown().size(), 1);
}

// ---- language selector -----------------------------------------------------------

TEST_F(TindaAppTest, SelectorListsTheProjectsLanguagesAndRefreshesTheEditor)
{
    TestProject project;
    project.SetLanguages({{1, "it", "Italiano", true}, {2, "en", "English", true}, {3, "de", "Deutsch", false}}, 1);
    ASSERT_NO_FATAL_FAILURE(StartOn(project));
    RegisterFakeViews();

    EXPECT_EQ(ComboTexts(), (QStringList{"English", "Italiano"}));
    EXPECT_EQ(app->GetMainFrame()->GetLanguageCombo()->currentText(), QStringLiteral("Italiano"));
    EXPECT_EQ(app->GetMainFrame()->GetDefaultLanguage(), QStringLiteral("it"));

    ASSERT_TRUE(app->GetMainFrame()->RunCommand(kFakeViewCommand));
    app->GetMainFrame()->SelectLanguage(0);
    EXPECT_EQ(openedView->refreshCount, 1);
    EXPECT_EQ(app->GetMainFrame()->GetCurrentLanguage(), QStringLiteral("en"));
    EXPECT_EQ(app->GetMainFrame()->GetDefaultLanguage(), QStringLiteral("it"));
    EXPECT_FALSE(app->GetMainFrame()->IsDefaultLanguageSelected());

    // An editor whose typing cannot be saved keeps the language it shows.
    openedView->languageLeft = false;
    app->GetMainFrame()->SelectLanguage(1);
    EXPECT_EQ(openedView->refreshCount, 1);
    EXPECT_EQ(app->GetMainFrame()->GetCurrentLanguage(), QStringLiteral("en"));
    EXPECT_EQ(app->GetMainFrame()->GetLanguageCombo()->currentText(), QStringLiteral("English"));
}

TEST_F(TindaAppTest, FileOpenClosesTheProjectAndEmptiesTheSelector)
{
    TestProject project;
    ASSERT_NO_FATAL_FAILURE(StartOn(project));

    ASSERT_TRUE(app->GetMainFrame()->RunCommand(ID_FILE_OPEN));   // "Progetti" answered Annulla
    EXPECT_EQ(ui->chooseCalls, 1);
    EXPECT_FALSE(app->m_bProjectOpen);
    EXPECT_FALSE(app->m_db.IsOpen());
    EXPECT_EQ(app->GetMainFrame()->GetLanguageCombo()->count(), 0);
    EXPECT_EQ(app->GetMainFrame()->windowTitle(), QStringLiteral("Quintaro"));
}

// ---- the rest ----------------------------------------------------------------------

TEST_F(TindaAppTest, RecordVersionCounterAdvances)
{
    TestProject project;
    ASSERT_NO_FATAL_FAILURE(StartOn(project));
    app->m_db.Execute(QStringLiteral("DELETE FROM ProgressivoVersioneRecord"));

    EXPECT_EQ(CChildFrame::GetNextRecordVersion(), 1);
    EXPECT_EQ(CChildFrame::GetNextRecordVersion(), 2);
}

TEST_F(TindaAppTest, MissingHelpFileIsReported)
{
    EXPECT_TRUE(Start());
    TempFolder withoutHelp;   // the build's own folder has help/help.pdf
    app->m_strInstallFolder = withoutHelp.Path();
    bool opened = false;
    app->m_openUrl = [&](const QUrl&) { opened = true; return true; };
    ASSERT_TRUE(app->GetMainFrame()->RunCommand(ID_HELP_INDEX));
    EXPECT_FALSE(opened);
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Impossibile aprire il file di help!"));

    // The web pages have no real address: their commands are not offered.
    for (int id : {ID_PRODUCT_WEB, ID_MAKER_WEB, ID_SUPPORT_WEB})
        EXPECT_FALSE(app->GetMainFrame()->RunCommand(id)) << id;
    EXPECT_FALSE(opened);
}

TEST_F(TindaAppTest, HelpFileBesideTheProgramOpensWithF1)
{
    TempFolder install;
    install.WriteFile(QStringLiteral("help/help.pdf"), "%PDF-1.4");
    EXPECT_TRUE(Start());
    app->m_strInstallFolder = install.Path();
    QUrl openedUrl;
    app->m_openUrl = [&](const QUrl& url) { openedUrl = url; return true; };
    QAction* help = app->GetMainFrame()->GetAction(ID_HELP_INDEX);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->shortcut(), QKeySequence(QKeySequence::HelpContents));
    EXPECT_EQ(app->GetMainFrame()->GetAction(ID_APP_EXIT)->shortcut(), QKeySequence(QKeySequence::Quit));
    help->trigger();
    EXPECT_EQ(openedUrl, QUrl::fromLocalFile(install.Path() + QStringLiteral("/help/help.pdf")));
}

TEST_F(TindaAppTest, WindowSizeAndPlaceAreRememberedAcrossRuns)
{
    EXPECT_TRUE(Start());
    app->GetMainFrame()->setGeometry(40, 50, 700, 500);
    app->GetMainFrame()->GetToolBar()->hide();
    ASSERT_TRUE(app->GetMainFrame()->close());

    EXPECT_TRUE(Start());
    EXPECT_EQ(app->GetMainFrame()->size(), QSize(700, 500));
    EXPECT_FALSE(app->GetMainFrame()->GetToolBar()->isVisibleTo(app->GetMainFrame()));
}

// ---- registration from a view library ----------------------------------------------

namespace registered {
constexpr int kId = 40100;
int runs = 0;
CCommandInfo Command()
{
    CCommandInfo info;
    info.nId = kId;
    info.rule = CommandRule::Always;
    info.strPopup = QStringLiteral("&Aiuto");
    info.strCaption = QStringLiteral("Prova registrata");
    info.run = [] { ++runs; };
    return info;
}
// As a view library does it: at load time, before the program starts.
const CCommandRegistrar s_commands({Command()});
}

TEST_F(TindaAppTest, CommandRegisteredAtLoadTimeIsOffered)
{
    EXPECT_TRUE(Start());
    QAction* action = app->GetMainFrame()->GetAction(registered::kId);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QStringLiteral("Prova registrata"));
    EXPECT_TRUE(action->isVisible());
    ASSERT_TRUE(app->GetMainFrame()->RunCommand(registered::kId));
    EXPECT_EQ(registered::runs, 1);
}

TEST_F(TindaAppTest, ViewFactoryThatMakesNothingOpensNoEditor)
{
    TestProject project;
    ASSERT_NO_FATAL_FAILURE(StartOn(project));
    CCommandInfo info;
    info.nId = kFakeViewCommand;
    info.strPopup = QStringLiteral("&Configurazione");
    info.createView = [](CChildFrame&) { return static_cast<QWidget*>(nullptr); };
    CCommandTable::Instance().Register(info);
    app->GetMainFrame()->RebuildMenus();

    EXPECT_TRUE(app->GetMainFrame()->RunCommand(kFakeViewCommand));
    EXPECT_FALSE(app->m_bViewOpen);
    EXPECT_TRUE(app->GetMainFrame()->GetMdiArea()->subWindowList().isEmpty());
}

} // namespace
