#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoException.h"
#include "platform/dao/CDatabaseFile.h"
#include "platform/dao/CDaoTransaction.h"
#include "platform/testing/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>

namespace {

// A database with committed rows, and what the file swaps and copies do
// while its log still holds some of them.
class DatabaseFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        source = folder.FilePath("source.mdb");
        target = folder.FilePath("target.mdb");
        folder.WriteFile("target.mdb", "old");
        db.Open(source, true);
        db.Execute("CREATE TABLE Ordini (ID INTEGER)");
        for (int id = 1; id <= 3; ++id)
            db.Execute("INSERT INTO Ordini VALUES (?)", {id});
    }

    static int Rows(const QString& path)
    {
        CDaoDatabase check;
        check.Open(path);
        QSqlQuery query(check.Connection());
        query.exec("SELECT COUNT(*) FROM Ordini");
        return query.next() ? query.value(0).toInt() : -1;
    }

    QStringList Leftovers() const
    {
        return QDir(folder.Path()).entryList({"*.tmp"}, QDir::Files);
    }

    TempFolder folder;
    QString source;
    QString target;
    CDaoDatabase db;
};

TEST_F(DatabaseFileTest, ASourceWhoseLogStillHoldsRowsIsNeitherMovedNorCopied)
{
    // A second connection keeps the closing one from folding the log in, as
    // a failed checkpoint would.
    CDaoDatabase other;
    other.Open(source);
    db.Close();
    ASSERT_TRUE(CDatabaseFile::HasPendingLog(source));

    QString error;
    EXPECT_FALSE(CDatabaseFile::Replace(source, target, &error));
    EXPECT_TRUE(error.contains("source.mdb")) << error.toStdString();
    EXPECT_FALSE(CDatabaseFile::Copy(source, target, &error));
    EXPECT_EQ(folder.ReadFile("target.mdb"), QByteArray("old"));
    EXPECT_TRUE(CDatabaseFile::HasPendingLog(source));

    other.Close();
    EXPECT_FALSE(CDatabaseFile::HasPendingLog(source));
    ASSERT_TRUE(CDatabaseFile::Replace(source, target, &error)) << error.toStdString();
    EXPECT_EQ(Rows(target), 3);
}

TEST_F(DatabaseFileTest, ACheckpointKeptFromEmptyingTheLogIsAnError)
{
    CDaoDatabase reader;
    reader.Open(source);
    reader.BeginTrans();
    QSqlQuery read(reader.Connection());
    ASSERT_TRUE(read.exec("SELECT COUNT(*) FROM Ordini"));
    ASSERT_TRUE(read.next());
    db.SetBusyTimeout(10);

    EXPECT_THROW(db.Checkpoint(), CDaoException);
    EXPECT_TRUE(CDatabaseFile::HasPendingLog(source));

    read.finish();
    reader.Rollback();
    EXPECT_NO_THROW(db.Checkpoint());
    EXPECT_FALSE(CDatabaseFile::HasPendingLog(source));
}

TEST_F(DatabaseFileTest, CopyToReplacesTheTargetWhole)
{
    folder.WriteFile("target.mdb-wal", "stale log of the old target");
    db.CopyTo(target);
    EXPECT_EQ(Rows(target), 3);
    EXPECT_FALSE(QFileInfo::exists(target + "-wal") && QFileInfo(target + "-wal").size() > 0);
    EXPECT_EQ(Leftovers(), QStringList());
}

TEST_F(DatabaseFileTest, AFailedCopyToLeavesTheTarget)
{
    // A statement still reading keeps the engine from writing the copy.
    QSqlQuery busy(db.Connection());
    ASSERT_TRUE(busy.exec("SELECT * FROM Ordini"));
    ASSERT_TRUE(busy.next());

    EXPECT_THROW(db.CopyTo(target), CDaoException);
    EXPECT_EQ(folder.ReadFile("target.mdb"), QByteArray("old"));
    EXPECT_EQ(Leftovers(), QStringList());
}

TEST(DaoDatabaseTest, ClosingNeverThrowsEvenWhenTheRollbackFails)
{
    TempFolder folder;
    {
        CDaoDatabase db;
        db.Open(folder.FilePath("test.mdb"), true);
        db.Execute("CREATE TABLE T (ID INTEGER)");
        db.BeginTrans();
        db.Execute("INSERT INTO T VALUES (1)");
        // The engine's transaction ends behind the object's back, so the
        // rollback on closing fails.
        db.Execute("COMMIT");
        EXPECT_NO_THROW(db.Close());
        EXPECT_FALSE(db.IsOpen());
        EXPECT_EQ(db.TransactionDepth(), 0);
        db.Open(folder.FilePath("test.mdb"));
        db.BeginTrans();
        db.Execute("INSERT INTO T VALUES (2)");
        db.Execute("COMMIT");
    }   // the destructor closes with the same failing rollback
    CDaoDatabase check;
    check.Open(folder.FilePath("test.mdb"));
    QSqlQuery query(check.Connection());
    query.exec("SELECT COUNT(*) FROM T");
    ASSERT_TRUE(query.next());
    EXPECT_EQ(query.value(0).toInt(), 2);
}

TEST(DaoDatabaseTest, AFailedCommitSavesNothingAndDropsTheQueuedFiles)
{
    TempFolder folder;
    folder.WriteFile("5.jpg", "x");
    CDaoDatabase db;
    db.Open(folder.FilePath("test.mdb"), true);
    db.Execute("PRAGMA foreign_keys=ON");
    db.Execute("CREATE TABLE Padre (ID INTEGER PRIMARY KEY)");
    db.Execute("CREATE TABLE Figlio (ID INTEGER, IDPadre INTEGER REFERENCES Padre(ID) DEFERRABLE INITIALLY DEFERRED)");
    db.BeginTrans();
    db.Execute("INSERT INTO Figlio VALUES (1, 99)");   // checked only at the commit
    db.DeleteFilesOnCommit({folder.FilePath("5.jpg")});

    EXPECT_THROW(db.CommitTrans(), CDaoException);

    EXPECT_EQ(db.TransactionDepth(), 0);
    EXPECT_TRUE(folder.Exists("5.jpg"));
    db.BeginTrans();   // the engine's transaction was ended too
    db.Execute("INSERT INTO Padre VALUES (1)");
    db.CommitTrans();
    QSqlQuery query(db.Connection());
    query.exec("SELECT (SELECT COUNT(*) FROM Figlio), (SELECT COUNT(*) FROM Padre)");
    ASSERT_TRUE(query.next());
    EXPECT_EQ(query.value(0).toInt(), 0);
    EXPECT_EQ(query.value(1).toInt(), 1);
}

// The guard keeps what a committed scope wrote, takes back a scope left by
// an exception or without Commit, and inside another transaction takes
// back only its own part.
TEST(DaoTransactionTest, CommitKeepsLeavingWithoutItTakesBackOnlyTheScopesOwnWork)
{
    TempFolder folder;
    CDaoDatabase db;
    db.Open(folder.FilePath("test.mdb"), true);
    db.Execute("CREATE TABLE T (ID INTEGER)");
    {
        CDaoTransaction transaction(db);
        db.Execute("INSERT INTO T VALUES (1)");
        transaction.Commit();
    }
    EXPECT_THROW(
        {
            CDaoTransaction transaction(db);
            db.Execute("INSERT INTO T VALUES (2)");
            throw CDaoException("interrotto");
        },
        CDaoException);
    {
        CDaoTransaction transaction(db);
        db.Execute("INSERT INTO T VALUES (3)");
    }   // an early return
    {
        CDaoTransaction outer(db);
        db.Execute("INSERT INTO T VALUES (4)");
        try {
            CDaoTransaction inner(db);
            db.Execute("INSERT INTO T VALUES (5)");
            db.Execute("INSERT INTO Manca VALUES (5)");
            inner.Commit();
        } catch (const CDaoException&) {
        }
        EXPECT_EQ(db.TransactionDepth(), 1);
        outer.Commit();
    }
    EXPECT_EQ(db.TransactionDepth(), 0);
    QSqlQuery query(db.Connection());
    query.exec("SELECT group_concat(ID) FROM (SELECT ID FROM T ORDER BY ID)");
    ASSERT_TRUE(query.next());
    EXPECT_EQ(query.value(0).toString(), "1,4");
}

} // namespace
