#pragma once

#include <QString>

class CDaoDatabase;

// The copy of the shop database kept while the preview (or the template
// editor) runs the site pages on it: whatever they write is thrown away
// when the copy is put back.
//
// CTindaApp::BackupDatabase / RestoreDatabase are
//   CDatabaseBackup(m_db, m_strProjectFolder).Backup(&error)
//   CDatabaseBackup(m_db, m_strProjectFolder).Restore(&error)
// and report a false result with error. Both close the connection first and
// reopen it on db/database.mdb afterwards, also after a failure, so the
// program keeps working on whichever database is in place.
// RestoreLeftover is the opening step for a backup a crashed preview left
// (the database is not open then); CProjectOpener calls it.
class CDatabaseBackup
{
public:
    CDatabaseBackup(CDaoDatabase& database, const QString& projectFolder);

    bool Backup(QString* error);
    bool Restore(QString* error);
    // When db/backup.mdb exists, it replaces db/database.mdb. True when
    // nothing was left over or the swap worked.
    bool RestoreLeftover(QString* error);

private:
    bool Reopen(QString* error);

    CDaoDatabase& m_database;
    QString m_strProjectFolder;
};
