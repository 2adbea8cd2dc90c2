#include "platform/mail/CSmtpSocket.h"
#include "platform/mail/tests/ScriptedSmtpPeer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTcpServer>

namespace {

const QMap<QByteArray, QByteArray> kHappyReplies = {
    {"EHLO", "250-peer.local\r\n250-8BITMIME\r\n250 HELP\r\n"},
    {"HELO", "250 peer.local\r\n"},
    {"MAIL", "250 OK\r\n"},
    {"RCPT", "250 OK\r\n"},
    {"DATA", "354 End data with <CR><LF>.<CR><LF>\r\n"},
    {".", "250 Queued\r\n"},
};

// A client whose waits drive the scripted peer, as the desktop's waits
// drive its window.
class PeerClient
{
public:
    explicit PeerClient(ScriptedSmtpPeer& peer)
    {
        m_smtp.SetTimeout(500);
        m_smtp.SetWaitHook([&peer] {
            QCoreApplication::processEvents();
            peer.Pump();
        });
        m_smtp.SetFrom(QStringLiteral("negozio@esempio.it"));
        m_smtp.SetTo(QStringLiteral("cliente@esempio.it"));
        m_smtp.SetSubject(QStringLiteral("Oggetto"));
        m_smtp.SetBody(QStringLiteral("Testo"));
    }

    CSmtpSocket m_smtp;
};

bool Sent(const ScriptedSmtpPeer& peer, const QByteArray& line)
{
    return peer.Received().contains(line);
}

} // namespace

TEST(CSmtpSocketPeerTest, GreetingInPiecesAndOverSeveralLinesIsReadWhole)
{
    ScriptedSmtpPeer peer({"220-peer.local wel", "come\r\n220-second line\r\n", "220 ready\r\n"}, kHappyReplies);
    PeerClient client(peer);
    ASSERT_TRUE(client.m_smtp.Connect(QStringLiteral("127.0.0.1"), peer.Port()))
        << client.m_smtp.GetLastErrorText().toStdString();
    // Had a piece of the greeting been left behind, it would have been taken
    // for the reply to EHLO and every later reply would be one step late.
    EXPECT_TRUE(client.m_smtp.SendMail()) << client.m_smtp.GetLastErrorText().toStdString();
    EXPECT_TRUE(Sent(peer, "EHLO qtr\r\n"));
    EXPECT_FALSE(Sent(peer, "HELO qtr\r\n"));
}

TEST(CSmtpSocketPeerTest, ServerWithoutEhloGetsHelo)
{
    QMap<QByteArray, QByteArray> replies = kHappyReplies;
    replies["EHLO"] = "502 5.5.2 Command not recognized\r\n";
    ScriptedSmtpPeer peer({"220 old.server\r\n"}, replies);
    PeerClient client(peer);
    ASSERT_TRUE(client.m_smtp.Connect(QStringLiteral("127.0.0.1"), peer.Port()));
    EXPECT_TRUE(client.m_smtp.SendMail()) << client.m_smtp.GetLastErrorText().toStdString();
    EXPECT_TRUE(Sent(peer, "HELO qtr\r\n"));
    EXPECT_TRUE(client.m_smtp.GetLastErrorText().isEmpty());
}

TEST(CSmtpSocketPeerTest, RefusingGreetingConnectsAndTheFirstCommandFails)
{
    QMap<QByteArray, QByteArray> replies = kHappyReplies;
    replies["EHLO"] = "554 5.3.2 No service here\r\n";
    replies["HELO"] = "554 5.3.2 No service here\r\n";
    ScriptedSmtpPeer peer({"554 No SMTP service here\r\n"}, replies);
    PeerClient client(peer);
    ASSERT_TRUE(client.m_smtp.Connect(QStringLiteral("127.0.0.1"), peer.Port()));
    EXPECT_FALSE(client.m_smtp.SendMail());
    EXPECT_EQ(client.m_smtp.GetLastErrorText(), QStringLiteral("554 5.3.2 No service here\r\n"));
    EXPECT_FALSE(Sent(peer, "MAIL FROM:<negozio@esempio.it>\r\n"));
}

TEST(CSmtpSocketPeerTest, EachCommandWantsItsOwnCode)
{
    // A go-ahead where an acceptance belongs, or the reverse, is no success.
    struct Case
    {
        QByteArray command;
        QByteArray reply;
        QByteArray notSent;
    };
    const Case cases[] = {
        {"MAIL", "354 Go ahead\r\n", "RCPT TO:<cliente@esempio.it>\r\n"},
        {"RCPT", "354 Go ahead\r\n", "DATA\r\n"},
        {"DATA", "250 OK\r\n", "Testo\r\n"},
        {"MAIL", "451 4.3.0 Try again later\r\n", "RCPT TO:<cliente@esempio.it>\r\n"},
        {".", "452 4.3.1 Insufficient storage\r\n", ""},
    };
    for (const Case& c : cases) {
        QMap<QByteArray, QByteArray> replies = kHappyReplies;
        replies[c.command] = c.reply;
        ScriptedSmtpPeer peer({"220 peer.local\r\n"}, replies);
        PeerClient client(peer);
        ASSERT_TRUE(client.m_smtp.Connect(QStringLiteral("127.0.0.1"), peer.Port()));
        EXPECT_FALSE(client.m_smtp.SendMail()) << c.command.constData();
        EXPECT_EQ(client.m_smtp.GetLastErrorText(), QString::fromLatin1(c.reply));
        if (!c.notSent.isEmpty()) {
            EXPECT_FALSE(Sent(peer, c.notSent)) << c.notSent.constData();
        }
    }
}

TEST(CSmtpSocketPeerTest, SilentServerTimesOut)
{
    // No greeting: the connection is made but nothing ever comes.
    ScriptedSmtpPeer silent({}, {});
    PeerClient client(silent);
    EXPECT_FALSE(client.m_smtp.Connect(QStringLiteral("127.0.0.1"), silent.Port()));
    EXPECT_FALSE(client.m_smtp.IsConnected());
    EXPECT_EQ(client.m_smtp.GetLastErrorText(), QStringLiteral("Il server SMTP non ha risposto entro 0.5 secondi."));

    // Greets, then never answers EHLO: the message fails and the
    // connection, now out of step, is given up.
    ScriptedSmtpPeer mute({"220 peer.local\r\n"}, {});
    PeerClient second(mute);
    ASSERT_TRUE(second.m_smtp.Connect(QStringLiteral("127.0.0.1"), mute.Port()));
    EXPECT_FALSE(second.m_smtp.SendMail());
    EXPECT_EQ(second.m_smtp.GetLastErrorText(), QStringLiteral("Il server SMTP non ha risposto entro 0.5 secondi."));
    EXPECT_FALSE(second.m_smtp.IsConnected());
}

TEST(CSmtpSocketPeerTest, SilentServerTimesOutWithoutHook)
{
    // The server side waits without a hook: the listening socket completes
    // the connection by itself, and no greeting ever follows.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    CSmtpSocket smtp;
    smtp.SetTimeout(300);
    EXPECT_FALSE(smtp.Connect(QStringLiteral("127.0.0.1"), silent.serverPort()));
    EXPECT_EQ(smtp.GetLastErrorText(), QStringLiteral("Il server SMTP non ha risposto entro 0.3 secondi."));
}

TEST(CSmtpSocketPeerTest, GarbledReplyIsAnError)
{
    ScriptedSmtpPeer peer({"Hello there, I am no mail server\r\n"}, {});
    PeerClient client(peer);
    EXPECT_FALSE(client.m_smtp.Connect(QStringLiteral("127.0.0.1"), peer.Port()));
    EXPECT_EQ(client.m_smtp.GetLastErrorText(),
              QStringLiteral("Risposta non valida dal server SMTP: Hello there, I am no mail server"));
}
