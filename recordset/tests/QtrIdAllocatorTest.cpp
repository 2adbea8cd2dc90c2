#include "platform/dao/CDaoException.h"
#include "recordset/CDaoIdBlocks.h"
#include "recordset/CDaoSqlSession.h"
#include "recordset/CProdottiGeneraleSet.h"
#include "recordset/CProdottiLingueSet.h"
#include "recordset/schema/QtrIdAllocator.h"
#include "recordset/schema/ShopSchemaDdl.h"
#include "recordset/tests/SchemaEnginesFixture.h"
#include "recordset/tests/TestSqlSession.h"

#include <QSet>
#include <QSqlQuery>

#include <algorithm>
#include <thread>
#include <vector>

namespace {

class IdAllocator : public SchemaEngines
{
protected:
    void SetUp() override
    {
        SchemaEngines::SetUp();
        for (const char* table : {"Ordini", "Clienti", "ContatoriID"}) {
            const QtrTableDef& def = *ShopSchema::Find(QLatin1String(table));
            for (const QString& statement : IsPostgres() ? ShopSchemaDdl::PostgresStatements(def)
                                                         : ShopSchemaDdl::SqliteStatements(def))
                Run(statement);
        }
    }

    TestSqlSession Session() const { return TestSqlSession(Db(), IsPostgres()); }

    qint32 Next(const QString& table, QtrIdRange range)
    {
        TestSqlSession session = Session();
        return QtrIdAllocator::Next(session, table, range);
    }

    void Rows(const QList<qint64>& ids)
    {
        for (const qint64 id : ids)
            Run("INSERT INTO Ordini (ID) VALUES (?)", {id});
    }
};

struct RangeCase
{
    const char* name;
    QList<qint64> existing;   // IDs already in Ordini
    QtrIdRange range;
    qint32 first, second;     // the next two IDs handed out
};

const RangeCase kRangeCases[] = {
    {"EmptyTableOnTheDesktop", {}, QtrIdRange::Desktop, 1, 2},
    {"EmptyTableOnTheServer", {}, QtrIdRange::Server, 1000000001, 1000000002},
    // Each range looks only at its own rows.
    {"DesktopAboveItsOwnRows", {7, 1000000000, 1000000005}, QtrIdRange::Desktop, 8, 9},
    {"ServerAboveItsOwnRows", {7, 1000000000, 1000000005}, QtrIdRange::Server, 1000000006, 1000000007},
    // 1000000000 belongs to neither range.
    {"BoundaryIsNoDesktopRow", {1000000000}, QtrIdRange::Desktop, 1, 2},
    {"BoundaryIsNoServerRow", {1000000000}, QtrIdRange::Server, 1000000001, 1000000002},
};

} // namespace

// The engine is the fixture's parameter; the range cases run in a loop, each
// on a fresh table, and name themselves on failure.
TEST_P(IdAllocator, EachRangeStartsAboveItsOwnRows)
{
    for (const RangeCase& c : kRangeCases) {
        SCOPED_TRACE(c.name);
        Run("DELETE FROM Ordini");
        Run("DELETE FROM ContatoriID");
        Rows(c.existing);
        EXPECT_EQ(Next("Ordini", c.range), c.first);
        EXPECT_EQ(Next("Ordini", c.range), c.second);
    }
}

TEST_P(IdAllocator, AnIdIsNeverHandedOutTwice)
{
    EXPECT_EQ(Next("Ordini", QtrIdRange::Server), 1000000001);
    // The page that took it failed before writing its row, or the row is gone.
    Rows({1000000001});
    Run("DELETE FROM Ordini");
    EXPECT_EQ(Next("Ordini", QtrIdRange::Server), 1000000002);
    // Rows written by other means (an upload) are passed over.
    Rows({1000000040});
    EXPECT_EQ(Next("Ordini", QtrIdRange::Server), 1000000041);
    // Tables and ranges count apart.
    EXPECT_EQ(Next("Clienti", QtrIdRange::Server), 1000000001);
    EXPECT_EQ(Next("Ordini", QtrIdRange::Desktop), 1);
}

// A block is handed out as its IDs would be one by one: above the rows,
// after the IDs already given, and the next ID comes after the block.
TEST_P(IdAllocator, ABlockOfIdsIsHandedOutWhole)
{
    Rows({7});
    TestSqlSession session = Session();
    EXPECT_EQ(QtrIdAllocator::NextBlock(session, "Ordini", QtrIdRange::Desktop, 5), 8);
    EXPECT_EQ(Next("Ordini", QtrIdRange::Desktop), 13);
    EXPECT_EQ(QtrIdAllocator::NextBlock(session, "Ordini", QtrIdRange::Server, 3), 1000000001);
    EXPECT_EQ(Next("Ordini", QtrIdRange::Server), 1000000004);
    // A block that would not fit in the range is refused whole.
    Rows({999999990});
    EXPECT_THROW(QtrIdAllocator::NextBlock(session, "Ordini", QtrIdRange::Desktop, 20), std::runtime_error);
    EXPECT_EQ(Next("Ordini", QtrIdRange::Desktop), 999999991);
}

TEST_P(IdAllocator, AFullRangeFailsAndHandsOutNothing)
{
    Rows({999999999, 2147483647});
    for (const QtrIdRange range : {QtrIdRange::Desktop, QtrIdRange::Server}) {
        EXPECT_THROW(Next("Ordini", range), std::runtime_error);
        EXPECT_EQ(Scalar("SELECT COUNT(*) FROM ContatoriID").toInt(), 0);
    }
}

TEST_P(IdAllocator, OnlyTablesOfTheSchemaWithAnIdAreServed)
{
    for (const char* table : {"Clienti; DROP TABLE Clienti", "Sconosciuta", "RecordsEliminati", ""})
        EXPECT_THROW(Next(QLatin1String(table), QtrIdRange::Server), std::invalid_argument) << table;
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Clienti").toInt(), 0);
}

// Databases made before ContatoriID was part of the schema get it on first use.
TEST_P(IdAllocator, AMissingCounterTableIsMadeFromTheSchema)
{
    Run("DROP TABLE ContatoriID");
    Rows({41});
    EXPECT_EQ(Next("Ordini", QtrIdRange::Desktop), 42);
    EXPECT_EQ(Scalar("SELECT UltimoID FROM ContatoriID WHERE Chiave='ordini:locale'").toInt(), 42);
}

// Several connections at once, on both ranges: every ID once, none skipped.
TEST_P(IdAllocator, ConcurrentConnectionsNeverShareAnId)
{
    constexpr int kThreads = 4;
    constexpr int kEach = 25;
    QList<qint32> ids[kThreads];
    std::string errors[kThreads];
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            const QString name = QStringLiteral("qtr-id-thread-%1").arg(t);
            {
                TestSqlSession session(Connect(name), IsPostgres());
                const QtrIdRange range = t % 2 ? QtrIdRange::Server : QtrIdRange::Desktop;
                try {
                    for (int i = 0; i < kEach; ++i)
                        ids[t].append(QtrIdAllocator::Next(session, QStringLiteral("Ordini"), range));
                } catch (const std::exception& error) {
                    errors[t] = error.what();
                }
            }
            QSqlDatabase::database(name, false).close();
            QSqlDatabase::removeDatabase(name);
        });
    }
    for (auto& thread : threads)
        thread.join();
    QSet<qint32> desktop, server;
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(errors[t], "");
        for (const qint32 id : ids[t])
            (t % 2 ? server : desktop).insert(id);
    }
    ASSERT_EQ(desktop.size(), kThreads / 2 * kEach);
    ASSERT_EQ(server.size(), kThreads / 2 * kEach);
    EXPECT_EQ(*std::min_element(desktop.begin(), desktop.end()), 1);
    EXPECT_EQ(*std::max_element(desktop.begin(), desktop.end()), kThreads / 2 * kEach);
    EXPECT_EQ(*std::min_element(server.begin(), server.end()), 1000000001);
    EXPECT_EQ(*std::max_element(server.begin(), server.end()), 1000000000 + kThreads / 2 * kEach);
}

QTR_INSTANTIATE_SCHEMA_ENGINES(IdAllocator);

// The editors' GetNextID: the desktop's range of the table class's own
// table, from the same allocator.
TEST(TableClassIds, GetNextIDHandsOutDesktopIdsOfItsTable)
{
    TempFolder folder;
    CDaoDatabase db;
    db.Open(folder.FilePath("database.mdb"), true);
    ShopSchemaDdl::CreateTables(CDaoSqlSession(db), QtrDbFile::Shop);
    db.Execute("INSERT INTO Prodotti (ID) VALUES (5), (1000000003)");
    CProdottiGeneraleSet products(&db);
    products.Open();
    EXPECT_EQ(products.GetNextID(), 6);
    EXPECT_EQ(products.GetNextID(), 7);   // even before a row is written
    CProdottiLingueSet texts(&db);
    texts.Open();
    EXPECT_EQ(texts.GetNextID(), 1);
    CQTRDaoRecordset outside(&db);
    outside.Open(dbOpenDynaset, "SELECT * FROM RecordsEliminati");
    EXPECT_THROW(outside.GetNextID(), CDaoException);   // a table without ID
}

// A long job's IDs come in blocks inside its transaction: consecutive, and
// never handed out again, whichever way the transaction ends; without the
// job's request, or inside a savepoint, one at a time as before.
TEST(TableClassIds, AJobTakesItsIdsInBlocksInsideItsTransaction)
{
    TempFolder folder;
    CDaoDatabase db;
    db.Open(folder.FilePath("database.mdb"), true);
    ShopSchemaDdl::CreateTables(CDaoSqlSession(db), QtrDbFile::Shop);
    const auto counter = [&] {
        QSqlQuery query(db.Connection());
        query.exec("SELECT UltimoID FROM ContatoriID WHERE Chiave='prodotti:locale'");
        return query.next() ? query.value(0).toInt() : 0;
    };
    db.BeginTrans();
    EXPECT_EQ(CDaoIdBlocks::Next(db, "Prodotti"), 1);
    EXPECT_EQ(CDaoIdBlocks::Next(db, "Prodotti"), 2);
    EXPECT_EQ(counter(), 2) << "one at a time until the job asks for blocks";
    CDaoIdBlocks::TakeInBlocks(db);
    QList<qint32> ids;
    for (int i = 0; i < 20; ++i)
        ids << CDaoIdBlocks::Next(db, "Prodotti");
    for (int i = 0; i < ids.size(); ++i)
        EXPECT_EQ(ids[i], 3 + i);
    EXPECT_GT(counter(), 22) << "the last block reaches beyond the IDs used";
    const int blockEnd = counter();
    // Inside a savepoint, one at a time: undoing it undoes only that ID.
    db.BeginTrans();
    EXPECT_EQ(CDaoIdBlocks::Next(db, "Prodotti"), blockEnd + 1);
    db.Rollback();
    EXPECT_EQ(CDaoIdBlocks::Next(db, "Prodotti"), 23);
    db.CommitTrans();
    // The rest of the last block is a gap: none of it comes again.
    EXPECT_EQ(CDaoIdBlocks::Next(db, "Prodotti"), blockEnd + 1);

    // A rolled back job takes its blocks with it.
    const int before = counter();
    db.BeginTrans();
    CDaoIdBlocks::TakeInBlocks(db);
    for (int i = 0; i < 10; ++i)
        CDaoIdBlocks::Next(db, "Prodotti");
    db.Rollback();
    EXPECT_EQ(counter(), before);
    EXPECT_EQ(CDaoIdBlocks::Next(db, "Prodotti"), before + 1);
}
