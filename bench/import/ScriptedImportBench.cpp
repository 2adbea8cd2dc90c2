// The scripted import of 10,000 products in the sample exchange format
// through the sample import.js, against SQLite's own import of the same
// file into a bare table inside this process (CSqliteFileImport: what
// ".import" does, without the shell's start), run after run in one
// process. Prints rows per second of both, min / median / max, and the
// ratio import.js : SQLite (target at least 0.2).

#include "exchange/CScriptedImport.h"
#include "bench/figures/CBenchFigures.h"
#include "bench/figures/CSqliteFileImport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kProducts = 10000;
constexpr int kRuns = 4;   // one cold, three warm

bool Copy(const QString& from, const QString& to)
{
    QDir().mkpath(QFileInfo(to).path());
    QFile::remove(to);
    return QFile::copy(from, to) && QFile(to).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
}

QByteArray ExchangeFile()
{
    QByteArray text;
    for (int i = 1; i <= kProducts; ++i)
        text += QStringLiteral("P%1;Prodotto numero %1;%2,50;22;CAT%3;Categoria %3\n")
                    .arg(i)
                    .arg(i % 500)
                    .arg(i % 50)
                    .toUtf8();
    return text;
}

void WriteFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(data);
}

// A new project and exchange folder each run; rows per second, 0 on failure.
double ScriptedImport(const QByteArray& data)
{
    QTemporaryDir temp;
    const QString project = temp.filePath("progetto");
    const QString exchange = temp.filePath("scambio");
    QDir().mkpath(exchange);
    if (!Copy(QCoreApplication::applicationDirPath() + "/db/database.mdb", project + "/db/database.mdb")
        || !Copy(QStringLiteral(QTR_SAMPLES_DIR "/import.js"), project + "/scripts/import.js"))
        return 0;
    WriteFile(project + "/path.ini", (exchange + "\n").toUtf8());
    WriteFile(exchange + "/gprodotti.txt", data);
    QElapsedTimer timer;
    timer.start();
    CScriptedImport job;
    job.InitVarImport(nullptr, project);
    job.StartImport();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (job.LastResult() != CScriptedImport::Result::Done) {
        temp.setAutoRemove(false);
        std::printf("import failed: see %s/qtrimp.log\n", qPrintable(project));
        return 0;
    }
    return kProducts / seconds;
}

double SqliteImport(const QByteArray& data)
{
    QTemporaryDir temp;
    WriteFile(temp.filePath("bare.txt"), data);
    const double seconds = CSqliteFileImport::Seconds(temp.filePath("bare.txt").toStdString(), ';', 6,
                                                      temp.filePath("bare.db").toStdString());
    return seconds > 0 ? kProducts / seconds : 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QByteArray data = ExchangeFile();
    CBenchFigures figures;
    for (int run = 0; run < kRuns; ++run) {
        const double import = ScriptedImport(data);
        const double sqlite = SqliteImport(data);
        if (import <= 0 || sqlite <= 0)
            return 1;
        figures.Add("import", import);
        figures.Add("sqlite", sqlite);
    }
    std::printf("%d products (each: product, language row, category link), %d runs: the first cold, then min / median / max of the warm ones\n",
                kProducts, kRuns);
    figures.PrintColdWarm("import.js", "import", "%.0f", "rows/s");
    figures.PrintColdWarm("SQLite import in process", "sqlite", "%.0f", "rows/s");
    figures.PrintRatio("import.js : SQLite", "import", "sqlite");
    std::printf("(target at least 0.2)\n");
    return 0;
}
