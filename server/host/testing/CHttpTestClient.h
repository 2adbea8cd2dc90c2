#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>

// A visitor for tests over loopback: sends requests as written, reads the
// reply whole, keeps the cookies it is given and sends them back. Blocking,
// so each test thread can be one visitor.
struct CHttpTestReply
{
    int status = 0;   // 0: no reply (connection refused or closed)
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;

    QByteArray Header(const QByteArray& name) const;
    QList<QByteArray> Headers(const QByteArray& name) const;
};

class CHttpTestClient
{
public:
    explicit CHttpTestClient(quint16 port) : m_port(port) {}

    CHttpTestReply Get(const QByteArray& target, const QList<QPair<QByteArray, QByteArray>>& headers = {});
    CHttpTestReply Post(const QByteArray& target, const QByteArray& contentType, const QByteArray& body);
    // Sends the bytes as they are (a request the test wrote by hand).
    CHttpTestReply Raw(const QByteArray& request, int timeoutMs = 10000);

    // The cookies sent back, by name.
    QMap<QByteArray, QByteArray>& Cookies() { return m_cookies; }

    static CHttpTestReply Parse(const QByteArray& bytes);

private:
    QByteArray CookieHeader() const;
    void KeepCookies(const CHttpTestReply& reply);

    quint16 m_port;
    QMap<QByteArray, QByteArray> m_cookies;
};
