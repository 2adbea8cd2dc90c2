#include "platform/ado/CAdoConnection.h"
#include "platform/password/CPasswordHash.h"
#include "recordset/schema/ShopSchemaDdl.h"
#include "server/core/testing/CQtrTestShop.h"
#include "server/sms/SMS.h"
#include "server/sms/SmsGateway.h"
#include "server/sms/testing/SmsStandInGateway.h"
#include "server/sync/AggiornamentoAccesso.h"

#include <gtest/gtest.h>

#include <QSqlQuery>

#include <thread>
#include <vector>

namespace {

using Fields = QList<QPair<QString, QString>>;

const QString kInsufficiente = "Credito insufficiente per l'invio del messaggio!";

// The host's relay with one account ("negozio") and a stand-in gateway on
// loopback, on either engine.
class SmsRelay : public testing::TestWithParam<CAdoConnection::Engine>
{
protected:
    SmsRelay() : m_shop(GetParam()), m_hostDb(GetParam())
    {
        m_hostDb.Execute(GetParam() == CAdoConnection::SQLite ? ShopSchemaDdl::SqliteStatements(QtrDbFile::Host)
                                                              : ShopSchemaDdl::PostgresStatements(QtrDbFile::Host));
        m_shop.Host().AddVirtualFolder("/db", m_hostDb.Folder());
        m_hostDb.Connect()->Execute("INSERT INTO Utenti (CodiceUtente, Password, Directory, CreditoSMS) VALUES (?,?,?,0)",
                                    {"negozio", CPasswordHash::Hash("pa&ss=1"), "negozio"});
        AggiornamentoAccesso::Dimentica();
        SmsGateway::ImpostaAccount({m_gateway.Start(), "gtorvel", "gu<f&no>", 5});
    }
    ~SmsRelay() override { SmsGateway::ImpostaAccount({}); }

    void SetCredit(qint64 credit)
    {
        m_hostDb.Connect()->Execute("UPDATE Utenti SET CreditoSMS=? WHERE CodiceUtente='negozio'", {credit});
    }
    qint64 Credit()
    {
        QSqlQuery query = m_hostDb.Connect()->Run("SELECT CreditoSMS FROM Utenti WHERE CodiceUtente='negozio'");
        return query.next() ? query.value(0).toLongLong() : -999;
    }

    QString Call(const char* method, const Fields& fields = {}, const QString& password = "pa&ss=1",
                 const QString& user = "negozio")
    {
        auto page = m_shop.NewPage();
        page->TestRequest().SetMethod("POST");
        page->TestRequest().AddForm("PF_UserCode", user);
        page->TestRequest().AddForm("PF_Password", password);
        for (const auto& [name, value] : fields)
            page->TestRequest().AddForm(name, value);
        auto* sms = page->Create<SMS>("QTR50.SMS");
        EXPECT_TRUE(QMetaObject::invokeMethod(sms, method));
        sms->Free();
        return page->TestResponse().Output();
    }

    QString Send(const QString& text = "Ordine spedito", const QString& recipient = "+39 333 1234567")
    {
        return Call("InvioMessaggio", {{"originator", "Bottega"}, {"recipient", recipient}, {"messagetext", text}});
    }

    CQtrTestShop m_shop;
    CAdoTestDatabase m_hostDb;
    SmsStandInGateway m_gateway;
};

TEST_P(SmsRelay, TheCreditIsOkFollowedByTheNumberAndNeverAsksTheGateway)
{
    for (const qint64 credit : {25LL, 0LL, -3LL}) {
        SetCredit(credit);
        EXPECT_EQ(Call("ControlloCredito"), "OK" + QString::number(credit));
    }
    EXPECT_TRUE(m_gateway.Messages().isEmpty());
}

TEST_P(SmsRelay, ALoginThatFailsIsRefusedWithTheSynchronisationsTexts)
{
    SetCredit(5);
    EXPECT_EQ(Call("ControlloCredito", {}, "sbagliata"), "Password errata!");
    EXPECT_EQ(Call("InvioMessaggio", {{"messagetext", "x"}}, "sbagliata"), "Password errata!");
    EXPECT_EQ(Call("ControlloCredito", {}, "pa&ss=1", "nessuno' OR '1'='1"), "Utente sconosciuto!");
    EXPECT_EQ(Credit(), 5);
    EXPECT_TRUE(m_gateway.Messages().isEmpty());
}

TEST_P(SmsRelay, TheLastCreditSendsOneMessageAndTheNextIsRefusedBeforeTheGateway)
{
    SetCredit(1);
    EXPECT_EQ(Send(), "OK");
    EXPECT_EQ(Credit(), 0);
    EXPECT_EQ(Send(), kInsufficiente);
    EXPECT_EQ(m_gateway.Messages().size(), 1);
    EXPECT_EQ(Call("ControlloCredito"), "OK0");
}

TEST_P(SmsRelay, ANegativeCreditIsRefusedToo)
{
    SetCredit(-2);
    EXPECT_EQ(Send(), kInsufficiente);
    EXPECT_EQ(Credit(), -2);
    EXPECT_TRUE(m_gateway.Messages().isEmpty());
}

// What the desktop typed reaches the phone as typed: the document stays
// well-formed and the form field whole whatever the text holds.
TEST_P(SmsRelay, TheGatewayReadsTheValuesAsTypedInAWellFormedDocument)
{
    SetCredit(3);
    const QString text = "Tom & Jerry <b>1+1=2</b> 100% è € </MessageText><Recipient>999</Recipient>";
    ASSERT_EQ(Call("InvioMessaggio", {{"originator", "Bottega&Co"}, {"recipient", " 333 12 34"}, {"messagetext", text}}),
              "OK");
    const QList<SmsStandInGateway::Messaggio> messages = m_gateway.Messages();
    ASSERT_EQ(messages.size(), 1);
    const SmsStandInGateway::Messaggio& m = messages.first();
    EXPECT_TRUE(m.wellFormed) << m.documento.toStdString();
    EXPECT_EQ(m.text, text);
    EXPECT_EQ(m.originator, "Bottega&Co");
    EXPECT_EQ(m.recipient, " 333 12 34");
    EXPECT_EQ(m.username, "gtorvel");
    EXPECT_EQ(m.password, "gu<f&no>");
    EXPECT_EQ(m.messageType, "0");
    EXPECT_EQ(m.deliveryReport, "N");
    EXPECT_EQ(Credit(), 2);
}

TEST_P(SmsRelay, AGatewayRefusalIsRepliedAsItsTextAndCostsNothing)
{
    SetCredit(4);
    m_gateway.SetAnswer(12, "Numero di destinazione non valido");
    EXPECT_EQ(Send(), "Numero di destinazione non valido");
    // A refusal whose text is "OK" must not read as sent on the desktop.
    m_gateway.SetAnswer(3, "OK");
    const QString reply = Send();
    EXPECT_NE(reply, "OK");
    EXPECT_TRUE(reply.contains("3")) << reply.toStdString();
    m_gateway.SetAnswer(0, "qualunque testo");
    EXPECT_EQ(Send(), "OK");
    EXPECT_EQ(Credit(), 3);
}

struct FaultCase
{
    const char* name;
    QByteArray answer;   // empty: the gateway cannot be reached
};

// A gateway that cannot be reached or answers what is not its document:
// the desktop gets a reason, never "OK", and the credit stays.
TEST_P(SmsRelay, AGatewayFaultIsAReasonAndTheCreditStays)
{
    const std::vector<FaultCase> cases{
        {"NotXml", "Service Unavailable"},
        {"BrokenXml", "<SMSGateway><Status>0</Status><ID>1</ID><Message>ok"},
        {"NoGatewayElement", "<Risposta><Status>0</Status><ID>1</ID><Message>ok</Message></Risposta>"},
        {"TwoChildren", "<SMSGateway><Status>0</Status><ID>1</ID></SMSGateway>"},
        {"StatusNotANumber", "<SMSGateway><Status>zero</Status><ID>1</ID><Message>ok</Message></SMSGateway>"},
        {"Unreachable", ""},
    };
    SetCredit(2);
    for (const FaultCase& c : cases) {
        if (c.answer.isEmpty())
            SmsGateway::ImpostaAccount({"http://127.0.0.1:1", "gtorvel", "gufeno", 5});
        else
            m_gateway.SetRawAnswer(c.answer);
        const QString reply = Send();
        EXPECT_FALSE(reply.isEmpty()) << c.name;
        EXPECT_NE(reply, "OK") << c.name;
        EXPECT_EQ(Credit(), 2) << c.name;
    }
    SmsGateway::ImpostaAccount({});
    EXPECT_NE(Send(), "OK");
    EXPECT_EQ(Credit(), 2);
}

// Messages sent at the same moment, the gateway slow to answer: each takes
// its credit before it goes, so no more go than there was credit for.
TEST_P(SmsRelay, MessagesSentAtOnceNeverSpendMoreThanTheCredit)
{
    SetCredit(3);
    m_gateway.SetDelayMs(60);
    constexpr int kSenders = 8;
    std::vector<std::unique_ptr<CAspTestPage>> pages;
    std::vector<SMS*> objects;
    for (int i = 0; i < kSenders; ++i) {
        pages.push_back(m_shop.NewPage());
        pages.back()->TestRequest().SetMethod("POST");
        pages.back()->TestRequest().AddForm("PF_UserCode", "negozio");
        pages.back()->TestRequest().AddForm("PF_Password", "pa&ss=1");
        pages.back()->TestRequest().AddForm("messagetext", QString("Messaggio %1").arg(i));
        objects.push_back(pages.back()->Create<SMS>("QTR50.SMS"));
    }
    // The login is checked once first, so the senders race on the credit.
    EXPECT_EQ(Call("ControlloCredito"), "OK3");
    std::vector<std::thread> senders;
    for (SMS* sms : objects)
        senders.emplace_back([sms] { sms->InvioMessaggio(); });
    for (std::thread& t : senders)
        t.join();
    int sent = 0;
    int refused = 0;
    for (int i = 0; i < kSenders; ++i) {
        objects[i]->Free();
        const QString reply = pages[i]->TestResponse().Output();
        sent += reply == "OK";
        refused += reply == kInsufficiente;
    }
    EXPECT_EQ(sent, 3);
    EXPECT_EQ(refused, kSenders - 3);
    EXPECT_EQ(m_gateway.Messages().size(), 3);
    EXPECT_EQ(Credit(), 0);
}

INSTANTIATE_TEST_SUITE_P(Engines, SmsRelay, testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

} // namespace
