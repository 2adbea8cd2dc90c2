#include "desktop/shell/projects/CProjectSession.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/projects/CDatabaseBackup.h"
#include "desktop/shell/projects/CProjectFolder.h"
#include "desktop/shell/projects/CProjectOpener.h"
#include "desktop/shell/projects/CRecentProjects.h"
#include "desktop/shell/projects/IProjectUi.h"
#include "platform/dao/CDaoDatabase.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

CProjectSession::CProjectSession(CDaoDatabase& database, QString& projectFolder, bool& projectOpen,
                                 const QString& installFolder, QSettings& settings, IProjectUi& ui)
    : m_database(database),
      m_strProjectFolder(projectFolder),
      m_bProjectOpen(projectOpen),
      m_strInstallFolder(installFolder),
      m_settings(settings),
      m_ui(ui)
{
}

QString CProjectSession::DefaultProjectsFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                           + QStringLiteral("/quintaro/projects");
    // "Nuovo progetto" makes only the last folder of its path.
    QDir().mkpath(folder);
    return folder;
}

namespace {
const QString kFailedKey = QStringLiteral("ProgettoNonAperto");
}

bool CProjectSession::StartUp(const QString& startFolder)
{
    m_bStartOk = true;
    m_bProjectOpen = false;
    if (!startFolder.isEmpty()) {
        StartWith(startFolder);
        return m_bStartOk;
    }
    m_strProjectFolder = CRecentProjects(m_settings).Newest();
    // The same error at every start would leave no way in: a project that
    // failed last time is offered among the others instead.
    if (m_strProjectFolder.isEmpty() || m_strProjectFolder == m_settings.value(kFailedKey).toString()) {
        ChooseProject();
        return m_bStartOk;
    }
    if (AcceptFolder(m_strProjectFolder))
        m_bProjectOpen = OpenProject();
    return m_bStartOk;
}

void CProjectSession::StartWith(const QString& folder)
{
    const QDir dir(folder);
    if (!dir.exists() || dir.isEmpty()) {
        QDir().mkpath(folder);
        CreateAndOpen(QDir::cleanPath(dir.absolutePath()));
        return;
    }
    m_strProjectFolder = QDir::cleanPath(dir.absolutePath());
    if (AcceptFolder(m_strProjectFolder))
        m_bProjectOpen = OpenProject();
}

void CProjectSession::FileNew()
{
    QString folder;
    if (!m_ui.AskNewProject(DefaultProjectsFolder(), &folder)) {
        if (!m_bProjectOpen)
            m_ui.SetTitle(QStringLiteral("Quintaro"));
        return;
    }
    // Refused before the open project is closed: the merchant goes on
    // where he was.
    if (CProjectFolder::HoldsProject(folder)) {
        CMessageBox::Show(m_ui.DialogParent(), CProjectFolder::ExistsMessage(), QString(), CMessageBox::Stop);
        return;
    }
    if (m_bProjectOpen)
        CloseProject();
    CreateAndOpen(folder);
}

void CProjectSession::FileOpen()
{
    if (m_bProjectOpen)
        CloseProject();
    ChooseProject();
}

void CProjectSession::ChooseProject()
{
    bool createNew = false;
    QString folder;
    if (!m_ui.ChooseProject(CRecentProjects(m_settings).NewestFirst(), &createNew, &folder))
        return;
    if (createNew) {
        QString newFolder;
        if (m_ui.AskNewProject(DefaultProjectsFolder(), &newFolder))
            CreateAndOpen(newFolder);
        return;
    }
    if (folder.isEmpty())
        return;
    m_strProjectFolder = folder;
    if (AcceptFolder(folder))
        m_bProjectOpen = OpenProject();
}

void CProjectSession::CreateAndOpen(const QString& folder)
{
    m_strProjectFolder = folder;
    m_bProjectOpen = CreateProjectTree() && OpenProject();
}

// A folder that is no project is refused and leaves the recent list; a
// good one moves to its newest place.
bool CProjectSession::AcceptFolder(const QString& folder)
{
    const CProjectFolder::CheckResult result = CProjectFolder::Check(folder);
    if (result != CProjectFolder::Valid) {
        CMessageBox::Show(m_ui.DialogParent(), CProjectFolder::CheckMessage(result), QString(), CMessageBox::Stop);
        RemoveRecentProject(folder);
        return false;
    }
    return true;
}

bool CProjectSession::OpenProject()
{
    if (!LockProject())
        return false;
    CProjectOpener opener(m_database, m_ui, m_strInstallFolder);
    const bool opened = opener.OpenProject(m_strProjectFolder);
    if (!opener.StartOk())
        m_bStartOk = false;
    if (opened) {
        AddRecentProject();
        m_settings.remove(kFailedKey);
    } else {
        m_pLock.reset();
        if (m_bStartOk)
            m_settings.setValue(kFailedKey, CProjectFolder::WithoutSlash(m_strProjectFolder));
    }
    return opened;
}

// One program per project: a second one would write the same database
// behind the first one's back.
bool CProjectSession::LockProject()
{
    const QString folder = CProjectFolder::WithoutSlash(m_strProjectFolder);
    auto lock = std::make_unique<QLockFile>(folder + QStringLiteral("/db/tinda.lock"));
    lock->setStaleLockTime(0);   // a lock is stale only when its program is gone
    if (lock->tryLock(0)) {
        m_pLock = std::move(lock);
        return true;
    }
    if (lock->error() != QLockFile::LockFailedError)
        return true;   // no lock can be made there (a read-only medium): nothing to share it with
    const QString name = folder.mid(folder.lastIndexOf(QLatin1Char('/')) + 1);
    CMessageBox::Show(m_ui.DialogParent(),
                      QStringLiteral("Il progetto \"%1\" è già aperto in un'altra finestra di Quintaro.\n\n"
                                     "Continuare il lavoro in quella finestra.")
                          .arg(name),
                      QString(), CMessageBox::Exclamation);
    return false;
}

bool CProjectSession::CreateProjectTree()
{
    QString error;
    if (!Reported(CProjectFolder::Create(m_strProjectFolder, m_strInstallFolder, &error), error))
        return false;
    AddRecentProject();
    CMessageBox::Show(m_ui.DialogParent(), CProjectFolder::CreatedNotice(), QString(), CMessageBox::Information);
    return true;
}

void CProjectSession::AddRecentProject()
{
    // The list holds folders as the user chose them, without the "/" an
    // open project's folder carries.
    CRecentProjects(m_settings).Add(CProjectFolder::WithoutSlash(m_strProjectFolder));
}

void CProjectSession::RemoveRecentProject(const QString& folder)
{
    CRecentProjects(m_settings).Remove(CProjectFolder::WithoutSlash(folder));
}

bool CProjectSession::BackupDatabase()
{
    QString error;
    return Reported(CDatabaseBackup(m_database, m_strProjectFolder).Backup(&error), error);
}

bool CProjectSession::RestoreDatabase()
{
    QString error;
    return Reported(CDatabaseBackup(m_database, m_strProjectFolder).Restore(&error), error);
}

bool CProjectSession::Reported(bool ok, const QString& error)
{
    if (!ok)
        CMessageBox::Show(m_ui.DialogParent(), error, QString(), CMessageBox::Stop);
    return ok;
}

void CProjectSession::CloseProject()
{
    m_database.Close();
    m_pLock.reset();
    m_ui.ResetLanguages();
    m_ui.SetTitle(QStringLiteral("Quintaro"));
    m_bProjectOpen = false;
}
