#include "ProjectFixture.h"

#include "desktop/shell/projects/CDatabaseBackup.h"
#include "platform/dao/CDatabaseFile.h"
#include "desktop/shell/projects/CProjectFolder.h"
#include "platform/dao/CDaoDatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

#include <gtest/gtest.h>

namespace {

QString ValueOf(CDaoDatabase& database)
{
    QSqlQuery query(database.Connection());
    query.exec(QStringLiteral("SELECT Valuta FROM Valute WHERE ID=1"));
    return query.next() ? query.value(0).toString() : QString();
}

void SetValue(CDaoDatabase& database, const QString& value)
{
    database.Execute(QStringLiteral("UPDATE Valute SET Valuta=? WHERE ID=1"), {value});
}

class DatabaseBackupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_project = m_fixture.MakeProject(QStringLiteral("negozio"));
        m_db.Open(CProjectFolder::DatabasePath(m_project));
        SetValue(m_db, QStringLiteral("prima"));
    }

    ProjectFixture m_fixture;
    QString m_project;
    CDaoDatabase m_db;
};

TEST_F(DatabaseBackupTest, RestoreDiscardsWhatWasWrittenSinceTheBackup)
{
    CDatabaseBackup backup(m_db, m_project);
    QString error;
    ASSERT_TRUE(backup.Backup(&error)) << error.toStdString();
    ASSERT_TRUE(m_db.IsOpen());
    EXPECT_TRUE(QFileInfo::exists(CProjectFolder::BackupPath(m_project)));
    SetValue(m_db, QStringLiteral("durante"));
    ASSERT_TRUE(backup.Restore(&error)) << error.toStdString();
    ASSERT_TRUE(m_db.IsOpen());
    EXPECT_EQ(ValueOf(m_db), QStringLiteral("prima"));
    EXPECT_FALSE(QFileInfo::exists(CProjectFolder::BackupPath(m_project)));
}

TEST_F(DatabaseBackupTest, FailedRestoreKeepsTheDatabaseInPlaceAndOpen)
{
    CDatabaseBackup backup(m_db, m_project);
    QString error;
    EXPECT_FALSE(backup.Restore(&error));
    EXPECT_FALSE(error.isEmpty());
    ASSERT_TRUE(m_db.IsOpen());
    EXPECT_EQ(ValueOf(m_db), QStringLiteral("prima"));
}

TEST_F(DatabaseBackupTest, LeftoverBackupReplacesTheDatabase)
{
    CDatabaseBackup backup(m_db, m_project);
    QString error;
    ASSERT_TRUE(backup.Backup(&error));
    SetValue(m_db, QStringLiteral("durante"));
    // A preview that ended with a crash: the database holds its writes.
    m_db.Close();
    ASSERT_TRUE(backup.RestoreLeftover(&error)) << error.toStdString();
    EXPECT_FALSE(m_db.IsOpen());
    EXPECT_FALSE(QFileInfo::exists(CProjectFolder::BackupPath(m_project)));
    m_db.Open(CProjectFolder::DatabasePath(m_project));
    EXPECT_EQ(ValueOf(m_db), QStringLiteral("prima"));
    // With nothing left over there is nothing to do.
    EXPECT_TRUE(backup.RestoreLeftover(&error));
}

TEST(DatabaseFile, CopyOfAMissingFileLeavesTheTargetAlone)
{
    TempFolder folder;
    folder.WriteFile(QStringLiteral("target.mdb"), "old");
    QString error;
    EXPECT_FALSE(CDatabaseFile::Copy(folder.FilePath(QStringLiteral("none.mdb")),
                                     folder.FilePath(QStringLiteral("target.mdb")), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(folder.ReadFile(QStringLiteral("target.mdb")), QByteArray("old"));
}

TEST(DatabaseFile, ReplaceMovesOverTheTargetAndDropsItsLog)
{
    TempFolder folder;
    folder.WriteFile(QStringLiteral("new.mdb"), "new");
    folder.WriteFile(QStringLiteral("target.mdb"), "old");
    folder.WriteFile(QStringLiteral("target.mdb-wal"), "stale log");
    QString error;
    ASSERT_TRUE(CDatabaseFile::Replace(folder.FilePath(QStringLiteral("new.mdb")),
                                       folder.FilePath(QStringLiteral("target.mdb")), &error));
    EXPECT_EQ(folder.ReadFile(QStringLiteral("target.mdb")), QByteArray("new"));
    EXPECT_FALSE(folder.Exists(QStringLiteral("new.mdb")));
    EXPECT_FALSE(folder.Exists(QStringLiteral("target.mdb-wal")));
}

TEST(DatabaseFile, ReplaceIntoAMissingFolderFailsAndKeepsTheSource)
{
    TempFolder folder;
    folder.WriteFile(QStringLiteral("new.mdb"), "new");
    QString error;
    EXPECT_FALSE(CDatabaseFile::Replace(folder.FilePath(QStringLiteral("new.mdb")),
                                        folder.FilePath(QStringLiteral("none/target.mdb")), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(folder.ReadFile(QStringLiteral("new.mdb")), QByteArray("new"));
}

} // namespace
