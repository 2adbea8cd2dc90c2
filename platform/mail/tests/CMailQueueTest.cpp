#include "platform/mail/CMailQueue.h"
#include "platform/mail/CSmtpMessage.h"
#include "platform/mail/tests/SmtpTestServer.h"
#include "platform/testing/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QTcpServer>
#include <QThread>

namespace {

SmtpMail Messaggio(const QString& to = QStringLiteral("anna@esempio.it"))
{
    SmtpMail mail;
    mail.from = QStringLiteral("ordini@bottega.it");
    mail.to = {to};
    mail.subject = QStringLiteral("Nuovo ordine");
    mail.body = QStringLiteral("Ordine n. 1 è arrivato");
    return mail;
}

// A queue in temp that delivers to the test relay.
CMailQueue::Settings VersoRelay(const TempFolder& temp, const SmtpTestServer& relay)
{
    CMailQueue::Settings impostazioni;
    impostazioni.folder = temp.FilePath("posta");
    impostazioni.server = QStringLiteral("127.0.0.1");
    impostazioni.port = relay.Port();
    return impostazioni;
}

quint16 PortaChiusa()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort();
}

} // namespace

// The relay is down when the page stores the mail; the process stops; a
// new queue on the same folder delivers it once the relay is back and its
// wait has run out.
TEST(CMailQueueTest, AMailOutlivesADownRelayAndARestart)
{
    TempFolder temp;
    QStringList registro;
    CMailQueue::Settings impostazioni;
    impostazioni.folder = temp.FilePath("posta");
    impostazioni.server = QStringLiteral("127.0.0.1");
    impostazioni.port = PortaChiusa();
    impostazioni.log = [&](const QString& riga) { registro << riga; };
    const QDateTime adesso = QDateTime::currentDateTimeUtc();
    {
        CMailQueue coda(impostazioni);
        ASSERT_EQ(coda.Accoda(Messaggio()), "");
        EXPECT_EQ(coda.InviaScadute(adesso.addSecs(1)), 0);
        EXPECT_EQ(coda.InAttesa(), 1);
        ASSERT_EQ(registro.size(), 1);
        EXPECT_TRUE(registro[0].contains("anna@esempio.it")) << registro[0].toStdString();
        // Not due again before its wait.
        EXPECT_EQ(coda.InviaScadute(adesso.addSecs(30)), 0);
        EXPECT_EQ(registro.size(), 1);
    }
    SmtpTestServer relay;
    ASSERT_EQ(relay.Start(), "");
    impostazioni.port = relay.Port();
    CMailQueue dopo(impostazioni);
    EXPECT_EQ(dopo.InviaScadute(adesso.addSecs(120)), 1);
    EXPECT_EQ(dopo.InAttesa(), 0);
    const QList<QJsonObject> posta = relay.Messages();
    ASSERT_EQ(posta.size(), 1);
    EXPECT_EQ(posta[0]["rcpt_tos"].toArray().first().toString(), "anna@esempio.it");
    EXPECT_TRUE(posta[0]["body"].toString().contains("è arrivato"));
}

// The address answers go to travels with the stored message to the
// relay's Reply-To header; one that would add headers is refused.
TEST(CMailQueueTest, ReplyToIsKeptInTheQueue)
{
    TempFolder temp;
    SmtpTestServer relay;
    ASSERT_EQ(relay.Start(), "");
    const CMailQueue::Settings impostazioni = VersoRelay(temp, relay);
    CMailQueue coda(impostazioni);
    SmtpMail mail = Messaggio();
    mail.replyTo = QStringLiteral("a@b.it\r\nBcc: c@d.it");
    EXPECT_NE(coda.Accoda(mail), "");
    mail.replyTo = QStringLiteral("visitatore@esempio.it");
    ASSERT_EQ(coda.Accoda(mail), "");
    EXPECT_EQ(coda.InviaScadute(QDateTime::currentDateTimeUtc().addSecs(1)), 1);
    const QList<QJsonObject> posta = relay.Messages();
    ASSERT_EQ(posta.size(), 1);
    QString risposta;
    for (const auto& h : posta[0]["headers"].toArray())
        if (h.toArray()[0].toString() == "Reply-To")
            risposta = h.toArray()[1].toString();
    EXPECT_EQ(risposta, "visitatore@esempio.it");
}

// An address the client would refuse never enters the queue; one that
// stays undelivered past the longest age is set aside, not lost.
TEST(CMailQueueTest, BadAddressesAreRefusedAndOldMailIsSetAside)
{
    TempFolder temp;
    CMailQueue::Settings impostazioni;
    impostazioni.folder = temp.FilePath("posta");
    impostazioni.port = PortaChiusa();
    impostazioni.server = QStringLiteral("127.0.0.1");
    impostazioni.longestAgeSeconds = 60;
    CMailQueue coda(impostazioni);
    for (const QString& cattivo : {QStringLiteral("anna.rossì@example.com"), QStringLiteral("a@b.it\r\nRCPT TO:<x@y>"),
                                   QString()})
        EXPECT_NE(coda.Accoda(Messaggio(cattivo)), "") << cattivo.toStdString();
    EXPECT_EQ(coda.InAttesa(), 0);
    ASSERT_EQ(coda.Accoda(Messaggio()), "");
    coda.InviaScadute(QDateTime::currentDateTimeUtc().addSecs(3600));
    EXPECT_EQ(coda.InAttesa(), 0);
    EXPECT_EQ(QDir(impostazioni.folder + "/scartate").entryList(QDir::Files).size(), 1);
}

// The thread delivers what was queued without anyone asking.
TEST(CMailQueueTest, TheThreadDeliversWhatIsQueued)
{
    TempFolder temp;
    SmtpTestServer relay;
    ASSERT_EQ(relay.Start(), "");
    const CMailQueue::Settings impostazioni = VersoRelay(temp, relay);
    CMailQueue coda(impostazioni);
    coda.Avvia();
    ASSERT_EQ(coda.Accoda(Messaggio()), "");
    for (int i = 0; i < 100 && relay.Messages().isEmpty(); ++i)
        QThread::msleep(100);
    coda.Ferma();
    EXPECT_EQ(relay.Messages().size(), 1);
    EXPECT_EQ(coda.InAttesa(), 0);
}

TEST(CSmtpMessageTest, CheckMailboxTakesOneAddressOnly)
{
    EXPECT_EQ(CSmtpMessage::CheckMailbox("anna@esempio.it"), "");
    EXPECT_EQ(CSmtpMessage::CheckMailbox(" anna@esempio.it "), "");
    for (const char* cattivo : {"anna.rossì@example.com", "anna@esempio.it, bruno@esempio.it", "a@b.it;c@d.it",
                                "anna", "@esempio.it", "anna@", "a@b@c", "anna rossi@esempio.it", "<a@b.it>", ""})
        EXPECT_NE(CSmtpMessage::CheckMailbox(QString::fromUtf8(cattivo)), "") << cattivo;
}
