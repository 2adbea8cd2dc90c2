#include "platform/mail/CSmtpSocket.h"

#include "platform/mail/CSmtpMessage.h"

#include <QNetworkProxy>
#include <QThread>

#include <algorithm>
#include <cctype>

namespace {

// With a hook, waits are cut into slices this long so the hook runs often
// enough to keep a window painting.
constexpr int kHookSlice = 50;
// A reply longer than this is no SMTP server talking.
constexpr qint64 kReplyLimit = 64 * 1024;

bool StartsWithCode(const QByteArray& line)
{
    return line.size() >= 3 && std::isdigit(static_cast<unsigned char>(line[0]))
           && std::isdigit(static_cast<unsigned char>(line[1]))
           && std::isdigit(static_cast<unsigned char>(line[2]));
}

} // namespace

CSmtpSocket::CSmtpSocket()
{
    // Mail goes straight to its server, never through a web proxy.
    m_socket.setProxy(QNetworkProxy::NoProxy);
}

CSmtpSocket::~CSmtpSocket() = default;

bool CSmtpSocket::Connect(const QString& strServer, quint16 nPort)
{
    if (m_bConnected)
        return true;
    m_strLastError.clear();
    if (!ConnectSocket(strServer, nPort))
        return false;
    // Any greeting will do: a server that wants no mail says so again when
    // the message's first command reaches it.
    Reply greeting;
    if (!ReadReply(greeting))
        return false;
    m_strGreeting = greeting.strText;
    m_strServer = strServer;
    m_bConnected = true;
    return true;
}

void CSmtpSocket::SetTo(const QString& strTo)
{
    m_strTo = strTo;
}

void CSmtpSocket::SetFrom(const QString& strFrom)
{
    m_strFrom = strFrom;
}

void CSmtpSocket::SetReplyTo(const QString& strReplyTo)
{
    m_strReplyTo = strReplyTo;
}

void CSmtpSocket::SetSubject(const QString& strSubject)
{
    m_strSubject = strSubject;
}

void CSmtpSocket::SetBody(const QString& strBody)
{
    m_strBody = strBody;
}

void CSmtpSocket::SetHtml(bool bHtml)
{
    m_bHtml = bHtml;
}

bool CSmtpSocket::SendMail()
{
    m_strLastError.clear();
    QStringList listTo;
    if (!CheckMessage(listTo))
        return false;
    if (!m_bConnected) {
        m_strLastError = QStringLiteral("Connessione al server SMTP non aperta.");
        return false;
    }
    const QString strFrom = m_strFrom.trimmed();
    const QByteArray message =
        CSmtpMessage::StuffDots(CSmtpMessage::Compose(strFrom, listTo, m_strSubject, m_strBody,
                                                      m_bHtml, QDateTime::currentDateTime(),
                                                      m_strReplyTo.trimmed()))
        + ".\r\n";

    if (!SendGreetingCommand())
        return false;
    if (!SendCommand("MAIL FROM:<" + strFrom.toLatin1() + ">\r\n", {250}))
        return false;
    for (const QString& strTo : listTo)
        if (!SendCommand("RCPT TO:<" + strTo.toLatin1() + ">\r\n", {250, 251}))
            return false;
    if (!SendCommand("DATA\r\n", {354}))
        return false;
    return SendCommand(message, {250});
}

void CSmtpSocket::Quit()
{
    m_bConnected = false;
    if (m_socket.state() == QAbstractSocket::ConnectedState) {
        // The reply to QUIT is not awaited, but the line itself must leave
        // before the socket closes.
        const int nGrace = std::min(m_nTimeout, 1000);
        m_socket.write("QUIT\r\n");
        m_socket.waitForBytesWritten(nGrace);
        m_socket.disconnectFromHost();
        if (m_socket.state() != QAbstractSocket::UnconnectedState)
            m_socket.waitForDisconnected(nGrace);
    }
    m_socket.abort();
}

bool CSmtpSocket::IsConnected() const
{
    return m_bConnected;
}

QString CSmtpSocket::GetLastErrorText() const
{
    return m_strLastError;
}

void CSmtpSocket::SetWaitHook(WaitHook hook)
{
    m_waitHook = std::move(hook);
}

void CSmtpSocket::SetTimeout(int nMilliseconds)
{
    m_nTimeout = std::max(1, nMilliseconds);
}

bool CSmtpSocket::CheckMessage(QStringList& listTo)
{
    // Everything is checked before the first byte leaves, so a bad address
    // never reaches the server half-sent.
    const QString strFromError = CSmtpMessage::CheckAddress(m_strFrom.trimmed());
    if (!strFromError.isEmpty()) {
        m_strLastError = QStringLiteral("Mittente: ") + strFromError;
        return false;
    }
    if (!m_strReplyTo.trimmed().isEmpty()) {
        const QString strReplyError = CSmtpMessage::CheckMailbox(m_strReplyTo.trimmed());
        if (!strReplyError.isEmpty()) {
            m_strLastError = QStringLiteral("Rispondi a: ") + strReplyError;
            return false;
        }
    }
    listTo = CSmtpMessage::SplitAddresses(m_strTo);
    if (listTo.isEmpty()) {
        m_strLastError = QStringLiteral("Destinatario: ") + CSmtpMessage::CheckAddress(QString());
        return false;
    }
    for (const QString& strTo : listTo) {
        const QString strToError = CSmtpMessage::CheckAddress(strTo);
        if (!strToError.isEmpty()) {
            m_strLastError = QStringLiteral("Destinatario: ") + strToError;
            return false;
        }
    }
    return true;
}

bool CSmtpSocket::SendGreetingCommand()
{
    if (SendCommand("EHLO qtr\r\n", {250}))
        return true;
    // A server of the old kind refuses EHLO as unknown and still takes HELO.
    if (!m_bConnected || m_nLastReplyCode < 500)
        return false;
    m_strLastError.clear();
    return SendCommand("HELO qtr\r\n", {250});
}

bool CSmtpSocket::SendCommand(const QByteArray& text, std::initializer_list<int> expectedCodes)
{
    if (!WriteAll(text))
        return false;
    Reply reply;
    if (!ReadReply(reply))
        return false;
    if (std::find(expectedCodes.begin(), expectedCodes.end(), reply.nCode) != expectedCodes.end())
        return true;
    m_strLastError = reply.strText;
    return false;
}

bool CSmtpSocket::ConnectSocket(const QString& strServer, quint16 nPort)
{
    m_socket.abort();
    const QDeadlineTimer deadline(m_nTimeout);
    m_socket.connectToHost(strServer, nPort);
    if (!m_waitHook) {
        if (m_socket.waitForConnected(m_nTimeout))
            return true;
        SetErrorFromSocket();
        Drop();
        return false;
    }
    // A timed-out waitForConnected gives the attempt up, so it cannot be
    // cut into slices; the hook's event processing moves it on instead.
    while (m_socket.state() != QAbstractSocket::ConnectedState) {
        if (!StillWaiting(deadline, true))
            return false;
        m_waitHook();
        if (m_socket.state() != QAbstractSocket::ConnectedState)
            QThread::msleep(5);
    }
    return true;
}

bool CSmtpSocket::WriteAll(const QByteArray& data)
{
    if (m_socket.state() != QAbstractSocket::ConnectedState || m_socket.write(data) != data.size()) {
        SetErrorFromSocket();
        Drop();
        return false;
    }
    const QDeadlineTimer deadline(m_nTimeout);
    while (m_socket.bytesToWrite() > 0) {
        if (!StillWaiting(deadline))
            return false;
        if (m_waitHook)
            m_waitHook();
        if (m_socket.bytesToWrite() > 0)
            m_socket.waitForBytesWritten(SliceOf(deadline));
    }
    return true;
}

bool CSmtpSocket::ReadReply(Reply& reply)
{
    // A reply may span several lines ("250-..." until "250 ...") and several
    // packets; it is whole only at its last line.
    const QDeadlineTimer deadline(m_nTimeout);
    reply = Reply();
    for (;;) {
        QByteArray line;
        if (!ReadLine(line, deadline))
            return false;
        reply.strText += QString::fromUtf8(line);
        if (!StartsWithCode(line) || reply.strText.size() > kReplyLimit) {
            m_strLastError = QStringLiteral("Risposta non valida dal server SMTP: %1")
                                 .arg(reply.strText.trimmed());
            Drop();
            return false;
        }
        reply.nCode = line.left(3).toInt();
        if (line.size() == 3 || line[3] != '-')
            break;
    }
    m_nLastReplyCode = reply.nCode;
    return true;
}

bool CSmtpSocket::ReadLine(QByteArray& line, const QDeadlineTimer& deadline)
{
    while (!m_socket.canReadLine()) {
        if (!WaitForData(deadline))
            return false;
    }
    line = m_socket.readLine();
    return true;
}

bool CSmtpSocket::WaitForData(const QDeadlineTimer& deadline)
{
    if (m_socket.bytesAvailable() > kReplyLimit) {
        m_strLastError = QStringLiteral("Risposta non valida dal server SMTP: riga troppo lunga.");
        Drop();
        return false;
    }
    if (!StillWaiting(deadline))
        return false;
    if (m_waitHook) {
        m_waitHook();
        if (m_socket.canReadLine())
            return true;
    }
    // A timed-out wait leaves the connection as it was; a closed one shows
    // in the state on the next round.
    m_socket.waitForReadyRead(SliceOf(deadline));
    return true;
}

bool CSmtpSocket::StillWaiting(const QDeadlineTimer& deadline, bool bConnecting)
{
    const QAbstractSocket::SocketState state = m_socket.state();
    const bool bGone = bConnecting ? state == QAbstractSocket::UnconnectedState
                                   : state != QAbstractSocket::ConnectedState;
    if (bGone) {
        SetErrorFromSocket();
        Drop();
        return false;
    }
    if (deadline.hasExpired()) {
        m_strLastError = TimeoutText();
        Drop();
        return false;
    }
    return true;
}

int CSmtpSocket::SliceOf(const QDeadlineTimer& deadline) const
{
    const qint64 nRemaining = std::max<qint64>(0, deadline.remainingTime());
    return int(m_waitHook ? std::min<qint64>(nRemaining, kHookSlice) : nRemaining);
}

QString CSmtpSocket::TimeoutText() const
{
    return QStringLiteral("Il server SMTP non ha risposto entro %1 secondi.")
        .arg(QString::number(m_nTimeout / 1000.0));
}

void CSmtpSocket::Drop()
{
    // After a lost or garbled reply the dialogue cannot be trusted to be in
    // step, so the connection is given up; a new Connect starts afresh.
    m_socket.abort();
    m_bConnected = false;
}

void CSmtpSocket::SetErrorFromSocket()
{
    switch (m_socket.error()) {
    case QAbstractSocket::SocketTimeoutError:
        m_strLastError = TimeoutText();
        break;
    case QAbstractSocket::RemoteHostClosedError:
    case QAbstractSocket::UnknownSocketError:
        m_strLastError = QStringLiteral("Il server SMTP ha chiuso la connessione.");
        break;
    default:
        m_strLastError = m_socket.errorString();
        break;
    }
}
