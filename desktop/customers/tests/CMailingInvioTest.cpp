// The mailing's send run against a real SMTP server on loopback: two
// hundred recipients, each message whole with its UTF-8 subject and body
// in the recipient's language, a refused and a malformed address reported
// and the run going on; the SMS credit asked for the recipients with a
// mobile number only; the SMS replies judged as the shop server gives them.

#include "desktop/customers/CMailingInvio.h"
#include "desktop/customers/IMailingSms.h"
#include "platform/mail/tests/SmtpTestServer.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

class RecordingUi : public CMailingInvio::IUi
{
public:
    void Message(const QString& text, const QString& caption, Icon) override { messages << caption + ": " + text; }
    void Progress(int position, int count, const QString& status) override
    {
        lastPosition = position;
        lastCount = count;
        lastStatus = status;
    }

    QStringList messages;
    int lastPosition = -1;
    int lastCount = -1;
    QString lastStatus;
};

class StandInSms : public IMailingSms
{
public:
    bool LoadSettings() override { return available; }
    Reply CheckCredit() override { return {true, credit}; }
    Reply Send(const QString& originator, const QString& recipient, const QString& text) override
    {
        sent << originator + "|" + recipient + "|" + text;
        return {true, recipient.contains("999") ? QStringLiteral("OK ") : QStringLiteral("OK")};
    }

    bool available = true;
    QString credit = QStringLiteral("OK250");
    QStringList sent;
};

class MailingRun : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_server = new SmtpTestServer;
        const QString error = s_server->Start();
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override { s_server->Clear(); }

    MailingJob Job(int recipients)
    {
        MailingJob job;
        job.strSender = QStringLiteral("negozio@example.com");
        job.strServer = QStringLiteral("127.0.0.1");
        job.nPort = s_server->Port();
        job.strDefaultLanguage = QStringLiteral("it");
        job.subject = {{"it", QStringLiteral("Novità d'autunno: caffè ☕")}, {"en", QStringLiteral("Autumn news")}};
        job.body = {{"it", QStringLiteral("Cara cliente,\r\nè arrivato l'autunno.\r\n.\r\nA presto")}};
        job.signature = {{"it", QStringLiteral("Bottega Rossi – Vigevano")}};
        for (int i = 0; i < recipients; ++i) {
            MailingRecipient r;
            r.nID = i + 1;
            r.strLabel = QStringLiteral("Cliente %1 : c%1@example.com").arg(i);
            r.strEmail = QStringLiteral("  C%1@Example.com ").arg(i);
            r.strLingua = i % 2 ? QStringLiteral("en") : QString();
            job.recipients << r;
        }
        return job;
    }

    static SmtpTestServer* s_server;
    RecordingUi ui;
};

SmtpTestServer* MailingRun::s_server = nullptr;

TEST_F(MailingRun, TwoHundredRecipientsEachGetTheirWholeMessage)
{
    MailingJob job = Job(200);
    job.recipients[57].strEmail = QStringLiteral("refuse-rcpt57@example.com");
    job.recipients[58].strEmail = QStringLiteral("senza-chiocciola.example.com");
    const CMailingInvio::Outcome outcome = CMailingInvio::Run(job, ui, nullptr);

    EXPECT_EQ(outcome.state, CMailingInvio::Completed);
    ASSERT_EQ(outcome.reports.size(), 200);
    EXPECT_EQ(outcome.reports.at(57).mail, CMailingInvio::Refused);
    EXPECT_EQ(outcome.reports.at(58).mail, CMailingInvio::BadAddress);
    EXPECT_EQ(outcome.reports.at(59).mail, CMailingInvio::Sent);
    EXPECT_TRUE(outcome.strLog.contains(QStringLiteral("Errore SMTP server: 550")));
    EXPECT_TRUE(outcome.strLog.contains(QStringLiteral(" - Cliente 57 : c57@example.com\r\n")));
    EXPECT_TRUE(outcome.strLog.contains(QStringLiteral("Cliente 58 : c58@example.com - manca il carattere @.\r\n")));
    EXPECT_EQ(ui.lastPosition, 199);
    EXPECT_EQ(ui.lastStatus, QStringLiteral("Invio messaggi 200/200 in corso..."));
    EXPECT_TRUE(ui.messages.isEmpty());

    const QList<QJsonObject> messages = s_server->WaitForMessages(198);
    ASSERT_EQ(messages.size(), 198);
    int english = 0;
    for (const QJsonObject& message : messages) {
        EXPECT_TRUE(message.value("defects").toArray().isEmpty());
        const QString to = message.value("rcpt_tos").toArray().at(0).toString();
        // Trimmed and in lower case.
        EXPECT_TRUE(to.startsWith('c') && to.endsWith("@example.com")) << to.toStdString();
        QString subject;
        for (const QJsonValue& header : message.value("headers").toArray())
            if (header.toArray().at(0).toString() == "Subject")
                subject = header.toArray().at(1).toString();
        const QString body = message.value("body").toString().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        // The body has no English text, so the default language's goes.
        EXPECT_EQ(body.toStdString(),
                  QStringLiteral("Cara cliente,\nè arrivato l'autunno.\n.\nA presto\nBottega Rossi – Vigevano\n")
                      .toStdString());
        if (subject == QStringLiteral("Autumn news"))
            ++english;
        else
            EXPECT_EQ(subject, QStringLiteral("Novità d'autunno: caffè ☕"));
    }
    EXPECT_EQ(english, 99);   // one of the hundred English recipients was refused
}

TEST_F(MailingRun, AnUnreachableServerStopsTheRunBeforeAnything)
{
    MailingJob job = Job(3);
    job.nPort = 1;
    const CMailingInvio::Outcome outcome = CMailingInvio::Run(job, ui, nullptr);
    EXPECT_EQ(outcome.state, CMailingInvio::Stopped);
    EXPECT_FALSE(outcome.bShowLog);
    EXPECT_EQ(ui.messages, QStringList{"Invio mail: Impossibile contattare il server."});
}

struct CreditCase
{
    const char* name;
    const char* reply;
    int mobiles;
    bool runs;
    const char* message;
};

class Credit : public MailingRun, public ::testing::WithParamInterface<CreditCase>
{
};

TEST_P(Credit, TheCreditCoversTheRecipientsWithAMobileNumber)
{
    const CreditCase& c = GetParam();
    MailingJob job = Job(10);
    job.bMail = false;
    job.bSms = true;
    job.smsText = {{"it", QString(200, QLatin1Char('x'))}};
    job.smsSender = {{"it", QStringLiteral("BottegaRossiVigevano")}};
    for (int i = 0; i < c.mobiles; ++i)
        job.recipients[i].strCellulare = QStringLiteral("333 12345%1").arg(i);
    StandInSms sms;
    sms.credit = QString::fromUtf8(c.reply);
    const CMailingInvio::Outcome outcome = CMailingInvio::Run(job, ui, &sms);
    EXPECT_EQ(outcome.state == CMailingInvio::Completed, c.runs);
    EXPECT_EQ(ui.messages.value(0), QString::fromUtf8(c.message));
    if (c.runs) {
        ASSERT_EQ(sms.sent.size(), c.mobiles);
        EXPECT_EQ(sms.sent.at(0), QStringLiteral("BottegaRoss|333 123450|") + QString(160, QLatin1Char('x')));
        // The English recipients have no sender name of their own.
        if (c.mobiles > 1)
            EXPECT_TRUE(sms.sent.at(1).startsWith(QStringLiteral("QTRList|")));
    } else {
        EXPECT_TRUE(sms.sent.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Credit,
    ::testing::Values(
        CreditCase{"CreditForTheMobilesOnly", "OK3", 3, true, ""},
        CreditCase{"TooLittleCredit", "OK2", 3, false,
                   "Controllo credito: Credito insufficiente per l'invio degli SMS!\n\nSMS da inviare: 3\nCredito "
                   "disponibile: 2"},
        CreditCase{"OkAloneIsNoCredit", "OK", 1, false,
                   "Controllo credito: Credito insufficiente per l'invio degli SMS!\n\nSMS da inviare: 1\nCredito "
                   "disponibile: 0"},
        CreditCase{"ErrorReplyShownAsItCame", "Account sospeso", 1, false, "Invio SMS: Account sospeso"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MailingRun, AnSmsReplyOtherThanOkIsLoggedWithTheNumber)
{
    MailingJob job = Job(2);
    job.bMail = false;
    job.bSms = true;
    job.smsText = {{"it", QStringLiteral("Saldi!")}};
    job.recipients[0].strCellulare = QStringLiteral("333 999");
    job.recipients[1].strCellulare = QStringLiteral("333 111");
    StandInSms sms;
    const CMailingInvio::Outcome outcome = CMailingInvio::Run(job, ui, &sms);
    EXPECT_EQ(outcome.strLog, QStringLiteral("Errore SMS server: [333 999] - OK \r\n"));
    EXPECT_EQ(outcome.reports.at(0).sms, CMailingInvio::Refused);
    EXPECT_EQ(outcome.reports.at(1).sms, CMailingInvio::Sent);

    StandInSms closed;
    closed.available = false;
    const CMailingInvio::Outcome silent = CMailingInvio::Run(job, ui, &closed);
    EXPECT_FALSE(silent.bShowLog);
    EXPECT_TRUE(closed.sent.isEmpty());
}

struct AddressCase
{
    const char* name;
    const char* address;
    const char* line;
};

class Addresses : public ::testing::TestWithParam<AddressCase>
{
};

TEST_P(Addresses, TheFirstFailingCheckNamesTheFault)
{
    QString log;
    const bool ok = CMailingInvio::CheckEmailAddress(QString::fromUtf8(GetParam().address), "Rossi", log);
    EXPECT_EQ(ok, GetParam().line[0] == 0);
    EXPECT_EQ(log, QString::fromUtf8(GetParam().line));
}

INSTANTIATE_TEST_SUITE_P(Cases, Addresses,
                         ::testing::Values(AddressCase{"Good", "a@b.it", ""},
                                           AddressCase{"NoAt", "ab.it", "Rossi - manca il carattere @.\r\n"},
                                           AddressCase{"NoUser", "@b.it", "Rossi - manca il nome utente.\r\n"},
                                           AddressCase{"NoDomain", "a@", "Rossi - manca il dominio.\r\n"},
                                           AddressCase{"NoDot", "a@bit", "Rossi - dominio errato.\r\n"},
                                           AddressCase{"OneAfterDot", "a@b.i", "Rossi - dominio errato.\r\n"},
                                           AddressCase{"DomainStartingWithDot", "a@.it", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
