#include "server/core/Dizionario.h"
#include "server/core/Funzioni.h"
#include "server/core/Generale.h"
#include "server/core/testing/CQtrTestShop.h"

#include "platform/mail/tests/SmtpTestServer.h"
#include "platform/utilities/QtrCipher.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QRegularExpression>
#include <QSignalSpy>

#include <memory>
#include <stdexcept>

namespace {

class GeneraleDb : public ::testing::TestWithParam<CAdoConnection::Engine>
{
protected:
    void SetUp() override
    {
        m_shop = std::make_unique<CQtrTestShop>(GetParam());
        m_shop->AddBasics();
    }

    // A new page of the same visitor with a started Generale.
    Generale* NewPage()
    {
        m_page = m_shop->NewPage();
        return m_page->Create<Generale>("QTR50.Generale");
    }

    Generale* Initialised()
    {
        Generale* generale = NewPage();
        generale->Inizializza();
        return generale;
    }

    QVariant Session(const char* key) { return m_shop->Host().Session().Value(key); }
    CAspTestRequest& Request() { return m_page->TestRequest(); }

    std::unique_ptr<CQtrTestShop> m_shop;
    std::unique_ptr<CAspTestPage> m_page;
};

} // namespace

TEST_P(GeneraleDb, InizializzaFillsTheSessionFromTheSettings)
{
    Initialised();
    EXPECT_EQ(Session("ShareConn"), QVariant(false));
    EXPECT_EQ(Session("CampiObbligatori").toString(), "#RagioneSociale#Cognome#Indirizzo#Cap#Localita#Provincia#Stato#");
    EXPECT_EQ(Session("DbPath").toString(), m_shop->DbFolder());
    EXPECT_EQ(Session("RagioneSociale").toString(), "Bottega Srl");
    EXPECT_FALSE(Session("Fax").isValid());   // null column: key left as it was
    EXPECT_EQ(Session("AttivaPrezziIvaCompresa"), QVariant(true));
    EXPECT_EQ(Session("AttivaCCPostale"), QVariant(false));
    EXPECT_DOUBLE_EQ(Session("SpeseContrassegno").toDouble(), 5);
    EXPECT_DOUBLE_EQ(Session("IvaSpedizioni").toDouble(), 20);
    EXPECT_EQ(Session("IDValutaListino").toInt(), 1);
    EXPECT_EQ(Session("Opzioni").toString(), "");
    EXPECT_EQ(Session("CodiceLinguaPredefinita").toString(), "it");
    EXPECT_EQ(Session("CodiceLingua").toString(), "it");
    EXPECT_EQ(Session("DescrizioneLingua").toString(), "Italiano");
    EXPECT_DOUBLE_EQ(Session("FCListino2Euro").toDouble(), 1);
    EXPECT_DOUBLE_EQ(Session("FCEuro2Web").toDouble(), 1);
    EXPECT_EQ(Session("SimboloValuta").toString(), "€");
    EXPECT_DOUBLE_EQ(Session("Arrotondamento").toDouble(), 0.01);
    EXPECT_EQ(Session("DebugDizionario").toString(), "0");
    EXPECT_EQ(Session("FlagCalNumProCat").toInt(), 1);
    EXPECT_EQ(Session("Basket").toString(), "");
    EXPECT_EQ(Session("ModoOrdProd").toString(), "ASC");
    EXPECT_EQ(Session("IDListino").toInt(), 0);
    EXPECT_FALSE(Session("IDUtente").isValid());   // no anonymous customer row

    Generale* generale = NewPage();   // the properties mirror the Session at the start
    EXPECT_EQ(generale->RagioneSociale, "Bottega Srl");
    EXPECT_EQ(generale->property("Fax").toString(), "");
    EXPECT_TRUE(generale->AttivaContrassegno);
    EXPECT_DOUBLE_EQ(generale->SpeseContrassegnoVL, 5);
    EXPECT_DOUBLE_EQ(generale->MinimoContrassegnoVL, 2);
    EXPECT_EQ(generale->CodiceLingua, "it");
}

TEST_P(GeneraleDb, CashOnDeliveryNotAFixedAmountIsNotConverted)
{
    m_shop->Db().Execute("UPDATE Configurazione SET TipoSpeseContrassegno=1");
    Initialised();
    EXPECT_DOUBLE_EQ(NewPage()->SpeseContrassegnoVL, 0);
}

TEST_P(GeneraleDb, OptionsBecomeOneTextThatLeggiFlagReads)
{
    m_shop->Insert("Opzioni", {{"ID", 1}, {"Codice", "A"}, {"Flag", 1}});
    m_shop->Insert("Opzioni", {{"ID", 2}, {"Codice", "B"}, {"Flag", 0}});
    Generale* generale = Initialised();
    EXPECT_EQ(Session("Opzioni").toString(), "#A#1#B#0");
    EXPECT_TRUE(generale->LeggiFlag("A"));
    EXPECT_FALSE(generale->LeggiFlag("B"));
    EXPECT_FALSE(generale->LeggiFlag("C"));
}

TEST_P(GeneraleDb, TheAnonymousVisitorsPriceList)
{
    const struct { QVariant listinoCliente; QVariant listinoGruppo; int atteso; } casi[] = {
        {3, QVariant(), 2}, {0, 1, 1}, {0, QVariant(), 0}, {QVariant(), 1, 0},
    };
    for (const auto& c : casi) {
        m_shop->Db().Execute("DELETE FROM Clienti");
        m_shop->Db().Execute("DELETE FROM Gruppi");
        m_shop->Insert("Clienti", {{"ID", 0}, {"TipoUtente", 0}, {"IDGruppo", 4}, {"IDAgente", 9},
                                   {"IDListino", c.listinoCliente}});
        if (!c.listinoGruppo.isNull())
            m_shop->Insert("Gruppi", {{"ID", 4}, {"IDListino", c.listinoGruppo}});
        Initialised();
        EXPECT_EQ(Session("IDListino").toInt(), c.atteso) << c.listinoCliente.toString().toStdString();
        EXPECT_EQ(Session("IDUtente").toInt(), 0);
        EXPECT_EQ(Session("IDGruppo").toInt(), 4);
        EXPECT_EQ(Session("IDAgente").toInt(), 9);
    }
}

TEST_P(GeneraleDb, AnAgentRowIsItsOwnAgent)
{
    m_shop->Insert("Clienti", {{"ID", 2}, {"TipoUtente", 2}, {"IDAgente", 1}});
    m_shop->Insert("Clienti", {{"ID", 5}, {"TipoUtente", 3}, {"IDAgente", 1}});
    Initialised();
    EXPECT_EQ(Session("IDUtente").toInt(), 5);
    EXPECT_EQ(Session("IDAgente").toInt(), 5);
}

TEST_P(GeneraleDb, ImpostaLinguaTakesAnActiveLanguageFromTheRequest)
{
    Initialised();
    Generale* generale = NewPage();
    Request().AddQueryString("CodiceLingua", "en");
    generale->ImpostaLingua();
    EXPECT_EQ(Session("CodiceLingua").toString(), "en");
    EXPECT_EQ(generale->CodiceLingua, "en");
    EXPECT_DOUBLE_EQ(Session("FCEuro2Web").toDouble(), 1.25);
    EXPECT_EQ(Session("SimboloValuta").toString(), "$");
    EXPECT_EQ(generale->SimboloValuta, "$");
    EXPECT_EQ(Session("AttivaPrezziInEuro"), QVariant(true));
    EXPECT_EQ(Session("DescrizioneLingua").toString(), "Italiano");   // not changed

    generale = NewPage();   // a POST reads the form, not the query string
    Request().SetMethod("POST");
    Request().AddQueryString("CodiceLingua", "en");
    Request().AddForm("CodiceLingua", "it");
    generale->ImpostaLingua();
    EXPECT_EQ(Session("CodiceLingua").toString(), "it");

    generale = NewPage();   // nothing asked, nothing changed
    generale->ImpostaLingua();
    EXPECT_EQ(Session("CodiceLingua").toString(), "it");

    for (const char* code : {"de", "xx' OR '1'='1"}) {
        generale = NewPage();
        Request().AddQueryString("CodiceLingua", code);
        EXPECT_THROW(generale->ImpostaLingua(), std::runtime_error) << code;
        EXPECT_EQ(Session("CodiceLingua").toString(), "it");
        EXPECT_EQ(generale->CodiceLingua, "it");
    }
}

TEST_P(GeneraleDb, SettersStoreTheirKeysWithTheArgumentsConverted)
{
    Generale* generale = Initialised();
    generale->ImpostaLunghezzaPaginaProdotti("12");
    generale->ImpostaLunghezzaPaginaRicerca(7.5);   // halves go to even, as the runtime converts
    generale->ImpostaControlloCFPI("True");
    generale->ImpostaGenerazioneUserPswdNumeriche(0);
    generale->ImpostaURLPaginaProdotti("prodotti.asp");
    generale->ImpostaCampiObbligatori("#Cognome#");
    generale->ImpostaLunghezzaMinimaPassword("8");
    EXPECT_EQ(Session("PageSize"), QVariant(12));
    EXPECT_EQ(Session("SearchPageSize"), QVariant(8));
    EXPECT_EQ(Session("ControlloCFPI"), QVariant(true));
    EXPECT_EQ(Session("GenerazioneUserPswdNumeriche"), QVariant(false));
    EXPECT_EQ(Session("URLPaginaProdotti").toString(), "prodotti.asp");
    EXPECT_EQ(Session("CampiObbligatori").toString(), "#Cognome#");
    EXPECT_EQ(Session("LunghezzaMinimaPassword"), QVariant("8"));
    EXPECT_THROW(generale->ImpostaLunghezzaPaginaArticoli("dieci"), std::runtime_error);
    EXPECT_THROW(generale->ImpostaLunghezzaPaginaArticoli(40000), std::runtime_error);
    EXPECT_THROW(generale->ImpostaControlloPasswordNumerica("forse"), std::runtime_error);
    EXPECT_FALSE(Session("ArticlePageSize").isValid());
}

TEST_P(GeneraleDb, IdentificaUtenteNumbersTheSessionAndWritesTheCookies)
{
    Generale* generale = Initialised();
    generale->IdentificaUtente();
    EXPECT_EQ(Session("CKIDCliente"), QVariant(0));
    const QString numero = Session("OkQTRIDSession").toString();
    EXPECT_TRUE(QRegularExpression("^\\d{14}0$").match(numero).hasMatch()) << numero.toStdString();
    const CAspTestResponse& response = m_page->TestResponse();
    EXPECT_EQ(response.Cookie("QTRIDSessione").value, numero);
    EXPECT_FALSE(response.Cookie("QTRIDSessione").expires.isValid());
    const CAspCookie user = response.Cookie("QTRIDUser");
    EXPECT_EQ(user.value, numero);
    EXPECT_EQ(user.path, "/");
    EXPECT_FALSE(user.secure);
    EXPECT_EQ(user.expires.date().year(), QDate::currentDate().year() + 10);

    generale = NewPage();   // same Session: the counter stays, no cookie
    generale->IdentificaUtente();
    EXPECT_EQ(m_page->TestResponse().CookieCount(), 0);
    EXPECT_EQ(m_shop->Host().Application().Value("IDSession").toInt(), 1);

    m_shop->Host().NewSession();   // a browser that knows us
    generale = NewPage();
    Request().AddCookie("QTRIDUser", numero);
    Request().AddCookie("QTRIDCliente", "57");
    generale->IdentificaUtente();
    EXPECT_EQ(Session("CKIDCliente"), QVariant("57"));
    EXPECT_TRUE(m_page->TestResponse().Cookie("QTRIDSessione").value.endsWith("1"));
    EXPECT_FALSE(m_page->TestResponse().HasCookie("QTRIDUser"));
}

TEST_P(GeneraleDb, LocalModeIdentifiesNoVisitorAndKeepsNoCounters)
{
    m_shop->Host().SetLocalMode(true);
    Generale* generale = Initialised();
    generale->IdentificaUtente();
    generale->LeggiProgressivi();
    EXPECT_FALSE(Session("CKIDCliente").isValid());
    EXPECT_FALSE(Session("OkQTRIDSession").isValid());
    EXPECT_EQ(m_page->TestResponse().CookieCount(), 0);
    EXPECT_FALSE(m_shop->Host().Application().Contains("IDSession"));
}

TEST_P(GeneraleDb, SessionMarkerAndCounters)
{
    Generale* generale = Initialised();
    EXPECT_FALSE(generale->TestOKSession());
    EXPECT_FALSE(generale->SetOKSession().isValid());
    EXPECT_TRUE(generale->TestOKSession());

    EXPECT_EQ(generale->FindNext("Ordini"), 1);
    m_shop->Insert("Clienti", {{"ID", 7}});
    m_shop->Insert("Clienti", {{"ID", 1000000003}});
    EXPECT_EQ(generale->FindNext("Clienti"), 1000000004);
    EXPECT_THROW(generale->FindNext("Clienti WHERE 1=1"), std::runtime_error);

    m_shop->Host().Application().SetValue("IDSession", 33);
    generale->LeggiProgressivi();
    CAspTestValues& application = m_shop->Host().Application();
    EXPECT_EQ(application.Value("IDSession").toInt(), 0);
    EXPECT_EQ(application.Value("ProgressivoClienti").toInt(), 1000000004);
    EXPECT_EQ(application.Value("ProgressivoOrdini").toInt(), 1);
    EXPECT_EQ(application.Value("ProgressivoDettaglioOrdini").toInt(), 1);
}

TEST_P(GeneraleDb, TheActiveLanguagesAreListedInTurn)
{
    Generale* generale = Initialised();
    EXPECT_TRUE(generale->LeggiPrimaLingua());
    EXPECT_EQ(generale->CodiceLingua, "it");
    EXPECT_TRUE(generale->LeggiLinguaSuccessiva());
    EXPECT_EQ(generale->CodiceLingua, "en");
    EXPECT_EQ(generale->DescrizioneLingua, "English");
    EXPECT_FALSE(generale->LeggiLinguaSuccessiva());
    EXPECT_EQ(generale->CodiceLingua, "it");
    EXPECT_EQ(generale->DescrizioneLingua, "English");

    m_shop->Db().Execute("UPDATE Lingue SET Attivo=0");
    EXPECT_FALSE(generale->LeggiPrimaLingua());
}

TEST_P(GeneraleDb, CompanyPageFallsBackToTheDefaultLanguage)
{
    Generale* generale = Initialised();
    EXPECT_EQ(generale->LeggiChiSiamo(), "");
    m_shop->Insert("ChiSiamo", {{"ID", 1}, {"CodiceLingua", "it"}, {"Testo", Encrypt("Chi siamo: una bottega")}});
    m_shop->Host().Session().SetValue("CodiceLingua", "en");
    EXPECT_EQ(generale->LeggiChiSiamo(), "Chi siamo: una bottega");
    m_shop->Insert("ChiSiamo", {{"ID", 2}, {"CodiceLingua", "en"}, {"Testo", QVariant()}});
    EXPECT_EQ(generale->LeggiChiSiamo(), "");
}

TEST_P(GeneraleDb, CompanyLogoOfTheVisitorsLanguageElseTheDefaults)
{
    Generale* generale = Initialised();
    m_shop->Host().Session().SetValue("CodiceLingua", "en");
    EXPECT_FALSE(generale->ControlloLogoAzienda());
    EXPECT_EQ(generale->PercorsoLogoAzienda, "/images/it/su_logo.gif");
    m_shop->WriteSiteFile("/images/it/su_logo.gif");
    EXPECT_TRUE(generale->ControlloLogoAzienda());
    EXPECT_EQ(generale->PercorsoLogoAzienda, "/images/it/su_logo.gif");
    m_shop->WriteSiteFile("/images/en/su_logo.gif");
    EXPECT_TRUE(generale->ControlloLogoAzienda());
    EXPECT_EQ(generale->PercorsoLogoAzienda, "/images/en/su_logo.gif");
}

TEST_P(GeneraleDb, ContactFormIsMailedToTheShop)
{
    SmtpTestServer smtp;
    ASSERT_EQ(smtp.Start(), "");
    Funzioni::ImpostaServerPosta("127.0.0.1", smtp.Port());
    m_shop->AddMessage(1, "MSGOGGETTOMAILINFO", {{"it", "Messaggio dal sito"}});
    Initialised();

    Generale* generale = NewPage();
    Request().SetMethod("POST");
    for (const auto& [name, value] : {std::pair{"Mittente", "Pia"}, {"Email", "pia@cliente.test"},
                                      {"Telefono", "0123"}, {"Messaggio", "Avete il blu?"}, {"invia.x", "3"},
                                      {"invia.y", "4"}, {"S_nascosto", "x"}})
        Request().AddForm(name, value);
    generale->InviaMessaggi();

    Generale* senzaMittente = NewPage();
    Request().SetMethod("POST");
    Request().AddForm("Messaggio", "Solo testo");
    senzaMittente->InviaMessaggi();
    Funzioni::ImpostaServerPosta("localhost", 25);

    const QList<QJsonObject> messages = smtp.Messages();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[0]["mail_from"].toString(), "pia@cliente.test");
    EXPECT_EQ(messages[0]["rcpt_tos"].toArray().first().toString(), "info@bottega.test");
    QString body = messages[0]["body"].toString();
    body.replace("\r\n", "\n");
    EXPECT_EQ(body.trimmed(), "Pia scrive:\n\nEmail: pia@cliente.test\n\nTelefono: 0123\n\nAvete il blu?");
    bool subject = false;
    for (const auto& header : messages[0]["headers"].toArray())
        subject |= header.toArray()[0].toString() == "Subject" && header.toArray()[1].toString() == "Messaggio dal sito";
    EXPECT_TRUE(subject);
    EXPECT_EQ(messages[1]["mail_from"].toString(), "info@bottega.test");
}

// The address a visitor types is never a list of recipients: the message
// goes to the shop alone, from the shop's address, the text kept.
TEST_P(GeneraleDb, ATypedListOfAddressesMailsOnlyTheShop)
{
    SmtpTestServer smtp;
    ASSERT_EQ(smtp.Start(), "");
    Funzioni::ImpostaServerPosta("127.0.0.1", smtp.Port());
    Initialised();
    const QStringList digitati = {"pia@cliente.test,altro@esterno.test", "pia@cliente.test;altro@esterno.test",
                                  "pia@cliente.test, altro@esterno.test", "altro@esterno.test;"};
    for (const QString& digitato : digitati) {
        Generale* generale = NewPage();
        Request().SetMethod("POST");
        Request().AddForm("Email", digitato);
        Request().AddForm("Messaggio", "Avete il blu?");
        generale->InviaMessaggi();
    }
    Funzioni::ImpostaServerPosta("localhost", 25);
    const QList<QJsonObject> messages = smtp.Messages();
    ASSERT_EQ(messages.size(), digitati.size());
    for (int i = 0; i < messages.size(); ++i) {
        EXPECT_EQ(messages[i]["rcpt_tos"].toArray(), QJsonArray{"info@bottega.test"}) << digitati[i].toStdString();
        EXPECT_EQ(messages[i]["mail_from"].toString(), "info@bottega.test") << digitati[i].toStdString();
        EXPECT_TRUE(messages[i]["body"].toString().contains("Email: " + digitati[i]));
    }
}

TEST_P(GeneraleDb, EachObjectOpensAndClosesItsOwnConnectionWhenNotSharing)
{
    Generale* generale = Initialised();
    auto* dizionario = m_page->Create<Dizionario>("QTR50.Dizionario");
    ASSERT_NE(dizionario->Connection(), generale->Conn());
    QSignalSpy chiusa(dizionario->Connection(), &CAdoConnection::Closed);
    dizionario->Free();
    EXPECT_EQ(chiusa.count(), 1);
    EXPECT_TRUE(qobject_cast<CAdoConnection*>(generale->Conn())->IsOpen());
}

TEST_P(GeneraleDb, ASharedConnectionIsClosedByGeneraleOnly)
{
    Generale* generale = Initialised();
    generale->SetShareConn();
    auto* dizionario = m_page->Create<Dizionario>("QTR50.Dizionario");
    EXPECT_THROW(dizionario->Traduci("ERREMAIL"), std::runtime_error);   // no SetConn yet
    EXPECT_THROW(dizionario->SetConn(nullptr), std::runtime_error);
    dizionario->SetConn(generale->Conn());
    EXPECT_EQ(dizionario->Traduci("ERREMAIL"), "");
    auto* connessione = qobject_cast<CAdoConnection*>(generale->Conn());
    QSignalSpy chiusa(connessione, &CAdoConnection::Closed);
    dizionario->Free();
    EXPECT_TRUE(connessione->IsOpen());
    generale->Free();
    EXPECT_EQ(chiusa.count(), 1);
}

TEST_P(GeneraleDb, MissingSettingsAreNamedAndTheKeysBeforeStayWritten)
{
    m_shop->Db().Execute("DELETE FROM Valute WHERE ID=1");
    Generale* generale = NewPage();
    try {
        generale->Inizializza();
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Impostazioni del negozio incomplete: manca la valuta del listino.");
    }
    EXPECT_EQ(Session("CodiceLingua").toString(), "it");
    m_shop->Db().Execute("DELETE FROM Configurazione");
    EXPECT_THROW(generale->Inizializza(), std::runtime_error);
    EXPECT_EQ(Session("DbPath").toString(), m_shop->DbFolder());
}

TEST_P(GeneraleDb, AMissingDatabaseFailsTheStart)
{
    CAspTestHost host;
    TempFolder empty;
    host.AddVirtualFolder("/db", empty.Path());
    auto page = host.NewPage();
    EXPECT_THROW(page->CreateObject("QTR50.Generale"), std::runtime_error);
}

INSTANTIATE_TEST_SUITE_P(Engines, GeneraleDb,
                         ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });
