#include "server/host/testing/CHttpTestClient.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpSocket>

QByteArray CHttpTestReply::Header(const QByteArray& name) const
{
    const QList<QByteArray> all = Headers(name);
    return all.isEmpty() ? QByteArray() : all.first();
}

QList<QByteArray> CHttpTestReply::Headers(const QByteArray& name) const
{
    QList<QByteArray> values;
    for (const auto& [key, value] : headers)
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            values.append(value);
    return values;
}

CHttpTestReply CHttpTestClient::Get(const QByteArray& target, const QList<QPair<QByteArray, QByteArray>>& headers)
{
    QByteArray request = "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n";
    for (const auto& [name, value] : headers)
        request += name + ": " + value + "\r\n";
    request += CookieHeader() + "\r\n";
    const CHttpTestReply reply = Raw(request);
    KeepCookies(reply);
    return reply;
}

CHttpTestReply CHttpTestClient::Post(const QByteArray& target, const QByteArray& contentType, const QByteArray& body)
{
    const QByteArray request = "POST " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n"
                               + "Content-Type: " + contentType + "\r\nContent-Length: "
                               + QByteArray::number(body.size()) + "\r\n" + CookieHeader() + "\r\n" + body;
    const CHttpTestReply reply = Raw(request);
    KeepCookies(reply);
    return reply;
}

CHttpTestReply CHttpTestClient::Raw(const QByteArray& request, int timeoutMs)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, m_port);
    if (!socket.waitForConnected(timeoutMs))
        return {};
    socket.write(request);
    socket.waitForBytesWritten(timeoutMs);
    QByteArray bytes;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        if (socket.waitForReadyRead(100))
            bytes += socket.readAll();
        else if (socket.state() != QAbstractSocket::ConnectedState)
            break;
    }
    bytes += socket.readAll();
    return Parse(bytes);
}

CHttpTestReply CHttpTestClient::Parse(const QByteArray& bytes)
{
    CHttpTestReply reply;
    const qsizetype headEnd = bytes.indexOf("\r\n\r\n");
    if (!bytes.startsWith("HTTP/1.") || headEnd < 0)
        return reply;
    const QList<QByteArray> lines = bytes.left(headEnd).split('\n');
    reply.status = lines.first().split(' ').value(1).toInt();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines.at(i).indexOf(':');
        if (colon > 0)
            reply.headers.append({lines.at(i).left(colon).trimmed(), lines.at(i).mid(colon + 1).trimmed()});
    }
    reply.body = bytes.mid(headEnd + 4);
    return reply;
}

QByteArray CHttpTestClient::CookieHeader() const
{
    if (m_cookies.isEmpty())
        return QByteArray();
    QList<QByteArray> pairs;
    for (auto it = m_cookies.constBegin(); it != m_cookies.constEnd(); ++it)
        pairs.append(it.key() + '=' + it.value());
    return "Cookie: " + pairs.join("; ") + "\r\n";
}

void CHttpTestClient::KeepCookies(const CHttpTestReply& reply)
{
    for (const QByteArray& cookie : reply.Headers("Set-Cookie")) {
        const QByteArray pair = cookie.split(';').first();
        const qsizetype equals = pair.indexOf('=');
        if (equals > 0)
            m_cookies.insert(pair.left(equals), pair.mid(equals + 1));
    }
}
