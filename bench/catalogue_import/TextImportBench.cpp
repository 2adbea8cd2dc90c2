// The text import of products (a file of 10,000 lines with the six default
// fields, into a project with no products) against the sqlite3 shell's
// .import of the same file into a bare six-column table, in one run.
// Prints rows per second of each and the ratio import : sqlite3 (target at
// least 0.2).

#include "desktop/catalogue/CImportDati.h"
#include "desktop/catalogue/CImportDatiParser.h"
#include "desktop/catalogue/IImportDatiUi.h"
#include "platform/dao/CDaoDatabase.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr int kRows = 10000;

std::map<std::string, double> g_rates;   // way -> rows per second

class NoProgress : public ICatalogueProgress
{
public:
    void SetLabel(const QString&) override {}
    void SetTotal(int) override {}
    void SetDone(int) override {}
};

class StopAtBadLines : public IImportDatiUi
{
public:
    bool GoOnAfterBadLine(const QString&) override { return false; }
};

QString WriteFile(const QString& folder)
{
    const QString path = folder + QStringLiteral("/prodotti.txt");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    for (int i = 1; i <= kRows; ++i)
        file.write(QStringLiteral("1|COD%1|Prodotto numero %1|Descrizione breve del prodotto %1|%2,99|22\n")
                       .arg(i)
                       .arg(i % 500)
                       .toUtf8());
    return path;
}

struct Project
{
    QTemporaryDir dir;
    QString folder = dir.path() + QStringLiteral("/negozio");
    QString file;

    Project()
    {
        QDir().mkpath(folder + QStringLiteral("/db"));
        QDir().mkpath(folder + QStringLiteral("/website/images"));
        const QString db = folder + QStringLiteral("/db/database.mdb");
        QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/db/database.mdb"), db);
        QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner);
        CDaoDatabase database;
        database.Open(db);
        database.Execute(QStringLiteral("INSERT INTO Categorie (ID, IDCategoriaPadre) VALUES (1, 0)"));
        database.Close();
        file = WriteFile(dir.path());
    }
};

void Record(benchmark::State& state, const std::string& way, double seconds)
{
    const double rate = kRows / seconds;
    g_rates[way] = rate;
    state.counters["rows_per_s"] = rate;
}

void BM_TextImport(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Project project;
        CDaoDatabase database;
        database.Open(project.folder + QStringLiteral("/db/database.mdb"));
        CImportDati::Settings settings;
        settings.strFile = project.file;
        settings.strLanguageCode = QStringLiteral("it");
        settings.columns = CImportDatiParser::DefaultFields();
        StopAtBadLines ui;
        NoProgress progress;
        CImportDati import(database, project.folder, settings, ui);
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        const CCatalogueJob::Result result = import.Run(progress);
        const double seconds = timer.nsecsElapsed() / 1e9;
        if (result != CCatalogueJob::Done || import.ImportedLines() != kRows)
            state.SkipWithError(("import failed: " + import.Error().toStdString()).c_str());
        Record(state, "import", seconds);
    }
}

void BM_Sqlite3Import(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Project project;
        const QString bare = project.dir.path() + QStringLiteral("/bare.db");
        const QString script = QStringLiteral(".separator |\nCREATE TABLE t (a, b, c, d, e, f);\n.import %1 t\n")
                                   .arg(project.file);
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        QProcess sqlite;
        sqlite.start(QStringLiteral("sqlite3"), {bare});
        sqlite.write(script.toUtf8());
        sqlite.closeWriteChannel();
        sqlite.waitForFinished(-1);
        const double seconds = timer.nsecsElapsed() / 1e9;
        if (sqlite.exitCode() != 0)
            state.SkipWithError("sqlite3 failed");
        Record(state, "sqlite3", seconds);
    }
}

BENCHMARK(BM_TextImport)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Sqlite3Import)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double import = g_rates["import"];
    const double sqlite = g_rates["sqlite3"];
    std::printf("\n%-8s %14s %14s %10s\n", "rows", "import/s", "sqlite3/s", "ratio");
    std::printf("%-8d %14.0f %14.0f %10.3f  (target >= 0.2)\n", kRows, import, sqlite, sqlite > 0 ? import / sqlite : 0.0);
    return 0;
}
