#include "server/orders/Ordine.h"
#include "server/orders/OrdineCifraturaCarta.h"
#include "server/orders/OrdinePagamentoCarta.h"
#include "server/orders/tests/CifraturaProva.h"
#include "server/orders/OrdineScrittura.h"
#include "server/core/Funzioni.h"
#include "server/core/testing/CQtrTestShop.h"
#include "server/orders/tests/PaginaOrdineProva.h"
#include "server/orders/tests/ProdottiProva.h"

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
    EXPECT_EQ(OrdinePagamentoCarta::ImportoPerFattore(OrdinePagamentoCarta::Centesimi(c.importo), c.fattore), c.atteso);
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

// A shop whose visitor has just placed a card order of 173.60 (the
// submission's own basket and customer), beside another customer's card
// order; request passwords P1 and P2, answer passwords R1 and R2.
class PagamentoBase : public PaginaOrdineProva
{
protected:
    void Prepara(CAdoConnection::Engine engine)
    {
        QLocale::setDefault(QLocale::c());
        m_shop = std::make_unique<CQtrTestShop>(engine);
        m_shop->AddBasics();
        InserisciProdotto(*m_shop, 2, "Libro", 50, 10, 0.5, {{"Codice", "LIB"}});
        m_shop->Insert("SpeseSpedizione", {{"ID", 5}, {"Descrizione", "Affrancata"}, {"Limite1", 0.0}, {"Prezzo1", 3.0},
                                           {"EsenzioneIVA", 0}});
        m_shop->Insert("Clienti", {{"ID", 8}, {"Cognome", "Neri"}, {"TipoUtente", 1}});
        m_shop->Insert("Ordini", {{"ID", 1000000500}, {"NumOrdine", "2026011000000500"}, {"IDCliente", 8},
                                  {"TipoPagamento", "CartaCredito"}});
        m_shop->Insert("OTPRichieste", {{"ID", 1}, {"Password", "P1"}});
        m_shop->Insert("OTPRichieste", {{"ID", 2}, {"Password", "P2"}});
        m_shop->Insert("OTPRisposte", {{"ID", 1}, {"Password", "R1"}});
        m_shop->Insert("OTPRisposte", {{"ID", 2}, {"Password", "R2"}});
        const QVariantMap sessione = {
            {"DbPath", m_shop->DbFolder()}, {"ShareConn", false}, {"CodiceLingua", "it"},
            {"CodiceLinguaPredefinita", "it"}, {"IDListino", 0}, {"IDGruppo", 0}, {"FCListino2Euro", 1.0},
            {"FCEuro2Web", 1.0}, {"Arrotondamento", 0.01}, {"ArrotondamentoListino", 0.01}, {"SimboloValuta", "€"},
            {"IvaSpedizioni", 20.0}, {"PesoImballo", 0.0}, {"TipoPesoImballo", 0},
            {"Basket", "#2|3|0||0|"}, {"DimBasket", 1}, {"IDSpese", 5}, {"CognomeUtente", "Bianchi"},
            {"EmailUtente", ""}, {"EmailOrdini", ""}, {"TipoPagamento", "CartaCredito"}, {"AttivaCartaCredito", true},
            {"CodiceEsercente", "BOTTEGA01"}, {"TID", "100"}, {"ValutaBancaSella", 242}};
        for (auto it = sessione.begin(); it != sessione.end(); ++it)
            Set(it.key(), it.value());
        m_shop->Host().SetLocalMode(true);   // no mail in these tests
        OrdinePagamentoCarta::ImpostaIndirizzoBanca("https://banca.test/");
        Pagina()->NotificaEsercente();
        m_numOrd = Session("NumOrd").toString();
        m_idOrdine = OrdineScrittura::IDDaNumeroOrdine(m_numOrd);
        m_shop->Host().SetLocalMode(false);
    }

    QString Autorizzazione(qint32 idOrdine)
    {
        CAdoRecordset rs;
        rs.Open("SELECT AutorizzazioneCartaCredito FROM Ordini WHERE ID=?", &m_shop->Db(), {idOrdine});
        return rs.IsEOF() ? QString("<none>") : rs.Field("AutorizzazioneCartaCredito").toString();
    }
    QStringList Password(const QString& tabella)
    {
        QStringList p;
        CAdoRecordset rs;
        for (rs.Open("SELECT Password FROM " + tabella + " ORDER BY ID", &m_shop->Db()); !rs.IsEOF(); rs.MoveNext())
            p << rs.Field("Password").toString();
        return p;
    }

    QString m_numOrd;
    qint32 m_idOrdine = 0;
};

class Pagamento : public PagamentoBase, public ::testing::TestWithParam<CAdoConnection::Engine>
{
protected:
    void SetUp() override { Prepara(GetParam()); }
    void TearDown() override { OrdinePagamentoCarta::ImpostaIndirizzoBanca(QString()); }
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
    // No password left: a clear error, and no address.
    try {
        Pagina()->URLValidazioneCartaCredito();
        ADD_FAILURE() << "an address without a password";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Nessuna password disponibile per il pagamento con carta di credito.");
    }
}

TEST_P(Pagamento, APaidOrderIsNeverSentToTheBankAgain)
{
    ASSERT_TRUE(Pagina({{"a", "AUT1"}, {"b", m_numOrd}, {"c", "R1"}})->ControlloEsitoValidazione());
    EXPECT_THROW(Pagina()->URLValidazioneCartaCredito(), std::runtime_error);
    Set("NumOrd", "2026011000000500");   // another customer's order
    EXPECT_THROW(Pagina()->URLValidazioneCartaCredito(), std::runtime_error);
    EXPECT_EQ(Password("OTPRichieste").size(), 2);
}

TEST_P(Pagamento, FiveAttemptsAtTheBankAreTheMost)
{
    for (int i = 3; i <= 8; ++i)
        m_shop->Insert("OTPRichieste", {{"ID", i}, {"Password", QStringLiteral("P%1").arg(i)}});
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(Pagina()->URLValidazioneCartaCredito().section("c=", 1).section('&', 0, 0), QString("P%1").arg(i));
    EXPECT_THROW(Pagina()->URLValidazioneCartaCredito(), std::runtime_error);
    EXPECT_EQ(Password("OTPRichieste").size(), 3);
}

TEST_P(Pagamento, OtherPaymentsAndSimulatedCardsTouchNothing)
{
    Set("TipoPagamento", "Bonifico");
    EXPECT_EQ(Pagina({{"a", "AUT"}, {"b", m_numOrd}, {"c", "R1"}})->URLValidazioneCartaCredito(), "");
    EXPECT_TRUE(Pagina({{"a", "AUT"}, {"b", m_numOrd}, {"c", "R1"}})->ControlloEsitoValidazione());
    Set("TipoPagamento", "CartaCredito");
    Set("DemoCartaCredito", true);
    EXPECT_EQ(Pagina()->URLValidazioneCartaCredito(), "");
    EXPECT_TRUE(Pagina({{"a", "AUT"}, {"b", m_numOrd}, {"c", "R1"}})->ControlloEsitoValidazione());
    EXPECT_EQ(Password("OTPRichieste").size(), 2);
    EXPECT_EQ(Password("OTPRisposte").size(), 2);
    EXPECT_EQ(Autorizzazione(m_idOrdine), "");
}

INSTANTIATE_TEST_SUITE_P(Engines, Pagamento, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

// ---------------------------------------------------------------- the bank's answer

namespace {

struct CasoRisposta
{
    const char* nome;
    const char* a;
    const char* b;   // "{own}" and "{other}" stand for the order numbers
    const char* c;
    bool esito;
    const char* autorizzazione;   // of the visitor's order afterwards
    int risposteRimaste;
    qint32 idClienteSessione = 0;   // 0: the visitor's own
    bool ripetuta = false;          // a genuine answer with R1 came first
};

void PrintTo(const CasoRisposta& c, std::ostream* os) { *os << c.nome; }

class RispostaBanca : public PagamentoBase,
                      public ::testing::TestWithParam<std::tuple<CAdoConnection::Engine, CasoRisposta>>
{
protected:
    void SetUp() override { Prepara(std::get<0>(GetParam())); }
    void TearDown() override { OrdinePagamentoCarta::ImpostaIndirizzoBanca(QString()); }
};

} // namespace

// Every value of the answer comes from the visitor's browser: only the
// genuine answer for his own order, with an unused answer password, counts.
const CasoRisposta kRisposte[] = {
    {"GenuineAnswerIsRecorded", "AUT123", "{own}", "R1", true, "AUT123", 1},
    {"RefusalRecordsNothing", "KO", "{own}", "R1", false, "", 2},
    {"EmptyOutcomeRecordsNothing", "", "{own}", "R1", false, "", 2},
    {"UnknownPasswordRecordsNothing", "AUT123", "{own}", "R9", false, "", 2},
    {"EmptyPasswordRecordsNothing", "AUT123", "{own}", "", false, "", 2},
    {"ReplayedPasswordRecordsNothing", "AUT999", "{own}", "R1", false, "AUT123", 1, 0, true},
    {"AnotherCustomersOrderIsRefused", "AUT123", "{other}", "R1", false, "", 2},
    {"AnotherVisitorsSessionIsRefused", "AUT123", "{own}", "R1", false, "", 2, 8},
    {"SqlInTheOrderNumber", "AUT123", "{own} OR 1=1", "R1", false, "", 2},
    {"SqlInThePassword", "AUT123", "{own}", "' OR '1'='1", false, "", 2},
    {"SqlInTheOutcomeIsKeptAsText", "X'); DELETE FROM Ordini; --", "{own}", "R2", true,
     "X'); DELETE FROM Ordini; --", 1},
    {"OrderNumberThatIsNoNumber", "AUT123", "abcdef", "R1", false, "", 2},
};

TEST_P(RispostaBanca, OnlyTheGenuineAnswerForTheOwnOrderCounts)
{
    const CasoRisposta& c = std::get<1>(GetParam());
    if (c.ripetuta)
        ASSERT_TRUE(Pagina({{"a", "AUT123"}, {"b", m_numOrd}, {"c", "R1"}})->ControlloEsitoValidazione());
    if (c.idClienteSessione)
        Set("IDClienteOrdine", c.idClienteSessione);
    QString b = QString::fromUtf8(c.b);
    b.replace("{own}", m_numOrd).replace("{other}", "2026011000000500");
    EXPECT_EQ(Pagina({{"a", c.a}, {"b", b}, {"c", c.c}})->ControlloEsitoValidazione(), c.esito);
    EXPECT_EQ(Autorizzazione(m_idOrdine), QString::fromUtf8(c.autorizzazione));
    EXPECT_EQ(Autorizzazione(1000000500), "");
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
                    OrdineScrittura::Scrivi(&conn, DatiProva(p * kOrdiniPerPagina + k), QDateTime::currentDateTime());
                    if (k < 2)
                        prese[p] << OrdinePagamentoCarta::PrendiPasswordRichiesta(&conn);
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

// ---------------------------------------------------------------- the encrypted-string gateway

namespace {

struct CasoImportoCifrato
{
    const char* nome;
    int valuta;
    bool prova;
    double euro, lire;
    const char* atteso;
};

void PrintTo(const CasoImportoCifrato& c, std::ostream* os) { *os << c.nome; }

class ImportoCifrato : public ::testing::TestWithParam<CasoImportoCifrato>
{
};

} // namespace

const CasoImportoCifrato kImportiCifrati[] = {
    {"EuroInExactHundredths", 242, false, 168.6, 0, "168.60"},
    {"TwentyNineCents", 242, false, 0.29, 0, "0.29"},
    {"WholeLire", 18, false, 0, 326455.4, "326455"},
    {"AnotherCurrencyHasNoAmount", 1, false, 168.6, 326455, ""},
    {"TestModeInEuro", 242, true, 168.6, 0, "0.5"},
    {"TestModeInLire", 18, true, 0, 326455, "1000"},
};

TEST_P(ImportoCifrato, TheAmountIsTextWithADecimalPoint)
{
    const CasoImportoCifrato& c = GetParam();
    EXPECT_EQ(OrdineCifraturaCarta::Importo(c.valuta, c.prova, c.euro, c.lire), c.atteso);
}

INSTANTIATE_TEST_SUITE_P(Casi, ImportoCifrato, ::testing::ValuesIn(kImportiCifrati),
                         [](const auto& info) { return std::string(info.param.nome); });

namespace {

const QByteArray kChiave = "chiave-condivisa";

class Cifrato : public PagamentoBase, public ::testing::TestWithParam<CAdoConnection::Engine>
{
protected:
    void SetUp() override
    {
        Prepara(GetParam());
        OrdineCifraturaCarta::ImpostaFabbrica([] { return std::make_unique<CifraturaProva>(kChiave); });
    }
    void TearDown() override
    {
        OrdineCifraturaCarta::ImpostaFabbrica({});
        OrdinePagamentoCarta::ImpostaIndirizzoBanca(QString());
    }
};

} // namespace

TEST_P(Cifrato, ThePaymentGoesOutEncryptedForTheOwnOrder)
{
    const QString url = Pagina()->URLValidazioneCartaCredito1();
    const QString prefisso = "https://banca.test/gestpay/pagam.asp?a=BOTTEGA01&b=";
    ASSERT_TRUE(url.startsWith(prefisso)) << url.toStdString();
    // What the bank decrypts: the order and its exact amount.
    const QUrlQuery firmato(QString::fromUtf8(QByteArray::fromBase64(
        QUrl::fromPercentEncoding(url.mid(prefisso.size()).toLatin1()).section('.', 0, 0).toLatin1(),
        QByteArray::Base64UrlEncoding)));
    EXPECT_EQ(firmato.queryItemValue("amount"), "168.60");
    EXPECT_EQ(firmato.queryItemValue("tid"), m_numOrd);
    EXPECT_EQ(firmato.queryItemValue("currency"), "242");
    EXPECT_EQ(Session("ErrorGestPay").toInt(), 0);

    Set("CodiceEsercente", "");   // the component refuses: empty values
    EXPECT_EQ(Pagina()->URLValidazioneCartaCredito1(), "https://banca.test/gestpay/pagam.asp?a=&b=");
    EXPECT_EQ(Session("ErrorGestPay").toInt(), 1);

    OrdineCifraturaCarta::ImpostaFabbrica({});
    EXPECT_EQ(Pagina()->URLValidazioneCartaCredito1(), "");
    EXPECT_EQ(Session("ErrorGestPay").toInt(), OrdineCifraturaCarta::kErroreCreazione);
    EXPECT_FALSE(Pagina({{"a", "BOTTEGA01"}, {"b", "x"}})->ControlloEsitoValidazione1());
}

INSTANTIATE_TEST_SUITE_P(Engines, Cifrato, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

namespace {

struct CasoCifrato
{
    const char* nome;
    const char* login;        // sent back as a
    const char* chiave;       // the key the answer was signed with
    const char* numero;       // "{own}", "{other}" or a text
    const char* esito;
    bool atteso;
    const char* autorizzazione;   // of the visitor's order afterwards
    qint32 idClienteSessione = 0;
    bool ricaricata = false;      // the genuine answer came first
};

void PrintTo(const CasoCifrato& c, std::ostream* os) { *os << c.nome; }

class RispostaCifrata : public PagamentoBase,
                        public ::testing::TestWithParam<std::tuple<CAdoConnection::Engine, CasoCifrato>>
{
protected:
    void SetUp() override
    {
        Prepara(std::get<0>(GetParam()));
        OrdineCifraturaCarta::ImpostaFabbrica([] { return std::make_unique<CifraturaProva>(kChiave); });
    }
    void TearDown() override
    {
        OrdineCifraturaCarta::ImpostaFabbrica({});
        OrdinePagamentoCarta::ImpostaIndirizzoBanca(QString());
    }
};

} // namespace

const CasoCifrato kCifrati[] = {
    {"GenuinePaymentIsRecorded", "BOTTEGA01", "chiave-condivisa", "{own}", "OK", true, "AUT7"},
    {"RefusalRecordsNothing", "BOTTEGA01", "chiave-condivisa", "{own}", "KO", false, ""},
    {"ForgedSignatureRecordsNothing", "BOTTEGA01", "altra-chiave", "{own}", "OK", false, ""},
    {"AnotherShopsLoginRecordsNothing", "ALTRO", "chiave-condivisa", "{own}", "OK", false, ""},
    {"AnotherCustomersOrderIsRefused", "BOTTEGA01", "chiave-condivisa", "{other}", "OK", false, ""},
    {"AnotherVisitorsSessionIsRefused", "BOTTEGA01", "chiave-condivisa", "{own}", "OK", false, "", 8},
    {"SqlInTheOrderNumber", "BOTTEGA01", "chiave-condivisa", "{own} OR 1=1", "OK", false, ""},
    {"ReloadedAnswerStillCounts", "BOTTEGA01", "chiave-condivisa", "{own}", "OK", true, "AUT7", 0, true},
};

TEST_P(RispostaCifrata, OnlyASignedPaymentOfTheOwnOrderCounts)
{
    const CasoCifrato& c = std::get<1>(GetParam());
    const auto risposta = [&](const QByteArray& chiave, const QString& numero, const QString& esito) {
        return CifraturaProva::Risposta(chiave, "BOTTEGA01", numero, esito, "AUT7");
    };
    if (c.ricaricata)
        ASSERT_TRUE(Pagina({{"a", "BOTTEGA01"}, {"b", risposta(kChiave, m_numOrd, "OK")}})->ControlloEsitoValidazione1());
    if (c.idClienteSessione)
        Set("IDClienteOrdine", c.idClienteSessione);
    QString numero = QString::fromUtf8(c.numero);
    numero.replace("{own}", m_numOrd).replace("{other}", "2026011000000500");
    const QString b = risposta(c.chiave, numero, c.esito);
    EXPECT_EQ(Pagina({{"a", c.login}, {"b", b}})->ControlloEsitoValidazione1(), c.atteso);
    EXPECT_EQ(Autorizzazione(m_idOrdine), QString::fromUtf8(c.autorizzazione));
    EXPECT_EQ(Autorizzazione(1000000500), "");
}

INSTANTIATE_TEST_SUITE_P(Engines, RispostaCifrata,
                         ::testing::Combine(::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                                            ::testing::ValuesIn(kCifrati)),
                         [](const auto& info) {
                             return std::string(CAdoTestDatabase::EngineName(std::get<0>(info.param))) + "_"
                                 + std::get<1>(info.param).nome;
                         });
