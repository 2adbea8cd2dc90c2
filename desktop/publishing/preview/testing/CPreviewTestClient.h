#pragma once

#include <QByteArray>
#include <QMap>
#include <QTcpSocket>

// A loopback HTTP client for tests and benchmarks that keeps the calling
// thread's event loop turning, so a server on the same thread can answer.
class CPreviewTestClient
{
public:
    struct Reply
    {
        int status = 0;   // 0: no whole reply came
        QByteArray statusLine;
        QMap<QByteArray, QByteArray> headers;   // lower-case names
        QByteArray body;
    };

    explicit CPreviewTestClient(quint16 port);
    bool IsConnected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }

    // Sends raw bytes and waits for one whole reply (keeps the connection).
    Reply Send(const QByteArray& raw, int timeoutMs = 5000);
    Reply Get(const QByteArray& target) { return Send("GET " + target + " HTTP/1.1\r\n" + HostLine() + "\r\n"); }
    Reply Post(const QByteArray& target, const QByteArray& body);
    // Sends without waiting for a reply.
    void Write(const QByteArray& raw);
    bool WaitForClose(int timeoutMs = 5000);
    // "Host: 127.0.0.1:port" and its line end, as a browser sends it.
    QByteArray HostLine() const { return "Host: 127.0.0.1:" + QByteArray::number(m_port) + "\r\n"; }
    void Close() { m_socket.disconnectFromHost(); }

private:
    bool TakeReply(Reply& reply);

    quint16 m_port;
    QTcpSocket m_socket;
    QByteArray m_received;
};
