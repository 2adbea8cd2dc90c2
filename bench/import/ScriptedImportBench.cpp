// The scripted import of 10,000 products in the sample exchange format
// through the sample import.js, against the sqlite3 shell's .import of the
// same file into a bare table, in one run. Prints rows per second for both
// and the ratio.

#include "exchange/CScriptedImport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kProducts = 10000;

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

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temp;
    const QString project = temp.filePath("progetto");
    const QString exchange = temp.filePath("scambio");
    QDir().mkpath(exchange);
    if (!Copy(QCoreApplication::applicationDirPath() + "/db/database.mdb", project + "/db/database.mdb")
        || !Copy(QStringLiteral(QTR_SAMPLES_DIR "/import.js"), project + "/scripts/import.js"))
        return 1;
    QFile ini(project + "/path.ini");
    ini.open(QIODevice::WriteOnly);
    ini.write((exchange + "\n").toUtf8());
    ini.close();
    const QByteArray data = ExchangeFile();
    QFile file(exchange + "/gprodotti.txt");
    file.open(QIODevice::WriteOnly);
    file.write(data);
    file.close();
    QFile copy(temp.filePath("bare.txt"));
    copy.open(QIODevice::WriteOnly);
    copy.write(data);
    copy.close();

    QElapsedTimer timer;
    timer.start();
    CScriptedImport job;
    job.InitVarImport(nullptr, project);
    job.StartImport();
    const double importSeconds = timer.elapsed() / 1000.0;
    if (job.LastResult() != CScriptedImport::Result::Done) {
        std::printf("import failed: see %s/qtrimp.log\n", qPrintable(project));
        temp.setAutoRemove(false);
        return 1;
    }

    timer.restart();
    QProcess sqlite;
    sqlite.start("sqlite3", {temp.filePath("bare.db")});
    sqlite.waitForStarted();
    sqlite.write("CREATE TABLE Prodotti (Codice TEXT, Nome TEXT, Prezzo TEXT, IVA TEXT, Categoria TEXT, NomeCategoria TEXT);\n"
                 ".separator ;\n");
    sqlite.write(QStringLiteral(".import %1 Prodotti\n").arg(temp.filePath("bare.txt")).toUtf8());
    sqlite.closeWriteChannel();
    sqlite.waitForFinished(-1);
    const double bareSeconds = timer.elapsed() / 1000.0;
    if (sqlite.exitCode() != 0)
        return 1;

    const double importRate = kProducts / importSeconds;
    const double bareRate = kProducts / bareSeconds;
    std::printf("products              %d (each: product, language row, category link)\n", kProducts);
    std::printf("import.js             %.0f rows/s\n", importRate);
    std::printf("sqlite3 .import       %.0f rows/s\n", bareRate);
    std::printf("import.js : .import   %.2f\n", importRate / bareRate);
    return 0;
}
