#include "server/members/AreaRiservata.h"
#include "server/core/QtrVisitatore.h"
#include "server/core/testing/CQtrTestShop.h"

#include "platform/password/CPasswordHash.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Customer 10 ("anna", password "Lago-2024"), agent 30 ("marco") whose
// customer is 20, and customer 21 of another agent.
class Login : public ::testing::TestWithParam<CAdoConnection::Engine>
{
protected:
    void SetUp() override
    {
        m_shop = std::make_unique<CQtrTestShop>(GetParam());
        m_shop->AddBasics();
        Cliente(10, "anna", "Lago-2024", 1, 0);
        Cliente(20, "bruno", "altra", 0, 30);
        Cliente(21, "carla", "altra", 0, 31);
        Cliente(30, "marco", "Agente!", 3, 0);
        auto& s = m_shop->Host().Session();
        s.SetValue("DbPath", m_shop->DbFolder());
        s.SetValue("ShareConn", false);
        // The session set-up's anonymous visitor, here a customer's row.
        s.SetValue("IDUtente", 21);
        s.SetValue("IDAgente", 0);
    }

    void Cliente(int id, const QString& user, const QString& password, int tipo, int agente)
    {
        m_shop->Insert("Clienti", {{"ID", id}, {"UserID", user}, {"Password", CPasswordHash::Hash(password)},
                                   {"TipoUtente", tipo}, {"IDAgente", agente}, {"IDGruppo", 0}, {"Cognome", user}});
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

    std::unique_ptr<CQtrTestShop> m_shop;
    std::unique_ptr<CAspTestPage> m_page;
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
        EXPECT_EQ(m_shop->Host().Session().Value("IDUtente").toInt(), 21);
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

INSTANTIATE_TEST_SUITE_P(Engines, Login, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

} // namespace
