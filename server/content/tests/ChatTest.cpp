#include "server/content/Chat.h"
#include "server/content/ChatOrologio.h"
#include "server/content/tests/ContenutiFixture.h"

#include <vector>

namespace {

// Chat rooms 1 Piazza > 2 Angolo, 3 Bar; forum topic 8. The clock is the
// test's: 10 December 2026 at noon, moved by Avanti.
class ChatDb : public ContenutiFixture
{
protected:
    void SetUp() override
    {
        ContenutiFixture::SetUp();
        ChatOrologio::Imposta([this] { return m_adesso; });
        Argomento(1, 1, 0, "Piazza");
        Argomento(2, 1, 1, "Angolo");
        Argomento(3, 1, 0, "Bar");
        Argomento(8, 0, 0, "Forum");
        m_shop->AddMessage(1, "ERRNONICK", {{"it", "Scegli un nome"}});
        m_shop->AddMessage(2, "ERRNICKGIAPRESENTE", {{"it", "Nome già presente"}});
        m_shop->AddMessage(3, "PMTNICKADMINCHAT", {{"it", "Bottega"}});
        m_shop->AddMessage(4, "MSGBENVENUTOCHAT", {{"it", "benvenuto!"}});
        m_shop->AddMessage(5, "ERRSTANZACHAT", {{"it", "Stanza sconosciuta"}});
    }

    void TearDown() override { ChatOrologio::Imposta(nullptr); }

    void Avanti(int secondi) { m_adesso = m_adesso.addSecs(secondi); }

    // A page of the visitor whose Session is the host's one; Nuovo gives
    // the next pages to a second visitor.
    Chat* Pagina(const QList<QPair<QString, QString>>& query = {})
    {
        m_page = m_shop->NewPage();
        m_page->TestRequest().SetServerVariable("REMOTE_ADDR", "192.0.2.7");
        for (const auto& [k, v] : query)
            m_page->TestRequest().AddQueryString(k, v);
        return m_page->Create<Chat>("QTR50.Chat");
    }

    bool Entra(const QString& nick, const QString& stanza)
    {
        Chat* c = Pagina({{"Nickname", nick}, {"IDArgomento", stanza}});
        const bool entrato = c->IngressoUtente();
        m_errore = c->Errore;
        return entrato;
    }

    // Another visitor: a fresh Session.
    void AltroVisitatore() { m_shop->Host().Session().SetValue("IDUtenteChat", QVariant()); }

    std::vector<std::string> Messaggi()
    {
        std::vector<std::string> testi;
        Chat* c = Pagina();
        if (c->ApriPaginaInterventi()) {
            do
                testi.push_back((c->Nickname + "> " + c->TestoIntervento).toStdString());
            while (c->LeggiInterventoSuccessivo());
        }
        return testi;
    }

    int Utenti() { return Valore("SELECT COUNT(*) FROM UtentiChat").toInt(); }

    QDateTime m_adesso{QDate(2026, 12, 10), QTime(12, 0)};
    QString m_errore;
    std::unique_ptr<CAspTestPage> m_page;
};

TEST(ChatOrologio, SecondsFromTheFirstOfDecember2002)
{
    EXPECT_EQ(ChatOrologio::Secondi(QDateTime(QDate(2002, 12, 1), QTime(0, 0))), 0);
    EXPECT_EQ(ChatOrologio::Secondi(QDateTime(QDate(2002, 12, 2), QTime(0, 1, 5))), 86465);
}

TEST_P(ChatDb, AVisitorEntersIsGreetedAndChats)
{
    ASSERT_TRUE(Entra("Ada", "1"));
    EXPECT_EQ(Session("Nickname").toString(), "");
    EXPECT_GT(Session("IDUtenteChat").toLongLong(), 1000000000);
    Avanti(1);
    Pagina({{"Testo", "ciao a tutti"}})->AggiornaMessaggi();
    EXPECT_EQ(Messaggi(), (std::vector<std::string>{"Ada> ciao a tutti", "Bottega> Ada: benvenuto!"}));
    EXPECT_EQ(Valore("SELECT IndirizzoIP FROM InterventiChat WHERE Nickname='Ada'").toString(), "192.0.2.7");
}

TEST_P(ChatDb, NicknamesAreUniqueWithinARoomWhileTheirUserIsPresent)
{
    EXPECT_FALSE(Entra("", "1"));
    EXPECT_EQ(m_errore, "Scegli un nome");
    ASSERT_TRUE(Entra("Ada", "1"));
    AltroVisitatore();
    EXPECT_FALSE(Entra("Ada", "1"));
    EXPECT_EQ(m_errore, "Nome già presente");
    EXPECT_EQ(Session("Nickname").toString(), "Ada");
    EXPECT_TRUE(Entra("Ada", "3"));
    AltroVisitatore();
    EXPECT_TRUE(Entra("  ", "1"));
    AltroVisitatore();
    EXPECT_TRUE(Entra("ada", "1"));
    AltroVisitatore();
    EXPECT_FALSE(Entra("Bea", "8"));   // a forum topic is no room
    EXPECT_FALSE(Entra("Bea", "1 OR 1=1"));
    EXPECT_EQ(m_errore, "Stanza sconosciuta");
    // Once the first Ada is gone as idle, her name is free again.
    Avanti(31);
    EXPECT_TRUE(Entra("Ada", "1"));
}

// Refresh every 10 s: a user last seen 31 s ago is gone at the next entry
// or room count, one seen 29 s ago stays. Messages live 600 s.
TEST_P(ChatDb, PresenceAndMessagesExpireOnTheClock)
{
    ASSERT_TRUE(Entra("Ada", "2"));
    AltroVisitatore();
    Avanti(2);
    ASSERT_TRUE(Entra("Bea", "1"));
    Avanti(29);
    Chat* c = Pagina();
    ASSERT_TRUE(c->LeggiArgomento(1));
    EXPECT_EQ(c->NumeroUtentiArgomento, 1);   // Bea; Ada in the room below has gone
    EXPECT_EQ(Utenti(), 1);

    Avanti(599 - 29);
    EXPECT_EQ(Messaggi().size(), 1u);   // Bea's welcome, 599 s old
    Avanti(2);
    EXPECT_EQ(Messaggi().size(), 0u);
}

TEST_P(ChatDb, RoomCountsIncludeDescendantRooms)
{
    ASSERT_TRUE(Entra("Ada", "2"));
    AltroVisitatore();
    ASSERT_TRUE(Entra("Bea", "1"));
    AltroVisitatore();
    ASSERT_TRUE(Entra("Cid", "3"));
    Chat* c = Pagina();
    std::vector<std::pair<int, int>> stanze;
    ASSERT_TRUE(c->ApriPaginaArgomenti());
    do
        stanze.emplace_back(c->IDArgomento, c->NumeroUtentiArgomento);
    while (c->LeggiArgomentoSuccessivO());
    EXPECT_EQ(stanze, (std::vector<std::pair<int, int>>{{1, 2}, {3, 1}}));
}

// Who speaks is the Session's chat user: a request cannot name another.
TEST_P(ChatDb, ChatIdentityLivesInTheSession)
{
    ASSERT_TRUE(Entra("Ada", "1"));
    const QVariant ada = Session("IDUtenteChat");
    AltroVisitatore();
    Pagina({{"Testo", "sono Ada"}, {"IDUtente", ada.toString()}})->AggiornaMessaggi();
    EXPECT_EQ(Valore("SELECT COUNT(*) FROM InterventiChat WHERE Testo='sono Ada'").toInt(), 0);
    EXPECT_FALSE(Pagina({{"IDUtente", ada.toString()}})->ApriPaginaInterventi());
    // Empty text writes nothing and renews nothing.
    Set("IDUtenteChat", ada);
    Avanti(25);
    Pagina({{"Testo", ""}})->AggiornaMessaggi();
    Avanti(6);
    ASSERT_TRUE(Entra("Zoe", "3"));   // purges Ada: her last sign of life is 31 s old
    Set("IDUtenteChat", ada);
    EXPECT_FALSE(Pagina()->ApriPaginaInterventi());
    EXPECT_EQ(Session("IDUtenteChat").toInt(), 0);
}

TEST_P(ChatDb, HostileTextsAreStoredAsTextAndCut)
{
    ASSERT_TRUE(Entra("<b>Ada'); DROP TABLE UtentiChat; --" + QString(40, 'x'), "1"));
    Pagina({{"Testo", "<script>alert(1)</script>" + QString(2000, 'y')}})->AggiornaMessaggi();
    EXPECT_EQ(Valore("SELECT Nickname FROM UtentiChat").toString().size(), Chat::kNickname);
    const QString testo = Valore("SELECT Testo FROM InterventiChat WHERE Testo LIKE '<script>%'").toString();
    EXPECT_EQ(testo.size(), Chat::kTesto);
}

INSTANTIATE_TEST_SUITE_P(Engines, ChatDb, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

} // namespace
