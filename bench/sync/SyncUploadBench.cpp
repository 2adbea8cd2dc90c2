// The site upload of 10,000 changed products with their language rows to
// the shop's endpoint on loopback, against the same number of form posts to
// a page that only answers "OK", in one run. Prints rows per second for
// both and the ratio.

#include "desktop/publishing/preview/CListenSocket.h"
#include "exchange/CHttp.h"
#include "platform/ado/CAdoConnectionPool.h"
#include "exchange/CSiteUpload.h"
#include "exchange/QtrUpdDatiState.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/password/CPasswordHash.h"
#include "recordset/IQtrHost.h"
#include "recordset/CDaoSqlSession.h"
#include "recordset/schema/ShopSchemaDdl.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kProducts = 10000;

QString Copy(const QString& from, const QString& to)
{
    QDir().mkpath(QFileInfo(to).path());
    QFile::copy(from, to);
    QFile(to).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return to;
}

void MakeProject(CDaoDatabase& db, const QString& folder, quint16 port)
{
    db.Open(Copy(QCoreApplication::applicationDirPath() + "/db/database.mdb", folder + "/db/database.mdb"));
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

class NoHost : public IQtrHost
{
public:
    explicit NoHost(CDaoDatabase* db, QString folder) : m_db(db), m_folder(std::move(folder)) {}
    CDaoDatabase* GetProjectDatabase() override { return m_db; }
    QString GetProjectFolder() override { return m_folder + "/"; }

private:
    CDaoDatabase* m_db;
    QString m_folder;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // As the shop server runs: connections kept between pages.
    CAdoConnectionPool::SetEnabled(true);
    QTemporaryDir temp;
    const QString site = temp.filePath("site");
    QDir().mkpath(site);
    for (const QString& page : QDir(QStringLiteral(QTR_SYNC_PAGES_DIR)).entryList({"*.asp"}))
        Copy(QStringLiteral(QTR_SYNC_PAGES_DIR "/") + page, site + "/" + page);
    QFile ok(site + "/ok.asp");
    ok.open(QIODevice::WriteOnly);
    ok.write("<% Response.Write(\"OK\"); %>");
    ok.close();
    Copy(QCoreApplication::applicationDirPath() + "/db/database.mdb", temp.filePath("archivi/negozio/db/database.mdb"));
    CDaoDatabase host;
    QDir().mkpath(temp.filePath("host/db"));
    host.Open(temp.filePath("host/db/database.mdb"), true);
    ShopSchemaDdl::CreateTables(CDaoSqlSession(host), QtrDbFile::Host);
    host.Execute("INSERT INTO Utenti (CodiceUtente, Password, Directory) VALUES ('negozio', ?, 'negozio')",
                 {CPasswordHash::Hash("segreto")});
    host.Close();

    CListenSocket listener;
    listener.SetPort(0);
    listener.SetRootDir(site);
    listener.AddVirtualDir("/db", temp.filePath("host/db"));
    listener.AddVirtualDir("/archivi", temp.filePath("archivi"));
    if (listener.StartListening() != 0)
        return 1;

    CDaoDatabase project;
    MakeProject(project, temp.filePath("project"), listener.ServerPort());
    NoHost registration(&project, temp.filePath("project"));
    QtrSetHost(&registration);

    QElapsedTimer timer;
    timer.start();
    CSiteUpload upload;
    upload.InitVar(nullptr, temp.filePath("project"), &project);
    upload.Init();
    // The dialog would ask for it: the settings hold none.
    PasswordUpd = QStringLiteral("segreto");
    upload.Start();
    const double uploadSeconds = timer.elapsed() / 1000.0;
    const int rows = 2 * kProducts;
    if (upload.LastResult() != CSiteUpload::Result::Done) {
        std::printf("upload failed: see %s/qtrupd.log\n", qPrintable(temp.filePath("project")));
        temp.setAutoRemove(false);
        return 1;
    }

    timer.restart();
    CHttp http("127.0.0.1", QString(), listener.ServerPort(), QString(), QString(), nullptr);
    for (int i = 0; i < rows; ++i) {
        http.AddToPOSTFields("PF_UserCode", "negozio");
        http.AddToPOSTFields("PF_Password", "segreto");
        http.AddToPOSTFields("PF_TableName", "Prodotti");
        for (int f = 0; f < 8; ++f)
            http.AddToPOSTFields(QStringLiteral("Campo%1").arg(f), QStringLiteral("valore %1").arg(i));
        QString reply;
        if (!http.Post("/ok.asp", nullptr, &reply) || reply != "OK")
            return 1;
    }
    const double bareSeconds = timer.elapsed() / 1000.0;

    const double uploadRate = rows / uploadSeconds;
    const double bareRate = rows / bareSeconds;
    std::printf("rows            %d (%d products, %d language rows)\n", rows, kProducts, kProducts);
    std::printf("upload          %.0f rows/s\n", uploadRate);
    std::printf("bare OK posts   %.0f posts/s\n", bareRate);
    std::printf("upload : bare   %.2f\n", uploadRate / bareRate);
    QtrSetHost(nullptr);
    return 0;
}
