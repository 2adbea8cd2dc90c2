#include "desktop/shell/app/CTindaApp.h"

#include "desktop/shell/app/CExternalImport.h"

#include "desktop/shell/app/CAboutDlg.h"
#include "desktop/shell/app/CCommandTable.h"
#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CSplashWnd.h"
#include "desktop/shell/app/CTindaProjectUi.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CNumberText.h"
#include "desktop/shell/projects/CProjectSession.h"

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

namespace {
CTindaApp* g_app = nullptr;

const char* const kProductWeb = "https://www.morvella.example/quintaro";
const char* const kMakerWeb = "https://www.morvella.example/";
const char* const kSupportWeb = "https://www.morvella.example/quintaro/supporto";
}

CTindaApp* TindaApp()
{
    return g_app;
}

CTindaApp::CTindaApp(QObject* parent)
    : QObject(parent), m_settings(QStringLiteral("Morvella"), QStringLiteral("Quintaro50"))
{
    g_app = this;
    QtrSetHost(this);
    m_openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

CTindaApp::~CTindaApp()
{
    // Frames go before the database their views read.
    m_pMainFrame.reset();
    m_pProjects.reset();
    if (m_db.IsOpen())
        m_db.Close();
    if (QtrHost() == this)
        QtrSetHost(nullptr);
    if (g_app == this)
        g_app = nullptr;
}

void CTindaApp::SetProjectUi(std::unique_ptr<IProjectUi> ui)
{
    m_pUi = std::move(ui);
    m_pProjects.reset();
}

void CTindaApp::EnsureProjectSession()
{
    if (!m_pUi)
        m_pUi = std::make_unique<CTindaProjectUi>(*this);
    if (!m_pProjects)
        m_pProjects = std::make_unique<CProjectSession>(m_db, m_strProjectFolder, m_bProjectOpen,
                                                        m_strInstallFolder, m_settings, *m_pUi);
}

template <typename F> auto CTindaApp::WithProjects(F&& step)
{
    EnsureProjectSession();
    // Whatever the step changed (project open, title), the commands' rules
    // are judged again once it is over.
    struct Notify
    {
        CTindaApp* app;
        ~Notify() { emit app->StateChanged(); }
    } notify{this};
    return step(*m_pProjects);
}

bool CTindaApp::InitInstance()
{
    CSplashWnd::Enable(true);
    RegisterShellCommands();
    if (!m_runExternalImport)
        m_runExternalImport = CExternalImport::Registered();
    m_bProjectOpen = false;
    // Numbers are shown and read in the merchant's region: Italian unless
    // the settings name another ("Regione", e.g. "de_CH"), never the locale
    // the process happened to start in.
    const QString region = m_settings.value(QStringLiteral("Regione")).toString();
    CNumberText::SetRegion(region.isEmpty() ? QLocale(QLocale::Italian, QLocale::Italy) : QLocale(region));

    m_pMainFrame = std::make_unique<CMainFrame>(*this);
    if (m_pMainFrame->RestoreWindowState()) {
        // Size, place and tool bars as the merchant left them.
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        m_pMainFrame->resize(area.size() * 4 / 5);
        m_pMainFrame->move(area.center() - m_pMainFrame->rect().center());
    }
    m_pMainFrame->show();
    m_bStartOk = true;

    // The installation's data (reference databases, templates) sits beside
    // the program, whatever the current folder is.
    if (m_strInstallFolder.isEmpty())
        m_strInstallFolder = QCoreApplication::applicationDirPath();
    m_settings.setValue(QStringLiteral("CartellaInstallazione"), QDir::toNativeSeparators(m_strInstallFolder));
    // Every window bears the program's icon: the theme's when installed,
    // else the one beside the program.
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("quintaro"), QIcon(m_strInstallFolder + QStringLiteral("/quintaro.png"))));

    m_bStartOk = WithProjects([this](CProjectSession& projects) { return projects.StartUp(m_strStartProject); });

    m_bCdViewer = QFileInfo::exists(m_strInstallFolder + QStringLiteral("/cdviewer"));
    emit StateChanged();
    return m_bStartOk;
}

int CTindaApp::ExitInstance()
{
    if (m_bProjectOpen)
        m_db.Close();
    m_bProjectOpen = false;
    return 0;
}

CommandState CTindaApp::GetCommandState() const
{
    return CommandState{m_bProjectOpen, m_bViewOpen, m_bCdViewer};
}

void CTindaApp::SetViewOpen(bool open)
{
    m_nViewsOpen = qMax(0, m_nViewsOpen + (open ? 1 : -1));
    m_bViewOpen = m_nViewsOpen > 0;
    emit StateChanged();
}

bool CTindaApp::LoadLanguages()
{
    return m_pMainFrame && m_pMainFrame->LoadLanguages();
}

// ---- project services ---------------------------------------------------------

bool CTindaApp::OpenProject()
{
    return WithProjects([](CProjectSession& projects) { return projects.OpenProject(); });
}

void CTindaApp::CreateProjectTree()
{
    WithProjects([](CProjectSession& projects) { projects.CreateProjectTree(); });
}

void CTindaApp::AddRecentProject()
{
    WithProjects([](CProjectSession& projects) { projects.AddRecentProject(); });
}

void CTindaApp::RemoveRecentProject(const QString& folder)
{
    WithProjects([&folder](CProjectSession& projects) { projects.RemoveRecentProject(folder); });
}

bool CTindaApp::BackupDatabase()
{
    return WithProjects([](CProjectSession& projects) { return projects.BackupDatabase(); });
}

bool CTindaApp::RestoreDatabase()
{
    return WithProjects([](CProjectSession& projects) { return projects.RestoreDatabase(); });
}

void CTindaApp::OnFileNew()
{
    if (m_bViewOpen)
        return;
    WithProjects([](CProjectSession& projects) { projects.FileNew(); });
}

void CTindaApp::OnFileOpen()
{
    if (m_bViewOpen)
        return;
    WithProjects([](CProjectSession& projects) { projects.FileOpen(); });
}

// ---- IQtrHost ---------------------------------------------------------------------

// While a project is being opened (the languages editor, the upgrade) the
// database is already there though the project does not yet count as open.
CDaoDatabase* CTindaApp::GetProjectDatabase()
{
    return m_db.IsOpen() ? &m_db : nullptr;
}

QString CTindaApp::GetProjectFolder()
{
    return m_db.IsOpen() ? m_strProjectFolder : QString();
}

// ---- commands of the application ----------------------------------------------

void CTindaApp::OnAppAbout()
{
    CAboutDlg dialog(m_pMainFrame.get());
    dialog.exec();
}

void CTindaApp::OnHelpIndex()
{
    const QString help = m_strInstallFolder + QStringLiteral("/help/help.pdf");
    if (!QFileInfo::exists(help) || !m_openUrl(QUrl::fromLocalFile(help)))
        CMessageBox::Show(m_pMainFrame.get(), QStringLiteral("Impossibile aprire il file di help!"),
                          QStringLiteral("Quintaro"), CMessageBox::Exclamation);
}

void CTindaApp::OnMakerWeb()
{
    m_openUrl(QUrl(QString::fromLatin1(kMakerWeb)));
}

void CTindaApp::OnProductWeb()
{
    m_openUrl(QUrl(QString::fromLatin1(kProductWeb)));
}

void CTindaApp::OnSupportWeb()
{
    m_openUrl(QUrl(QString::fromLatin1(kSupportWeb)));
}

void CTindaApp::RegisterShellCommands()
{
    CCommandTable& table = CCommandTable::Instance();
    auto action = [&table](int id, CommandRule rule, std::function<void()> run) {
        CCommandInfo info;
        info.nId = id;
        info.rule = rule;
        info.run = std::move(run);
        table.Register(info);
    };
    action(ID_FILE_NEW, CommandRule::NoViewOpen, [this] { OnFileNew(); });
    action(ID_FILE_OPEN, CommandRule::NoViewOpen, [this] { OnFileOpen(); });
    action(ID_APP_EXIT, CommandRule::Always, [this] { m_pMainFrame->close(); });
    action(ID_APP_ABOUT, CommandRule::Always, [this] { OnAppAbout(); });
    action(ID_HELP_INDEX, CommandRule::Always, [this] { OnHelpIndex(); });
    // The web pages of the product, its maker and its support have no real
    // address yet: their commands stay unregistered, so no menu offers a
    // page that does not exist.
    action(ID_VIEW_TOOLBAR, CommandRule::Always, [this] {
        QToolBar* bar = m_pMainFrame->GetTemplateToolBar()->isVisible() ? m_pMainFrame->GetTemplateToolBar()
                                                                         : m_pMainFrame->GetToolBar();
        bar->setVisible(!bar->isVisible());
    });
    action(ID_VIEW_STATUS_BAR, CommandRule::Always, [this] {
        QStatusBar* bar = m_pMainFrame->statusBar();
        bar->setVisible(!bar->isVisible());
    });
    // The record buttons belong to whichever editor is active.
    for (int id : {ID_RECORD_FILTER, ID_RECORD_FIRST, ID_RECORD_PREV, ID_RECORD_NEXT, ID_RECORD_LAST,
                   ID_RECORD_INSERT, ID_RECORD_DELETE, ID_RECORD_SAVE, ID_RECORD_UNDO, ID_FILE_PRINT,
                   ID_SPOSTA_SU, ID_SPOSTA_GIU})
        action(id, CommandRule::ActiveView, {});
}
