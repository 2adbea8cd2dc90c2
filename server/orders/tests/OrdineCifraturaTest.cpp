#include "server/orders/Ordine.h"
#include "server/orders/OrdineCifraturaCarta.h"
#include "server/orders/OrdinePagamentoCarta.h"
#include "server/orders/tests/CifraturaProva.h"
#include "server/orders/tests/PagamentoProva.h"

#include "platform/ado/CAdoRecordset.h"

#include <gtest/gtest.h>

#include <QUrl>
#include <QUrlQuery>

#include <memory>

// ---------------------------------------------------------------- the encrypted-string gateway

namespace {

struct CasoImportoCifrato
{
    const char* nome;
    int valuta;
    bool prova;
    qint64 centesimi, lire;
    const char* atteso;
};

void PrintTo(const CasoImportoCifrato& c, std::ostream* os) { *os << c.nome; }

class ImportoCifrato : public ::testing::TestWithParam<CasoImportoCifrato>
{
};

} // namespace

const CasoImportoCifrato kImportiCifrati[] = {
    {"EuroInExactHundredths", 242, false, 16860, 0, "168.60"},
    {"TwentyNineCents", 242, false, 29, 0, "0.29"},
    {"WholeLire", 18, false, 0, 326455, "326455"},
    {"AnotherCurrencyHasNoAmount", 1, false, 16860, 326455, ""},
    {"TestModeInEuro", 242, true, 16860, 0, "0.5"},
    {"TestModeInLire", 18, true, 0, 326455, "1000"},
};

TEST_P(ImportoCifrato, TheAmountIsTextWithADecimalPoint)
{
    const CasoImportoCifrato& c = GetParam();
    EXPECT_EQ(OrdineCifraturaCarta::Importo(c.valuta, c.prova, {c.centesimi, c.lire}), c.atteso);
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

// What the bank decrypts from the address the shopper is sent to.
QUrlQuery Firmato(const QString& url, const QString& prefisso)
{
    return QUrlQuery(QString::fromUtf8(QByteArray::fromBase64(
        QUrl::fromPercentEncoding(url.mid(prefisso.size()).toLatin1()).section('.', 0, 0).toLatin1(),
        QByteArray::Base64UrlEncoding)));
}

} // namespace

TEST_P(Cifrato, ThePaymentGoesOutEncryptedForTheStoredOrder)
{
    const QString prefisso = "https://banca.test/gestpay/pagam.asp?a=BOTTEGA01&b=";
    // The basket changed after the order was stored: the bank still gets
    // the order's amount.
    Set("Basket", "#3|1|0||0|");
    const QString url = Pagina()->URLValidazioneCartaCredito1();
    ASSERT_TRUE(url.startsWith(prefisso)) << url.toStdString();
    const QUrlQuery firmato = Firmato(url, prefisso);
    EXPECT_EQ(firmato.queryItemValue("amount"), "168.60");
    EXPECT_EQ(firmato.queryItemValue("tid"), m_numOrd);
    EXPECT_EQ(firmato.queryItemValue("currency"), "242");
    EXPECT_EQ(Session("ErrorGestPay").toInt(), 0);
    EXPECT_EQ(Richieste(), QStringList{QString::number(m_idOrdine) + "/0/168.60"});

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
    const char* importo;      // the amount the bank signed
    bool atteso;
    const char* autorizzazione;   // of the visitor's order afterwards
    bool notifica = false;
    bool ricaricata = false;      // the genuine answer came first
    bool scaduta = false;         // the Session expired at the bank
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
        ASSERT_FALSE(Pagina()->URLValidazioneCartaCredito1().isEmpty());
    }
    void TearDown() override
    {
        OrdineCifraturaCarta::ImpostaFabbrica({});
        OrdinePagamentoCarta::ImpostaIndirizzoBanca(QString());
    }
};

} // namespace

const CasoCifrato kCifrati[] = {
    {"GenuinePaymentIsRecorded", "BOTTEGA01", "chiave-condivisa", "{own}", "OK", "168.60", true, "AUT7", true},
    {"AmountWithOneDecimalIsTheSame", "BOTTEGA01", "chiave-condivisa", "{own}", "OK", "168.6", true, "AUT7", true},
    {"RefusalRecordsNothing", "BOTTEGA01", "chiave-condivisa", "{own}", "KO", "168.60", false, ""},
    {"ForgedSignatureRecordsNothing", "BOTTEGA01", "altra-chiave", "{own}", "OK", "168.60", false, ""},
    {"AnotherShopsLoginRecordsNothing", "ALTRO", "chiave-condivisa", "{own}", "OK", "168.60", false, ""},
    {"ASmallerAmountPaysNothing", "BOTTEGA01", "chiave-condivisa", "{own}", "OK", "5.22", false, ""},
    {"AnAmountThatIsNoNumberPaysNothing", "BOTTEGA01", "chiave-condivisa", "{own}", "OK", "168,60", false, ""},
    {"AnOrderNeverSentToTheBankIsRefused", "BOTTEGA01", "chiave-condivisa", "{other}", "OK", "168.60", false, ""},
    {"SqlInTheOrderNumber", "BOTTEGA01", "chiave-condivisa", "{own} OR 1=1", "OK", "168.60", false, ""},
    {"ReloadedAnswerCountsWithoutAMail", "BOTTEGA01", "chiave-condivisa", "{own}", "OK", "168.60", true, "AUT7",
     false, true},
    {"ExpiredSessionStillRecordsThePayment", "BOTTEGA01", "chiave-condivisa", "{own}", "OK", "168.60", true, "AUT7",
     false, false, true},
};

TEST_P(RispostaCifrata, OnlyASignedPaymentInFullOfItsOrderCounts)
{
    const CasoCifrato& c = std::get<1>(GetParam());
    if (c.ricaricata)
        ASSERT_TRUE(Pagina({{"a", "BOTTEGA01"},
                            {"b", CifraturaProva::Risposta(kChiave, "BOTTEGA01", m_numOrd, "OK", "AUT7", "168.60")}})
                        ->ControlloEsitoValidazione1());
    if (c.scaduta)
        SessioneScaduta();
    QString numero = QString::fromUtf8(c.numero);
    numero.replace("{own}", m_numOrd).replace("{other}", "2026011000000500");
    const QString b = CifraturaProva::Risposta(c.chiave, "BOTTEGA01", numero, c.esito, "AUT7", c.importo);
    Ordine* pagina = Pagina({{"a", c.login}, {"b", b}});
    EXPECT_EQ(pagina->ControlloEsitoValidazione1(), c.atteso);
    EXPECT_EQ(pagina->PagamentoDaNotificare, c.notifica);
    EXPECT_EQ(Autorizzazione(m_idOrdine), QString::fromUtf8(c.autorizzazione));
    EXPECT_EQ(Autorizzazione(kAltroOrdine), "");
}

INSTANTIATE_TEST_SUITE_P(Engines, RispostaCifrata,
                         ::testing::Combine(::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                                            ::testing::ValuesIn(kCifrati)),
                         [](const auto& info) {
                             return std::string(CAdoTestDatabase::EngineName(std::get<0>(info.param))) + "_"
                                 + std::get<1>(info.param).nome;
                         });
