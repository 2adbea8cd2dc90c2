#include "platform/ado/CAdoConnection.h"
#include "platform/ado/CAdoRecordset.h"
#include "platform/password/CPasswordHash.h"
#include "recordset/schema/ShopSchemaDdl.h"
#include "recordset/sync/CSyncFileBody.h"
#include "recordset/sync/CSyncTags.h"
#include "platform/testing/QtPrinters.h"
#include "server/core/CacheNegozio.h"
#include "server/core/testing/CQtrTestShop.h"
#include "server/sync/Aggiornamento.h"
#include "server/sync/AggiornamentoAccesso.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlQuery>

namespace {

using Fields = QList<QPair<QString, QString>>;

// A host with one shop account ("negozio", folder "negozio" under the
// archives) whose database is the test shop's, on either engine.
class SyncEndpoint : public testing::TestWithParam<CAdoConnection::Engine>
{
protected:
    SyncEndpoint() : m_shop(GetParam()), m_hostDb(GetParam())
    {
        m_hostDb.Execute(GetParam() == CAdoConnection::SQLite ? ShopSchemaDdl::SqliteStatements(QtrDbFile::Host)
                                                              : ShopSchemaDdl::PostgresStatements(QtrDbFile::Host));
        m_shop.Host().AddVirtualFolder("/db", m_hostDb.Folder());
        QDir().mkpath(m_archives.FilePath("negozio"));
        QFile::link(m_shop.DbFolder(), m_archives.FilePath("negozio/db"));
        m_hostDb.Connect()->Execute("INSERT INTO Utenti (CodiceUtente, Password, Directory) VALUES (?,?,?)",
                                    {"negozio", CPasswordHash::Hash("pa&ss=1"), "negozio"});
        AggiornamentoAccesso::Dimentica();
    }

    QString Post(const char* method, const Fields& fields, const QByteArray& body = {}, const QString& password = "pa&ss=1")
    {
        auto page = m_shop.NewPage();
        page->TestRequest().SetMethod("POST");
        page->TestRequest().AddForm("PF_UserCode", "negozio");
        page->TestRequest().AddForm("PF_Password", password);
        for (const auto& [name, value] : fields)
            page->TestRequest().AddForm(name, value);
        page->TestRequest().SetBody(body);
        auto* endpoint = page->Create<Aggiornamento>("QTR50.Aggiornamento");
        endpoint->ImpostaPercorsoArchivi(m_archives.Path());
        EXPECT_TRUE(QMetaObject::invokeMethod(endpoint, method));
        endpoint->Free();
        return page->TestResponse().Output();
    }

    QVariant Value(const QString& sql, const QVariantList& params = {})
    {
        QSqlQuery query = m_shop.Db().Run(sql, params);
        return query.next() ? query.value(0) : QVariant();
    }

    QString ShopFile(const QString& relative) const { return m_archives.FilePath("negozio/" + relative); }
    void WriteShopFile(const QString& relative, const QByteArray& content = "x")
    {
        QDir().mkpath(QFileInfo(ShopFile(relative)).path());
        QFile file(ShopFile(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    CQtrTestShop m_shop;
    CAdoTestDatabase m_hostDb;
    TempFolder m_archives;
};

TEST_P(SyncEndpoint, AnUploadedRowIsStoredWithExactValuesAndNotFlagged)
{
    const QString reply = Post("AggiornaDatiDaClient", {{"PF_TableName", "Prodotti"},
                                                         {"ID", "12"},
                                                         {"Codice", "A<1>&b"},
                                                         {"IVA", "22"},
                                                         {"Peso", "0,1"},
                                                         {"Attivo", "TRUE"},
                                                         {"ValiditaScontoDal", "07/03/2026 14:05:09"},
                                                         {"CodiceABarre", ""},
                                                         {"Modificato", "TRUE"}});
    ASSERT_EQ(reply, "OK");
    EXPECT_EQ(Value("SELECT Codice FROM Prodotti WHERE ID=12").toString(), "A<1>&b");
    EXPECT_EQ(Value("SELECT Peso FROM Prodotti WHERE ID=12").toDouble(), 0.1);
    EXPECT_EQ(Value("SELECT Attivo FROM Prodotti WHERE ID=12").toInt(), 1);
    EXPECT_EQ(Value("SELECT Modificato FROM Prodotti WHERE ID=12").toInt(), 0);
    EXPECT_TRUE(Value("SELECT CodiceABarre FROM Prodotti WHERE ID=12").isNull());
    EXPECT_TRUE(Value("SELECT ValiditaScontoDal FROM Prodotti WHERE ID=12").toString().startsWith("2026-03-07"));

    // A second upload changes only what it posts.
    ASSERT_EQ(Post("AggiornaDatiDaClient", {{"PF_TableName", "Prodotti"}, {"ID", "12"}, {"IVA", "10"}}), "OK");
    EXPECT_EQ(Value("SELECT Codice FROM Prodotti WHERE ID=12").toString(), "A<1>&b");
    EXPECT_EQ(Value("SELECT IVA FROM Prodotti WHERE ID=12").toDouble(), 10.0);
}

TEST_P(SyncEndpoint, AWrongPasswordIsRefusedWithTheShopsTextAndChangesNothing)
{
    EXPECT_EQ(Post("AggiornaDatiDaClient", {{"PF_TableName", "Prodotti"}, {"ID", "5"}}, {}, "sbagliata"),
              "Password errata!");
    EXPECT_FALSE(Value("SELECT ID FROM Prodotti WHERE ID=5").isValid());
    // The right password after a cached login still must match exactly.
    ASSERT_EQ(Post("AggiornaDatiDaClient", {{"PF_TableName", "Prodotti"}, {"ID", "5"}}), "OK");
    EXPECT_EQ(Post("EliminaDatiDaClient", {{"PF_TableName", "Prodotti"}, {"ID", "5"}}, {}, "pa&ss=2"),
              "Password errata!");
    EXPECT_TRUE(Value("SELECT ID FROM Prodotti WHERE ID=5").isValid());
}

struct HostileCase
{
    const char* name;
    const char* method;
    Fields fields;
};

void PrintTo(const HostileCase& c, std::ostream* os) { *os << c.name; }

// Requests that do not fit are answered with a reason, never "OK", and
// leave the shop as it was: no row, no file, no table touched.
const std::vector<HostileCase>& HostileCases()
{
    static const std::vector<HostileCase> cases{
        {"SqlInTableName", "AggiornaDatiDaClient", {{"PF_TableName", "Prodotti; DROP TABLE Prodotti"}, {"ID", "1"}}},
        {"UnknownTable", "ScaricaDati", {{"PF_TableName", "Utenti"}, {"PF_FromID", "0"}}},
        {"SqlInId", "EliminaDatiDaClient", {{"PF_TableName", "Prodotti"}, {"ID", "1 OR 1=1"}}},
        {"SqlInFromId", "ScaricaDati", {{"PF_TableName", "Prodotti"}, {"PF_FromID", "0 OR 1=1"}}},
        {"SqlInValue", "AggiornaDatiDaClient", {{"PF_TableName", "Prodotti"}, {"ID", "1"}, {"IVA", "1; DELETE FROM Prodotti"}}},
        {"UnknownColumn", "AggiornaDatiDaClient", {{"PF_TableName", "Prodotti"}, {"ID", "1"}, {"Nome) VALUES (1);--", "x"}}},
        {"ServerRangeRowTheShopOwns", "AggiornaDatiDaClient", {{"PF_TableName", "Ordini"}, {"ID", "1000000001"}, {"Note", "dal desktop"}}},
        {"TraversalInPath", "EliminaFile", {{"PF_Path", "..\\..\\etc"}, {"PF_FileName", "*"}}},
        {"AbsolutePath", "SvuotaHome", {{"PF_Path", "/etc"}}},
        {"SeparatorInFileName", "EliminaFile", {{"PF_Path", "images"}, {"PF_FileName", "..\\db\\database.mdb"}}},
        {"TraversalInUploadPath", "AggiornaFileDaClient", {{"PF_Path", "images\\..\\.."}, {"PF_FileName", "x.asp"}, {"PF_FlagFirst", "1"}, {"PF_NumBytes", "1"}, {"PF_Bytes", "QQ=="}}},
        {"NumberThatIsNot", "AggiornaFileDaClient", {{"PF_Path", "images"}, {"PF_FileName", "x.jpg"}, {"PF_FlagFirst", "uno"}, {"PF_NumBytes", "1"}, {"PF_Bytes", "QQ=="}}},
    };
    return cases;
}

TEST_P(SyncEndpoint, HostileRequestsAreRefusedAndChangeNothing)
{
    m_shop.Insert("Prodotti", {{"ID", 1}, {"Codice", "UNO"}, {"Modificato", 0}});
    m_shop.Insert("Ordini", {{"ID", 1000000001}, {"Note", "dal negozio"}, {"Modificato", 1}});
    WriteShopFile("images/prodotti/1.jpg");
    WriteShopFile("../fuori.txt");
    for (const HostileCase& c : HostileCases()) {
        SCOPED_TRACE(c.name);
        const QString reply = Post(c.method, c.fields);
        EXPECT_NE(reply, "OK");
        EXPECT_FALSE(reply.isEmpty());
    }
    EXPECT_EQ(Value("SELECT COUNT(*) FROM Prodotti").toInt(), 1);
    EXPECT_EQ(Value("SELECT Codice FROM Prodotti WHERE ID=1").toString(), "UNO");
    EXPECT_EQ(Value("SELECT Note FROM Ordini WHERE ID=1000000001").toString(), "dal negozio");
    EXPECT_TRUE(QFile::exists(ShopFile("images/prodotti/1.jpg")));
    EXPECT_TRUE(QFile::exists(ShopFile("../fuori.txt")));
}

// What the shop servers keep of the shop's data (settings, languages,
// dictionary) is read anew by the first page after each written or deleted
// row.
TEST_P(SyncEndpoint, AnUploadedOrDeletedRowReachesTheNextPageOfAServerThatKeepsTheShopsData)
{
    CacheNegozio::Svuota();
    CacheNegozio::SetEnabled(true);
    const auto cambio = [&] {
        CacheNegozio::NuovaPagina();
        CAdoRecordset valuta;
        CacheNegozio::Apri(valuta, "SELECT * FROM Valute WHERE ID=?", &m_shop.Db(), {2});
        return valuta.IsEOF() ? QVariant() : valuta.Field("Cambio");
    };
    EXPECT_FALSE(cambio().isValid());
    ASSERT_EQ(Post("AggiornaDatiDaClient", {{"PF_TableName", "Valute"}, {"ID", "2"}, {"Cambio", "1,5"}}), "OK");
    EXPECT_EQ(cambio().toDouble(), 1.5);
    ASSERT_EQ(Post("AggiornaDatiDaClient", {{"PF_TableName", "Valute"}, {"ID", "2"}, {"Cambio", "2,5"}}), "OK");
    EXPECT_EQ(cambio().toDouble(), 2.5);
    ASSERT_EQ(Post("EliminaDatiDaClient", {{"PF_TableName", "Valute"}, {"ID", "2"}}), "OK");
    EXPECT_FALSE(cambio().isValid());
    CacheNegozio::SetEnabled(false);
    CacheNegozio::Svuota();
}

TEST_P(SyncEndpoint, DeletingAProductTakesItsPicturesAndAttachmentsOnly)
{
    m_shop.Insert("Prodotti", {{"ID", 12}, {"Codice", "X"}});
    for (const char* file : {"images/prodotti/12.jpg", "images/prodotti/th/12.jpg", "images/prodotti/123.jpg",
                             "images/prodotti/files/d12_manuale.pdf", "images/prodotti/files/p12_manuale.pdf",
                             "images/prodotti/files/p123_manuale.pdf"})
        WriteShopFile(file);
    ASSERT_EQ(Post("EliminaDatiDaClient", {{"PF_TableName", "Prodotti"}, {"ID", "12"}}), "OK");
    EXPECT_FALSE(Value("SELECT ID FROM Prodotti WHERE ID=12").isValid());
    EXPECT_FALSE(QFile::exists(ShopFile("images/prodotti/12.jpg")));
    EXPECT_FALSE(QFile::exists(ShopFile("images/prodotti/th/12.jpg")));
    EXPECT_FALSE(QFile::exists(ShopFile("images/prodotti/files/d12_manuale.pdf")));
    EXPECT_FALSE(QFile::exists(ShopFile("images/prodotti/files/p12_manuale.pdf")));
    EXPECT_TRUE(QFile::exists(ShopFile("images/prodotti/123.jpg")));
    EXPECT_TRUE(QFile::exists(ShopFile("images/prodotti/files/p123_manuale.pdf")));
    // Absent rows are answered OK too.
    EXPECT_EQ(Post("EliminaDatiDaClient", {{"PF_TableName", "Prodotti"}, {"ID", "12"}}), "OK");
}

TEST_P(SyncEndpoint, DownloadWalksFlaggedRowsInIdOrderUntilConfirmed)
{
    m_shop.Insert("Clienti", {{"ID", 5}, {"Cognome", "Rossi"}, {"Modificato", 1}});
    m_shop.Insert("Clienti", {{"ID", 9}, {"Cognome", "O'Brien <x>"}, {"Modificato", 1}});
    m_shop.Insert("Clienti", {{"ID", 7}, {"Cognome", "Fermo"}, {"Modificato", 0}});
    QString reply = Post("ScaricaDati", {{"PF_TableName", "Clienti"}, {"PF_FromID", ""}});
    ASSERT_TRUE(reply.startsWith("OK")) << reply.toStdString();
    QString rest = reply.mid(2);
    QString value;
    ASSERT_TRUE(CSyncTags::GetTagValue(rest, "NumRec", &value));
    EXPECT_EQ(value, "2");
    ASSERT_TRUE(CSyncTags::GetTagValue(rest, "IDRec", &value));
    EXPECT_EQ(value, "5");

    reply = Post("ScaricaDati", {{"PF_TableName", "Clienti"}, {"PF_FromID", "5"}});
    rest = reply.mid(2);
    CSyncTags::GetTagValue(rest, "NumRec", &value);
    EXPECT_EQ(value, "1");
    CSyncTags::GetTagValue(rest, "IDRec", &value);
    EXPECT_EQ(value, "9");
    QString cognome;
    while (CSyncTags::GetTagValue(rest, "FieldName", &value)) {
        QString field;
        CSyncTags::GetTagValue(rest, "FieldValue", &field);
        if (value == "Cognome")
            cognome = field;
    }
    EXPECT_EQ(cognome, "O'Brien <x>");

    EXPECT_EQ(Post("NotificaScaricamentoDati", {{"PF_TableName", "Clienti"}, {"PF_ID", "5"}}), "OK");
    EXPECT_EQ(Post("NotificaScaricamentoDati", {{"PF_TableName", "Clienti"}, {"PF_ID", "404"}}), "");
    EXPECT_EQ(Post("NotificaScaricamentoDati", {{"PF_TableName", "Clienti"}, {"PF_ID", "9"}}), "OK");
    EXPECT_EQ(Post("ScaricaDati", {{"PF_TableName", "Clienti"}, {"PF_FromID", "0"}}), "EOF");
}

// The version a fetched row came with, from the record reply.
QString FetchedVersion(const QString& reply)
{
    QString rest = reply.mid(2);
    QString version;
    CSyncTags::GetTagValue(rest, "Versione", &version);
    return version;
}

// A card payment lands on the shop between the download of its order and
// the confirmation: the confirmation of the older version leaves the mark,
// so the next download brings the authorisation home.
TEST_P(SyncEndpoint, AConfirmationKeepsTheMarkOfARowTheShopChangedSinceItWasFetched)
{
    m_shop.Insert("Ordini", {{"ID", 1000000011}, {"Cognome", "Rossi"}, {"Modificato", 1}});
    m_shop.Insert("Ordini", {{"ID", 1000000012}, {"Cognome", "Bianchi"}, {"Modificato", 1}});
    const QString first = Post("ScaricaDati", {{"PF_TableName", "Ordini"}, {"PF_FromID", "0"}});
    const QString second = Post("ScaricaDati", {{"PF_TableName", "Ordini"}, {"PF_FromID", "1000000011"}});
    ASSERT_FALSE(FetchedVersion(first).isEmpty()) << first.toStdString();
    EXPECT_NE(FetchedVersion(first), FetchedVersion(second));

    m_shop.Db().Execute("UPDATE Ordini SET AutorizzazioneCartaCredito='AUT-77', Modificato=1 WHERE ID=1000000011");
    EXPECT_EQ(Post("NotificaScaricamentoDati",
                   {{"PF_TableName", "Ordini"}, {"PF_ID", "1000000011"}, {"PF_Versione", FetchedVersion(first)}}),
              "OK");
    EXPECT_EQ(Post("NotificaScaricamentoDati",
                   {{"PF_TableName", "Ordini"}, {"PF_ID", "1000000012"}, {"PF_Versione", FetchedVersion(second)}}),
              "OK");
    EXPECT_EQ(Value("SELECT Modificato FROM Ordini WHERE ID=1000000011").toInt(), 1);
    EXPECT_EQ(Value("SELECT Modificato FROM Ordini WHERE ID=1000000012").toInt(), 0);

    const QString again = Post("ScaricaDati", {{"PF_TableName", "Ordini"}, {"PF_FromID", "0"}});
    EXPECT_TRUE(again.contains("<FieldValue>AUT-77</FieldValue>")) << again.toStdString();
    EXPECT_NE(FetchedVersion(again), FetchedVersion(first));
    EXPECT_EQ(Post("NotificaScaricamentoDati",
                   {{"PF_TableName", "Ordini"}, {"PF_ID", "1000000011"}, {"PF_Versione", FetchedVersion(again)}}),
              "OK");
    EXPECT_EQ(Post("ScaricaDati", {{"PF_TableName", "Ordini"}, {"PF_FromID", "0"}}), "EOF");
}

struct ClashCase
{
    const char* name;
    const char* table;
    qint32 id;
    int flaggedOnShop;   // -1: the shop has no such row
    bool refused;
};

// A row the shop changed and the desktop has not fetched is the shop's
// newer version: its upload is refused with the conflict word and the row
// stays as the shop has it; every other row is written.
TEST_P(SyncEndpoint, AnUploadNeverOverwritesARowTheShopChangedAfterTheDesktopsCopy)
{
    const ClashCase cases[] = {
        {"ShopOrderChangedOnTheShop", "Ordini", 1000000011, 1, true},
        {"DesktopCustomerChangedOnTheShop", "Clienti", 40, 1, true},
        {"ShopOrderAlreadyFetched", "Ordini", 1000000012, 0, false},
        {"ShopOrderDeletedOnTheShop", "Ordini", 1000000013, -1, true},
        {"DesktopOrderNew", "Ordini", 50, -1, false},
        // The shop counts a banner's showings but never sends them home.
        {"BannerCountedOnTheShop", "Banner", 3, 1, false},
    };
    for (const ClashCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString table = c.table;
        const QString column = table == "Banner" ? "Link" : table == "Clienti" ? "Cognome" : "Note";
        if (c.flaggedOnShop >= 0)
            m_shop.Insert(c.table, {{"ID", c.id}, {column, "dal negozio"}, {"Modificato", c.flaggedOnShop}});
        const QString reply =
            Post("AggiornaDatiDaClient", {{"PF_TableName", c.table}, {"ID", QString::number(c.id)}, {column, "dal desktop"}});
        const QVariant stored = Value(QString("SELECT %1 FROM %2 WHERE ID=?").arg(column, c.table), {c.id});
        if (c.refused) {
            EXPECT_TRUE(reply.startsWith("Conflitto: ")) << reply.toStdString();
            EXPECT_NE(stored.toString(), "dal desktop");
        } else {
            EXPECT_EQ(reply, "OK");
            EXPECT_EQ(stored.toString(), "dal desktop");
        }
    }
    EXPECT_EQ(Value("SELECT Modificato FROM Ordini WHERE ID=1000000011").toInt(), 1);
}

// The shop account's password and the proxy the desktop goes out through
// are never stored on the shop; what an older desktop left there goes with
// the next upload of the settings.
TEST_P(SyncEndpoint, TheDesktopsOwnSettingsAreNeverStoredOnTheShop)
{
    m_shop.Db().Execute("UPDATE Configurazione SET Password='vecchia', UserIDProxy='io', PasswordProxy='px' WHERE ID=1");
    ASSERT_EQ(Post("AggiornaDatiDaClient", {{"PF_TableName", "Configurazione"},
                                            {"ID", "1"},
                                            {"RagioneSociale", "Lago Srl"},
                                            {"Password", "cifrata"},
                                            {"ServerProxy", "proxy.example"},
                                            {"UserIDProxy", "utente"},
                                            {"PasswordProxy", "segreta"}}),
              "OK");
    EXPECT_EQ(Value("SELECT RagioneSociale FROM Configurazione WHERE ID=1").toString(), "Lago Srl");
    for (const char* column : {"Password", "ServerProxy", "UserIDProxy", "PasswordProxy"}) {
        SCOPED_TRACE(column);
        EXPECT_TRUE(Value(QString("SELECT %1 FROM Configurazione WHERE ID=1").arg(column)).isNull());
    }
}

TEST_P(SyncEndpoint, DeletionNoticesStayUntilTheDesktopConfirmsThem)
{
    m_shop.Insert("RecordsEliminati", {{"NomeTabella", "Clienti"}, {"IDRecord", 1000000002}});
    m_shop.Insert("RecordsEliminati", {{"NomeTabella", "InterventiForum"}, {"IDRecord", 1000000007}});
    const QString first = "OK<NumRec>2</NumRec><NomeTabella>Clienti</NomeTabella><IDRec>1000000002</IDRec>";
    EXPECT_EQ(Post("NotificaCancellazioneDati", {{"PF_FromID", ""}}), first);
    // Asked again (a run cut before its swap), the same notice comes back.
    EXPECT_EQ(Post("NotificaCancellazioneDati", {{"PF_FromID", ""}}), first);
    EXPECT_EQ(Post("NotificaCancellazioneDati", {{"PF_FromID", "Clienti:1000000002"}}),
              "OK<NumRec>1</NumRec><NomeTabella>InterventiForum</NomeTabella><IDRec>1000000007</IDRec>");
    EXPECT_EQ(Post("NotificaCancellazioneDati", {{"PF_FromID", "InterventiForum:1000000007"}}), "EOF");

    EXPECT_EQ(Post("ConfermaCancellazioneDati", {{"PF_TableName", "Clienti"}, {"PF_ID", "1000000002"}}), "OK");
    EXPECT_EQ(Post("ConfermaCancellazioneDati", {{"PF_TableName", "Clienti"}, {"PF_ID", "1000000002"}}), "OK");
    EXPECT_EQ(Post("NotificaCancellazioneDati", {{"PF_FromID", ""}}),
              "OK<NumRec>1</NumRec><NomeTabella>InterventiForum</NomeTabella><IDRec>1000000007</IDRec>");
    EXPECT_NE(Post("NotificaCancellazioneDati", {{"PF_FromID", "Clienti:1 OR 1=1"}}), "EOF");
}

TEST_P(SyncEndpoint, AFileInPiecesAppearsOnlyWithItsLastPieceAndReplacesOlderVersions)
{
    WriteShopFile("images/prodotti/12.gif", "old");
    const QByteArray content("0123456789");
    CSyncFileBody::Header header;
    header.userCode = "negozio";
    header.password = "pa&ss=1";
    header.path = "images\\prodotti\\colori\\th";
    header.fileName = "12.jpg";
    header.totalBytes = content.size();
    header.flagFirst = 1;
    ASSERT_EQ(Post("AggiornaFileDaClient1", {}, CSyncFileBody::Build(header, content.left(4))), "OK");
    EXPECT_FALSE(QFile::exists(ShopFile("images/prodotti/colori/th/12.jpg")));
    header.flagFirst = 0;
    ASSERT_EQ(Post("AggiornaFileDaClient1", {}, CSyncFileBody::Build(header, content.mid(4))), "OK");
    QFile written(ShopFile("images/prodotti/colori/th/12.jpg"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), content);
    EXPECT_TRUE(QDir(ShopFile("images/prodotti/colori/th")).entryList(QDir::Files | QDir::Hidden) == QStringList{"12.jpg"});

    header.path = "images\\prodotti";
    header.flagFirst = 1;
    ASSERT_EQ(Post("AggiornaFileDaClient1", {}, CSyncFileBody::Build(header, content)), "OK");
    EXPECT_FALSE(QFile::exists(ShopFile("images/prodotti/12.gif")));
    EXPECT_TRUE(QFile::exists(ShopFile("images/prodotti/12.jpg")));

    EXPECT_EQ(Post("AggiornaFileDaClient1", {}, QByteArray()), "Errore di trasmissione.");
    header.password = "sbagliata";
    EXPECT_EQ(Post("AggiornaFileDaClient1", {}, CSyncFileBody::Build(header, content)), "Password errata!");
}

INSTANTIATE_TEST_SUITE_P(Engines, SyncEndpoint,
                         testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

} // namespace
