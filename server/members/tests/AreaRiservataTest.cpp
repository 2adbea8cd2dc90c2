#include "server/members/AreaRiservata.h"
#include "server/core/Generale.h"
#include "server/core/QtrTentativiAccesso.h"
#include "server/core/QtrVisitatore.h"
#include "server/core/testing/CQtrTestShop.h"

#include "platform/password/CPasswordHash.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Customer 10 ("anna", password "Lago-2024", in group 7 whose price list
// is the third), agent 30 ("marco") whose customer is 20, customer 21 of
// another agent, mailing-only member 40 ("lia"). The session set-up's
// anonymous visitor is the agent's row (the shop has no row 0).
class Login : public ::testing::TestWithParam<CAdoConnection::Engine>
{
protected:
    void SetUp() override
    {
        QtrTentativiAccesso::Membri().Dimentica();
        QtrTentativiAccesso::ImpostaOrologio([this] { return m_adesso; });
        m_shop = std::make_unique<CQtrTestShop>(GetParam());
        m_shop->AddBasics();
        m_shop->Insert("Gruppi", {{"ID", 7}, {"Nome", "Rivenditori"}, {"IDListino", 2}});
        Cliente(10, "anna", "Lago-2024", 1, 0, 7);
        Cliente(20, "bruno", "altra", 0, 30);
        Cliente(21, "carla", "altra", 0, 31);
        Cliente(30, "marco", "Agente!", 3, 0);
        Cliente(40, "lia", "Posta", 2, 0);
        m_shop->Host().Session().SetValue("DbPath", m_shop->DbFolder());
        m_page = m_shop->NewPage();
        m_page->Create<Generale>("QTR50.Generale")->Inizializza();
        m_nuovo = Chiavi();
    }

    void TearDown() override { QtrTentativiAccesso::ImpostaOrologio(nullptr); }

    void Cliente(int id, const QString& user, const QString& password, int tipo, int agente, int gruppo = 0)
    {
        m_shop->Insert("Clienti", {{"ID", id}, {"UserID", user}, {"Password", CPasswordHash::Hash(password)},
                                   {"TipoUtente", tipo}, {"IDAgente", agente}, {"IDGruppo", gruppo}, {"Cognome", user},
                                   {"IDListino", 0}});
    }

    // What decides prices, rights and orders.
    std::vector<std::string> Chiavi()
    {
        auto& s = m_shop->Host().Session();
        std::vector<std::string> chiavi;
        for (const QVariant& v : {s.Value("IDUtente"), s.Value("IDGruppo"), s.Value("IDListino"), s.Value("IDAgente"),
                                  QVariant(Cliente()), QVariant(Agente())})
            chiavi.push_back(v.toString().toStdString());
        return chiavi;
    }

    bool Accesso(const QString& user, const QString& password, const QString& indirizzo = "192.0.2.1")
    {
        AreaRiservata* a = Pagina({{"UserID", user}, {"Password", password}});
        m_page->TestRequest().SetServerVariable("REMOTE_ADDR", indirizzo);
        return a->ValidazioneUtente();
    }

    AreaRiservata* Pagina(const QList<QPair<QString, QString>>& form)
    {
        m_page = m_shop->NewPage();
        m_page->TestRequest().SetMethod("POST");
        for (const auto& [k, v] : form)
            m_page->TestRequest().AddForm(k, v);
        return m_page->Create<AreaRiservata>("QTR50.AreaRiservata");
    }

    qint32 Cliente() { return QtrVisitatore::Cliente(m_shop->Host().Session()); }
    qint32 Agente() { return QtrVisitatore::Agente(m_shop->Host().Session()); }

    int Rinnovi() { return m_shop->Host().Session().Renewals(); }

    std::unique_ptr<CQtrTestShop> m_shop;
    std::unique_ptr<CAspTestPage> m_page;
    std::vector<std::string> m_nuovo;   // the keys of a new Session
    qint64 m_adesso = 1000000;
};

TEST_P(Login, TheRightPasswordLogsTheCustomerIn)
{
    EXPECT_EQ(Cliente(), 0);   // the anonymous visitor's row is no login
    AreaRiservata* a = Pagina({{"UserID", "anna"}, {"Password", "Lago-2024"}});
    EXPECT_FALSE(a->ControlloUtenteCollegato());
    ASSERT_TRUE(a->ValidazioneUtente());
    EXPECT_EQ(Cliente(), 10);
    EXPECT_EQ(Agente(), 0);
    EXPECT_TRUE(Pagina({})->ControlloUtenteCollegato());
    Pagina({})->ScollegaUtente();
    EXPECT_EQ(Cliente(), 0);
    EXPECT_FALSE(Pagina({})->ControlloUtenteCollegato());
}

TEST_P(Login, RefusedLoginsChangeNothing)
{
    for (const auto& [user, password] : QList<QPair<QString, QString>>{{"anna", "lago-2024"},
                                                                         {"", "Lago-2024"},
                                                                         {"anna' OR '1'='1", "x"},
                                                                         {"nessuno", ""},
                                                                         {"anna", ""}}) {
        AreaRiservata* a = Pagina({{"UserID", user}, {"Password", password}});
        EXPECT_FALSE(a->ValidazioneUtente()) << user.toStdString();
        EXPECT_EQ(Cliente(), 0);
        EXPECT_EQ(Chiavi(), m_nuovo);
    }
}

TEST_P(Login, AnAgentActsOnlyForHisOwnCustomers)
{
    ASSERT_TRUE(Pagina({{"UserID", "marco"}, {"Password", "Agente!"}})->ValidazioneUtente());
    EXPECT_EQ(Agente(), 30);
    EXPECT_EQ(Cliente(), 30);
    EXPECT_TRUE(Pagina({})->ControlloAgenteCollegato());
    for (const char* altro : {"21", "21 OR 1=1", "abc"})
        EXPECT_FALSE(Pagina({{"IDUtente", altro}})->ValidazioneUtente()) << altro;
    EXPECT_EQ(Cliente(), 30);
    ASSERT_TRUE(Pagina({{"IDUtente", "20"}})->ValidazioneUtente());
    EXPECT_EQ(Cliente(), 20);
    EXPECT_EQ(Agente(), 30);
}

// A login hands the visitor a new Session identifier; so does a logout,
// which leaves the visitor exactly as a new Session starts: the anonymous
// visitor's rights and price list, and none of the member's checkout.
TEST_P(Login, TheLoginRenewsTheSessionAndTheLogoutLeavesANewVisitor)
{
    EXPECT_EQ(m_nuovo, (std::vector<std::string>{"30", "0", "0", "30", "0", "0"}));
    EXPECT_FALSE(Accesso("anna", "sbagliata"));
    EXPECT_EQ(Rinnovi(), 0);
    ASSERT_TRUE(Accesso("anna", "Lago-2024"));
    EXPECT_EQ(Rinnovi(), 1);
    EXPECT_EQ(Chiavi(), (std::vector<std::string>{"10", "7", "2", "0", "10", "0"}));

    auto& s = m_shop->Host().Session();
    s.SetValue("CognomeUtente", "Rossi");
    s.SetValue("EmailUtente", "anna@example.com");
    s.SetValue("NumOrd", "2026120000000001");
    s.SetValue("IDClienteOrdine", 10);
    s.SetValue("IDDestinatario", 11);
    Pagina({})->ScollegaUtente();
    EXPECT_EQ(Rinnovi(), 2);
    EXPECT_EQ(Chiavi(), m_nuovo);
    EXPECT_EQ(s.Value("CognomeUtente").toString(), "");
    EXPECT_EQ(s.Value("EmailUtente").toString(), "");
    EXPECT_FALSE(s.Value("NumOrd").isValid());
    EXPECT_FALSE(s.Value("IDClienteOrdine").isValid());
    EXPECT_EQ(s.Value("IDDestinatario").toInt(), 0);
    AreaRiservata* dopo = Pagina({});
    EXPECT_FALSE(dopo->ControlloUtenteCollegato());
    EXPECT_EQ(dopo->IDListino, 0);
}

// The agent's own login and a customer's logout both return to the new
// visitor, whose row (an agent's, in a shop without row 0) is no login.
TEST_P(Login, AnAgentsLogoutEndsHisCustomersListToo)
{
    ASSERT_TRUE(Accesso("marco", "Agente!"));
    ASSERT_TRUE(Pagina({{"IDUtente", "20"}})->ValidazioneUtente());
    EXPECT_EQ(Chiavi(), (std::vector<std::string>{"20", "0", "0", "30", "20", "30"}));
    Pagina({})->ScollegaUtente();
    EXPECT_EQ(Chiavi(), m_nuovo);
    EXPECT_FALSE(Pagina({})->ControlloAgenteCollegato());
}

// A mailing-only member is logged in, but no customer: whose rights and
// prices apply stays the anonymous visitor's, and no order page takes
// the anonymous row for his.
TEST_P(Login, AMailingOnlyMemberIsNoCustomer)
{
    ASSERT_TRUE(Accesso("lia", "Posta"));
    EXPECT_TRUE(Pagina({})->ControlloUtenteCollegato());
    EXPECT_EQ(QtrVisitatore::MembroMailing(m_shop->Host().Session()), 40);
    EXPECT_EQ(Chiavi(), m_nuovo);
    EXPECT_EQ(Pagina({})->UserID, "lia");
    Pagina({})->ScollegaUtente();
    EXPECT_FALSE(Pagina({})->ControlloUtenteCollegato());
}

TEST_P(Login, TheUserIDMatchesWhateverItsCase)
{
    EXPECT_TRUE(Accesso("ANNA", "Lago-2024"));
    EXPECT_EQ(Cliente(), 10);
    EXPECT_FALSE(Accesso("Anna", "LAGO-2024"));
}

// Five failures for one user ID pause it, from any address, the right
// password included; the pause doubles with each further failure and ends
// on its own; the other users are not touched.
TEST_P(Login, FailedLoginsPauseTheUserIDWithoutWaiting)
{
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(Accesso("anna", "x" + QString::number(i), "192.0.2." + QString::number(i)));
    EXPECT_FALSE(Accesso("ANNA", "Lago-2024", "198.51.100.7"));
    EXPECT_EQ(Cliente(), 0);
    EXPECT_TRUE(Accesso("marco", "Agente!", "198.51.100.7"));
    Pagina({})->ScollegaUtente();

    m_adesso += 1001;
    EXPECT_FALSE(Accesso("anna", "ancora"));   // a sixth failure: two seconds now
    m_adesso += 1500;
    EXPECT_FALSE(Accesso("anna", "Lago-2024"));
    m_adesso += 600;
    ASSERT_TRUE(Accesso("anna", "Lago-2024"));
    Pagina({})->ScollegaUtente();
    // A login clears the user ID's count.
    EXPECT_FALSE(Accesso("anna", "x"));
    EXPECT_TRUE(Accesso("anna", "Lago-2024"));
}

// One address trying many user IDs is paused for all of them, whether
// they exist or not; another address is not.
TEST_P(Login, FailedLoginsPauseTheAddress)
{
    for (int i = 0; i < 20; ++i)
        EXPECT_FALSE(Accesso("utente" + QString::number(i), "x", "203.0.113.9"));
    EXPECT_FALSE(Accesso("anna", "Lago-2024", "203.0.113.9"));
    EXPECT_TRUE(Accesso("anna", "Lago-2024", "203.0.113.10"));
}

INSTANTIATE_TEST_SUITE_P(Engines, Login, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

} // namespace
