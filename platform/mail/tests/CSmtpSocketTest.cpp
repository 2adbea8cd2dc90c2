#include "platform/mail/CSmtpSocket.h"
#include "platform/mail/SmtpMail.h"
#include "platform/mail/tests/SmtpTestServer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QJsonArray>
#include <QRegularExpression>
#include <QTcpServer>

#include <memory>

namespace {

const QString kShop = QStringLiteral("negozio@esempio.it");
const QString kCustomer = QStringLiteral("cliente@esempio.it");

// The values of every header of that name, in order.
QStringList HeaderValues(const QJsonObject& message, const QString& strName)
{
    QStringList listValues;
    for (const QJsonValue& header : message.value(QStringLiteral("headers")).toArray()) {
        const QJsonArray pair = header.toArray();
        if (pair.at(0).toString().compare(strName, Qt::CaseInsensitive) == 0)
            listValues << pair.at(1).toString();
    }
    return listValues;
}

QString Body(const QJsonObject& message)
{
    QString strBody = message.value(QStringLiteral("body")).toString();
    return strBody.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

QStringList Recipients(const QJsonObject& message)
{
    QStringList listTo;
    for (const QJsonValue& value : message.value(QStringLiteral("rcpt_tos")).toArray())
        listTo << value.toString();
    return listTo;
}

// A port on which nothing listens: taken from the system, then let go.
quint16 ClosedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    const quint16 nPort = server.serverPort();
    server.close();
    return nPort;
}

class CSmtpSocketTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_pServer = std::make_unique<SmtpTestServer>();
        s_strStartError = s_pServer->Start();
    }

    static void TearDownTestSuite()
    {
        s_pServer.reset();
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_strStartError.isEmpty()) << s_strStartError.toStdString();
        s_pServer->Clear();
        m_smtp.SetTimeout(10000);
        ASSERT_TRUE(m_smtp.Connect(QStringLiteral("127.0.0.1"), s_pServer->Port()))
            << m_smtp.GetLastErrorText().toStdString();
    }

    void TearDown() override
    {
        m_smtp.Quit();
    }

    bool Send(const QString& strFrom, const QString& strTo, const QString& strSubject,
              const QString& strBody)
    {
        m_smtp.SetFrom(strFrom);
        m_smtp.SetTo(strTo);
        m_smtp.SetSubject(strSubject);
        m_smtp.SetBody(strBody);
        return m_smtp.SendMail();
    }

    static QList<QJsonObject> Messages()
    {
        return s_pServer->Messages();
    }

    static inline std::unique_ptr<SmtpTestServer> s_pServer;
    static inline QString s_strStartError;
    CSmtpSocket m_smtp;
};

} // namespace

TEST_F(CSmtpSocketTest, PlainMessageArrivesWhole)
{
    ASSERT_TRUE(Send(kShop, kCustomer, QStringLiteral("Conferma ordine"),
                     QStringLiteral("Grazie per l'ordine.\r\nA presto.")))
        << m_smtp.GetLastErrorText().toStdString();
    EXPECT_TRUE(m_smtp.GetLastErrorText().isEmpty());

    const QList<QJsonObject> listMessages = Messages();
    ASSERT_EQ(listMessages.size(), 1);
    const QJsonObject& message = listMessages.first();
    EXPECT_EQ(message.value(QStringLiteral("mail_from")).toString(), kShop);
    EXPECT_EQ(Recipients(message), QStringList{kCustomer});
    EXPECT_EQ(HeaderValues(message, QStringLiteral("From")), QStringList{kShop});
    EXPECT_EQ(HeaderValues(message, QStringLiteral("To")), QStringList{kCustomer});
    EXPECT_EQ(HeaderValues(message, QStringLiteral("Subject")), QStringList{QStringLiteral("Conferma ordine")});
    const QStringList listDates = HeaderValues(message, QStringLiteral("Date"));
    ASSERT_EQ(listDates.size(), 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral(
                    "^(Mon|Tue|Wed|Thu|Fri|Sat|Sun), \\d\\d (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) "
                    "\\d{4} \\d\\d:\\d\\d:\\d\\d [+-]\\d{4}$"))
                    .match(listDates.first())
                    .hasMatch())
        << listDates.first().toStdString();
    EXPECT_EQ(message.value(QStringLiteral("content_type")).toString(), QStringLiteral("text/plain"));
    EXPECT_EQ(message.value(QStringLiteral("charset")).toString(), QStringLiteral("utf-8"));
    EXPECT_EQ(Body(message), QStringLiteral("Grazie per l'ordine.\nA presto.\n"));
    EXPECT_TRUE(message.value(QStringLiteral("defects")).toArray().isEmpty());
    // The server's EHLO reply runs over several lines; the client read it whole.
    EXPECT_EQ(s_pServer->Commands().value(0), QStringLiteral("EHLO qtr"));
}

TEST_F(CSmtpSocketTest, Utf8SubjectAndBodyDecode)
{
    const QString strSubject = QStringLiteral(
        "Novità: caffè e tè in offerta — € 10 😀, solo questa settimana nel nostro negozio!");
    const QString strBody = QStringLiteral("Perché aspettare?\n") + QString(150, QChar(0xE0))
                            + QStringLiteral("\nPrezzo: 10 €\nSaluti = ciao \n");
    ASSERT_TRUE(Send(kShop, kCustomer, strSubject, strBody)) << m_smtp.GetLastErrorText().toStdString();

    const QList<QJsonObject> listMessages = Messages();
    ASSERT_EQ(listMessages.size(), 1);
    EXPECT_EQ(HeaderValues(listMessages.first(), QStringLiteral("Subject")), QStringList{strSubject});
    EXPECT_EQ(Body(listMessages.first()), strBody);
    for (const QString& strLine : listMessages.first().value(QStringLiteral("raw")).toString().split(QStringLiteral("\r\n")))
        EXPECT_LE(strLine.size(), 78) << strLine.toStdString();
}

TEST_F(CSmtpSocketTest, HtmlBodyGoesAsHtml)
{
    m_smtp.SetHtml(true);
    const QString strBody = QStringLiteral("<p>Caro cliente, <b>più</b> sconti!</p>");
    ASSERT_TRUE(Send(kShop, kCustomer, QStringLiteral("Saldi"), strBody))
        << m_smtp.GetLastErrorText().toStdString();
    const QList<QJsonObject> listMessages = Messages();
    ASSERT_EQ(listMessages.size(), 1);
    EXPECT_EQ(listMessages.first().value(QStringLiteral("content_type")).toString(), QStringLiteral("text/html"));
    EXPECT_EQ(Body(listMessages.first()), strBody + QStringLiteral("\n"));
}

TEST_F(CSmtpSocketTest, LinesStartingWithDotsArriveUnchanged)
{
    const QString strBody = QStringLiteral("prima\n.\n..due punti\n.riga\nultima");
    ASSERT_TRUE(Send(kShop, kCustomer, QStringLiteral("Punti"), strBody))
        << m_smtp.GetLastErrorText().toStdString();
    const QList<QJsonObject> listMessages = Messages();
    ASSERT_EQ(listMessages.size(), 1);
    EXPECT_EQ(Body(listMessages.first()), strBody + QStringLiteral("\n"));
}

TEST_F(CSmtpSocketTest, SeveralRecipientsShareOneToHeader)
{
    ASSERT_TRUE(Send(kShop, QStringLiteral("a@esempio.it; b@esempio.it, c@esempio.it"),
                     QStringLiteral("Avviso"), QStringLiteral("Testo")))
        << m_smtp.GetLastErrorText().toStdString();
    const QList<QJsonObject> listMessages = Messages();
    ASSERT_EQ(listMessages.size(), 1);
    const QStringList listAll = {QStringLiteral("a@esempio.it"), QStringLiteral("b@esempio.it"),
                                 QStringLiteral("c@esempio.it")};
    EXPECT_EQ(Recipients(listMessages.first()), listAll);
    EXPECT_EQ(HeaderValues(listMessages.first(), QStringLiteral("To")),
              QStringList{listAll.join(QStringLiteral(", "))});
}

TEST_F(CSmtpSocketTest, RefusalsAreErrorsWithTheServersText)
{
    struct Case
    {
        QString from;
        QString to;
        QString error;
        QString lastCommand; // what the server saw last: nothing after the refusal
    };
    const Case cases[] = {
        {kShop, QStringLiteral("refuse-rcpt@esempio.it"),
         QStringLiteral("550 5.1.1 Mailbox unavailable: refuse-rcpt@esempio.it\r\n"),
         QStringLiteral("RCPT refuse-rcpt@esempio.it")},
        {kShop, QStringLiteral("refuse-multi@esempio.it"),
         QStringLiteral("550-5.7.1 First line of the refusal\r\n550 5.7.1 Second line of the refusal\r\n"),
         QStringLiteral("RCPT refuse-multi@esempio.it")},
        {QStringLiteral("refuse-data@esempio.it"), kCustomer,
         QStringLiteral("554 5.6.0 Message content refused\r\n"), QStringLiteral("DATA")},
    };
    for (const Case& c : cases) {
        s_pServer->Clear();
        EXPECT_FALSE(Send(c.from, c.to, QStringLiteral("Rifiutato"), QStringLiteral("Testo")));
        EXPECT_EQ(m_smtp.GetLastErrorText(), c.error);
        EXPECT_TRUE(Messages().isEmpty());
        EXPECT_EQ(s_pServer->Commands().value(s_pServer->Commands().size() - 1), c.lastCommand);

        // The connection stays usable: the next recipient of a mailing goes out.
        EXPECT_TRUE(m_smtp.IsConnected());
        EXPECT_TRUE(Send(kShop, kCustomer, QStringLiteral("Dopo"), QStringLiteral("Testo")))
            << m_smtp.GetLastErrorText().toStdString();
        EXPECT_EQ(Messages().size(), 1);
    }
}

TEST_F(CSmtpSocketTest, BadAddressesAreRefusedBeforeAnythingIsSent)
{
    struct Case
    {
        QString from;
        QString to;
        const char* errorStart;
    };
    const Case cases[] = {
        {kShop, QStringLiteral("a@esempio.it\r\nRCPT TO:<b@esempio.it>"), "Destinatario: Indirizzo email non valido"},
        {kShop, QStringLiteral("<a@esempio.it>"), "Destinatario: Indirizzo email non valido"},
        {kShop, QStringLiteral("a@esempio.it, b@esempio.it>"), "Destinatario: Indirizzo email non valido"},
        {kShop, QString(), "Destinatario: Indirizzo email mancante."},
        {QStringLiteral("negozio@esempio.it\nBcc: tutti@esempio.it"), kCustomer, "Mittente: Indirizzo email non valido"},
        {QString(), kCustomer, "Mittente: Indirizzo email mancante."},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(Send(c.from, c.to, QStringLiteral("Oggetto"), QStringLiteral("Testo")));
        EXPECT_TRUE(m_smtp.GetLastErrorText().startsWith(QString::fromUtf8(c.errorStart)))
            << m_smtp.GetLastErrorText().toStdString();
        EXPECT_TRUE(m_smtp.IsConnected());
    }
    EXPECT_TRUE(s_pServer->Commands().isEmpty()) << s_pServer->Commands().join(QChar('|')).toStdString();
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(CSmtpSocketTest, MailingRunSendsManyOnOneConnectionThenQuits)
{
    // The mailing's own pattern: Connect once, then one message per
    // recipient, a second Connect being a no-op while connected.
    EXPECT_TRUE(m_smtp.Connect(QStringLiteral("127.0.0.1"), s_pServer->Port()));
    EXPECT_TRUE(s_pServer->Commands().isEmpty());
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(Send(kShop, QStringLiteral("cliente%1@esempio.it").arg(i), QStringLiteral("Novità"),
                         QStringLiteral("Messaggio %1").arg(i)))
            << m_smtp.GetLastErrorText().toStdString();
    const QList<QJsonObject> listMessages = Messages();
    ASSERT_EQ(listMessages.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Body(listMessages[i]), QStringLiteral("Messaggio %1\n").arg(i));

    m_smtp.Quit();
    EXPECT_FALSE(m_smtp.IsConnected());
    EXPECT_FALSE(Send(kShop, kCustomer, QStringLiteral("Tardi"), QStringLiteral("Testo")));
    EXPECT_EQ(m_smtp.GetLastErrorText(), QStringLiteral("Connessione al server SMTP non aperta."));
}

TEST_F(CSmtpSocketTest, WaitHookRunsWhileTheClientWaits)
{
    m_smtp.Quit();
    int nCalls = 0;
    m_smtp.SetWaitHook([&nCalls] {
        ++nCalls;
        QCoreApplication::processEvents();
    });
    ASSERT_TRUE(m_smtp.Connect(QStringLiteral("localhost"), s_pServer->Port()))
        << m_smtp.GetLastErrorText().toStdString();
    ASSERT_TRUE(Send(kShop, kCustomer, QStringLiteral("Con finestra viva"), QStringLiteral("Testo")))
        << m_smtp.GetLastErrorText().toStdString();
    EXPECT_GT(nCalls, 0);
    EXPECT_EQ(Messages().size(), 1);
}

TEST_F(CSmtpSocketTest, SendSmtpMailSendsOneMessage)
{
    SmtpMail mail;
    mail.from = kShop;
    mail.to = {QStringLiteral("a@esempio.it"), QStringLiteral("b@esempio.it")};
    mail.subject = QStringLiteral("Ordine ricevuto");
    mail.body = QStringLiteral("Il suo ordine è arrivato.");
    mail.server = QStringLiteral("127.0.0.1");
    mail.port = s_pServer->Port();
    const SmtpResult result = SendSmtpMail(mail);
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_TRUE(result.error.isEmpty());
    const QList<QJsonObject> listMessages = Messages();
    ASSERT_EQ(listMessages.size(), 1);
    EXPECT_EQ(Recipients(listMessages.first()), mail.to);
    EXPECT_EQ(Body(listMessages.first()), mail.body + QStringLiteral("\n"));

    mail.from = QStringLiteral("refuse-data@esempio.it");
    const SmtpResult refused = SendSmtpMail(mail);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.error, QStringLiteral("554 5.6.0 Message content refused\r\n"));
}

TEST(CSmtpSocketConnectTest, RefusedConnectionIsAnError)
{
    const quint16 nPort = ClosedPort();
    CSmtpSocket smtp;
    smtp.SetTimeout(5000);
    EXPECT_FALSE(smtp.Connect(QStringLiteral("127.0.0.1"), nPort));
    EXPECT_FALSE(smtp.IsConnected());
    EXPECT_FALSE(smtp.GetLastErrorText().isEmpty());

    SmtpMail mail;
    mail.from = kShop;
    mail.to = {kCustomer};
    mail.server = QStringLiteral("127.0.0.1");
    mail.port = nPort;
    const SmtpResult result = SendSmtpMail(mail);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
}

TEST(CSmtpSocketConnectTest, UnknownHostIsAnError)
{
    CSmtpSocket smtp;
    smtp.SetTimeout(5000);
    EXPECT_FALSE(smtp.Connect(QStringLiteral("host-che-non-esiste.invalid")));
    EXPECT_FALSE(smtp.IsConnected());
    EXPECT_FALSE(smtp.GetLastErrorText().isEmpty());
}
