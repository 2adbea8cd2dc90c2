// The text import of products (a file of 10,000 lines with the six default
// fields, into a project with no products) against SQLite's own import of
// the same file into a bare six-column table, inside this process
// (CSqliteFileImport: what ".import" does, without the shell's start), run
// after run in one process. Prints rows per second of each, min / median /
// max, and the ratio import : SQLite (target at least 0.2).

#include "desktop/catalogue/CImportDati.h"
#include "desktop/catalogue/CImportDatiParser.h"
#include "desktop/catalogue/IImportDatiUi.h"
#include "platform/dao/CDaoDatabase.h"
#include "bench/figures/CBenchFigures.h"
#include "bench/figures/CSqliteFileImport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kRows = 10000;
constexpr int kRuns = 3;

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

// Rows per second, or 0 when the import failed.
double TextImport()
{
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
    QElapsedTimer timer;
    timer.start();
    const CCatalogueJob::Result result = import.Run(progress);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (result != CCatalogueJob::Done || import.ImportedLines() != kRows) {
        std::printf("import failed: %s\n", qPrintable(import.Error()));
        return 0;
    }
    return kRows / seconds;
}

double SqliteImport()
{
    Project project;
    const double seconds = CSqliteFileImport::Seconds(project.file.toStdString(), '|', 6,
                                                      (project.dir.path() + QStringLiteral("/bare.db")).toStdString());
    return seconds > 0 ? kRows / seconds : 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    CBenchFigures figures;
    for (int run = 0; run < kRuns; ++run) {
        const double import = TextImport();
        const double sqlite = SqliteImport();
        if (import <= 0 || sqlite <= 0)
            return 1;
        figures.Add("import", import);
        figures.Add("sqlite", sqlite);
    }
    std::printf("%d rows, min / median / max of %d runs\n", kRows, kRuns);
    figures.PrintSeries("text import", "import", "%.0f", "rows/s");
    figures.PrintSeries("SQLite import in process", "sqlite", "%.0f", "rows/s");
    figures.PrintRatio("text import : SQLite", "import", "sqlite");
    std::printf("(target at least 0.2)\n");
    return 0;
}
