#include "server/core/CacheNegozio.h"
#include "server/core/CAdoSqlSession.h"
#include "server/core/Dizionario.h"
#include "server/core/Generale.h"
#include "server/core/testing/CQtrTestShop.h"
#include "platform/ado/CAdoRecordset.h"
#include "recordset/schema/QtrDataGeneration.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace {

class CacheNegozioDb : public ::testing::TestWithParam<CAdoConnection::Engine>
{
protected:
    void SetUp() override
    {
        CacheNegozio::Svuota();
        CacheNegozio::SetEnabled(true);
        m_shop = NewShop("Invalid e-mail address");
    }
    void TearDown() override
    {
        CacheNegozio::SetEnabled(false);
        CacheNegozio::Svuota();
    }

    std::unique_ptr<CQtrTestShop> NewShop(const QString& testo)
    {
        auto shop = std::make_unique<CQtrTestShop>(GetParam());
        shop->AddBasics();
        shop->AddMessage(1, "ERREMAIL", {{"it", "Indirizzo e-mail non valido"}, {"en", testo}});
        auto page = shop->NewPage();
        page->Create<Generale>("QTR50.Generale")->Inizializza();
        shop->Host().Session().SetValue("CodiceLingua", "en");
        return shop;
    }

    // A new page of the shop's visitor, as the server starts one.
    static QString Traduci(CQtrTestShop& shop, const char* codice)
    {
        CacheNegozio::NuovaPagina();
        auto page = shop.NewPage();
        return page->Create<Dizionario>("QTR50.Dizionario")->Traduci(codice);
    }

    static void RaiseGeneration(CQtrTestShop& shop)
    {
        CAdoSqlSession session(shop.Db());
        QtrDataGeneration::Raise(session);
    }

    std::unique_ptr<CQtrTestShop> m_shop;
};

} // namespace

// Rows are kept across pages and visitors until the shop's data change,
// whoever changes them: a write alone is not seen, its generation is.
TEST_P(CacheNegozioDb, KeptRowsHoldUntilTheDataGenerationIsRaised)
{
    EXPECT_EQ(Traduci(*m_shop, "ERREMAIL"), "Invalid e-mail address");
    m_shop->Db().Execute("DELETE FROM DizionarioLingue");
    EXPECT_EQ(Traduci(*m_shop, "ERREMAIL"), "Invalid e-mail address");
    m_shop->AddMessage(2, "PMTNOME", {{"en", "Name"}});
    RaiseGeneration(*m_shop);
    EXPECT_EQ(Traduci(*m_shop, "ERREMAIL"), "");
    EXPECT_EQ(Traduci(*m_shop, "PMTNOME"), "Name");

    // The settings a new visitor's Session starts from come the same way.
    m_shop->Db().Execute("UPDATE Valute SET Cambio=2 WHERE ID=1");
    RaiseGeneration(*m_shop);
    CacheNegozio::NuovaPagina();
    m_shop->NewPage()->Create<Generale>("QTR50.Generale")->Inizializza();
    EXPECT_EQ(m_shop->Host().Session().Value("FCEuro2Web").toDouble(), 2.0);
}

TEST_P(CacheNegozioDb, TwoShopsNeverShareTheirRows)
{
    auto altro = NewShop("E-mail address not valid");
    for (int giro = 0; giro < 2; ++giro) {
        EXPECT_EQ(Traduci(*m_shop, "ERREMAIL"), "Invalid e-mail address");
        EXPECT_EQ(Traduci(*altro, "ERREMAIL"), "E-mail address not valid");
    }
}

// Page threads read while uploads commit: a page that starts after an
// upload's commit never shows what was there before it.
TEST_P(CacheNegozioDb, APageStartedAfterAnUploadNeverShowsOlderRows)
{
    constexpr int kCaricamenti = 30;
    std::atomic<int> confermato{0};
    std::atomic<bool> fine{false};
    std::atomic<int> vecchie{0};
    std::atomic<int> pagine{0};
    const QString connessione = m_shop->Db().ConnectionString();
    std::vector<std::thread> lettori;
    for (int t = 0; t < 4; ++t) {
        lettori.emplace_back([&] {
            try {
                CAdoConnection db;
                db.Open(connessione);
                while (!fine) {
                    const int atteso = confermato;
                    CacheNegozio::NuovaPagina();
                    CAdoRecordset valuta;
                    CacheNegozio::Apri(valuta, "SELECT * FROM Valute WHERE ID=?", &db, {2});
                    if (valuta.Field("Cambio").toDouble() < atteso)
                        ++vecchie;
                    ++pagine;
                }
            } catch (const std::exception& failure) {
                ADD_FAILURE() << failure.what();
            }
        });
    }
    for (int n = 1; n <= kCaricamenti; ++n) {
        m_shop->Db().BeginTrans();
        m_shop->Db().Execute("UPDATE Valute SET Cambio=? WHERE ID=2", {n});
        RaiseGeneration(*m_shop);
        m_shop->Db().CommitTrans();
        confermato = n;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    fine = true;
    for (auto& lettore : lettori)
        lettore.join();
    EXPECT_EQ(vecchie, 0);
    EXPECT_GT(pagine, kCaricamenti);
}

INSTANTIATE_TEST_SUITE_P(Engines, CacheNegozioDb,
                         ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return std::string(CAdoTestDatabase::EngineName(info.param)); });
