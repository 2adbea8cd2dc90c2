#include "platform/testing/QtPrinters.h"
#include "recordset/sync/CSyncTags.h"
#include "server/core/testing/CQtrTestShop.h"
#include "server/sync/Aggiornamento.h"
#include "server/sync/AggiornamentoCD.h"
#include "server/sync/AggiornamentoRecord.h"

#include <gtest/gtest.h>

#include <QSqlQuery>

namespace {

using Fields = QList<QPair<QString, QString>>;

const QString kRossi = QStringLiteral("credenziale-di-rossi-0001");
const QString kAgente = QStringLiteral("credenziale-dell-agente-02");
const QString kBianchi = QStringLiteral("credenziale-di-bianchi-003");

// The offline catalogue of two customers: Rossi (10, group 1) and the agent
// 30 who serves Bianchi (20, group 2). Product 101 is hidden from group 1,
// product 102 lies in category 2 (hidden from group 2) and in category 1.
class OfflineShop
{
public:
    explicit OfflineShop(CAdoConnection::Engine engine) : m_shop(engine)
    {
        m_shop.AddBasics();
        auto add = [this](const char* table, QVariantMap row) { m_shop.Insert(table, row); };
        add("Clienti", {{"ID", 10}, {"IDGruppo", 1}, {"UserID", "rossi"}, {"Password", "hash-rossi"}, {"VersioneRecord", 3}});
        add("Clienti", {{"ID", 30}, {"IDGruppo", 1}, {"TipoUtente", 3}, {"UserID", "agente"}, {"VersioneRecord", 5}});
        add("Clienti", {{"ID", 20}, {"IDGruppo", 2}, {"IDAgente", 30}, {"UserID", "bianchi"}, {"VersioneRecord", 4}});
        for (int id : {1, 2})
            add("Categorie", {{"ID", id}, {"VersioneRecord", id}});
        for (int id : {100, 101, 102})
            add("Prodotti", {{"ID", id}, {"Codice", QString("P%1").arg(id)}, {"VersioneRecord", id - 90},
                             {"VersioneFoto", id - 99}});
        int link = 1;
        for (auto [c, p] : {std::pair{1, 100}, {1, 101}, {1, 102}, {2, 102}})
            add("CategorieProdotti", {{"ID", link++}, {"IDCategoria", c}, {"IDProdotto", p}, {"VersioneRecord", 1}});
        add("Permessi", {{"ID", 1}, {"Tipo", 1}, {"IDRecord", 101}, {"IDGruppo", 1}, {"IDUtente", -1}, {"VersioneRecord", 1}});
        add("Permessi", {{"ID", 2}, {"Tipo", 0}, {"IDRecord", 2}, {"IDGruppo", 2}, {"IDUtente", -1}, {"VersioneRecord", 1}});
        add("Ordini", {{"ID", 900}, {"IDCliente", 10}, {"NumOrdine", "A900"}, {"VersioneRecord", 1}});
        add("Ordini", {{"ID", 901}, {"IDCliente", 20}, {"NumOrdine", "A901"}, {"VersioneRecord", 2}});
        add("CredenzialiCD", {{"ID", 1}, {"IDCliente", 10}, {"Impronta", AggiornamentoCD::Impronta(kRossi)}});
        add("CredenzialiCD", {{"ID", 2}, {"IDCliente", 30}, {"Impronta", AggiornamentoCD::Impronta(kAgente)}});
        add("CredenzialiCD", {{"ID", 3}, {"IDCliente", 20}, {"Impronta", AggiornamentoCD::Impronta(kBianchi)}});
        m_shop.Db().Execute("UPDATE Configurazione SET CodiceUtente='negozio', Password='x', CodiceEsercente='M', "
                            "TID='T', UserIDProxy='u', PasswordProxy='p', RagioneSociale='Bottega', VersioneRecord=1");
        m_shop.WriteSiteFile("/images/prodotti/100.jpg", QByteArray(2050, 'j'));
        m_shop.WriteSiteFile("/images/prodotti/th/100.jpg", QByteArray(100, 't'));
    }

    QByteArray Post(const char* method, qint32 customer, const QString& credential, const Fields& fields)
    {
        auto page = m_shop.NewPage();
        page->TestRequest().SetMethod("POST");
        page->TestRequest().AddForm("PF_IDUtente", QString::number(customer));
        page->TestRequest().AddForm("PF_Credenziale", credential);
        for (const auto& [name, value] : fields)
            page->TestRequest().AddForm(name, value);
        auto* endpoint = page->Create<Aggiornamento>("QTR50.Aggiornamento");
        EXPECT_TRUE(QMetaObject::invokeMethod(endpoint, method));
        endpoint->Free();
        return page->TestResponse().Bytes();
    }

    // Every ID ScaricaDatiCD hands out for the table, following versions.
    QStringList Fetched(qint32 customer, const QString& credential, const QString& table)
    {
        QStringList ids;
        QString version = "0";
        for (int guard = 0; guard < 20; ++guard) {
            QString reply = QString::fromUtf8(Post("ScaricaDatiCD", customer, credential,
                                                   {{"PF_TableName", table}, {"PF_VersioneRecord", version}}));
            if (!reply.startsWith("OK"))
                break;
            QString id, name, value;
            CSyncTags::GetTagValue(reply, "IDRec", &id);
            ids << id;
            while (CSyncTags::GetTagValue(reply, "FieldName", &name) && CSyncTags::GetTagValue(reply, "FieldValue", &value))
                if (name == "VersioneRecord")
                    version = value;
        }
        return ids;
    }

    QVariant Value(const QString& sql, const QVariantList& params = {})
    {
        QSqlQuery query = m_shop.Db().Run(sql, params);
        return query.next() ? query.value(0) : QVariant();
    }

    CQtrTestShop m_shop;
};

class OfflineSync : public testing::TestWithParam<CAdoConnection::Engine>, public OfflineShop
{
protected:
    OfflineSync() : OfflineShop(GetParam()) {}
};

TEST_P(OfflineSync, EachCustomerGetsOnlyTheRowsItMaySee)
{
    EXPECT_EQ(Fetched(10, kRossi, "Prodotti"), QStringList({"100", "102"}));
    EXPECT_EQ(Fetched(10, kRossi, "Ordini"), QStringList({"900"}));
    EXPECT_EQ(Fetched(10, kRossi, "Clienti"), QStringList({"10"}));
    // The agent sees for its customers: Bianchi's group may see 101, and
    // 102 through category 1.
    EXPECT_EQ(Fetched(30, kAgente, "Clienti"), QStringList({"20", "30"}));
    EXPECT_EQ(Fetched(30, kAgente, "Prodotti"), QStringList({"100", "101", "102"}));
    EXPECT_EQ(Fetched(30, kAgente, "Ordini"), QStringList({"901"}));
    EXPECT_EQ(Fetched(30, kAgente, "Categorie"), QStringList({"1", "2"}));
    EXPECT_EQ(QString::fromUtf8(Post("EliminaDatiCD", 10, kRossi, {{"PF_TableName", "Prodotti"}, {"PF_StartID", "0"}})),
              "OK100,102");
}

TEST_P(OfflineSync, NoCredentialColumnEverLeaves)
{
    const QString settings = QString::fromUtf8(Post("ScaricaDatiCD", 10, kRossi, {{"PF_TableName", "Configurazione"}, {"PF_VersioneRecord", "0"}}));
    ASSERT_TRUE(settings.startsWith("OK")) << settings.toStdString();
    EXPECT_TRUE(settings.contains("Bottega"));
    for (const char* column : {"CodiceUtente", "<FieldName>Password<", "CodiceEsercente", "<FieldName>TID<", "UserIDProxy", "PasswordProxy"})
        EXPECT_FALSE(settings.contains(column)) << column;
    const QString customer = QString::fromUtf8(Post("ScaricaDatiCD", 10, kRossi, {{"PF_TableName", "Clienti"}, {"PF_VersioneRecord", "0"}}));
    EXPECT_TRUE(customer.contains("rossi"));
    EXPECT_FALSE(customer.contains("hash-rossi"));
    for (const char* never : {"CredenzialiCD", "StatoOrdini", "PagamentiCarta", "RecordsEliminati"})
        EXPECT_EQ(Post("ScaricaDatiCD", 10, kRossi, {{"PF_TableName", never}, {"PF_VersioneRecord", "0"}}), "EOF") << never;
}

TEST_P(OfflineSync, PhotosGoInWholeBlocksOfTheirOwnBytes)
{
    // Bianchi sees product 102 through category 1, but one hidden category
    // withholds its photo: 100 and 101 go.
    EXPECT_EQ(Fetched(20, kBianchi, "Prodotti"), QStringList({"100", "101", "102"}));
    const QByteArray reply = Post("ScaricaImmagini", 20, kBianchi, {{"PF_Immagine", "Prodotti"}, {"PF_VersioneRecord", "0"}});
    ASSERT_TRUE(reply.startsWith("OK ")) << reply.left(80).toStdString();
    EXPECT_EQ(reply.mid(3, 40), "0000000002000000010000000000010000002050");
    EXPECT_EQ(reply.size(), 43 + 3 * 1025);
    EXPECT_EQ(reply.mid(43, 2050), QByteArray(2050, 'j'));
    EXPECT_EQ(reply.mid(43 + 2050), QByteArray(1025 * 3 - 2050, '\0'));
    const QByteArray thumb = Post("ScaricaImmagini", 10, kRossi, {{"PF_Immagine", "ProdottiTh"}, {"PF_VersioneRecord", "0"}});
    EXPECT_EQ(thumb.size(), 43 + 1025);
}

TEST_P(OfflineSync, AnOfflineOrderAndItsLineGetNewIdsInOneGo)
{
    const QString order = QString::fromUtf8(Post("AggiornaOrdiniDaCD", 10, kRossi,
        {{"PF_TableName", "Ordini"}, {"ID", "5"}, {"IDCliente", "10"}, {"Data", "15/03/2004 10:00:00"}, {"Nome", "Ada"}}));
    ASSERT_TRUE(order.startsWith("OK ")) << order.toStdString();
    const QStringList words = order.split(' ');
    ASSERT_EQ(words.size(), 3);
    const qint64 id = words[1].toLongLong();
    EXPECT_EQ(words[1].size(), 10);
    EXPECT_GT(id, 1000000000) << "offline orders are the shop's rows";
    EXPECT_EQ(words[2], "200403" + QString::number(id));
    EXPECT_EQ(Value("SELECT Modificato FROM Ordini WHERE ID=?", {id}).toInt(), 1);
    EXPECT_EQ(Value("SELECT NumOrdine FROM Ordini WHERE ID=?", {id}).toString(), words[2]);

    const QString line = QString::fromUtf8(Post("AggiornaOrdiniDaCD", 10, kRossi,
        {{"PF_TableName", "OrdiniDettaglio"}, {"IDOrdine", QString::number(id)}, {"IDProdotto", "100"}, {"Quantita", "2"}}));
    ASSERT_TRUE(line.startsWith("OK ")) << line.toStdString();
    EXPECT_EQ(line.split(' ').size(), 2);
    const QString second = QString::fromUtf8(Post("AggiornaOrdiniDaCD", 10, kRossi,
        {{"PF_TableName", "Ordini"}, {"IDCliente", "10"}}));
    EXPECT_NE(second.split(' ').value(1), words[1]);
}

TEST_P(OfflineSync, AShopDatabaseOlderThanTheCredentialsTakesThemFromTheSiteUpdate)
{
    m_shop.Db().Execute("DROP TABLE CredenzialiCD");
    EXPECT_EQ(Post("ScaricaDatiCD", 10, kRossi, {{"PF_TableName", "Prodotti"}}), "Credenziale non valida");
    AggiornamentoRecord(m_shop.Db()).Aggiorna(
        "CredenzialiCD", {{"ID", "7"}, {"IDCliente", "10"}, {"Impronta", AggiornamentoCD::Impronta(kRossi)}});
    EXPECT_TRUE(Post("ScaricaDatiCD", 10, kRossi, {{"PF_TableName", "Prodotti"}}).startsWith("OK"));
}

// Requests that must change nothing and get no "OK".
struct HostileCase
{
    const char* name;
    const char* method;
    qint32 customer;
    const char* credential;
    Fields fields;
};

const char* const kRossiText = "credenziale-di-rossi-0001";

const HostileCase kHostile[] = {
    {"NoCredential", "ScaricaDatiCD", 10, "", {{"PF_TableName", "Prodotti"}}},
    {"WrongCredential", "ScaricaDatiCD", 10, "credenziale-sbagliata-0000", {{"PF_TableName", "Prodotti"}}},
    {"AnotherCustomersCredential", "ScaricaDatiCD", 20, kRossiText, {{"PF_TableName", "Ordini"}}},
    {"CustomerNotANumber", "ScaricaDatiCD", -1, kRossiText, {{"PF_TableName", "Ordini"}}},
    {"UnknownTable", "ScaricaDatiCD", 10, kRossiText, {{"PF_TableName", "Utenti"}}},
    {"TableAsSql", "EliminaDatiCD", 10, kRossiText, {{"PF_TableName", "Prodotti; DELETE FROM Prodotti"}, {"PF_StartID", "0"}}},
    {"StartIdAsSql", "EliminaDatiCD", 10, kRossiText, {{"PF_TableName", "Prodotti"}, {"PF_StartID", "0 OR 1=1"}}},
    {"VersionAsSql", "ScaricaDatiCD", 10, kRossiText, {{"PF_TableName", "Prodotti"}, {"PF_VersioneRecord", "0) OR (1=1"}}},
    {"OrderForAnotherCustomer", "AggiornaOrdiniDaCD", 10, kRossiText, {{"PF_TableName", "Ordini"}, {"IDCliente", "20"}}},
    {"LineOnAnotherCustomersOrder", "AggiornaOrdiniDaCD", 10, kRossiText, {{"PF_TableName", "OrdiniDettaglio"}, {"IDOrdine", "901"}}},
    {"RowOfAnotherTable", "AggiornaOrdiniDaCD", 10, kRossiText, {{"PF_TableName", "Clienti"}, {"IDGruppo", "1"}}},
    {"UnknownColumn", "AggiornaOrdiniDaCD", 10, kRossiText, {{"PF_TableName", "Ordini"}, {"IDCliente", "10"}, {"Inesistente", "1"}}},
    {"PhotoKindUnknown", "ScaricaImmagini", 10, kRossiText, {{"PF_Immagine", "../../db"}, {"PF_VersioneRecord", "0"}}},
};

void PrintTo(const HostileCase& c, std::ostream* os) { *os << c.name; }

class OfflineHostile : public testing::TestWithParam<std::tuple<CAdoConnection::Engine, HostileCase>>,
                       public OfflineShop
{
protected:
    OfflineHostile() : OfflineShop(std::get<0>(GetParam())) {}
};

TEST_P(OfflineHostile, IsRefusedAndChangesNothing)
{
    const HostileCase& c = std::get<1>(GetParam());
    const qint64 orders = Value("SELECT COUNT(*) FROM Ordini").toLongLong();
    const qint64 customers = Value("SELECT COUNT(*) FROM Clienti").toLongLong();
    const QByteArray reply = Post(c.method, c.customer, QString::fromUtf8(c.credential), c.fields);
    EXPECT_FALSE(reply.startsWith("OK")) << reply.toStdString();
    EXPECT_FALSE(reply.contains("900") || reply.contains("901")) << reply.toStdString();
    EXPECT_EQ(Value("SELECT COUNT(*) FROM Ordini").toLongLong(), orders);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM Clienti").toLongLong(), customers);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM Prodotti").toLongLong(), 3);
}

INSTANTIATE_TEST_SUITE_P(Engines, OfflineSync, testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });
INSTANTIATE_TEST_SUITE_P(Requests, OfflineHostile,
                         testing::Combine(testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                                          testing::ValuesIn(kHostile)),
                         [](const auto& info) {
                             return std::string(std::get<1>(info.param).name) + "_"
                                    + CAdoTestDatabase::EngineName(std::get<0>(info.param));
                         });

} // namespace
