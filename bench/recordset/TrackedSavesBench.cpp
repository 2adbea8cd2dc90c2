// Tracked saves (counter, stamp, marker) through a table class against
// plain inserts of the same rows through QtSql and through the sqlite3
// library, each row committed on its own and, as long jobs do, in one
// transaction. Prints rows per second, min / median / max of three runs,
// and the ratios tracked : plain run by run.

#include "recordset/CQTRDaoRecordset.h"
#include "bench/figures/CBenchReporter.h"

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


struct Fixture
{
    QTemporaryDir dir;
    QString path = dir.filePath("database.mdb");
    QString project = dir.path() + "/";
};

void Record(benchmark::State& state, double seconds)
{
    state.counters["rows_per_s"] = static_cast<double>(state.range(0)) / seconds;
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
        Record(state, timer.nsecsElapsed() / 1e9);
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
        Record(state, timer.nsecsElapsed() / 1e9);
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
        Record(state, timer.nsecsElapsed() / 1e9);
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
    std::vector<char*> arguments = CBenchReporter::Arguments(argc, argv);
    int count = int(arguments.size()) - 1;
    benchmark::Initialize(&count, arguments.data());
    CBenchFigures figures;
    CBenchReporter reporter(figures, [](const benchmark::BenchmarkReporter::Run& run, CBenchFigures& kept) {
        const auto rate = run.counters.find("rows_per_s");
        if (rate != run.counters.end())
            kept.Add(CBenchReporter::BaseName(run), rate->second.value);
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\nrows per second, min / median / max\n");
    for (int rows : {10000, 100000}) {
        for (int batched : {0, 1}) {
            const std::string key = "/" + std::to_string(rows) + "/" + std::to_string(batched);
            if (!figures.Has("BM_TrackedTableClass" + key))
                continue;
            const std::string label = std::to_string(rows) + (batched ? " rows, one commit" : " rows, per row");
            figures.PrintSeries(label + ": tracked", "BM_TrackedTableClass" + key, "%.0f", "rows/s");
            figures.PrintSeries(label + ": QtSql", "BM_PlainQtSql" + key, "%.0f", "rows/s");
            figures.PrintSeries(label + ": sqlite3", "BM_PlainSqlite3" + key, "%.0f", "rows/s");
            figures.PrintRatio(label + ": tracked : QtSql", "BM_TrackedTableClass" + key, "BM_PlainQtSql" + key);
            figures.PrintRatio(label + ": tracked : sqlite3", "BM_TrackedTableClass" + key, "BM_PlainSqlite3" + key);
        }
    }
    return 0;
}
