#pragma once

#include "desktop/shell/app/CCommandInfo.h"
#include "platform/dao/CDaoDatabase.h"
#include "recordset/IQtrHost.h"

#include <QObject>
#include <QSettings>
#include <QString>

#include <functional>
#include <memory>

class CMainFrame;
class CProjectSession;
class IProjectUi;

// The application object of tinda: it owns the one project database, knows
// the project and installation folders, runs the start-up, and keeps the
// state the command rules are judged on (project open, editor open).
// Projects are chosen, made and opened by CProjectSession on these members.
class CTindaApp : public QObject, public IQtrHost
{
    Q_OBJECT
public:
    explicit CTindaApp(QObject* parent = nullptr);
    ~CTindaApp() override;

    // Start-up up to the first open project. False ends the program (the
    // user closed it from the synchronisation-lock wait).
    bool InitInstance();
    // Closes the project database; the program's exit code.
    int ExitInstance();

    // The dialogs and main-frame parts the project rules use; tests install
    // their own before InitInstance. By default CTindaProjectUi.
    void SetProjectUi(std::unique_ptr<IProjectUi> ui);

    CMainFrame* GetMainFrame() const { return m_pMainFrame.get(); }
    CommandState GetCommandState() const;
    // Counts the editors (and modal jobs) open on the project: true when one
    // opens, false when one closes. The project may be switched only when
    // none is left.
    void SetViewOpen(bool open);
    // The main frame's selector, refilled from the open database.
    bool LoadLanguages();

    // Project services.
    bool OpenProject();
    void CreateProjectTree();
    void AddRecentProject();
    void RemoveRecentProject(const QString& folder);
    bool BackupDatabase();
    bool RestoreDatabase();

    // Commands of the application itself.
    void OnFileNew();
    void OnFileOpen();
    void OnAppAbout();
    void OnHelpIndex();
    void OnMakerWeb();
    void OnProductWeb();
    void OnSupportWeb();

    // How a web page or a file is opened; tests replace it.
    std::function<bool(const QUrl&)> m_openUrl;
    // The automatic import of outside data, set by the library that has it;
    // false when the program is closing.
    std::function<bool(const QString& projectFolder)> m_runExternalImport;

    // IQtrHost
    CDaoDatabase* GetProjectDatabase() override;
    QString GetProjectFolder() override;

    bool m_bProjectOpen = false;
    bool m_bViewOpen = false;     // m_nViewsOpen > 0
    int m_nViewsOpen = 0;
    bool m_bCdViewer = false;
    bool m_bStartOk = false;
    CDaoDatabase m_db;
    QString m_strProjectFolder;   // ends with "/" while a project is open
    QString m_strInstallFolder;   // the executable's folder unless set before InitInstance
    QString m_strStartProject;    // from the command line: opened (or made) at start
    QSettings m_settings;

signals:
    void StateChanged();

private:
    void RegisterShellCommands();
    void EnsureProjectSession();
    template <typename F> auto WithProjects(F&& step);

    std::unique_ptr<CMainFrame> m_pMainFrame;
    std::unique_ptr<IProjectUi> m_pUi;
    std::unique_ptr<CProjectSession> m_pProjects;
};

// The running application object, or nullptr.
CTindaApp* TindaApp();
