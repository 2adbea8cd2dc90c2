// The site upload of 10,000 changed products with their language rows to
// qtr50d on loopback (SQLite), against the same number of form posts to a
// page of the same server that only answers "OK", one at a time and with
// as many in flight as the upload keeps, run after run in one process (a
// new shop and project each run). Prints rows per second for each, min /
// median / max of the three warm runs after a cold one, and the ratios upload : posts.

#include "exchange/CHttp.h"
#include "exchange/CSiteUpload.h"
#include "exchange/QtrUpdDatiState.h"
#include "platform/dao/CDaoDatabase.h"
#include "recordset/IQtrHost.h"
#include "recordset/schema/ShopSchema.h"
#include "server/host/testing/CQtr50dProcess.h"
#include "bench/figures/CBenchFigures.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kProducts = 10000;
constexpr int kRuns = 4;   // one cold, three warm
// Enough bare posts for a steady rate.
constexpr int kPosts = 5000;
// As many as the upload keeps in flight.
constexpr int kInFlight = 6;

void WriteFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(content);
}

bool MakeShop(const QTemporaryDir& temp, QString* config)
{
    QDir().mkpath(temp.filePath("archivi"));
    QDir().mkpath(temp.filePath("host/db"));
    *config = temp.filePath("qtr50d.ini");
    WriteFile(*config, "[server]\nlisten=127.0.0.1\nport=0\n[archives]\npath=archivi\ndb=host/db\n"
                       "[hosts]\nnegozio=127.0.0.1\n[logs]\nerror=error.log\n");
    if (CQtr50dProcess::Run({"--config", *config, "--add-shop", "negozio", "negozio"}) != 0)
        return false;
    QProcess password;
    password.start(CQtr50dProcess::Program(), {"--config", *config, "--set-password", "negozio"});
    password.write("segreto\n");
    password.closeWriteChannel();
    password.waitForFinished(30000);
    WriteFile(temp.filePath("archivi/negozio/ok.asp"), "<% Response.Write(\"OK\"); %>");
    return password.exitCode() == 0;
}

void MakeProject(CDaoDatabase& db, const QString& folder, quint16 port)
{
    const QString file = folder + "/db/database.mdb";
    QDir().mkpath(folder + "/db");
    QFile::copy(QCoreApplication::applicationDirPath() + "/db/database.mdb", file);
    QFile(file).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    db.Open(file);
    db.BeginTrans();
    for (const QtrTableDef* table : ShopSchema::TablesOf(QtrDbFile::Shop)) {
        if (table->ColumnIndex("Modificato") >= 0)
            db.Execute(QStringLiteral("UPDATE %1 SET Modificato=0").arg(table->Name()));
    }
    db.Execute("UPDATE Configurazione SET URLSito='127.0.0.1', PortaHttp=?, CodiceUtente='negozio'", {port});
    for (int id = 1; id <= kProducts; ++id) {
        db.Execute("INSERT INTO Prodotti (ID, Codice, IVA, Attivo, Modificato, VersioneRecord) VALUES (?,?,22,1,1,?)",
                   {id, QStringLiteral("P%1").arg(id), id});
        db.Execute("INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Prezzo, Modificato, VersioneRecord) "
                   "VALUES (?,?,'it',?,1,?)",
                   {id, id, id * 1.25, id});
    }
    db.CommitTrans();
}

class Project : public IQtrHost
{
public:
    Project(CDaoDatabase* db, QString folder) : m_db(db), m_folder(std::move(folder)) {}
    CDaoDatabase* GetProjectDatabase() override { return m_db; }
    QString GetProjectFolder() override { return m_folder + "/"; }

private:
    CDaoDatabase* m_db;
    QString m_folder;
};

// One run: rows per second of the upload and of bare posts into figures.
bool Run(CBenchFigures& figures)
{
    QTemporaryDir temp;
    QString config;
    if (!MakeShop(temp, &config))
        return false;
    CQtr50dProcess server;
    if (!server.Start(config))
        return false;

    CDaoDatabase db;
    MakeProject(db, temp.filePath("progetto"), server.Port());
    Project project(&db, temp.filePath("progetto"));
    QtrSetHost(&project);

    QElapsedTimer timer;
    timer.start();
    CSiteUpload upload;
    upload.InitVar(nullptr, temp.filePath("progetto"), &db);
    upload.Init();
    PasswordUpd = QStringLiteral("segreto");   // the dialog would ask for it
    upload.Start();
    const double uploadSeconds = double(timer.nsecsElapsed()) / 1e9;
    if (upload.LastResult() != CSiteUpload::Result::Done) {
        temp.setAutoRemove(false);
        std::printf("upload failed: see %s/qtrupd.log\n", qPrintable(temp.filePath("progetto")));
        QtrSetHost(nullptr);
        return false;
    }

    const auto addFields = [](CHttp& http, int i) {
        http.AddToPOSTFields("PF_UserCode", "negozio");
        http.AddToPOSTFields("PF_Password", "segreto");
        http.AddToPOSTFields("PF_TableName", "Prodotti");
        for (int f = 0; f < 8; ++f)
            http.AddToPOSTFields(QStringLiteral("Campo%1").arg(f), QStringLiteral("valore %1").arg(i));
    };
    timer.restart();
    CHttp http("127.0.0.1", QString(), server.Port(), QString(), QString(), nullptr);
    for (int i = 0; i < kPosts; ++i) {
        addFields(http, i);
        QString reply;
        if (!http.Post("/ok.asp", nullptr, &reply) || reply != "OK") {
            QtrSetHost(nullptr);
            return false;
        }
    }
    const double bareSeconds = double(timer.nsecsElapsed()) / 1e9;

    // The same posts with as many in flight as the upload keeps.
    timer.restart();
    CHttp parallel("127.0.0.1", QString(), server.Port(), QString(), QString(), nullptr);
    int sent = 0;
    while (sent < kPosts || parallel.InFlight() > 0) {
        while (sent < kPosts && parallel.InFlight() < kInFlight) {
            addFields(parallel, sent++);
            parallel.Queue("/ok.asp");
        }
        const CHttp::Answer answer = parallel.Next();
        if (!answer.answered || answer.reply != "OK") {
            QtrSetHost(nullptr);
            return false;
        }
    }
    const double parallelSeconds = double(timer.nsecsElapsed()) / 1e9;
    QtrSetHost(nullptr);
    server.Terminate();
    figures.Add("upload", 2 * kProducts / uploadSeconds);
    figures.Add("posts", kPosts / bareSeconds);
    figures.Add("parallel", kPosts / parallelSeconds);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    CBenchFigures figures;
    for (int run = 0; run < kRuns; ++run)
        if (!Run(figures))
            return 1;
    std::printf("rows            %d (%d products, %d language rows), qtr50d on SQLite; min / median / max\n",
                2 * kProducts, kProducts, kProducts);
    figures.PrintColdWarm("upload", "upload", "%.0f", "rows/s");
    figures.PrintColdWarm("bare OK posts", "posts", "%.0f", "posts/s");
    figures.PrintColdWarm("bare OK posts, 6 in flight", "parallel", "%.0f", "posts/s");
    figures.PrintRatio("upload : bare posts", "upload", "posts");
    figures.PrintRatio("upload : bare posts in flight", "upload", "parallel");
    return 0;
}
