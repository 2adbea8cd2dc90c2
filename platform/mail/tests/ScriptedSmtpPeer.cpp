#include "platform/mail/tests/ScriptedSmtpPeer.h"

ScriptedSmtpPeer::ScriptedSmtpPeer(QByteArrayList greeting, QMap<QByteArray, QByteArray> replies)
    : m_greeting(std::move(greeting))
    , m_replies(std::move(replies))
{
    m_server.listen(QHostAddress::LocalHost, 0);
}

quint16 ScriptedSmtpPeer::Port() const
{
    return m_server.serverPort();
}

void ScriptedSmtpPeer::Pump()
{
    if (!m_pPeer) {
        if (!m_server.hasPendingConnections() && !m_server.waitForNewConnection(0))
            return;
        m_pPeer = m_server.nextPendingConnection();
    }
    if (!m_greeting.isEmpty()) {
        m_pPeer->write(m_greeting.takeFirst());
        m_pPeer->flush();
        return;
    }
    m_pPeer->waitForReadyRead(0);
    while (m_pPeer->canReadLine())
        Answer(m_pPeer->readLine());
    m_pPeer->flush();
}

QByteArrayList ScriptedSmtpPeer::Received() const
{
    return m_received;
}

void ScriptedSmtpPeer::Answer(const QByteArray& line)
{
    m_received << line;
    QByteArray key;
    if (m_bInData) {
        if (line != ".\r\n")
            return;
        m_bInData = false;
        key = ".";
    } else {
        key = line.left(4).toUpper();
    }
    const QByteArray reply = m_replies.value(key);
    m_pPeer->write(reply);
    m_bInData = key == "DATA" && reply.startsWith("354");
}
