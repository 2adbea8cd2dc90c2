#include "platform/ado/CAdoConnection.h"
#include "platform/ado/CAdoConnectionPool.h"
#include "platform/ado/CAdoException.h"
#include "platform/ado/CAdoRecordset.h"
#include "platform/ado/testing/CAdoTestDatabase.h"
#include "platform/sql/CJetSql.h"
#include "platform/testing/TempFolder.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QSignalSpy>

#include <memory>

namespace {

class AdoEngine : public ::testing::TestWithParam<CAdoConnection::Engine>
{
protected:
    void SetUp() override
    {
        m_db = std::make_unique<CAdoTestDatabase>(GetParam());
        const bool pg = GetParam() == CAdoConnection::PostgreSQL;
        const QString date = pg ? "TIMESTAMP" : "TEXT";
        const QString real = pg ? "DOUBLE PRECISION" : "REAL";
        m_db->Execute({
            "CREATE TABLE Articoli (ID INTEGER NOT NULL PRIMARY KEY, Nome TEXT, UserID TEXT, Data " + date
                + ", Attivo SMALLINT DEFAULT 0, Prezzo " + real + " DEFAULT 0)",
            "CREATE TABLE Registro (NomeTabella TEXT, IDRecord INTEGER)",
        });
        m_conn = m_db->Connect();
    }

    void Fill(int count)
    {
        for (int i = 1; i <= count; ++i)
            m_conn->Execute("INSERT INTO Articoli (ID, Nome, Attivo) VALUES (?, ?, ?)",
                            {i, QString("art %1").arg(i, 2, 10, QChar('0')), i % 2 == 1});
    }

    std::unique_ptr<CAdoTestDatabase> m_db;
    std::unique_ptr<CAdoConnection> m_conn;
};

} // namespace

TEST_P(AdoEngine, StaticCursorWalksCountsAndReadsFieldsByName)
{
    CAdoRecordset rs;
    rs.Open("SELECT * FROM Articoli", m_conn.get());
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_THROW(rs.Field("Nome"), CAdoException);
    EXPECT_THROW(rs.MoveNext(), CAdoException);

    Fill(3);
    rs.Open("SELECT * FROM Articoli WHERE Attivo=True ORDER BY ID", m_conn.get());
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(rs.Field("nome").toString(), "art 01");
    EXPECT_TRUE(rs.IsNull("DATA"));
    EXPECT_THROW(rs.Field("Assente"), CAdoException);
    rs.MoveNext();
    EXPECT_EQ(rs.Field("ID").toInt(), 3);
    rs.MoveNext();
    EXPECT_TRUE(rs.IsEOF());
    rs.MoveLast();
    EXPECT_EQ(rs.Field("ID").toInt(), 3);
    rs.Close();
    EXPECT_THROW(rs.IsEOF(), CAdoException);
}

// A name read in any case finds the same column, also when two columns
// share it: the last one, as the column list reads.
TEST_P(AdoEngine, ANameFindsOneColumnWhateverItsCase)
{
    Fill(1);
    m_conn->Execute("INSERT INTO Registro (NomeTabella, IDRecord) VALUES (?, ?)", {"Articoli", 1});
    CAdoRecordset rs;
    rs.Open("SELECT Articoli.ID, Articoli.Nome, Registro.IDRecord + 100 AS Id FROM Articoli, Registro "
            "WHERE Registro.IDRecord = Articoli.ID",
            m_conn.get());
    ASSERT_EQ(rs.RecordCount(), 1);
    for (const char* name : {"ID", "Id", "id", "iD"})
        EXPECT_EQ(rs.Field(name).toInt(), 101) << name;
    for (const char* name : {"Nome", "nome", "NOME"})
        EXPECT_EQ(rs.Field(name).toString(), "art 01") << name;
}

// A statement read again finds its columns as they are now, and the
// spellings asked of it before still find theirs.
TEST_P(AdoEngine, AStatementReadAgainHasTheColumnsItGivesNow)
{
    Fill(1);
    const QString sql = "SELECT * FROM Articoli WHERE ID=?";
    CAdoRecordset rs;
    for (int round = 0; round < 2; ++round) {
        rs.Open(sql, m_conn.get(), {1});
        EXPECT_EQ(rs.Field("NOME").toString(), "art 01");
        EXPECT_FALSE(rs.HasField("Nota"));
    }
    rs.Close();
    m_conn->Execute("ALTER TABLE Articoli ADD COLUMN Nota TEXT");
    m_conn->Execute("UPDATE Articoli SET Nota='nuova'");
    // A new connection: PostgreSQL refuses a statement prepared before the
    // table changed.
    std::unique_ptr<CAdoConnection> other = m_db->Connect();
    rs.Open(sql, other.get(), {1});
    EXPECT_EQ(rs.FieldCount(), 7);
    EXPECT_EQ(rs.Field("nota").toString(), "nuova");
    EXPECT_EQ(rs.Field("NOME").toString(), "art 01");
    EXPECT_EQ(rs.Field("Prezzo").toDouble(), 0.0);
}

TEST_P(AdoEngine, ValuesAreBoundNeverSpliced)
{
    const QString tricky = "l'uno'; DROP TABLE Articoli; --";
    m_conn->Execute("INSERT INTO Articoli (ID, Nome) VALUES (?, ?)", {1, tricky});
    CAdoRecordset rs;
    rs.Open("SELECT * FROM Articoli WHERE Nome=?", m_conn.get(), {tricky});
    ASSERT_FALSE(rs.IsEOF());
    EXPECT_EQ(rs.Field("Nome").toString(), tricky);
}

TEST_P(AdoEngine, PagesFollowPageSizeAndAbsolutePage)
{
    Fill(25);
    CAdoRecordset rs;
    rs.Open("SELECT * FROM Articoli ORDER BY ID", m_conn.get());
    EXPECT_EQ(rs.PageSize(), 10);
    rs.SetPageSize(10);
    EXPECT_EQ(rs.PageCount(), 3);
    rs.SetAbsolutePage(3);
    EXPECT_EQ(rs.Field("ID").toInt(), 21);
    EXPECT_EQ(rs.AbsolutePage(), 3);
    rs.SetAbsolutePage(2);
    for (int i = 0; i < 10; ++i)
        rs.MoveNext();
    EXPECT_EQ(rs.Field("ID").toInt(), 21);   // the cursor does not stop at the page end
    rs.SetAbsolutePage(4);
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_EQ(rs.AbsolutePage(), CAdoRecordset::adPosEOF);
    EXPECT_THROW(rs.SetAbsolutePage(0), CAdoException);
    rs.SetPageSize(25);
    EXPECT_EQ(rs.PageCount(), 1);
}

TEST_P(AdoEngine, DatesBindAndReadInTheStoredForm)
{
    const QDateTime when(QDate(2004, 3, 10), QTime(9, 7, 2));
    m_conn->Execute("INSERT INTO Articoli (ID, Data) VALUES (1, ?)", {when});
    CAdoRecordset rs;
    rs.Open("SELECT * FROM Articoli WHERE Data>=#3/10/2004# AND Data<?", m_conn.get(), {QDate(2004, 3, 11)});
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Field("Data").toString(), "2004-03-10 09:07:02");
    EXPECT_EQ(CAdoRecordset::DateValue(rs.Field("Data")), when);
}

// Stored dates are read without the general parser and kept per thread:
// every text reads as the parser reads it, the second time as the first.
struct StoredDateCase
{
    const char* name;
    const char* text;
};

class StoredDates : public ::testing::TestWithParam<StoredDateCase>
{};

TEST_P(StoredDates, ReadAsTheParserReadsThem)
{
    const QString text = QString::fromLatin1(GetParam().text);
    QDateTime parsed = QDateTime::fromString(text.trimmed(), "yyyy-MM-dd HH:mm:ss");
    if (!parsed.isValid())
        parsed = QDateTime::fromString(text.trimmed(), Qt::ISODate);
    for (int time = 0; time < 2; ++time) {
        const QDateTime read = CAdoRecordset::DateValue(text);
        EXPECT_EQ(read.isValid(), parsed.isValid()) << time;
        if (parsed.isValid()) {
            EXPECT_EQ(read, parsed) << time;
            EXPECT_EQ(read.timeSpec(), parsed.timeSpec()) << time;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Dates, StoredDates,
    ::testing::Values(StoredDateCase{"Stored", "2004-03-10 09:07:02"}, StoredDateCase{"Midnight", "2024-12-31 00:00:00"},
                      StoredDateCase{"LeapDay", "2024-02-29 23:59:59"}, StoredDateCase{"NoSuchDay", "2023-02-29 10:00:00"},
                      StoredDateCase{"NoSuchHour", "2023-02-28 24:00:00"},
                      StoredDateCase{"SpringForwardGap", "2024-03-31 02:30:00"},
                      StoredDateCase{"Padded", " 2004-03-10 09:07:02 "}, StoredDateCase{"Iso", "2004-03-10T09:07:02"},
                      StoredDateCase{"ArabicDigits", "\u0662004-03-10 09:07:02"}, StoredDateCase{"Empty", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(AdoEngine, OptimisticRecordsetAddsChangesAndDeletesRows)
{
    Fill(3);
    CAdoRecordset rs;
    rs.Open("SELECT * FROM Articoli WHERE ID>? ORDER BY ID", m_conn.get(), {1}, CAdoRecordset::adLockOptimistic);
    rs.SetField("Nome", "cambiato");
    rs.MoveNext();   // moving on writes the pending change
    rs.Delete();
    rs.MoveNext();
    EXPECT_TRUE(rs.IsEOF());
    rs.AddNew();
    rs.SetField("ID", 1000000001);
    rs.SetField("Nome", "nuovo");
    rs.Update();
    EXPECT_EQ(rs.Field("Prezzo").toDouble(), 0.0);   // read back with the column default
    EXPECT_EQ(rs.RecordCount(), 2);

    CAdoRecordset check;
    check.Open("SELECT ID, Nome FROM Articoli ORDER BY ID", m_conn.get());
    QStringList rows;
    for (; !check.IsEOF(); check.MoveNext())
        rows << check.Field("ID").toString() + "=" + check.Field("Nome").toString();
    EXPECT_EQ(rows, QStringList({"1=art 01", "2=cambiato", "1000000001=nuovo"}));
}

TEST_P(AdoEngine, ReadOnlyAndJoinedRecordsetsRefuseChanges)
{
    Fill(1);
    CAdoRecordset rs;
    rs.Open("SELECT * FROM Articoli", m_conn.get());
    EXPECT_THROW(rs.SetField("Nome", "x"), CAdoException);
    EXPECT_THROW(rs.AddNew(), CAdoException);
    rs.Open("SELECT a.* FROM Articoli a, Registro r", m_conn.get(), {}, CAdoRecordset::adLockOptimistic);
    EXPECT_THROW(rs.AddNew(), CAdoException);
}

TEST_P(AdoEngine, RowsWithoutIdAreFoundByTheirValues)
{
    m_conn->Execute("INSERT INTO Registro (NomeTabella, IDRecord) VALUES ('Prodotti', 5)");
    m_conn->Execute("INSERT INTO Registro (NomeTabella, IDRecord) VALUES (NULL, 6)");
    CAdoRecordset rs;
    rs.Open("SELECT * FROM Registro ORDER BY IDRecord", m_conn.get(), {}, CAdoRecordset::adLockOptimistic);
    rs.Delete();
    rs.MoveNext();
    rs.SetField("NomeTabella", "Categorie");
    rs.Update();
    rs.Open("SELECT * FROM Registro", m_conn.get());
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Field("NomeTabella").toString(), "Categorie");
}

TEST_P(AdoEngine, AccessDialectRunsOnTheEngine)
{
    for (const auto& [id, user] : {std::pair{1, "99"}, {2, "100"}, {3, "usr3"}, {4, "Rossi"}})
        m_conn->Execute("INSERT INTO Articoli (ID, UserID, Nome) VALUES (?, ?, ?)", {id, user, user});
    CAdoRecordset rs;
    rs.Open("SELECT Max(CLng(UserID)) AS MaxUserID FROM Articoli WHERE IsNumeric([UserID])=-1", m_conn.get());
    EXPECT_EQ(rs.Field("MaxUserID").toLongLong(), 100);   // numeric, not text order
    rs.Open("SELECT TOP 2 ID FROM Articoli WHERE Nome Like 'ROS*' OR Nome Like 'u?r3' ORDER BY ID",
            m_conn.get());
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(rs.Field("ID").toInt(), 3);
    EXPECT_EQ(m_conn->Execute("DELETE * FROM Articoli WHERE ID>?", {2}), 2);
}

// Typed text inside a Like pattern, escaped, matches as it stands.
TEST_P(AdoEngine, AnEscapedLikeValueMatchesItsOwnText)
{
    for (const auto& [id, name] : {std::pair{1, "50%"}, {2, "500"}, {3, "a_b"}, {4, "axb"}, {5, "ok!"}})
        m_conn->Execute("INSERT INTO Articoli (ID, Nome) VALUES (?, ?)", {id, name});
    for (const auto& [typed, id] : {std::pair{"50%", 1}, {"a_", 3}, {"k!", 5}}) {
        SCOPED_TRACE(typed);
        CAdoRecordset rs;
        rs.Open(QStringLiteral("SELECT ID FROM Articoli WHERE Nome Like ?") + CJetSql::kLikeEscape, m_conn.get(),
                {"%" + CJetSql::LikeLiteral(typed) + "%"});
        EXPECT_EQ(rs.RecordCount(), 1);
        EXPECT_EQ(rs.Field("ID").toInt(), id);
    }
}

TEST_P(AdoEngine, NestedTransactionsRollBackTheirOwnPart)
{
    m_conn->BeginTrans();
    m_conn->Execute("INSERT INTO Articoli (ID) VALUES (1)");
    m_conn->BeginTrans();
    m_conn->Execute("INSERT INTO Articoli (ID) VALUES (2)");
    m_conn->RollbackTrans();
    m_conn->CommitTrans();
    CAdoRecordset rs;
    rs.Open("SELECT * FROM Articoli", m_conn.get());
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_THROW(m_conn->CommitTrans(), CAdoException);
}

TEST_P(AdoEngine, EngineErrorsCarryTheEngineMessage)
{
    try {
        m_conn->Execute("SELECT * FROM Assente");
        FAIL() << "no error";
    } catch (const CAdoException& error) {
        EXPECT_TRUE(error.Message().contains("assente", Qt::CaseInsensitive)) << error.what();
    }
}

TEST_P(AdoEngine, CloseSignalsOnce)
{
    QSignalSpy closed(m_conn.get(), &CAdoConnection::Closed);
    m_conn->Close();
    m_conn->Close();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_THROW(m_conn->Execute("SELECT 1"), CAdoException);
}

// With the pool on (the shop server), a closed connection is kept for the
// next page of the thread: what the last one left half done never reaches
// the next, and its prepared statements still run.
TEST_P(AdoEngine, APooledConnectionComesBackCleanAndKeepsItsStatements)
{
    CAdoConnectionPool::SetEnabled(true);
    Fill(3);
    const QString connectionString = m_db->ConnectionString();
    QString name;
    {
        CAdoConnection first;
        first.Open(connectionString);
        CAdoRecordset rs;
        rs.Open("SELECT Nome FROM Articoli WHERE ID=?", &first, {2});
        EXPECT_EQ(rs.Field("Nome").toString(), "art 02");
        first.BeginTrans();
        first.Execute("DELETE FROM Articoli WHERE ID=?", {1});
        name = first.Database().connectionName();
    }   // closed inside its transaction
    CAdoConnection second;
    second.Open(connectionString);
    EXPECT_EQ(second.Database().connectionName(), name);
    CAdoRecordset rs;
    rs.Open("SELECT COUNT(*) AS N FROM Articoli WHERE ID>?", &second, {0});
    EXPECT_EQ(rs.Field("N").toInt(), 3);
    rs.Open("SELECT Nome FROM Articoli WHERE ID=?", &second, {3});
    EXPECT_EQ(rs.Field("Nome").toString(), "art 03");
    second.Close();
    CAdoConnectionPool::SetEnabled(false);
    // Off, nothing is kept: the next connection is a new one.
    CAdoConnection third;
    third.Open(connectionString);
    EXPECT_NE(third.Database().connectionName(), name);
}

INSTANTIATE_TEST_SUITE_P(Engines, AdoEngine,
                         ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

TEST(AdoConnection, AMissingDatabaseIsAnErrorAndIsNotCreated)
{
    TempFolder folder;
    CAdoConnection connection;
    EXPECT_THROW(connection.Open("DBQ=" + folder.FilePath("database.mdb") + ";Driver={x}"), CAdoException);
    EXPECT_FALSE(folder.Exists("database.mdb"));
    EXPECT_THROW(connection.Open("host=127.0.0.1 port=1 dbname=x user=postgres connect_timeout=2"),
                 CAdoException);
    EXPECT_THROW(connection.Open("host=127.0.0.1 port"), CAdoException);
    EXPECT_FALSE(connection.IsOpen());
}
