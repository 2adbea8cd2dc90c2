// Tracked saves (counter, stamp, marker) through a table class against
// plain inserts of the same rows through QtSql and through the sqlite3
// library, each row committed on its own and, as long jobs do, in one
// transaction. Prints rows per second and the ratios.

#include "recordset/CQTRDaoRecordset.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <string>

namespace {

class CBenchSet : public CQTRDaoRecordset
{
public:
    using CQTRDaoRecordset::CQTRDaoRecordset;
    QString GetDefaultSQL() override { return QStringLiteral("[Prodotti]"); }
    void DoFieldExchange(CDaoFieldExchange* pFX) override
    {
        DFX_Long(pFX, "[ID]", m_ID);
        DFX_Text(pFX, "[Codice]", m_Codice);
        DFX_Single(pFX, "[IVA]", m_IVA);
        DFX_Bool(pFX, "[Attivo]", m_Attivo);
        DFX_Bool(pFX, "[Modificato]", m_Modificato);
        DFX_Long(pFX, "[VersioneRecord]", m_VersioneRecord);
    }
    qint32 m_ID = 0;
    QString m_Codice;
    float m_IVA = 0;
    bool m_Attivo = false;
    bool m_Modificato = false;
    qint32 m_VersioneRecord = 0;
};

const char* kSchema[] = {
    "CREATE TABLE Prodotti (ID INTEGER PRIMARY KEY, Codice TEXT, IVA REAL, Attivo INTEGER, Modificato INTEGER, "
    "VersioneRecord INTEGER)",
    "CREATE TABLE ProgressivoVersioneRecord (ProgressivoVersioneRecord INTEGER, Modificato INTEGER)",
    "CREATE TABLE RecordsEliminati (NomeTabella TEXT, IDRecord INTEGER)",
};

std::map<std::string, double> g_rates;   // "way/rows/batched" -> rows per second

struct Fixture
{
    QTemporaryDir dir;
    QString path = dir.filePath("database.mdb");
    QString project = dir.path() + "/";
};

void Record(benchmark::State& state, const std::string& way, double seconds)
{
    const double rate = static_cast<double>(state.range(0)) / seconds;
    g_rates[way + "/" + std::to_string(state.range(0)) + "/" + std::to_string(state.range(1))] = rate;
    state.counters["rows_per_s"] = rate;
}

void MakeSchema(CDaoDatabase& db)
{
    for (const char* sql : kSchema)
        db.Execute(QString::fromLatin1(sql));
}

void BM_TrackedTableClass(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Fixture f;
        CDaoDatabase db;
        db.Open(f.path, true);
        MakeSchema(db);
        CBenchSet rs(&db);
        rs.m_strProjectFolder = f.project;
        rs.Open();
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        if (state.range(1))
            db.BeginTrans();
        for (qint32 i = 1; i <= state.range(0); ++i) {
            rs.AddNew();
            rs.m_ID = i;
            rs.m_Codice = QStringLiteral("P%1").arg(i);
            rs.m_IVA = 22;
            rs.m_Attivo = true;
            rs.Update();
        }
        if (state.range(1))
            db.CommitTrans();
        Record(state, "tracked", timer.nsecsElapsed() / 1e9);
    }
}

void BM_PlainQtSql(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Fixture f;
        CDaoDatabase db;
        db.Open(f.path, true);
        MakeSchema(db);
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        QSqlDatabase conn = db.Connection();
        if (state.range(1))
            conn.transaction();
        QSqlQuery q(conn);
        q.prepare("INSERT INTO Prodotti (ID, Codice, IVA, Attivo, Modificato, VersioneRecord) VALUES (?,?,?,?,?,?)");
        for (qint32 i = 1; i <= state.range(0); ++i) {
            q.bindValue(0, i);
            q.bindValue(1, QStringLiteral("P%1").arg(i));
            q.bindValue(2, 22.0);
            q.bindValue(3, 1);
            q.bindValue(4, 1);
            q.bindValue(5, i);
            q.exec();
        }
        if (state.range(1))
            conn.commit();
        Record(state, "qtsql", timer.nsecsElapsed() / 1e9);
    }
}

void BM_PlainSqlite3(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Fixture f;
        sqlite3* db = nullptr;
        sqlite3_open(f.path.toUtf8().constData(), &db);
        // The same settings as the table classes' connection.
        sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
        sqlite3_exec(db, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
        for (const char* sql : kSchema)
            sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        if (state.range(1))
            sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO Prodotti (ID, Codice, IVA, Attivo, Modificato, VersioneRecord) "
                           "VALUES (?,?,?,?,?,?)",
                           -1, &stmt, nullptr);
        for (int i = 1; i <= state.range(0); ++i) {
            const std::string code = "P" + std::to_string(i);
            sqlite3_bind_int(stmt, 1, i);
            sqlite3_bind_text(stmt, 2, code.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_double(stmt, 3, 22.0);
            sqlite3_bind_int(stmt, 4, 1);
            sqlite3_bind_int(stmt, 5, 1);
            sqlite3_bind_int(stmt, 6, i);
            sqlite3_step(stmt);
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
        if (state.range(1))
            sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        Record(state, "sqlite3", timer.nsecsElapsed() / 1e9);
        sqlite3_close(db);
    }
}

// {rows, 1 = all rows in one transaction}
void Sizes(benchmark::internal::Benchmark* b)
{
    for (int rows : {10000, 100000})
        for (int batched : {0, 1})
            b->Args({rows, batched});
    b->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_TrackedTableClass)->Apply(Sizes);
BENCHMARK(BM_PlainQtSql)->Apply(Sizes);
BENCHMARK(BM_PlainSqlite3)->Apply(Sizes);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\n%-8s %-9s %14s %14s %14s %12s %12s\n", "rows", "commits", "tracked/s", "qtsql/s", "sqlite3/s",
                "qtsql:trk", "sqlite3:trk");
    for (int rows : {10000, 100000}) {
        for (int batched : {0, 1}) {
            const std::string key = "/" + std::to_string(rows) + "/" + std::to_string(batched);
            const double t = g_rates["tracked" + key], q = g_rates["qtsql" + key], s = g_rates["sqlite3" + key];
            if (t <= 0)
                continue;
            std::printf("%-8d %-9s %14.0f %14.0f %14.0f %12.2f %12.2f\n", rows, batched ? "one" : "per row", t, q, s,
                        q / t, s / t);
        }
    }
    return 0;
}
