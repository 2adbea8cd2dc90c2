#include "server/content/Contenuti.h"
#include "server/content/ContenutiLimitePosta.h"
#include "server/content/ContenutiPosta.h"
#include "server/content/tests/ContenutiFixture.h"
#include "server/core/Funzioni.h"

#include "platform/mail/tests/SmtpTestServer.h"

#include <QJsonArray>

namespace {

QString Intestazione(const QJsonObject& messaggio, const QString& nome)
{
    for (const auto& h : messaggio["headers"].toArray())
        if (h.toArray()[0].toString().compare(nome, Qt::CaseInsensitive) == 0)
            return h.toArray()[1].toString();
    return QString();
}

QString Corpo(const QJsonObject& messaggio)
{
    QString corpo = messaggio["body"].toString();
    return corpo.replace("\r\n", "\n");
}

// The form of article 90 (fields 41 label Colore, 42-43 radios Rosso and
// Verde, 44 Note, 45 drop-down Taglia with option 1 S) and the referral
// texts, mailed to a test SMTP server.
class PostaDb : public ContenutiFixture
{
protected:
    void SetUp() override
    {
        ContenutiFixture::SetUp();
        ASSERT_EQ(m_smtp.Start(), "");
        Funzioni::ImpostaServerPosta("127.0.0.1", m_smtp.Port());
        ContenutiLimitePosta::Negozio().Dimentica();
        m_shop->Insert("Moduli", {{"ID", 9}, {"Codice", "INFO"}, {"OggettoMail", Encrypt("Richiesta dal sito")},
                                  {"Email", Encrypt("moduli@bottega.test")}});
        m_shop->Insert("ModuliLingue", {{"ID", 9}, {"IDModulo", 9}, {"CodiceLingua", "it"},
                                        {"Nome", Encrypt("Richiesta")}, {"Descrizione", Encrypt("Scrivici")}});
        for (const auto& [id, tipo, nome] : {std::tuple{41, 10, "Colore"}, std::tuple{42, 12, "Rosso"},
                                             std::tuple{43, 12, "Verde"}, std::tuple{44, 0, "Note"},
                                             std::tuple{45, 13, "Taglia"}}) {
            m_shop->Insert("ModuliCampi", {{"ID", id}, {"IDModulo", 9}, {"Ordine", id}, {"Tipo", tipo}});
            m_shop->Insert("ModuliCampiLingue", {{"ID", id}, {"IDCampo", id}, {"CodiceLingua", "it"}, {"Nome", nome}});
        }
        m_shop->Insert("ModuliOpzioni", {{"ID", 1}, {"IDCampo", 45}, {"Ordine", 1}});
        m_shop->Insert("ModuliOpzioniLingue", {{"ID", 1}, {"IDOpzione", 1}, {"CodiceLingua", "it"}, {"Opzione", "S"}});
        m_shop->Insert("Clienti", {{"ID", 50}, {"Nome", "Ada"}, {"Cognome", "Neri"}, {"Email", "ada@cliente.test"}});
        int codice = 1;
        for (const auto& [c, testo] :
             {std::pair{"PMTDATIUTENTE", "Dati utente"}, {"PMTNOME", "Nome: "}, {"PMTCOGNOME", "Cognome: "},
              {"PMTRAGIONESOCIALE", "Ragione sociale: "}, {"ERRMODULONONVALIDO", "Modulo non valido"},
              {"ERRTROPPIINVII", "Troppi invii"}, {"ERRNOMAILDESTSEGN", "Manca l'indirizzo dell'amico"},
              {"ERRNOMAILMITTSEGN", "Manca il tuo indirizzo"}, {"MSGTESTOSEGN", "Ti segnalo questa pagina:"},
              {"MSGFIRMASEGN", "La Bottega"}, {"MSGOGGETTOMAILSEGN", "Una pagina per te"},
              {"OGGETTOMAILSEGN", "Segnalazione"}})
            m_shop->AddMessage(codice++, c, {{"it", testo}});
        m_shop->Db().Execute("UPDATE Configurazione SET URLSito='www.bottega.test'");
    }

    void TearDown() override { Funzioni::ImpostaServerPosta("localhost", 25); }

    Contenuti* Pagina(const QList<QPair<QString, QString>>& form, const QString& indirizzo = "192.0.2.1")
    {
        m_page = m_shop->NewPage();
        m_page->TestRequest().SetMethod("POST");
        m_page->TestRequest().SetServerVariable("REMOTE_ADDR", indirizzo);
        m_page->TestRequest().SetServerVariable("SERVER_NAME", "altro.test");
        m_page->TestRequest().SetServerVariable("URL", "/segnala.asp");
        for (const auto& [k, v] : form)
            m_page->TestRequest().AddForm(k, v);
        return m_page->Create<Contenuti>("QTR50.Contenuti");
    }

    void NuovaSessione() { m_shop->Host().Session().SetValue("PostaContenutiInviata", 0); }

    SmtpTestServer m_smtp;
    std::unique_ptr<CAspTestPage> m_page;
};

TEST_P(PostaDb, AFormIsMailedFromTheShopWithTheMemberToAnswer)
{
    Set("UtenteCollegato", true);
    Contenuti* c = Pagina({{"IDModulo", "9"}, {"FLD42", "43"}, {"FLD44", "ciao <b>"}, {"FLD45", "1"}});
    ASSERT_TRUE(c->InviaModulo()) << c->Errore.toStdString();
    const auto messaggi = m_smtp.WaitForMessages(1);
    ASSERT_EQ(messaggi.size(), 1);
    EXPECT_EQ(messaggi[0]["mail_from"].toString(), "info@bottega.test");
    EXPECT_EQ(messaggi[0]["rcpt_tos"].toArray().first().toString(), "moduli@bottega.test");
    EXPECT_EQ(Intestazione(messaggi[0], "Reply-To"), "ada@cliente.test");
    EXPECT_EQ(Intestazione(messaggi[0], "Subject"), "Richiesta dal sito");
    const QString corpo = Corpo(messaggi[0]);
    EXPECT_TRUE(corpo.contains("Dati utente\nNome: Ada\nCognome: Neri\nRichiesta\nScrivici\n\n\nColore: Verde\n\n"
                               "Note: ciao <b>\nTaglia: S"))
        << corpo.toStdString();
}

// Posted choices are looked up within the form: a forged one names
// nothing, and an unknown form sends nothing.
TEST_P(PostaDb, FormRequestsNameOnlyTheFormsOwnChoices)
{
    Contenuti* c = Pagina({{"IDModulo", "9"}, {"FLD42", "44 OR 1=1"}, {"FLD45", "41"}});
    ASSERT_TRUE(c->InviaModulo());
    const QString corpo = Corpo(m_smtp.WaitForMessages(1).value(0));
    EXPECT_TRUE(corpo.contains("\n\nColore\nNote: \nTaglia: ")) << corpo.toStdString();
    EXPECT_TRUE(m_smtp.Messages().value(0)["headers"].toArray().size() > 0);
    EXPECT_EQ(Intestazione(m_smtp.Messages().value(0), "Reply-To"), "");
    for (const QString& id : {"", "x", "8", "9 OR 1=1"}) {
        Contenuti* rifiutato = Pagina({{"IDModulo", id}});
        EXPECT_FALSE(rifiutato->InviaModulo()) << id.toStdString();
        EXPECT_EQ(rifiutato->Errore, "Modulo non valido");
    }
    m_shop->Db().Execute("UPDATE Moduli SET Email=?", {Encrypt("a@bottega.test, b@altro.test")});
    EXPECT_FALSE(Pagina({{"IDModulo", "9"}})->InviaModulo());
    EXPECT_EQ(m_smtp.Messages().size(), 1);
}

TEST_P(PostaDb, AReferralGoesToOneFriendFromTheShopWithTheShopsLink)
{
    Contenuti* c = Pagina({{"Mittente", "Ugo"}, {"EmailMittente", "ugo@cliente.test"},
                           {"EmailDestinatario", "eva@amica.test"}, {"Note", "Guarda <i>qui</i>"},
                           {"URL", "/articolo.asp?IDArticolo=5"}});
    ASSERT_TRUE(c->SegnalazioneArticolo()) << c->Errore.toStdString();
    const auto messaggi = m_smtp.WaitForMessages(2);
    ASSERT_EQ(messaggi.size(), 2);
    EXPECT_EQ(messaggi[0]["mail_from"].toString(), "info@bottega.test");
    EXPECT_EQ(messaggi[0]["rcpt_tos"].toArray().first().toString(), "eva@amica.test");
    EXPECT_EQ(Intestazione(messaggi[0], "Reply-To"), "ugo@cliente.test");
    EXPECT_EQ(Corpo(messaggi[0]).trimmed(), "Ugo\nugo@cliente.test\n\nTi segnalo questa pagina:\n\n"
                                            "http://www.bottega.test/articolo.asp?IDArticolo=5\n\nGuarda <i>qui</i>\n\n"
                                            "La Bottega");
    EXPECT_EQ(messaggi[1]["rcpt_tos"].toArray().first().toString(), "info@bottega.test");
    EXPECT_EQ(Session("NoteSegnalazione").toString(), "Guarda <i>qui</i>");
}

TEST_P(PostaDb, RefusedReferralsSendNothing)
{
    struct Caso { const char* mittente; const char* amico; const char* errore; };
    for (const Caso& k : {Caso{"", "", "Manca il tuo indirizzo"}, Caso{"ugo@cliente.test", "", "Manca l'indirizzo dell'amico"},
                          Caso{"ugo@cliente.test", "a@x.test, b@y.test", "Manca l'indirizzo dell'amico"},
                          Caso{"ugo@cliente.test", "a@x.test\r\nBcc: c@z.test", "Manca l'indirizzo dell'amico"},
                          Caso{"ugo@cliente.test\nBcc: c@z.test", "a@x.test", "Manca il tuo indirizzo"},
                          Caso{"<ugo@cliente.test>", "a@x.test", "Manca il tuo indirizzo"}}) {
        Contenuti* c = Pagina({{"EmailMittente", k.mittente}, {"EmailDestinatario", k.amico}});
        EXPECT_FALSE(c->SegnalazioneArticolo()) << k.mittente << " " << k.amico;
        EXPECT_EQ(c->Errore, k.errore);
    }
    EXPECT_EQ(m_smtp.Messages().size(), 0);
}

// A link elsewhere is replaced by the page the referral was sent from.
TEST(ContenutiPosta, TheLinkIsBuiltOnTheShopsOwnAddress)
{
    struct Caso { const char* sito; const char* percorso; const char* atteso; };
    for (const Caso& k : {Caso{"www.bottega.test", "/articolo.asp?IDArticolo=5", "http://www.bottega.test/articolo.asp?IDArticolo=5"},
                          Caso{"https://www.bottega.test/", "/a.asp", "https://www.bottega.test/a.asp"},
                          Caso{"", "/a.asp", "http://host.test/a.asp"},
                          Caso{"https://", "/a.asp", "https://host.test/a.asp"},
                          Caso{"www.bottega.test", "//male.test/x", "http://www.bottega.test/segnala.asp"},
                          Caso{"www.bottega.test", "http://male.test/", "http://www.bottega.test/segnala.asp"},
                          Caso{"www.bottega.test", "@male.test", "http://www.bottega.test/segnala.asp"},
                          Caso{"www.bottega.test", "/a\r\nb", "http://www.bottega.test/segnala.asp"}})
        EXPECT_EQ(ContenutiPosta::Collegamento(k.sito, "host.test", k.percorso, "/segnala.asp"), k.atteso) << k.percorso;
}

// A Session sends a few; one network address a few an hour, whatever
// Session it uses.
TEST_P(PostaDb, MailsAreLimitedPerSessionAndPerAddress)
{
    const QList<QPair<QString, QString>> segnalazione = {{"EmailMittente", "ugo@cliente.test"},
                                                         {"EmailDestinatario", "eva@amica.test"}};
    int inviate = 0;
    for (int i = 0; i < ContenutiLimitePosta::kPerSessione + 1; ++i)
        inviate += Pagina(segnalazione, "192.0.2." + QString::number(i))->SegnalazioneArticolo() ? 1 : 0;
    EXPECT_EQ(inviate, ContenutiLimitePosta::kPerSessione);
    Contenuti* c = Pagina(segnalazione, "192.0.2.99");
    EXPECT_FALSE(c->SegnalazioneArticolo());
    EXPECT_EQ(c->Errore, "Troppi invii");

    inviate = 0;
    for (int i = 0; i < ContenutiLimitePosta::kPerIndirizzoOra + 1; ++i) {
        NuovaSessione();
        inviate += Pagina(segnalazione, "198.51.100.1")->SegnalazioneArticolo() ? 1 : 0;
    }
    EXPECT_EQ(inviate, ContenutiLimitePosta::kPerIndirizzoOra);
    qint64 adesso = 0;
    ContenutiLimitePosta::ImpostaOrologio([&] { return adesso; });
    adesso = QDateTime::currentMSecsSinceEpoch() + 3601 * 1000;
    NuovaSessione();
    EXPECT_TRUE(Pagina(segnalazione, "198.51.100.1")->SegnalazioneArticolo());
    ContenutiLimitePosta::ImpostaOrologio(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Engines, PostaDb, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

} // namespace
