#include "server/orders/Ordine.h"
#include "server/orders/OrdinePagamentoCarta.h"
#include "server/orders/OrdineScrittura.h"
#include "server/core/Funzioni.h"
#include "server/core/testing/CQtrTestShop.h"
#include "server/orders/tests/PagamentoProva.h"

#include "platform/ado/CAdoRecordset.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QLocale>
#include <QSet>
#include <QUrl>
#include <QUrlQuery>

#include <memory>
#include <thread>

namespace {

// ---------------------------------------------------------------- amounts

struct CasoImporto
{
    const char* nome;
    double importo;
    const char* fattore;
    qint64 atteso;
};

void PrintTo(const CasoImporto& c, std::ostream* os) { *os << c.nome; }

class ImportoBanca : public ::testing::TestWithParam<CasoImporto>
{
};

} // namespace

// The gateway's amount is the whole part of factor x amount; in binary
// 0.29 x 100 is 28.999..., which the gateway must still get as 29.
const CasoImporto kImporti[] = {
    {"TwentyNineCentsAreTwentyNine", 0.29, "100", 29},
    {"BasketTotalInCents", 173.6, "100", 17360},
    {"LargeAmountInCents", 21704.07, "100", 2170407},
    {"HalfACentRoundsUp", 0.285, "100", 29},
    {"FactorOneCutsTheCents", 17.99, "1", 17},
    {"DecimalFactorWithComma", 10.01, "0,5", 5},
    {"DecimalFactorWithPoint", 0.29, "100.0", 29},
    {"WholeLire", 1936.27, "1", 1936},
};

TEST_P(ImportoBanca, AmountsAreExactInMinorUnits)
{
    const CasoImporto& c = GetParam();
    EXPECT_EQ(OrdinePagamentoCarta::ImportoPerFattore(Funzioni::Minori(c.importo, 0.01), c.fattore), c.atteso);
}

INSTANTIATE_TEST_SUITE_P(Casi, ImportoBanca, ::testing::ValuesIn(kImporti),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(ImportoBanca, AFactorThatIsNoNumberIsRefused)
{
    for (const char* fattore : {"", "abc", "1e3", "-100", "100; DROP TABLE Ordini"})
        EXPECT_THROW(OrdinePagamentoCarta::ImportoPerFattore(29, fattore), std::invalid_argument) << fattore;
}

TEST(NumeroOrdine, TheOrderIDIsReadOnlyFromANumberOfTheShop)
{
    EXPECT_EQ(OrdineScrittura::IDDaNumeroOrdine("2026121000000042"), 1000000042);
    EXPECT_EQ(OrdineScrittura::IDDaNumeroOrdine("T1000000042"), 1000000042);
    for (const char* forgiato : {"", "202612", "2026121000000042 OR 1=1", "abcdef1000000042", "20261299999999999",
                                 "2026120", "T", "2026121000000042;", "-1"})
        EXPECT_EQ(OrdineScrittura::IDDaNumeroOrdine(forgiato), 0) << forgiato;
}

// ---------------------------------------------------------------- on the shop

namespace {

class Pagamento : public PagamentoBase, public ::testing::TestWithParam<CAdoConnection::Engine>
{
protected:
    void SetUp() override { Prepara(GetParam()); }
    void TearDown() override
    {
        OrdinePagamentoCarta::ImpostaIndirizzoBanca(QString());
        OrdinePagamentoCarta::ImpostaLimiti({});
    }

    QString PasswordDellUrl(const QString& url) { return url.section("c=", 1).section('&', 0, 0); }
    QString Nota(qint32 idOrdine)
    {
        CAdoRecordset rs;
        rs.Open("SELECT Note, Modificato FROM Ordini WHERE ID=?", &m_shop->Db(), {idOrdine});
        return rs.Field("Note").toString();
    }
};

} // namespace

TEST_P(Pagamento, TheBankIsAskedForTheOrderTotalWithOnePasswordEach)
{
    // 3 books: 150.00 + VAT 15.00 + shipping 3.00 + its VAT 0.60.
    EXPECT_EQ(Pagina()->URLValidazioneCartaCredito(),
              "https://banca.test/pagam.asp?a=BOTTEGA01&b=16860&c=P1&d=" + m_numOrd + "&");
    Set("TestCartaCredito", true);
    EXPECT_EQ(Pagina()->URLValidazioneCartaCredito(),
              "https://banca.test/pagam.asp?a=BOTTEGA01&b=50&c=P2&d=" + m_numOrd + "&");
    EXPECT_TRUE(Password("OTPRichieste").isEmpty());
    const QString id = QString::number(m_idOrdine);
    EXPECT_EQ(Richieste(), QStringList({id + "/1/16860", id + "/2/50"}));
    // No password left: a clear error, and no address.
    try {
        Pagina()->URLValidazioneCartaCredito();
        ADD_FAILURE() << "an address without a password";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Nessuna password disponibile per il pagamento con carta di credito.");
    }
}

// A shop's database made before the record of the bank's requests gets
// it on the first card payment.
TEST_P(Pagamento, AnOlderDatabaseGetsTheRecordOfRequestsOnFirstUse)
{
    m_shop->Db().Execute("DROP TABLE PagamentiCarta");
    ASSERT_EQ(PasswordDellUrl(Pagina()->URLValidazioneCartaCredito()), "P1");
    EXPECT_EQ(Richieste(), QStringList{QString::number(m_idOrdine) + "/1/16860"});
    EXPECT_TRUE(Pagina({{"a", "AUT1"}, {"b", m_numOrd}, {"c", "R1"}})->ControlloEsitoValidazione());
}

// The order is stored: emptying the basket and buying one bookmark before
// "Riprova il pagamento" changes nothing of what the bank is asked.
TEST_P(Pagamento, TheRetryAsksForTheStoredTotalWhateverTheBasketHolds)
{
    ASSERT_EQ(PasswordDellUrl(Pagina()->URLValidazioneCartaCredito()), "P1");
    Set("Basket", "#3|1|0||0|");
    Set("IDSpese", 0);
    const QString url = Pagina()->URLValidazioneCartaCredito();
    EXPECT_EQ(url.section("b=", 1).section('&', 0, 0), "16860");
    EXPECT_EQ(Richieste().value(1), QString::number(m_idOrdine) + "/2/16860");
}

TEST_P(Pagamento, APaidOrderIsNeverSentToTheBankAgain)
{
    ASSERT_EQ(PasswordDellUrl(Pagina()->URLValidazioneCartaCredito()), "P1");
    ASSERT_TRUE(Pagina({{"a", "AUT1"}, {"b", m_numOrd}, {"c", "R1"}})->ControlloEsitoValidazione());
    EXPECT_TRUE(Pagina()->PagamentoCartaEseguito());
    EXPECT_THROW(Pagina()->URLValidazioneCartaCredito(), std::runtime_error);
    Set("NumOrd", "2026011000000500");   // another customer's order
    EXPECT_THROW(Pagina()->URLValidazioneCartaCredito(), std::runtime_error);
    EXPECT_FALSE(Pagina()->PagamentoCartaEseguito());
    EXPECT_EQ(Password("OTPRichieste"), QStringList{"P2"});
}

TEST_P(Pagamento, FiveAttemptsAtTheBankAreTheMostEvenInNewSessions)
{
    for (int i = 3; i <= 8; ++i)
        m_shop->Insert("OTPRichieste", {{"ID", i}, {"Password", QStringLiteral("P%1").arg(i)}});
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(PasswordDellUrl(Pagina()->URLValidazioneCartaCredito()), QString("P%1").arg(i));
    // A new Session that knows the order (its cookie dropped) counts on.
    const QVariant cliente = Session("IDClienteOrdine");
    SessioneScaduta();
    Set("NumOrd", m_numOrd);
    Set("IDClienteOrdine", cliente);
    Set("TipoPagamento", "CartaCredito");
    EXPECT_EQ(PasswordDellUrl(Pagina()->URLValidazioneCartaCredito()), "P5");
    EXPECT_THROW(Pagina()->URLValidazioneCartaCredito(), std::runtime_error);
    EXPECT_EQ(Password("OTPRichieste").size(), 3);
}

// Each card order takes a request password: one Session, and one address
// in a day, may send only so many orders to the bank.
TEST_P(Pagamento, CardOrdersPerSessionAndPerAddressAreLimited)
{
    for (int i = 3; i <= 12; ++i)
        m_shop->Insert("OTPRichieste", {{"ID", i}, {"Password", QStringLiteral("P%1").arg(i)}});
    OrdinePagamentoCarta::ImpostaLimiti({2, 3, 0});
    ASSERT_FALSE(Pagina()->URLValidazioneCartaCredito().isEmpty());
    // Each order is a new basket: the same basket sent again is one order.
    Set("Basket", "#2|1|0||0|");
    const QString secondo = Ordina();
    const QVariant clienteSecondo = Session("IDClienteOrdine");
    ASSERT_FALSE(Pagina()->URLValidazioneCartaCredito().isEmpty());
    Set("Basket", "#2|2|0||0|");
    Ordina();
    try {
        Pagina()->URLValidazioneCartaCredito();
        ADD_FAILURE() << "a third card order in one Session went to the bank";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Troppi ordini pagati con carta in questa visita.");
    }
    // An order already at the bank may still be retried.
    Set("NumOrd", secondo);
    Set("IDClienteOrdine", clienteSecondo);
    EXPECT_FALSE(Pagina()->URLValidazioneCartaCredito().isEmpty());

    // A new Session from the same address: one more order, then no more.
    SessioneScaduta();
    Set("Basket", "#2|1|0||0|");
    Set("DimBasket", 1);
    Set("IDSpese", 5);
    Set("TipoPagamento", "CartaCredito");
    Set("CognomeUtente", "Bianchi");
    Ordina();
    ASSERT_FALSE(Pagina()->URLValidazioneCartaCredito().isEmpty());
    Set("Basket", "#2|2|0||0|");
    Ordina();
    try {
        Pagina()->URLValidazioneCartaCredito();
        ADD_FAILURE() << "a fourth card order from one address went to the bank";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Troppi ordini pagati con carta da questo indirizzo: riprova domani.");
    }
    // Another address is not held up by this one.
    m_indirizzo = "198.51.100.7";
    EXPECT_FALSE(Pagina()->URLValidazioneCartaCredito().isEmpty());
    EXPECT_EQ(Password("OTPRichieste").size(), 12 - 5);
}

TEST_P(Pagamento, TheMerchantIsWarnedWhenRequestPasswordsRunLow)
{
    m_shop->Insert("OTPRichieste", {{"ID", 3}, {"Password", "P3"}});
    m_shop->Db().Execute("UPDATE Ordini SET Note=? WHERE ID=?", {"Citofonare Bianchi", m_idOrdine});
    OrdinePagamentoCarta::ImpostaLimiti({3, 10, 2});
    ASSERT_FALSE(Pagina()->URLValidazioneCartaCredito().isEmpty());
    EXPECT_EQ(Nota(m_idOrdine), "Citofonare Bianchi");   // two left: not below the mark
    ASSERT_FALSE(Pagina()->URLValidazioneCartaCredito().isEmpty());
    ASSERT_FALSE(Pagina()->URLValidazioneCartaCredito().isEmpty());
    // The buyer's note stays; the latest count replaces the one before.
    EXPECT_EQ(Nota(m_idOrdine), "Citofonare Bianchi\r\nAttenzione: restano 0 password per i pagamenti con carta "
                                "di credito; caricare un nuovo file di password della banca.");
    CAdoRecordset rs;
    rs.Open("SELECT Modificato FROM Ordini WHERE ID=?", &m_shop->Db(), {m_idOrdine});
    EXPECT_EQ(rs.Field("Modificato").toInt(), 1);
}

// The return page acts on a bank's answer for a card order, never on the
// Session's payment kind: a visitor with another kind, with simulated
// cards or with no order at all has nothing paid.
TEST_P(Pagamento, NoAnswerOfTheBankIsNoPayment)
{
    Set("TipoPagamento", "Bonifico");
    EXPECT_EQ(Pagina()->URLValidazioneCartaCredito(), "");
    EXPECT_FALSE(Pagina({{"a", "AUT"}, {"b", m_numOrd}, {"c", "R1"}})->ControlloEsitoValidazione());
    Set("TipoPagamento", "CartaCredito");
    Set("DemoCartaCredito", true);
    EXPECT_EQ(Pagina()->URLValidazioneCartaCredito(), "");
    EXPECT_FALSE(Pagina({{"a", "AUT"}, {"b", m_numOrd}, {"c", "R1"}})->ControlloEsitoValidazione());
    SessioneScaduta();
    EXPECT_FALSE(Pagina()->ControlloEsitoValidazione());
    EXPECT_FALSE(Pagina()->PagamentoCartaEseguito());
    EXPECT_EQ(Password("OTPRichieste").size(), 2);
    EXPECT_EQ(Password("OTPRisposte").size(), 2);
    EXPECT_EQ(Autorizzazione(m_idOrdine), "");
}

// A cheap order paid at the bank, its return kept; then a big order of
// the same Session goes to the bank. The cheap order's answer pays the
// cheap order only.
TEST_P(Pagamento, ACheapOrdersAnswerNeverPaysABigOrder)
{
    Set("Basket", "#3|1|0||0|");
    const QString economico = Ordina();
    ASSERT_EQ(PasswordDellUrl(Pagina()->URLValidazioneCartaCredito()), "P1");
    Set("Basket", "#2|3|0||0|");
    const QString grande = Ordina();
    ASSERT_EQ(PasswordDellUrl(Pagina()->URLValidazioneCartaCredito()), "P2");
    EXPECT_FALSE(Pagina({{"a", "AUT1"}, {"b", grande}, {"c", "R1"}})->ControlloEsitoValidazione());
    EXPECT_EQ(Autorizzazione(OrdineScrittura::IDDaNumeroOrdine(grande)), "");
    Ordine* pagina = Pagina({{"a", "AUT1"}, {"b", economico}, {"c", "R1"}});
    EXPECT_TRUE(pagina->ControlloEsitoValidazione());
    EXPECT_EQ(pagina->OrdinePagato, economico);
    EXPECT_FALSE(pagina->PagamentoDaNotificare);   // not the Session's order: no mail from here
    EXPECT_EQ(Autorizzazione(OrdineScrittura::IDDaNumeroOrdine(economico)), "AUT1");
    EXPECT_EQ(Password("OTPRisposte"), QStringList{"R2"});
}

INSTANTIATE_TEST_SUITE_P(Engines, Pagamento, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

// ---------------------------------------------------------------- the bank's answer

namespace {

enum class Prima { Niente, Pagata, SessioneScaduta, AltraSessione, OrdineCambiato };

struct CasoRisposta
{
    const char* nome;
    const char* a;
    const char* b;   // "{own}" and "{other}" stand for the order numbers
    const char* c;
    bool esito;
    const char* autorizzazione;   // of the visitor's order afterwards
    int risposteRimaste;
    bool notifica = false;        // this page mails the customer
    Prima prima = Prima::Niente;
};

void PrintTo(const CasoRisposta& c, std::ostream* os) { *os << c.nome; }

class RispostaBanca : public PagamentoBase,
                      public ::testing::TestWithParam<std::tuple<CAdoConnection::Engine, CasoRisposta>>
{
protected:
    void SetUp() override
    {
        Prepara(std::get<0>(GetParam()));
        // The order went to the bank with P1: its answer is R1.
        ASSERT_TRUE(Pagina()->URLValidazioneCartaCredito().contains("c=P1&"));
    }
    void TearDown() override { OrdinePagamentoCarta::ImpostaIndirizzoBanca(QString()); }
};

} // namespace

// Every value of the answer comes from the visitor's browser: only the
// genuine answer to the request made for that order, for what the order
// costs, counts, once; the Session that placed the order mails, once.
const CasoRisposta kRisposte[] = {
    {"GenuineAnswerIsRecorded", "AUT123", "{own}", "R1", true, "AUT123", 1, true},
    {"RefusalRecordsNothing", "KO", "{own}", "R1", false, "", 2},
    {"EmptyOutcomeRecordsNothing", "", "{own}", "R1", false, "", 2},
    {"UnknownPasswordRecordsNothing", "AUT123", "{own}", "R9", false, "", 2},
    {"EmptyPasswordRecordsNothing", "AUT123", "{own}", "", false, "", 2},
    {"AnswerOfARequestNeverMadeIsRefused", "AUT123", "{own}", "R2", false, "", 2},
    {"ReloadedAnswerCountsWithoutAMail", "AUT123", "{own}", "R1", true, "AUT123", 1, false, Prima::Pagata},
    {"UsedPasswordWithAnotherOutcomeIsRefused", "AUT999", "{own}", "R1", false, "AUT123", 1, false, Prima::Pagata},
    {"AnotherCustomersOrderIsRefused", "AUT123", "{other}", "R1", false, "", 2},
    {"ExpiredSessionStillRecordsThePayment", "AUT123", "{own}", "R1", true, "AUT123", 1, false,
     Prima::SessioneScaduta},
    {"AnotherVisitorsSessionRecordsWithoutAMail", "AUT123", "{own}", "R1", true, "AUT123", 1, false,
     Prima::AltraSessione},
    {"OrderChangedSinceTheRequestIsRefused", "AUT123", "{own}", "R1", false, "", 2, false, Prima::OrdineCambiato},
    {"SqlInTheOrderNumber", "AUT123", "{own} OR 1=1", "R1", false, "", 2},
    {"SqlInThePassword", "AUT123", "{own}", "' OR '1'='1", false, "", 2},
    {"SqlInTheOutcomeIsKeptAsText", "X'); DELETE FROM Ordini; --", "{own}", "R1", true,
     "X'); DELETE FROM Ordini; --", 1, true},
    {"OrderNumberThatIsNoNumber", "AUT123", "abcdef", "R1", false, "", 2},
};

TEST_P(RispostaBanca, OnlyTheGenuineAnswerForItsOrderCounts)
{
    const CasoRisposta& c = std::get<1>(GetParam());
    switch (c.prima) {
    case Prima::Pagata:
        ASSERT_TRUE(Pagina({{"a", "AUT123"}, {"b", m_numOrd}, {"c", "R1"}})->ControlloEsitoValidazione());
        break;
    case Prima::SessioneScaduta:
        SessioneScaduta();
        break;
    case Prima::AltraSessione:
        Set("NumOrd", "2026011000000500");
        Set("IDClienteOrdine", 8);
        break;
    case Prima::OrdineCambiato:
        // The charge the order stores is what the bank is asked for.
        m_shop->Db().Execute("UPDATE Ordini SET ImportoTotaleInEuro=ImportoTotaleInEuro+1 WHERE ID=?", {m_idOrdine});
        break;
    case Prima::Niente:
        break;
    }
    QString b = QString::fromUtf8(c.b);
    b.replace("{own}", m_numOrd).replace("{other}", "2026011000000500");
    Ordine* pagina = Pagina({{"a", c.a}, {"b", b}, {"c", c.c}});
    EXPECT_EQ(pagina->ControlloEsitoValidazione(), c.esito);
    EXPECT_EQ(pagina->PagamentoDaNotificare, c.notifica);
    EXPECT_EQ(pagina->OrdinePagato, c.esito ? m_numOrd : QString());
    EXPECT_EQ(Autorizzazione(m_idOrdine), QString::fromUtf8(c.autorizzazione));
    EXPECT_EQ(Autorizzazione(kAltroOrdine), "");
    EXPECT_EQ(Password("OTPRisposte").size(), c.risposteRimaste);
    CAdoRecordset rs;
    rs.Open("SELECT COUNT(*) AS N FROM Ordini", &m_shop->Db());
    EXPECT_EQ(rs.Field("N").toInt(), 2);
}

INSTANTIATE_TEST_SUITE_P(Engines, RispostaBanca,
                         ::testing::Combine(::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                                            ::testing::ValuesIn(kRisposte)),
                         [](const auto& info) {
                             return std::string(CAdoTestDatabase::EngineName(std::get<0>(info.param))) + "_"
                                 + std::get<1>(info.param).nome;
                         });

// ---------------------------------------------------------------- concurrent checkouts

namespace {

class Concorrenza : public ::testing::TestWithParam<CAdoConnection::Engine>
{
};

// Three lines as a basket gives them: web prices, list currency = web.
OrdineDati DatiProva(int n)
{
    OrdineDati d;
    d.acquirente.cognome = QStringLiteral("Cliente %1").arg(n);
    d.acquirente.localita = QStringLiteral("Forlì");
    d.tipoPagamento = QStringLiteral("Bonifico");
    d.codiceLingua = QStringLiteral("it");
    d.fcEuro2Web = d.fcListino2Euro = 1;
    d.arrotondamento = 0.01;
    d.speseSpedizioneVL = 3;
    for (int i = 1; i <= 3; ++i) {
        OrdineRiga r;
        r.idProdotto = i;
        r.codiceProdotto = QStringLiteral("P%1").arg(i);
        r.quantita = float(i);
        r.prezzo = 0.29 * i + n;
        d.righe.append(r);
    }
    return d;
}

} // namespace

TEST_P(Concorrenza, EightCheckoutsAtOnceWriteEveryOrderAndLineOnce)
{
    CQtrTestShop shop(GetParam());
    shop.AddBasics();
    for (int i = 1; i <= 20; ++i)
        shop.Insert("OTPRichieste", {{"ID", i}, {"Password", QStringLiteral("P%1").arg(i)}});
    constexpr int kPagine = 8, kOrdiniPerPagina = 3;
    QList<QStringList> prese(kPagine);
    QList<QString> errori(kPagine);
    std::vector<std::thread> pagine;
    for (int p = 0; p < kPagine; ++p) {
        pagine.emplace_back([&, p] {
            try {
                CAdoConnection conn;
                conn.Open(Funzioni::StringaConnessione(shop.DbFolder()));
                for (int k = 0; k < kOrdiniPerPagina; ++k) {
                    const OrdineScritto scritto = OrdineScrittura::Scrivi(
                        &conn, DatiProva(p * kOrdiniPerPagina + k), QDateTime::currentDateTime());
                    if (k < 2)
                        prese[p] << OrdinePagamentoCarta::PrendiPasswordRichiesta(&conn, scritto.idOrdine, "1", "")
                                        .password;
                }
            } catch (const std::exception& e) {
                errori[p] = QString::fromUtf8(e.what());
            }
        });
    }
    for (auto& t : pagine)
        t.join();
    for (const QString& e : errori)
        EXPECT_EQ(e, "");

    CAdoRecordset rs;
    rs.Open("SELECT COUNT(*) AS N, COUNT(DISTINCT ID) AS U, COUNT(DISTINCT NumOrdine) AS NU, MIN(ID) AS M FROM Ordini",
            &shop.Db());
    EXPECT_EQ(rs.Field("N").toInt(), kPagine * kOrdiniPerPagina);
    EXPECT_EQ(rs.Field("U").toInt(), kPagine * kOrdiniPerPagina);
    EXPECT_EQ(rs.Field("NU").toInt(), kPagine * kOrdiniPerPagina);
    EXPECT_EQ(rs.Field("M").toInt(), 1000000001);
    rs.Open("SELECT COUNT(*) AS N, COUNT(DISTINCT ID) AS U FROM OrdiniDettaglio", &shop.Db());
    EXPECT_EQ(rs.Field("N").toInt(), 3 * kPagine * kOrdiniPerPagina);
    EXPECT_EQ(rs.Field("U").toInt(), 3 * kPagine * kOrdiniPerPagina);
    rs.Open("SELECT COUNT(*) AS N, COUNT(DISTINCT ID) AS U FROM Clienti WHERE ID > 1000000000", &shop.Db());
    EXPECT_EQ(rs.Field("U").toInt(), kPagine * kOrdiniPerPagina);

    // Each order's lines are its basket's: customer n bought 1 x (0.29 + n),
    // 2 x (0.58 + n) and 3 x (0.87 + n), that is 4.06 + 6n.
    rs.Open("SELECT o.Cognome AS Cognome, SUM(d.Prezzo * d.Quantita) AS Totale, COUNT(*) AS Righe "
            "FROM Ordini o INNER JOIN OrdiniDettaglio d ON d.IDOrdine = o.ID GROUP BY o.Cognome",
            &shop.Db());
    EXPECT_EQ(rs.RecordCount(), kPagine * kOrdiniPerPagina);
    for (; !rs.IsEOF(); rs.MoveNext()) {
        const int n = rs.Field("Cognome").toString().section(' ', 1).toInt();
        EXPECT_EQ(rs.Field("Righe").toInt(), 3);
        EXPECT_NEAR(rs.Field("Totale").toDouble(), 4.06 + 6 * n, 1e-6) << n;
    }

    // Every request password went to one page only.
    QSet<QString> tutte;
    for (const QStringList& p : prese)
        for (const QString& password : p)
            EXPECT_FALSE(tutte.contains(password)) << password.toStdString();
    for (const QStringList& p : prese)
        tutte.unite(QSet<QString>(p.begin(), p.end()));
    EXPECT_EQ(tutte.size(), 2 * kPagine);
    rs.Open("SELECT COUNT(*) AS N FROM OTPRichieste", &shop.Db());
    EXPECT_EQ(rs.Field("N").toInt(), 20 - 2 * kPagine);
}

INSTANTIATE_TEST_SUITE_P(Engines, Concorrenza, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

