// The text import of products (a file of 10,000 lines with the six default
// fields, into a project with no products) against SQLite's own import of
// the same file into a bare six-column table, inside this process
// (CSqliteFileImport: what ".import" does, without the shell's start), run
// after run in one process. Prints rows per second of each, min / median /
// max, and the ratio import : SQLite (target at least 0.2); beside it the
// floor of what the import writes (SameRowsImport) and the ratio to it.

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

#include <sqlite3.h>

#include <cstdio>

namespace {

constexpr int kRows = 10000;
constexpr int kRuns = 4;   // one cold, three warm

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

// The floor of what the import writes: the same four rows a product
// (product, language row, search words, category link) with the same
// columns, into the same tables with their indexes on a copy of the
// project's database, by SQLite's own API in process: one prepared
// statement a table, one transaction, the file split on its separator,
// IDs and version stamps counted in memory. No case-folded code lookup,
// no cipher, no search words worked out: what the import cannot do
// without.
double SameRowsImport()
{
    Project project;
    QFile file(project.file);
    file.open(QIODevice::ReadOnly);
    QElapsedTimer timer;
    timer.start();
    const QByteArray text = file.readAll();
    sqlite3* db = nullptr;
    const QByteArray path = (project.folder + QStringLiteral("/db/database.mdb")).toUtf8();
    if (sqlite3_open(path.constData(), &db) != SQLITE_OK)
        return 0;
    const char* sql[] = {
        "INSERT INTO Prodotti (ID, Ordine, Codice, CodiceABarre, IVA, Peso, Disponibilita, Attivo, Novita, Offerta, "
        "Sconto, ValiditaScontoDal, ValiditaScontoAl, VersioneRecord, Modificato) "
        "VALUES (?1, ?1, ?2, '', ?3, 0, 0, 1, 0, 0, 0, NULL, NULL, ?4, 1)",
        "INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, UM, Prezzo, Prezzo2, Prezzo3, Prezzo4, "
        "PrezzoPromozione, Nome, DescrizioneBreve, VersioneRecord, Modificato) "
        "VALUES (?1, ?2, 'it', '', ?3, 0, 0, 0, 0, ?4, ?5, ?6, 1)",
        "INSERT INTO ParoleChiave (ID, Tipo, IDRecord, CodiceLingua, Keywords, Attivo, VersioneRecord, Modificato) "
        "VALUES (?1, 1, ?2, 'it', ?3, 1, ?4, 1)",
        "INSERT INTO CategorieProdotti (ID, IDProdotto, IDCategoria, VersioneRecord, Modificato) "
        "VALUES (?1, ?2, ?3, ?4, 1)",
    };
    sqlite3_stmt* statements[4] = {};
    bool ok = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
    for (int i = 0; i < 4 && ok; ++i)
        ok = sqlite3_prepare_v2(db, sql[i], -1, &statements[i], nullptr) == SQLITE_OK;
    int version = 0;
    int id = 0;
    const auto step = [&](sqlite3_stmt* statement) {
        ok = ok && sqlite3_step(statement) == SQLITE_DONE;
        sqlite3_reset(statement);
    };
    for (const QByteArray& line : text.split('\n')) {
        if (!ok || line.isEmpty())
            continue;
        const QList<QByteArray> f = line.split('|');   // category, code, name, short text, price, VAT
        ++id;
        sqlite3_bind_int(statements[0], 1, id);
        sqlite3_bind_text(statements[0], 2, f[1].constData(), int(f[1].size()), SQLITE_STATIC);
        sqlite3_bind_double(statements[0], 3, f[5].toDouble());
        sqlite3_bind_int(statements[0], 4, ++version);
        step(statements[0]);
        sqlite3_bind_int(statements[1], 1, id);
        sqlite3_bind_int(statements[1], 2, id);
        sqlite3_bind_double(statements[1], 3, QByteArray(f[4]).replace(',', '.').toDouble());
        sqlite3_bind_text(statements[1], 4, f[2].constData(), int(f[2].size()), SQLITE_STATIC);
        sqlite3_bind_text(statements[1], 5, f[3].constData(), int(f[3].size()), SQLITE_STATIC);
        sqlite3_bind_int(statements[1], 6, ++version);
        step(statements[1]);
        const QByteArray words = f[1] + '/' + f[2] + ' ' + f[3];
        sqlite3_bind_int(statements[2], 1, id);
        sqlite3_bind_int(statements[2], 2, id);
        sqlite3_bind_text(statements[2], 3, words.constData(), int(words.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(statements[2], 4, ++version);
        step(statements[2]);
        sqlite3_bind_int(statements[3], 1, id);
        sqlite3_bind_int(statements[3], 2, id);
        sqlite3_bind_int(statements[3], 3, f[0].toInt());
        sqlite3_bind_int(statements[3], 4, ++version);
        step(statements[3]);
    }
    for (sqlite3_stmt* statement : statements)
        sqlite3_finalize(statement);
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    return ok && id == kRows ? kRows / seconds : 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    CBenchFigures figures;
    for (int run = 0; run < kRuns; ++run) {
        const double import = TextImport();
        const double sqlite = SqliteImport();
        const double floor = SameRowsImport();
        if (import <= 0 || sqlite <= 0 || floor <= 0)
            return 1;
        figures.Add("floor", floor);
        figures.Add("import", import);
        figures.Add("sqlite", sqlite);
    }
    std::printf("%d rows, %d runs: the first cold, then min / median / max of the warm ones\n", kRows, kRuns);
    figures.PrintColdWarm("text import", "import", "%.0f", "rows/s");
    figures.PrintColdWarm("SQLite import in process", "sqlite", "%.0f", "rows/s");
    figures.PrintColdWarm("SQLite, the same rows in process", "floor", "%.0f", "rows/s");
    figures.PrintRatio("text import : SQLite", "import", "sqlite");
    figures.PrintRatio("text import : the same rows", "import", "floor");
    std::printf("(target at least 0.2)\n");
    return 0;
}
