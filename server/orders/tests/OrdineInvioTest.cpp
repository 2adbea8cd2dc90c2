#include "server/orders/Ordine.h"
#include "server/orders/OrdineAddebito.h"
#include "server/orders/OrdineRichiesteBanca.h"
#include "server/orders/OrdineScrittura.h"
#include "server/core/Funzioni.h"
#include "server/core/testing/CQtrTestShop.h"
#include "server/orders/tests/PaginaOrdineProva.h"
#include "server/orders/tests/ProdottiProva.h"

#include "platform/ado/CAdoRecordset.h"
#include "platform/mail/CMailQueue.h"
#include "platform/mail/tests/SmtpTestServer.h"
#include "platform/testing/TempFolder.h"
#include "server/orders/OrdinePagamentoCarta.h"
#include "platform/password/CPasswordHash.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QLocale>
#include <QTcpServer>

#include <memory>

namespace {

// A shop with a shirt (1: 50.00 at 20 percent, colour 11 "R", sizes) and
// a book (2: 50.00 at 10 percent), flat shipping 3.00 (5), a logged-in
// candidate (7, with login "verdi" and consignee 70) and another
// customer (8, with consignee 80). The basket: one shirt in M and red,
// two books with a dedication. The buyer is Anna Bianchi from Forlì.
class OrdineInvioBase : public PaginaOrdineProva
{
protected:
    static void AvviaPosta()
    {
        QLocale::setDefault(QLocale::c());
        s_smtp = std::make_unique<SmtpTestServer>();
        ASSERT_EQ(s_smtp->Start(), "");
        Funzioni::ImpostaServerPosta("127.0.0.1", s_smtp->Port());
    }
    static void FermaPosta()
    {
        Funzioni::ImpostaServerPosta("localhost", 25);
        s_smtp.reset();
    }

    void Prepara(CAdoConnection::Engine engine)
    {
        s_smtp->Clear();
        m_shop = std::make_unique<CQtrTestShop>(engine);
        m_shop->AddBasics();
        m_shop->Insert("ValoriTaglie", {{"ID", 1}, {"Valori", "S|M|L|"}});
        InserisciProdotto(*m_shop, 1, "Camicia", 50, 20, 1.5, {{"IDTabellaTaglie", 1}, {"DATaglia", 0}, {"ATaglia", 2},
                                                              {"Codice", "CAM"}});
        InserisciProdotto(*m_shop, 2, "Libro", 50, 10, 0.5, {{"Codice", "LIB"}});
        m_shop->Insert("ProdottiColori", {{"ID", 11}, {"IDProdotto", 1}, {"Codice", "R"}, {"Descrizione", "Rosso"}, {"Attivo", 1}});
        m_shop->Insert("SpeseSpedizione", {{"ID", 5}, {"Descrizione", "Affrancata"}, {"Limite1", 0.0}, {"Prezzo1", 3.0},
                                           {"EsenzioneIVA", 0}});
        m_shop->Insert("Clienti", {{"ID", 7}, {"Cognome", "Verdi"}, {"UserID", "verdi"},
                                   {"Password", CPasswordHash::Hash("segreta")}, {"IDGruppo", 3}, {"TipoUtente", 0}});
        m_shop->Insert("Clienti", {{"ID", 70}, {"Cognome", "Casa Verdi"}, {"IDCliente", 7}, {"TipoUtente", 4}});
        m_shop->Insert("Clienti", {{"ID", 8}, {"Cognome", "Neri"}, {"TipoUtente", 1}});
        m_shop->Insert("Clienti", {{"ID", 80}, {"Cognome", "Casa Neri"}, {"IDCliente", 8}, {"TipoUtente", 4}});
        int id = 1;
        for (const auto& [codice, testo] : QList<QPair<QString, QString>>{
                 {"PMTDATIORDINE", "Ordine n. "}, {"PMTTOTALEORDINE", "Totale ordine"},
                 {"PMTNOTIFICAORDINE", "Nuovo ordine"}, {"PMTCONFERMARICORDINE", "Conferma d'ordine"},
                 {"PMTNOMEUTENTE", "Utente"}, {"PMTPASSWORD", "Password"}, {"PMTTOTALEIVA", "IVA"}})
            m_shop->AddMessage(id++, codice, {{"it", testo}});
        const QVariantMap sessione = {
            {"DbPath", m_shop->DbFolder()}, {"ShareConn", false}, {"CodiceLingua", "it"},
            {"CodiceLinguaPredefinita", "it"}, {"IDListino", 0}, {"IDGruppo", 0}, {"FCListino2Euro", 1.0},
            {"FCEuro2Web", 1.0}, {"Arrotondamento", 0.01}, {"ArrotondamentoListino", 0.01}, {"SimboloValuta", "€"},
            {"IvaSpedizioni", 20.0}, {"PesoImballo", 0.0}, {"TipoPesoImballo", 0}, {"SpeseContrassegno", 6.0},
            {"TipoSpeseContrassegno", 0}, {"MinimoContrassegno", 0.0},
            {"Basket", "#1|1|11|M|0|#2|2|0||0|Dedica~Buon anno|"}, {"DimBasket", 2}, {"IDSpese", 5},
            {"EmailOrdini", "ordini@bottega.test"}, {"RagioneSociale", "Bottega di prova"},
            {"CognomeUtente", "Bianchi"}, {"NomeUtente", "Anna"}, {"IndirizzoUtente", "Via Emilia 1"},
            {"CapUtente", "47121"}, {"LocalitaUtente", "Forlì"}, {"ProvinciaUtente", "FC"},
            {"StatoUtente", "Italia"}, {"EmailUtente", "anna@esempio.test"}, {"CFPIUtente", ""},
            {"TipoPagamento", "Bonifico"}, {"AttivaBonifico", true}, {"AttivaContrassegno", true}, {"D_Cognome", ""}, {"IDUtente", 0}, {"CKIDCliente", 0},
            {"IDDestinatario", 0}};
        for (auto it = sessione.begin(); it != sessione.end(); ++it)
            Set(it.key(), it.value());
    }

    // One value of the first row the query finds; null when none.
    QVariant Valore(const QString& sql, const QVariantList& params, const QString& colonna)
    {
        CAdoRecordset rs;
        rs.Open(sql, &m_shop->Db(), params);
        return rs.IsEOF() ? QVariant() : rs.Field(colonna);
    }
    QVariant Cliente(qint32 id, const QString& colonna)
    {
        return Valore("SELECT * FROM Clienti WHERE ID=?", {id}, colonna);
    }
    int Conta(const QString& tabella)
    {
        return Valore("SELECT COUNT(*) AS N FROM " + tabella, {}, "N").toInt();
    }

    static inline std::unique_ptr<SmtpTestServer> s_smtp;
};

class OrdineInvio : public OrdineInvioBase, public ::testing::TestWithParam<CAdoConnection::Engine>
{
protected:
    static void SetUpTestSuite() { AvviaPosta(); }
    static void TearDownTestSuite() { FermaPosta(); }
    void SetUp() override { Prepara(GetParam()); }
};

// ---------------------------------------------------------------- the rows of one order

struct CasoInvio
{
    const char* nome;
    QVariantMap sessione;
    bool credenziali = false;
    bool locale = false;
    qint32 cliente = 0;          // the order's customer; 0: a new one
    qint32 destinatario = 0;     // the order's IDDestinatario
    double prezzoCamicia = 50;   // the shirt line's stored price
    double contrassegno = 0;     // the order's SpeseContrassegno
};

void PrintTo(const CasoInvio& c, std::ostream* os) { *os << c.nome; }

const CasoInvio kInvii[] = {
    {"NewVisitorBecomesANewCustomer", {}},
    {"NewVisitorAskingForALoginGetsOne", {}, true},
    {"LoggedInCustomerIsUpdated", {{"IDUtente", 7}, {"UtenteCollegato", true}}, false, false, 7},
    {"LoginWinsOverTheCookie", {{"IDUtente", 7}, {"UtenteCollegato", true}, {"CKIDCliente", 8}}, false, false, 7},
    // The session set-up puts the anonymous visitor's row in IDUtente: no
    // login, so that row is not the buyer's.
    {"IDUtenteWithoutLoginIsNoLogin", {{"IDUtente", 7}}, true},
    // The cookie alone proves nothing: the visitor becomes a new customer
    // and customer 8's row stays as it was.
    {"CookieAloneIsNoLogin", {{"CKIDCliente", 8}}, true},
    {"OwnConsigneeIsUpdated",
     {{"IDUtente", 7}, {"UtenteCollegato", true}, {"IDDestinatario", 70}, {"D_Cognome", "Rossi"}}, false, false, 7, 70},
    {"AnotherCustomersConsigneeIsLeftAlone",
     {{"IDUtente", 7}, {"UtenteCollegato", true}, {"IDDestinatario", 80}, {"D_Cognome", "Rossi"}}, false, false, 7, 0},
    {"VisitorsConsigneeIDIsIgnored", {{"IDDestinatario", 70}, {"D_Cognome", "Rossi"}}, false, false, 0, 0},
    // The shop's 6.00 reaches the order through the basket with its 20
    // percent VAT (7.20) and is stored net again.
    {"CashOnDeliveryIsStoredNetOfVat", {{"TipoPagamento", "Contrassegno"}}, false, false, 0, 0, 50, 6},
    // 60.00 with VAT less its 10.00 of VAT.
    {"PricesWithVatStoreTheNetPrice", {{"AttivaPrezziIvaCompresa", true}}, false, false, 0, 0, 50},
    {"LocalModeNumbersTheOrderWithT", {}, false, true},
    // Checkout text is a value, never SQL.
    {"SqlInTheCheckoutIsStoredAsText",
     {{"CognomeUtente", "O'Brien'); DELETE FROM Clienti; --"}, {"LocalitaUtente", "Forlì' OR '1'='1"}}},
};

class OrdineInvioCasi : public OrdineInvioBase,
                        public ::testing::TestWithParam<std::tuple<CAdoConnection::Engine, CasoInvio>>
{
protected:
    static void SetUpTestSuite() { AvviaPosta(); }
    static void TearDownTestSuite() { FermaPosta(); }
    void SetUp() override { Prepara(std::get<0>(GetParam())); }
};

} // namespace

TEST_P(OrdineInvioCasi, OneSubmissionWritesTheCustomerTheOrderAndItsLines)
{
    const CasoInvio& c = std::get<1>(GetParam());
    for (auto it = c.sessione.begin(); it != c.sessione.end(); ++it)
        Set(it.key(), it.value());
    m_shop->Host().SetLocalMode(c.locale);
    Ordine* o = Pagina();
    o->NotificaEsercente(QVariant(), c.credenziali);

    const qint32 idCliente = Session("IDClienteOrdine").toInt();
    if (c.cliente)
        EXPECT_EQ(idCliente, c.cliente);
    else
        EXPECT_GE(idCliente, 1000000001);
    const QString cognome = c.sessione.value("CognomeUtente", "Bianchi").toString();
    const QString localita = c.sessione.value("LocalitaUtente", "Forlì").toString();
    EXPECT_EQ(Cliente(idCliente, "Cognome").toString(), cognome);
    EXPECT_EQ(Cliente(idCliente, "Localita").toString(), localita);
    // A known customer keeps his login, group and kind; customer 8 is
    // never touched.
    EXPECT_EQ(Cliente(7, "UserID").toString(), "verdi");
    EXPECT_TRUE(CPasswordHash::Verify(Cliente(7, "Password").toString(), "segreta"));
    EXPECT_EQ(Cliente(7, "IDGruppo").toInt(), 3);
    EXPECT_EQ(Cliente(7, "TipoUtente").toInt(), 0);
    EXPECT_EQ(Cliente(8, "Cognome").toString(), "Neri");
    EXPECT_EQ(Cliente(80, "Cognome").toString(), "Casa Neri");
    if (!c.cliente) {
        EXPECT_EQ(Cliente(idCliente, "TipoUtente").toInt(), 1);
        const QString generata = Session("PasswordGenerata").toString();
        if (c.credenziali) {
            EXPECT_EQ(Cliente(idCliente, "UserID").toString(), "abianchi");
            EXPECT_EQ(generata.size(), 6);
            EXPECT_TRUE(CPasswordHash::Verify(Cliente(idCliente, "Password").toString(), generata));
        } else {
            EXPECT_EQ(Cliente(idCliente, "UserID").toString(), "");
            EXPECT_EQ(generata, "");
        }
    }
    if (c.destinatario)
        EXPECT_EQ(Cliente(c.destinatario, "Cognome").toString(), "Rossi");

    const QString numOrd = Session("NumOrd").toString();
    const qint32 idOrdine = Valore("SELECT ID FROM Ordini WHERE NumOrdine=?", {numOrd}, "ID").toInt();
    EXPECT_GE(idOrdine, 1000000001);
    EXPECT_EQ(numOrd, (c.locale ? QString("T") : QDate::currentDate().toString("yyyyMM")) + QString::number(idOrdine));
    const auto ordine = [&](const char* colonna) { return Valore("SELECT * FROM Ordini WHERE ID=?", {idOrdine}, colonna); };
    EXPECT_EQ(ordine("IDCliente").toInt(), idCliente);
    EXPECT_EQ(ordine("IDDestinatario").toInt(), c.destinatario);
    EXPECT_EQ(ordine("Localita").toString(), localita);
    EXPECT_NEAR(ordine("SpeseSpedizione").toDouble(), 3.0, 1e-6);
    EXPECT_NEAR(ordine("SpeseContrassegno").toDouble(), c.contrassegno, 1e-4);
    EXPECT_TRUE(ordine("Modificato").toBool());
    EXPECT_EQ(ordine("AutorizzazioneCartaCredito").toString(), "");

    CAdoRecordset righe;
    righe.Open("SELECT * FROM OrdiniDettaglio WHERE IDOrdine=? ORDER BY ID", &m_shop->Db(), {idOrdine});
    ASSERT_EQ(righe.RecordCount(), 2);
    EXPECT_EQ(righe.Field("CodiceProdotto").toString(), "CAM");
    EXPECT_EQ(righe.Field("IDColore").toInt(), 11);
    EXPECT_EQ(righe.Field("Taglia").toString(), "M");
    EXPECT_NEAR(righe.Field("Prezzo").toDouble(), c.prezzoCamicia, 1e-6);
    EXPECT_NEAR(righe.Field("Quantita").toDouble(), 1, 1e-6);
    righe.MoveNext();
    EXPECT_EQ(righe.Field("CampiUtente").toString(), "Dedica=Buon anno|");
    EXPECT_NEAR(righe.Field("Quantita").toDouble(), 2, 1e-6);
    EXPECT_NEAR(righe.Field("Iva").toDouble(), 10, 1e-6);

    // The merchant's mail, outside local mode; never a password in it.
    const QList<QJsonObject> posta = s_smtp->Messages();
    ASSERT_EQ(posta.size(), c.locale ? 0 : 1);
    if (!c.locale) {
        EXPECT_EQ(posta[0]["rcpt_tos"].toArray().first().toString(), "ordini@bottega.test");
        EXPECT_FALSE(posta[0]["body"].toString().contains("Password")) << posta[0]["body"].toString().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, OrdineInvioCasi,
                         ::testing::Combine(::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                                            ::testing::ValuesIn(kInvii)),
                         [](const auto& info) {
                             return std::string(CAdoTestDatabase::EngineName(std::get<0>(info.param))) + "_"
                                 + std::get<1>(info.param).nome;
                         });

// ---------------------------------------------------------------- all or nothing, mails

TEST_P(OrdineInvio, AFailedSubmissionLeavesNothingAndSendsNoMail)
{
    m_shop->Db().Execute("DROP TABLE OrdiniDettaglio");
    Ordine* o = Pagina();
    EXPECT_ANY_THROW(o->NotificaEsercente());
    EXPECT_EQ(Conta("Clienti"), 4);
    EXPECT_EQ(Conta("Ordini"), 0);
    EXPECT_FALSE(Session("NumOrd").isValid() && !Session("NumOrd").toString().isEmpty());
    EXPECT_TRUE(s_smtp->Messages().isEmpty());
    // No ID was used up either: the next order takes the first one.
    EXPECT_EQ(Funzioni::ProssimoID("Ordini", &m_shop->Db(), true), 1000000001);
}

TEST_P(OrdineInvio, AnEmptyBasketStillMakesTheOrderAndMailsTheMerchant)
{
    Set("Basket", "");
    Set("DimBasket", 0);
    Pagina()->NotificaEsercente();
    EXPECT_EQ(Conta("Ordini"), 1);
    EXPECT_EQ(Conta("OrdiniDettaglio"), 0);
    EXPECT_EQ(Conta("Clienti"), 5);
    EXPECT_EQ(s_smtp->Messages().size(), 1);
}

TEST_P(OrdineInvio, AnUnknownLoggedInCustomerStopsBeforeAnythingIsWritten)
{
    Set("IDUtente", 999);
    Set("UtenteCollegato", true);
    EXPECT_ANY_THROW(Pagina()->NotificaEsercente());
    EXPECT_EQ(Conta("Clienti"), 4);
    EXPECT_EQ(Conta("Ordini"), 0);
    EXPECT_TRUE(s_smtp->Messages().isEmpty());
}

TEST_P(OrdineInvio, ASharedConnectionCarriesTheWholeSubmission)
{
    Set("ShareConn", true);
    Ordine* o = Pagina();
    o->SetConn(&m_shop->Db());
    o->NotificaEsercente();
    o->NotificaCliente();
    o->Free();
    EXPECT_TRUE(m_shop->Db().IsOpen());
    EXPECT_EQ(Conta("Ordini"), 1);
    EXPECT_EQ(Conta("OrdiniDettaglio"), 2);
    EXPECT_EQ(s_smtp->Messages().size(), 2);
}

TEST_P(OrdineInvio, BothMailsArriveWholeWithTheTotals)
{
    m_shop->Insert("TestoNotificaOrdine", {{"ID", 1}, {"CodiceLingua", "it"}, {"Testo", Encrypt("Grazie, a presto è già qui.")}});
    Ordine* o = Pagina();
    o->NotificaEsercente(QString("Nota: spedire presto"), true);
    const QString generata = Session("PasswordGenerata").toString();
    ASSERT_EQ(generata.size(), 6);
    o->NotificaCliente();
    const QList<QJsonObject> posta = s_smtp->Messages();
    ASSERT_EQ(posta.size(), 2);
    const QString esercente = posta[0]["body"].toString();
    const QString cliente = posta[1]["body"].toString();
    EXPECT_EQ(posta[0]["rcpt_tos"].toArray().first().toString(), "ordini@bottega.test");
    EXPECT_EQ(posta[0]["mail_from"].toString(), "anna@esempio.test");
    EXPECT_EQ(posta[1]["rcpt_tos"].toArray().first().toString(), "anna@esempio.test");
    EXPECT_TRUE(posta[0]["defects"].toArray().isEmpty());
    // Products 150.00, shipping 3.00, VAT 10.00 + 10.00 + 0.60.
    for (const QString& corpo : {esercente, cliente}) {
        EXPECT_TRUE(corpo.contains("Totale ordine € 173.60")) << corpo.toStdString();
        EXPECT_TRUE(corpo.contains("IVA € 20.60")) << corpo.toStdString();
        EXPECT_TRUE(corpo.contains("47121 Forlì (FC) - Italia")) << corpo.toStdString();
        EXPECT_TRUE(corpo.contains("Ordine n. " + Session("NumOrd").toString()));
        EXPECT_TRUE(corpo.contains("Utente abianchi"));
        EXPECT_TRUE(corpo.contains("Nota: spedire presto"));
    }
    EXPECT_TRUE(cliente.contains("Grazie, a presto è già qui."));
    // The password made now goes to its owner once, never to the merchant.
    EXPECT_FALSE(esercente.contains("Password"));
    EXPECT_TRUE(cliente.contains("Password " + generata));
    EXPECT_EQ(Session("PasswordGenerata").toString(), "");
    EXPECT_EQ(Session("DimBasket").toInt(), 0);
}

// ---------------------------------------------------------------- after the commit

namespace {

// What the component logs instead of failing the page.
class RegistroProva
{
public:
    RegistroProva()
    {
        Funzioni::ImpostaRegistroErrori([this](const QString& riga) { m_righe << riga; });
    }
    ~RegistroProva() { Funzioni::ImpostaRegistroErrori({}); }
    QStringList m_righe;
};

} // namespace

// The relay is down, or the buyer's address is one the mail client
// refuses: the order is stored once, the page gets no error, the failure
// is logged, and the merchant still hears of an order whose buyer's
// address was refused.
TEST_P(OrdineInvio, AMailThatCannotGoNeverFailsTheStoredOrder)
{
    RegistroProva registro;
    QTcpServer chiuso;
    ASSERT_TRUE(chiuso.listen(QHostAddress::LocalHost));
    const quint16 porta = chiuso.serverPort();
    chiuso.close();
    Funzioni::ImpostaServerPosta("127.0.0.1", porta);
    Ordine* o = Pagina();
    EXPECT_NO_THROW(o->NotificaEsercente());
    EXPECT_NO_THROW(o->NotificaCliente());
    Funzioni::ImpostaServerPosta("127.0.0.1", s_smtp->Port());
    EXPECT_EQ(Conta("Ordini"), 1);
    EXPECT_EQ(Session("DimBasket").toInt(), 0);
    ASSERT_EQ(registro.m_righe.size(), 2);
    EXPECT_TRUE(registro.m_righe[0].contains(Session("NumOrd").toString())) << registro.m_righe[0].toStdString();

    registro.m_righe.clear();
    Set("Basket", "#2|1|0||0|");
    Set("DimBasket", 1);
    Set("IDSpese", 5);
    Set("EmailUtente", "anna.rossì@example.com");
    EXPECT_NO_THROW(Pagina()->NotificaEsercente());
    EXPECT_EQ(Conta("Ordini"), 2);
    const QList<QJsonObject> posta = s_smtp->Messages();
    ASSERT_EQ(posta.size(), 1);
    EXPECT_EQ(posta[0]["mail_from"].toString(), "ordini@bottega.test");
    EXPECT_NO_THROW(Pagina()->NotificaCliente());
    ASSERT_EQ(registro.m_righe.size(), 1);
    EXPECT_TRUE(registro.m_righe[0].contains("anna.rossì@example.com")) << registro.m_righe[0].toStdString();
}

// The same basket sent again, by a reload or a second tab, stores no
// second order; a changed basket is a new order.
TEST_P(OrdineInvio, TheSameBasketSentTwiceIsOneOrder)
{
    Pagina()->NotificaEsercente();
    const QString numOrd = Session("NumOrd").toString();
    Ordine* o = Pagina();
    EXPECT_TRUE(o->OrdineGiaInviato());
    o->NotificaEsercente();
    EXPECT_EQ(Conta("Ordini"), 1);
    EXPECT_EQ(Session("NumOrd").toString(), numOrd);
    EXPECT_EQ(s_smtp->Messages().size(), 1);

    Set("Basket", "#2|5|0||0|");
    EXPECT_FALSE(Pagina()->OrdineGiaInviato());
    Pagina()->NotificaEsercente();
    EXPECT_EQ(Conta("Ordini"), 2);
    // Once the basket went with its order, sending is the order again.
    Pagina()->NotificaCliente();
    EXPECT_TRUE(Pagina()->OrdineGiaInviato());
    Pagina()->NotificaEsercente();
    EXPECT_EQ(Conta("Ordini"), 2);
}

struct CasoRifiuto
{
    const char* nome;
    QVariantMap sessione;
    const char* pagina;   // where the summary sends the visitor
};

void PrintTo(const CasoRifiuto& c, std::ostream* os) { *os << c.nome; }

// Each of them, sent straight to the summary, stores nothing.
const CasoRifiuto kRifiuti[] = {
    {"NoShippingChosen", {{"IDSpese", 0}}, "/carrello.asp"},
    {"ShippingOptionThatDoesNotExist", {{"IDSpese", 99}}, "/carrello.asp"},
    {"PaymentKindSwitchedOff", {{"TipoPagamento", "CCPostale"}}, "/datiordine.asp"},
    {"PaymentKindOfNoKind", {{"TipoPagamento", "Gratis"}}, "/datiordine.asp"},
    {"CardWithoutABank", {{"TipoPagamento", "CartaCredito"}, {"AttivaCartaCredito", true}}, "/datiordine.asp"},
};

class OrdineRifiuti : public OrdineInvioBase,
                      public ::testing::TestWithParam<std::tuple<CAdoConnection::Engine, CasoRifiuto>>
{
protected:
    static void SetUpTestSuite() { AvviaPosta(); }
    static void TearDownTestSuite() { FermaPosta(); }
    void SetUp() override { Prepara(std::get<0>(GetParam())); }
};

TEST_P(OrdineRifiuti, AreRefusedBeforeAnythingIsStored)
{
    const CasoRifiuto& c = std::get<1>(GetParam());
    OrdinePagamentoCarta::ImpostaIndirizzoBanca("");
    for (auto it = c.sessione.begin(); it != c.sessione.end(); ++it)
        Set(it.key(), it.value());
    EXPECT_EQ(Pagina()->ControlloInvio(), c.pagina);
    EXPECT_ANY_THROW(Pagina()->NotificaEsercente());
    EXPECT_EQ(Conta("Ordini"), 0);
    EXPECT_EQ(Conta("Clienti"), 4);
    EXPECT_TRUE(s_smtp->Messages().isEmpty());
    EXPECT_EQ(Session("NumOrd").toString(), "");
}

INSTANTIATE_TEST_SUITE_P(Engines, OrdineRifiuti,
                         ::testing::Combine(::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                                            ::testing::ValuesIn(kRifiuti)),
                         [](const auto& info) {
                             return std::string(CAdoTestDatabase::EngineName(std::get<0>(info.param))) + "_"
                                 + std::get<1>(info.param).nome;
                         });

// With the host's queue the page only stores the mails: a relay that
// takes the connection and never answers holds nothing, and the mails
// wait in the queue's folder for the relay.
TEST_P(OrdineInvio, WithAQueueTheMailsWaitInItsFolder)
{
    QTcpServer muto;
    ASSERT_TRUE(muto.listen(QHostAddress::LocalHost));
    TempFolder cartella;
    CMailQueue::Settings impostazioni;
    impostazioni.folder = cartella.FilePath("posta");
    impostazioni.port = muto.serverPort();
    CMailQueue coda(impostazioni);
    Funzioni::ImpostaCodaPosta(&coda);
    Ordine* o = Pagina();
    EXPECT_NO_THROW(o->NotificaEsercente());
    EXPECT_NO_THROW(o->NotificaCliente());
    Funzioni::ImpostaCodaPosta(nullptr);
    EXPECT_EQ(Conta("Ordini"), 1);
    EXPECT_EQ(coda.InAttesa(), 2);
    EXPECT_TRUE(s_smtp->Messages().isEmpty());
}

// The buyer's address is one mailbox, whoever set it: a list, set in the
// Session or by a page on the object, mails neither of its addresses (the
// confirmation is logged as not sent) and the merchant's notice comes
// from the shop's own address.
TEST_P(OrdineInvio, ATypedListOfAddressesIsNeverMailed)
{
    RegistroProva registro;
    for (const QString& lista : {QString("anna@esempio.test,altro@esterno.test"),
                                 QString("anna@esempio.test;altro@esterno.test")}) {
        s_smtp->Clear();
        Set("EmailUtente", lista);
        Set("NumOrd", "");
        Set("Basket", "#2|" + QString::number(lista.size()) + "|0||0|");
        Set("DimBasket", 1);
        Set("IDSpese", 5);
        Ordine* o = Pagina();
        o->NotificaEsercente();
        o->NotificaCliente();
        Set("EmailUtente", "anna@esempio.test");
        Set("NumOrd", "");
        Set("Basket", "#1|1|0||0|");
        Set("DimBasket", 1);
        Set("IDSpese", 5);
        o = Pagina();
        o->NotificaEsercente();
        o->Email = lista;
        o->NotificaCliente();
        const QList<QJsonObject> posta = s_smtp->Messages();
        ASSERT_EQ(posta.size(), 2) << lista.toStdString();
        for (const QJsonObject& mail : posta)
            EXPECT_EQ(mail["rcpt_tos"].toArray(), QJsonArray{"ordini@bottega.test"}) << lista.toStdString();
        EXPECT_EQ(posta[0]["mail_from"].toString(), "ordini@bottega.test");
    }
    EXPECT_EQ(registro.m_righe.filter("conferma al cliente non inviata").size(), 4) << registro.m_righe.join("\n").toStdString();
}

// ---------------------------------------------------------------- one total

// Prices that include VAT: ten cups at 9.99 (8.19 net and 1.80 of VAT
// each) are 99.90 in the basket, 81.89 net and 18.01 of VAT; with the
// shipping's 3.00 and its 0.60 the shopper is shown and charged 103.50.
// The stored lines, 10 x 8.19 at 22 percent, would make 81.90 and 18.02
// of it: 103.52. The order's page, its mail and the bank say 103.50.
TEST_P(OrdineInvio, EveryLaterFigureIsTheOneCharged)
{
    InserisciProdotto(*m_shop, 3, "Tazza", 8.19, 22, 0.3, {{"Codice", "TAZ"}});
    Set("AttivaPrezziIvaCompresa", true);
    Set("Basket", "#3|10|0||0|");
    Set("DimBasket", 1);
    Set("IDUtente", 7);
    Set("UtenteCollegato", true);
    Pagina()->NotificaEsercente();
    const qint32 id = Valore("SELECT ID FROM Ordini", {}, "ID").toInt();
    const auto stored = [&](const char* colonna) { return Valore("SELECT * FROM Ordini WHERE ID=?", {id}, colonna); };
    EXPECT_NEAR(stored("ImportoMerci").toDouble(), 81.89, 1e-9);
    EXPECT_NEAR(stored("ImportoSpedizione").toDouble(), 3.00, 1e-9);
    EXPECT_NEAR(stored("ImportoContrassegno").toDouble(), 0, 1e-9);
    EXPECT_NEAR(stored("ImportoIVA").toDouble(), 18.61, 1e-9);
    EXPECT_NEAR(stored("ImportoTotale").toDouble(), 103.50, 1e-9);
    EXPECT_NEAR(stored("ImportoTotaleInEuro").toDouble(), 103.50, 1e-9);

    const auto pagina = [&]() {
        Ordine* o = Pagina();
        EXPECT_TRUE(o->LeggiOrdine(id));
        return o;
    };
    Ordine* o = pagina();
    EXPECT_EQ(o->FTotaleOrdinato, "103.50");
    EXPECT_EQ(o->FTotaleImponibileOrdinato, "81.89");
    EXPECT_EQ(o->FTotaleImpostaOrdinato, "18.61");
    EXPECT_EQ(o->FSpeseSpedizioneOrdine, "3.00");
    EXPECT_EQ(o->FTotaleOrdinatoInEuro, "103.50");
    // Nothing shipped yet: all the goods are still to ship.
    EXPECT_EQ(o->FTotaleImponibileOrdineDaEvadere, "81.89");
    EXPECT_EQ(OrdineRichiesteBanca::TotaleOrdine(&m_shop->Db(), id, 1).centesimi, 10350);
    EXPECT_EQ(OrdineRichiesteBanca::TotaleOrdine(&m_shop->Db(), id, 1).lire, 200404);   // 103.50 x 1936.27
    const QString mail = s_smtp->Messages().value(0)["body"].toString();
    EXPECT_TRUE(mail.contains("Totale ordine € 103.50")) << mail.toStdString();
    EXPECT_TRUE(mail.contains("IVA € 18.61")) << mail.toStdString();

    // Shipped in full, the order is the one charged, shipped or not.
    m_shop->Db().Execute("UPDATE OrdiniDettaglio SET QuantitaEvasa=Quantita WHERE IDOrdine=?", {id});
    o = pagina();
    EXPECT_EQ(o->FTotaleOrdine, "103.50");
    EXPECT_EQ(o->FTotaleImponibileOrdineDaEvadere, "0.00");

    // An order stored before the figures were kept is worked out from its
    // lines: that is the 103.52 the stored figures keep off every page.
    m_shop->Db().Execute("UPDATE Ordini SET ImportoMerci=NULL, ImportoSpedizione=NULL, ImportoContrassegno=NULL, "
                         "ImportoIVA=NULL, ImportoTotale=NULL, ImportoTotaleInEuro=NULL WHERE ID=?",
                         {id});
    EXPECT_EQ(pagina()->FTotaleOrdinato, "103.52");
    EXPECT_EQ(OrdineRichiesteBanca::TotaleOrdine(&m_shop->Db(), id, 1).centesimi, 10352);
}

// Paid on delivery, the fee (6.00 net, 7.20 with its VAT) is part of what
// the shopper pays: stored net with its VAT among the rest.
TEST_P(OrdineInvio, TheCashOnDeliveryFeeIsPartOfTheStoredTotal)
{
    Set("TipoPagamento", "Contrassegno");
    Pagina()->NotificaEsercente();
    const auto stored = [&](const char* colonna) { return Valore("SELECT * FROM Ordini", {}, colonna).toDouble(); };
    // Goods 150.00, shipping 3.00, VAT 10.00 + 10.00 + 0.60 + 1.20.
    EXPECT_NEAR(stored("ImportoContrassegno"), 6.00, 1e-9);
    EXPECT_NEAR(stored("ImportoIVA"), 21.80, 1e-9);
    EXPECT_NEAR(stored("ImportoTotale"), 180.80, 1e-9);
    const QString mail = s_smtp->Messages().value(0)["body"].toString();
    EXPECT_TRUE(mail.contains("Totale ordine € 180.80")) << mail.toStdString();
}

// A shop database made before the figures were stored gets their columns
// when it is first opened; its orders keep theirs as "not stored".
TEST_P(OrdineInvio, AnOlderShopDatabaseGetsTheNewColumns)
{
    m_shop->Insert("Ordini", {{"ID", 1000000050}, {"NumOrdine", "T1000000050"}});
    QStringList togli;
    for (const QString& colonna : OrdineAddebito::Colonne())
        togli << "ALTER TABLE Ordini DROP COLUMN " + colonna;
    for (const QString& istruzione : togli)
        m_shop->Db().Execute(istruzione);
    Pagina()->NotificaEsercente();
    EXPECT_NEAR(Valore("SELECT ImportoTotale FROM Ordini WHERE ID<>1000000050", {}, "ImportoTotale").toDouble(), 173.60,
                1e-9);
    EXPECT_TRUE(Valore("SELECT ImportoTotale FROM Ordini WHERE ID=1000000050", {}, "ImportoTotale").isNull());
}

INSTANTIATE_TEST_SUITE_P(Engines, OrdineInvio, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });
