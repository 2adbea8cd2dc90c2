#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

class CDaoDatabase;
class IProjectUi;
class QSettings;

// The project half of the application object: choosing, creating,
// opening and closing projects, the recent list and the preview backup.
// It works on CTindaApp's own members, handed in by reference, so every
// other part keeps reading them from the application object.
//
// CTindaApp keeps one for its lifetime:
//   m_pProjects = std::make_unique<CProjectSession>(m_db, m_strProjectFolder,
//       m_bProjectOpen, m_strInstallFolder, m_settings, *m_pUi);
// where m_settings is QSettings("Morvella", "Quintaro50") and m_pUi an
// IProjectUi (a CProjectDialogUi subclass that does the main-frame parts).
// Then:
//   InitInstance steps 10-12:  m_bStartOk = m_pProjects->StartUp();
//   OnFileNew / OnFileOpen:    m_pProjects->FileNew() / FileOpen();
//   OpenProject():             return m_pProjects->OpenProject();
//   CreateProjectTree():       m_pProjects->CreateProjectTree();
//   AddRecentProject():        m_pProjects->AddRecentProject();
//   RemoveRecentProject(f):    m_pProjects->RemoveRecentProject(f);
//   BackupDatabase():          m_pProjects->BackupDatabase();
//   RestoreDatabase():         m_pProjects->RestoreDatabase();
// The install folder is read when needed, so it may be set after the
// session is made.
class CProjectSession
{
public:
    CProjectSession(CDaoDatabase& database, QString& projectFolder, bool& projectOpen,
                    const QString& installFolder, QSettings& settings, IProjectUi& ui);

    // From the newest recent project (or the "Progetti" dialog when there
    // is none) to an open project or none. False only when the user ended
    // the program from the lock wait. A project that failed to open at the
    // last start is not tried again: "Progetti" is offered instead. With
    // startFolder (the command line) that project is opened, or made there
    // when the folder is empty or missing.
    bool StartUp(const QString& startFolder = QString());
    // File Nuovo: "Nuovo progetto", then the current project is closed and
    // the new one made and opened; Annulla keeps the open project.
    void FileNew();
    // File Apri: closes the current project, then "Progetti".
    void FileOpen();

    // Opens the project folder; on success it becomes the newest recent
    // project. The project is held by a lock beside its database, so a
    // second program refuses it with a message.
    bool OpenProject();
    // Makes the project in the project folder, adds it to the recent list
    // and shows the notice; false (after a message) when it can't be made.
    bool CreateProjectTree();
    void AddRecentProject();
    void RemoveRecentProject(const QString& folder);
    // Around the preview and the template editor; a failure is reported.
    bool BackupDatabase();
    bool RestoreDatabase();
    // Closes the database, empties the language selector, title "Quintaro".
    void CloseProject();

    bool StartOk() const { return m_bStartOk; }
    // Where "Nuovo progetto" starts: the user's data folder's
    // "quintaro/projects", made when missing (the installation is
    // read-only).
    static QString DefaultProjectsFolder();

private:
    void ChooseProject();
    void CreateAndOpen(const QString& folder);
    bool AcceptFolder(const QString& folder);
    bool LockProject();
    void StartWith(const QString& folder);
    // Shows error with the stop icon when ok is false; returns ok.
    bool Reported(bool ok, const QString& error);

    CDaoDatabase& m_database;
    QString& m_strProjectFolder;
    bool& m_bProjectOpen;
    const QString& m_strInstallFolder;
    QSettings& m_settings;
    IProjectUi& m_ui;
    bool m_bStartOk = true;
    std::unique_ptr<QLockFile> m_pLock;
};
