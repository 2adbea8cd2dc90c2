#include "desktop/publishing/preview/testing/CPreviewTestClient.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>

namespace {

template <class Done>
bool Spin(int timeoutMs, Done done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

} // namespace

CPreviewTestClient::CPreviewTestClient(quint16 port) : m_port(port)
{
    m_socket.connectToHost(QHostAddress::LocalHost, port);
    Spin(5000, [&] { return m_socket.state() == QAbstractSocket::ConnectedState
                            || m_socket.state() == QAbstractSocket::UnconnectedState; });
}

void CPreviewTestClient::Write(const QByteArray& raw)
{
    m_socket.write(raw);
    m_socket.flush();
}

CPreviewTestClient::Reply CPreviewTestClient::Send(const QByteArray& raw, int timeoutMs)
{
    Write(raw);
    Reply reply;
    Spin(timeoutMs, [&] {
        m_received += m_socket.readAll();
        return TakeReply(reply) || m_socket.state() == QAbstractSocket::UnconnectedState;
    });
    return reply;
}

CPreviewTestClient::Reply CPreviewTestClient::Post(const QByteArray& target, const QByteArray& body)
{
    return Send("POST " + target + " HTTP/1.1\r\n" + HostLine() + "Content-Type: application/x-www-form-urlencoded\r\n"
                + "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
}

bool CPreviewTestClient::WaitForClose(int timeoutMs)
{
    return Spin(timeoutMs, [&] {
        m_received += m_socket.readAll();
        return m_socket.state() == QAbstractSocket::UnconnectedState;
    });
}

bool CPreviewTestClient::TakeReply(Reply& reply)
{
    const qsizetype headEnd = m_received.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return false;
    const QList<QByteArray> lines = m_received.left(headEnd).split('\n');
    Reply parsed;
    parsed.statusLine = lines.value(0).trimmed();
    parsed.status = parsed.statusLine.split(' ').value(1).toInt();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines.at(i).indexOf(':');
        if (colon > 0)
            parsed.headers.insert(lines.at(i).left(colon).trimmed().toLower(), lines.at(i).mid(colon + 1).trimmed());
    }
    const qsizetype length = parsed.headers.value("content-length").toLongLong();
    if (m_received.size() < headEnd + 4 + length)
        return false;
    parsed.body = m_received.mid(headEnd + 4, length);
    m_received.remove(0, headEnd + 4 + length);
    reply = parsed;
    return true;
}
