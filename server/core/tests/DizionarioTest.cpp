#include "server/core/Dizionario.h"
#include "server/core/Generale.h"
#include "server/core/testing/CQtrTestShop.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class DizionarioDb : public ::testing::TestWithParam<CAdoConnection::Engine>
{
protected:
    void SetUp() override
    {
        m_shop = std::make_unique<CQtrTestShop>(GetParam());
        m_shop->AddBasics();
        m_shop->AddMessage(1, "ERREMAIL", {{"it", "Indirizzo e-mail non valido"}, {"en", "Invalid e-mail address"}});
        m_shop->AddMessage(2, "PMTCOGNOME", {{"it", "Cognome"}});
        m_shop->AddMessage(3, "MSGVUOTO", {{"it", "Testo italiano"}, {"en", QVariant()}});
        auto page = m_shop->NewPage();
        page->Create<Generale>("QTR50.Generale")->Inizializza();
    }

    // A dictionary on a new page of the visitor, whose request carries debug.
    Dizionario* NewPage(const QString& debug = QString())
    {
        m_page = m_shop->NewPage();
        if (!debug.isNull())
            m_page->TestRequest().AddQueryString("debug", debug);
        return m_page->Create<Dizionario>("QTR50.Dizionario");
    }

    void Lingua(const char* codice) { m_shop->Host().Session().SetValue("CodiceLingua", codice); }

    std::unique_ptr<CQtrTestShop> m_shop;
    std::unique_ptr<CAspTestPage> m_page;
};

} // namespace

TEST_P(DizionarioDb, TranslatesInTheVisitorsLanguageElseTheDefault)
{
    const struct { const char* lingua; const char* codice; const char* atteso; } casi[] = {
        {"it", "ERREMAIL", "Indirizzo e-mail non valido"},
        {"en", "erremail", "Invalid e-mail address"},   // codes are matched in upper case
        {"en", "PMTCOGNOME", "Cognome"},                // default language only
        {"en", "MSGVUOTO", ""},                         // a row without text: no fallback
        {"it", "ASSENTE", ""},
        {"it", "ERR'EMAIL", ""},                        // a quote is just a character of the code
    };
    Dizionario* dizionario = NewPage();
    for (const auto& c : casi) {
        Lingua(c.lingua);
        EXPECT_EQ(dizionario->Traduci(c.codice), c.atteso) << c.codice;
    }
}

// A dictionary keeps what it read for its own page only: the next page
// reads the texts the shop has then.
TEST_P(DizionarioDb, APageAsksAgainWithoutReadingAgainAndTheNextPageReadsAnew)
{
    Dizionario* dizionario = NewPage();
    Lingua("en");
    EXPECT_EQ(dizionario->Traduci("PMTNOME"), "");
    EXPECT_EQ(dizionario->Traduci("erremail"), "Invalid e-mail address");
    Lingua("it");
    EXPECT_EQ(dizionario->Traduci("ERREMAIL"), "Indirizzo e-mail non valido");
    m_shop->AddMessage(4, "PMTNOME", {{"en", "Name"}});
    Lingua("en");
    EXPECT_EQ(NewPage()->Traduci("pmtnome"), "Name");
}

TEST_P(DizionarioDb, DebugModeAnswersTheCodesAndLastsForTheSession)
{
    EXPECT_EQ(NewPage("1")->Traduci("erremail"), "erremail");
    EXPECT_EQ(m_shop->Host().Session().Value("DebugDizionario").toString(), "1");
    EXPECT_EQ(NewPage()->Traduci("erremail"), "erremail");   // no parameter: still on
    EXPECT_EQ(NewPage("0")->Traduci("erremail"), "Indirizzo e-mail non valido");
    EXPECT_EQ(NewPage()->Traduci("ERREMAIL"), "Indirizzo e-mail non valido");
}

TEST_P(DizionarioDb, FreeReleasesOnceAndTheObjectCanBeFreedAgain)
{
    Dizionario* dizionario = NewPage();
    EXPECT_TRUE(dizionario->IsStarted());
    dizionario->Free();
    EXPECT_FALSE(dizionario->IsStarted());
    EXPECT_NO_THROW(dizionario->Free());
    EXPECT_NO_THROW(m_page->EndPage());
}

INSTANTIATE_TEST_SUITE_P(Engines, DizionarioDb,
                         ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });
