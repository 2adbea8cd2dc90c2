#include "server/content/Forum.h"
#include "server/content/tests/ContenutiFixture.h"

#include <vector>

namespace {

// Forum topics 1 Generale > 2 Cucina > 3 Ricette, 4 Giardino; chat room
// 9. Posts are added by each test.
class ForumDb : public ContenutiFixture
{
protected:
    void SetUp() override
    {
        ContenutiFixture::SetUp();
        Argomento(1, 0, 0, "Generale", "GEN");
        Argomento(2, 0, 1, "Cucina");
        Argomento(3, 0, 2, "Ricette");
        Argomento(4, 0, 0, "Giardino");
        Argomento(9, 1, 0, "Stanza");
        m_shop->AddMessage(1, "ERRNOMITTINT", {{"it", "Manca il mittente"}});
        m_shop->AddMessage(2, "ERRNOOGGINT", {{"it", "Manca l'oggetto"}});
        m_shop->AddMessage(3, "ERRNOTESTOINT", {{"it", "Manca il testo"}});
        m_shop->AddMessage(4, "ERRARGOMENTOINT", {{"it", "Argomento sconosciuto"}});
    }

    Forum* Pagina(const QList<QPair<QString, QString>>& valori = {}, bool post = false)
    {
        m_page = m_shop->NewPage();
        if (post)
            m_page->TestRequest().SetMethod("POST");
        for (const auto& [k, v] : valori) {
            if (post)
                m_page->TestRequest().AddForm(k, v);
            else
                m_page->TestRequest().AddQueryString(k, v);
        }
        return m_page->Create<Forum>("QTR50.Forum");
    }

    std::vector<int> Discussioni(Forum* f, const QVariant& pagina, const QVariant& argomento)
    {
        std::vector<int> ids;
        if (f->ApriPaginaDiscussioni(pagina, argomento)) {
            ids.push_back(f->IDIntervento);
            for (int i = 1; i < f->LunghezzaPaginaDiscussioni && f->LeggiDiscussioneSuccessiva(); ++i)
                ids.push_back(f->IDIntervento);
        }
        return ids;
    }

    std::unique_ptr<CAspTestPage> m_page;
};

TEST_P(ForumDb, TopicsCountActiveThreadsAndPostsOverTheirDescendants)
{
    Intervento(10, 3, 0, true);
    Intervento(11, 3, 10, true);
    Intervento(12, 3, 10, false);
    Intervento(13, 2, 0, true);
    Intervento(14, 2, 0, false);
    Intervento(15, 4, 0, true);
    Forum* f = Pagina();
    std::vector<std::tuple<int, int, int, bool>> letti;
    ASSERT_TRUE(f->ApriPaginaArgomenti());
    do
        letti.emplace_back(f->IDArgomento, f->NumeroDiscussioniArgomento, f->NumeroInterventiArgomento,
                           f->FlagSottoArgomenti);
    while (f->LeggiArgomentoSuccessivO());
    EXPECT_EQ(letti, (std::vector<std::tuple<int, int, int, bool>>{{1, 2, 3, true}, {4, 1, 1, false}}));

    ASSERT_TRUE(f->ApriPaginaArgomenti("GEN"));
    EXPECT_EQ(f->IDArg, 1);
    EXPECT_EQ(f->NumeroDiscussioniArgomento, 2);
    ASSERT_TRUE(f->LeggiArgomento(3));
    EXPECT_EQ(f->NumeroDiscussioniArgomento, 1);
    EXPECT_EQ(f->PercorsoArgomenti, "<a href=\"/forum.asp?IDArgomento=1\">Generale</a> | "
                                    "<a href=\"/forum.asp?IDArgomento=2\">Cucina</a>");
    // Switched off, the counts keep what they held.
    f->ImpostaCalcoloStatisticheArgomento(0);
    ASSERT_TRUE(f->LeggiArgomento(4));
    EXPECT_EQ(f->NumeroDiscussioniArgomento, 1);
    EXPECT_FALSE(Pagina()->ApriPaginaArgomenti(4));
}

struct PaginaCaso
{
    const char* nome;
    int discussioni;
    QVariant pagina;
    std::vector<int> primi;   // the first IDs of the page
    int lunghezza, totale;
};

TEST_P(ForumDb, ThreadsComeNewestFirstPageByPage)
{
    const std::vector<PaginaCaso> casi = {
        {"three threads", 3, 1, {102, 101, 100}, 3, 1},
        {"third page of 25", 25, "3", {104, 103, 102, 101, 100}, 10, 3},
        {"past the end", 25, 4, {}, 0, 0},
        {"none", 0, 1, {}, 0, 0},
    };
    for (const PaginaCaso& k : casi) {
        SCOPED_TRACE(k.nome);
        m_shop->Db().Execute("DELETE FROM InterventiForum");
        // One per minute on the same day: the order is the hour's.
        for (int i = 0; i < k.discussioni; ++i)
            Intervento(100 + i, 4, 0, true, 0, QTime(9, 0).addSecs(60 * i).toString("HH:mm:ss"));
        Intervento(99, 4, 0, false, 1);
        Forum* f = Pagina();
        const std::vector<int> letti = Discussioni(f, k.pagina, 4);
        EXPECT_EQ(std::vector<int>(letti.begin(), letti.begin() + std::min(letti.size(), k.primi.size())), k.primi);
        if (k.primi.empty())
            continue;
        EXPECT_EQ(f->LunghezzaPaginaDiscussioni, k.lunghezza);
        EXPECT_EQ(f->TotalePagineDiscussioni, k.totale);
        EXPECT_EQ(f->ControlloUltimaPaginaDiscussioni(), true);
    }
}

TEST_P(ForumDb, AVisitorReadsOnlyActivePosts)
{
    Intervento(20, 4, 0, true);
    Intervento(21, 4, 20, true, 0, "11:00:00");
    Intervento(22, 4, 20, false, 0, "12:00:00");
    Intervento(23, 4, 0, false);
    Forum* f = Pagina();
    EXPECT_TRUE(f->LeggiIntervento(20));
    EXPECT_FALSE(f->LeggiIntervento(22));
    EXPECT_FALSE(Pagina({{"IDIntervento", "23"}})->LeggiIntervento());
    std::vector<int> risposte;
    Forum* r = Pagina({{"IDIntervento", "20"}});
    if (r->ApriPaginaRisposte()) {
        do
            risposte.push_back(r->IDIntervento);
        while (r->LeggiRispostaSuccessiva());
    }
    EXPECT_EQ(risposte, std::vector<int>{21});
    EXPECT_EQ(r->NomeArgomento, "Giardino");
}

TEST_P(ForumDb, AMissingFieldRefusesThePost)
{
    struct Caso { const char* mittente; const char* oggetto; const char* testo; const char* errore; };
    for (const Caso& k : {Caso{"", "", "", "Manca il mittente"}, Caso{"Ugo", "", "", "Manca l'oggetto"},
                          Caso{"Ugo", "Ciao", "", "Manca il testo"}, Caso{"", "Ciao", "x", "Manca il mittente"}}) {
        Forum* f = Pagina({{"Mittente", k.mittente}, {"Oggetto", k.oggetto}, {"Testo", k.testo},
                           {"IDArgomentoPadre", "4"}, {"IDInterventoPadre", "0"}},
                          true);
        EXPECT_FALSE(f->InvioIntervento());
        EXPECT_EQ(f->Errore, k.errore);
    }
    EXPECT_EQ(Valore("SELECT COUNT(*) FROM InterventiForum").toInt(), 0);
    // The form comes back on the next page.
    EXPECT_EQ(Pagina()->OggettoIntervento, "Ciao");
}

TEST_P(ForumDb, APostIsStoredInactiveWithAnIdOfTheShopsRange)
{
    Intervento(30, 3, 0, true);
    Forum* f = Pagina({{"Mittente", QString(60, 'm')}, {"EmailMittente", QString(90, 'e')},
                       {"Oggetto", QString(300, 'o')}, {"Testo", "  <b>ciao</b>  "}, {"IDArgomentoPadre", "4"},
                       {"IDInterventoPadre", "30"}},
                      true);
    ASSERT_TRUE(f->InvioIntervento());
    QSqlQuery q = m_shop->Db().Run("SELECT ID, IDArgomento, IDIntervento, Mittente, EmailMittente, Oggetto, Testo, "
                                   "Attivo, Modificato FROM InterventiForum WHERE ID<>30");
    ASSERT_TRUE(q.next());
    EXPECT_GT(q.value(0).toLongLong(), 1000000000);
    EXPECT_EQ(q.value(1).toInt(), 3);   // the parent's topic, not the one the request named
    EXPECT_EQ(q.value(2).toInt(), 30);
    EXPECT_EQ(q.value(3).toString().size(), 50);
    EXPECT_EQ(q.value(4).toString().size(), 80);
    EXPECT_EQ(q.value(5).toString().size(), 250);
    EXPECT_EQ(q.value(6).toString(), "  <b>ciao</b>  ");
    EXPECT_EQ(q.value(7).toInt(), 0);
    EXPECT_EQ(q.value(8).toInt(), 1);
    EXPECT_EQ(Session("OggettoIntervento").toString(), "");
    // Not shown until the merchant publishes it.
    EXPECT_EQ(Discussioni(Pagina(), 1, 3), std::vector<int>{30});
    EXPECT_FALSE(Pagina()->ApriPaginaRisposte(1, 30));
}

// Each request value of the forum's pages, hostile.
TEST_P(ForumDb, HostileRequestsStoreNothingAndFindNothing)
{
    Intervento(40, 4, 0, true);
    const QStringList ostili = {"4 OR 1=1", "4; DELETE FROM InterventiForum", "' OR ''='", "9", "-1", "99999999999",
                                "4e0", ""};
    for (const QString& v : ostili) {
        SCOPED_TRACE(v.toStdString());
        EXPECT_FALSE(Pagina({{"Mittente", "Ugo"}, {"Oggetto", "O"}, {"Testo", "T"}, {"IDArgomentoPadre", v},
                             {"IDInterventoPadre", "0"}},
                            true)
                         ->InvioIntervento());
        if (!v.isEmpty())
            EXPECT_FALSE(Pagina({{"Mittente", "Ugo"}, {"Oggetto", "O"}, {"Testo", "T"}, {"IDArgomentoPadre", "4"},
                                 {"IDInterventoPadre", v}},
                                true)
                             ->InvioIntervento());
        EXPECT_FALSE(Pagina({{"IDIntervento", v}})->LeggiIntervento());
        EXPECT_FALSE(Pagina({{"IDArgomento", "4"}, {"Page", v.isEmpty() ? "x" : v}})->ApriPaginaDiscussioni());
        EXPECT_FALSE(Pagina()->ApriPaginaArgomenti(v.isEmpty() ? "x" : v));
    }
    EXPECT_EQ(Valore("SELECT COUNT(*) FROM InterventiForum").toInt(), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, ForumDb, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

} // namespace
