#include "desktop/shell/projects/CDatabaseBackup.h"

#include "platform/dao/CDatabaseFile.h"
#include "desktop/shell/projects/CProjectFolder.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoException.h"

#include <QFileInfo>

CDatabaseBackup::CDatabaseBackup(CDaoDatabase& database, const QString& projectFolder)
    : m_database(database), m_strProjectFolder(projectFolder)
{
}

bool CDatabaseBackup::Backup(QString* error)
{
    m_database.Close();
    const bool copied = CDatabaseFile::Copy(CProjectFolder::DatabasePath(m_strProjectFolder),
                                            CProjectFolder::BackupPath(m_strProjectFolder), error);
    const bool reopened = Reopen(copied ? error : nullptr);
    return copied && reopened;
}

bool CDatabaseBackup::Restore(QString* error)
{
    m_database.Close();
    const bool replaced = CDatabaseFile::Replace(CProjectFolder::BackupPath(m_strProjectFolder),
                                                 CProjectFolder::DatabasePath(m_strProjectFolder), error);
    const bool reopened = Reopen(replaced ? error : nullptr);
    return replaced && reopened;
}

bool CDatabaseBackup::RestoreLeftover(QString* error)
{
    const QString backup = CProjectFolder::BackupPath(m_strProjectFolder);
    if (!QFileInfo(backup).isFile())
        return true;
    m_database.Close();
    return CDatabaseFile::Replace(backup, CProjectFolder::DatabasePath(m_strProjectFolder), error);
}

bool CDatabaseBackup::Reopen(QString* error)
{
    try {
        m_database.Open(CProjectFolder::DatabasePath(m_strProjectFolder));
    } catch (const CDaoException& e) {
        if (error)
            *error = e.GetErrorMessage();
        return false;
    }
    return true;
}
