#include "platform/testing/TempFolder.h"
#include "recordset/QtrCipherCodec.h"
#include "recordset/CQTRDaoRecordset.h"
#include "recordset/IQtrHost.h"
#include "recordset/tests/DeletionLog.h"
#include "platform/utilities/QtrUtilities.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

// A tracked table class with one enciphered column, over a table of its own,
// so the base is tested apart from the shop's schema.
class CNotaSet : public CQTRDaoRecordset
{
public:
    using CQTRDaoRecordset::CQTRDaoRecordset;
    QString GetDefaultSQL() override { return QStringLiteral("[NoteLingue]"); }
    void DoFieldExchange(CDaoFieldExchange* pFX) override
    {
        DFX_Long(pFX, "[ID]", m_ID);
        DFX_Text(pFX, "[Titolo]", m_Titolo);
        DFX_Text(pFX, "[Testo]", m_Testo, &QtrCipherCodec());
        DFX_Bool(pFX, "[Modificato]", m_Modificato);
        DFX_Long(pFX, "[VersioneRecord]", m_VersioneRecord);
    }
    qint32 m_ID = 0;
    QString m_Titolo;
    QString m_Testo;
    bool m_Modificato = false;
    qint32 m_VersioneRecord = 0;
};

class TestHost : public IQtrHost
{
public:
    CDaoDatabase* GetProjectDatabase() override { return db; }
    QString GetProjectFolder() override { return folder; }
    CDaoDatabase* db = nullptr;
    QString folder;
};

class TrackingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        project = folder.Path() + "/";
        db.Open(folder.FilePath("database.mdb"), true);
        db.Execute("CREATE TABLE NoteLingue (ID INTEGER PRIMARY KEY, Titolo TEXT, Testo TEXT, Modificato INTEGER, "
                   "VersioneRecord INTEGER)");
        db.Execute("CREATE TABLE ProgressivoVersioneRecord (ProgressivoVersioneRecord INTEGER, Modificato INTEGER)");
        db.Execute("CREATE TABLE RecordsEliminati (NomeTabella TEXT, IDRecord INTEGER)");
        host.db = &db;
        host.folder = project;
        QtrSetHost(&host);
    }
    void TearDown() override { QtrSetHost(nullptr); }

    void Add(CNotaSet& rs, int id, const QString& testo = QString())
    {
        rs.AddNew();
        rs.m_ID = id;
        rs.m_Titolo = QStringLiteral("Nota %1").arg(id);
        rs.m_Testo = testo;
        rs.Update();
    }
    QVariant Scalar(const QString& sql)
    {
        QSqlQuery q(db.Connection());
        q.exec(sql);
        return q.next() ? q.value(0) : QVariant();
    }
    QStringList LogLines() { return DeletionLog(db); }

    TempFolder folder;
    QString project;
    CDaoDatabase db;
    TestHost host;
};

TEST_F(TrackingTest, TheFirstSaveStartsTheCounterAndRaisesTheMarker)
{
    CNotaSet rs(&db);
    rs.m_strProjectFolder = project;
    rs.Open();
    Add(rs, 1);
    EXPECT_EQ(Scalar("SELECT ProgressivoVersioneRecord || '/' || Modificato FROM ProgressivoVersioneRecord").toString(), "1/1");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM ProgressivoVersioneRecord").toInt(), 1);
    EXPECT_EQ(Scalar("SELECT VersioneRecord || '/' || Modificato FROM NoteLingue WHERE ID=1").toString(), "1/1");
    EXPECT_TRUE(folder.Exists("upd.qtr"));
}

TEST_F(TrackingTest, SavesTakeConsecutiveVersionsAndEditsAreStampedToo)
{
    CNotaSet rs(&db);
    rs.Open();
    Add(rs, 1);
    Add(rs, 2);
    EXPECT_EQ(Scalar("SELECT VersioneRecord FROM NoteLingue WHERE ID=2").toInt(), 2);
    db.Execute("UPDATE NoteLingue SET Modificato=0");
    rs.MoveLast();
    rs.Edit();
    rs.m_Titolo = "cambiata";
    rs.Update();
    EXPECT_EQ(Scalar("SELECT VersioneRecord || '/' || Modificato FROM NoteLingue WHERE ID=2").toString(), "3/1");
    EXPECT_EQ(rs.m_VersioneRecord, 3);
    EXPECT_TRUE(rs.m_Modificato);
    EXPECT_EQ(NextRecordVersion(db), 4);
}

// A long job saves its rows inside one transaction: versions still come one
// after another and the counter holds the last when it commits; rolled
// back, the counter is as it was and the next save goes on from there.
TEST_F(TrackingTest, SavesInsideATransactionCountOnAndStoreTheCounterAtTheCommit)
{
    CNotaSet rs(&db);
    rs.Open();
    Add(rs, 1);
    db.BeginTrans();
    for (int id = 2; id <= 5; ++id)
        Add(rs, id);
    db.CommitTrans();
    EXPECT_EQ(Scalar("SELECT group_concat(VersioneRecord) FROM (SELECT VersioneRecord FROM NoteLingue ORDER BY ID)")
                  .toString(),
              "1,2,3,4,5");
    EXPECT_EQ(Scalar("SELECT ProgressivoVersioneRecord FROM ProgressivoVersioneRecord").toInt(), 5);

    db.BeginTrans();
    Add(rs, 6);
    Add(rs, 7);
    db.Rollback();
    EXPECT_EQ(Scalar("SELECT ProgressivoVersioneRecord FROM ProgressivoVersioneRecord").toInt(), 5);
    rs.Requery();
    Add(rs, 8);
    EXPECT_EQ(Scalar("SELECT VersioneRecord FROM NoteLingue WHERE ID=8").toInt(), 6);
}

TEST_F(TrackingTest, AnUntrackedSaveTouchesNeitherCounterNorStampNorMarker)
{
    CNotaSet rs(&db);
    rs.m_bTracking = false;
    rs.Open();
    Add(rs, 1);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM ProgressivoVersioneRecord").toInt(), 0);
    EXPECT_EQ(Scalar("SELECT IFNULL(VersioneRecord, 0) || '/' || IFNULL(Modificato, 0) FROM NoteLingue").toString(), "0/0");
    EXPECT_FALSE(folder.Exists("upd.qtr"));
}

TEST_F(TrackingTest, WithNoFolderOfItsOwnTheMarkerGoesToTheHostsProject)
{
    CNotaSet rs(&db);
    rs.Open();
    Add(rs, 1);
    EXPECT_TRUE(folder.Exists("upd.qtr"));
}

TEST_F(TrackingTest, DeletionsAreLoggedOnceWhateverTheTracking)
{
    struct Case { bool tracking; QString tableName; QString logged; };
    const Case cases[] = {
        {true, "", "NoteLingue:1"},
        {false, "", "NoteLingue:1"},
        {true, "Note", "Note:1"},
    };
    for (const Case& c : cases) {
        db.Execute("DELETE FROM RecordsEliminati");
        db.Execute("INSERT INTO NoteLingue (ID) VALUES (1)");
        CNotaSet rs(&db);
        rs.m_bTracking = c.tracking;
        rs.m_strTableName = c.tableName;
        rs.Open();
        rs.Delete();
        EXPECT_EQ(LogLines(), QStringList{c.logged});
        EXPECT_EQ(Scalar("SELECT COUNT(*) FROM NoteLingue").toInt(), 0);
    }
}

TEST_F(TrackingTest, APlainObjectOnAStatementLogsItsTable)
{
    db.Execute("INSERT INTO NoteLingue (ID) VALUES (7)");
    CQTRDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM NoteLingue WHERE ID=7");
    rs.Delete();
    EXPECT_EQ(LogLines(), QStringList{"NoteLingue:7"});
}

TEST_F(TrackingTest, EncipheredColumnsArePlainInTheMemberAndEncipheredInTheFile)
{
    CNotaSet rs(&db);
    rs.Open();
    Add(rs, 1, "Testo riservato");
    const QString stored = Scalar("SELECT Testo FROM NoteLingue WHERE ID=1").toString();
    EXPECT_EQ(stored, Encrypt("Testo riservato"));
    rs.MoveFirst();
    EXPECT_EQ(rs.m_Testo, "Testo riservato");
    QString raw;
    EXPECT_TRUE(rs.MyGetFieldValue("Testo", raw));
    EXPECT_EQ(raw, stored);

    // Saving again, with or without a change to the text, never enciphers twice.
    for (int i = 0; i < 2; ++i) {
        rs.Edit();
        rs.m_Titolo = QStringLiteral("giro %1").arg(i);
        rs.Update();
        EXPECT_EQ(rs.m_Testo, "Testo riservato");
        EXPECT_EQ(Scalar("SELECT Testo FROM NoteLingue WHERE ID=1").toString(), stored);
    }
    rs.Edit();
    rs.m_Testo = "Nuovo testo";
    rs.Update();
    EXPECT_EQ(Scalar("SELECT Testo FROM NoteLingue WHERE ID=1").toString(), Encrypt("Nuovo testo"));
    EXPECT_EQ(rs.m_Testo, "Nuovo testo");
}

TEST_F(TrackingTest, MyGetFieldValueReportsAMissingColumnAndLeavesTheValue)
{
    CNotaSet rs(&db);
    rs.Open();
    Add(rs, 3);
    rs.MoveFirst();
    qint32 id = -1;
    EXPECT_TRUE(rs.MyGetFieldValue("ID", id));
    EXPECT_EQ(id, 3);
    qint32 untouched = 42;
    EXPECT_FALSE(rs.MyGetFieldValue("NonEsiste", untouched));
    EXPECT_EQ(untouched, 42);
    quint8 byte = 9;
    EXPECT_FALSE(rs.MyGetFieldValue("NonEsiste", byte));
    EXPECT_EQ(byte, 9);
    rs.Edit();
    rs.MySetFieldValue("Titolo", QStringLiteral("per nome"));
    rs.Update();
    EXPECT_EQ(rs.m_Titolo, "per nome");
}

TEST_F(TrackingTest, AFailedSaveLeavesNoRowAndKeepsTheEdit)
{
    db.Execute("CREATE TRIGGER rifiuta BEFORE INSERT ON NoteLingue WHEN NEW.Titolo='no' "
               "BEGIN SELECT RAISE(ABORT, 'rifiutato'); END");
    CNotaSet rs(&db);
    rs.Open();
    rs.AddNew();
    rs.m_ID = 5;
    rs.m_Titolo = "no";
    EXPECT_THROW(rs.Update(), CDaoException);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM NoteLingue").toInt(), 0);
    EXPECT_EQ(rs.GetEditMode(), dbEditAdd);
    rs.m_Titolo = "sì";
    rs.Update();
    EXPECT_EQ(Scalar("SELECT Titolo FROM NoteLingue WHERE ID=5").toString(), "sì");
}

// A save the site would never hear of is no save: when the marker cannot be
// raised the row, its stamp and the counter stay as they were, and the edit
// is kept for another try.
TEST_F(TrackingTest, ASaveWhoseMarkerCannotBeRaisedFailsAndLeavesNothing)
{
    ASSERT_TRUE(CreatePath(folder.FilePath("upd.qtr")));   // the marker's name is taken by a folder
    CNotaSet rs(&db);
    rs.Open();
    rs.AddNew();
    rs.m_ID = 5;
    rs.m_Titolo = "nuova";
    EXPECT_THROW(rs.Update(), CDaoException);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM NoteLingue").toInt(), 0);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM ProgressivoVersioneRecord").toInt(), 0);
    EXPECT_EQ(rs.GetEditMode(), dbEditAdd);
    QDir(folder.FilePath("upd.qtr")).removeRecursively();
    rs.Update();
    EXPECT_EQ(Scalar("SELECT Titolo FROM NoteLingue WHERE ID=5").toString(), "nuova");
    EXPECT_TRUE(IsAlertUpd(project));
}

TEST_F(TrackingTest, AFailedDeletionLeavesTheRowAndTheLogAsTheyWere)
{
    db.Execute("INSERT INTO NoteLingue (ID) VALUES (1)");
    db.Execute("CREATE TRIGGER blocca BEFORE DELETE ON NoteLingue BEGIN SELECT RAISE(ABORT, 'bloccato'); END");
    CNotaSet rs(&db);
    rs.Open();
    EXPECT_THROW(rs.Delete(), CDaoException);
    EXPECT_TRUE(LogLines().isEmpty());
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM NoteLingue").toInt(), 1);
}

TEST_F(TrackingTest, ATrackedSaveWithoutTheTrackingColumnsFailsAndWritesNothing)
{
    db.Execute("CREATE TABLE Semplice (ID INTEGER, Nome TEXT)");
    CQTRDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT * FROM Semplice");
    rs.AddNew();
    rs.SetFieldValue("ID", 1);
    EXPECT_THROW(rs.Update(), CDaoException);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Semplice").toInt(), 0);
}

} // namespace
