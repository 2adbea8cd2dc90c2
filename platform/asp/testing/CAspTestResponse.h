#pragma once

#include "platform/asp/IAspResponse.h"

#include <QMap>

// Collects what a page wrote, for a test to look at.
class CAspTestResponse : public IAspResponse
{
public:
    void Write(const QString& text) override { m_output += text.toUtf8(); }
    void BinaryWrite(const QByteArray& bytes) override { m_output += bytes; }
    void Redirect(const QString& url) override { m_redirect = url; }
    void SetContentType(const QString& contentType) override { m_contentType = contentType; }
    void SetExpires(int minutes) override { m_expires = minutes; }
    void SetCookie(const QString& name, const CAspCookie& cookie) override;

    QString Output() const { return QString::fromUtf8(m_output); }
    QByteArray Bytes() const { return m_output; }
    QString RedirectTarget() const { return m_redirect; }
    QString ContentType() const { return m_contentType; }
    int Expires() const { return m_expires; }
    bool HasCookie(const QString& name) const { return m_cookies.contains(name.toLower()); }
    CAspCookie Cookie(const QString& name) const { return m_cookies.value(name.toLower()); }
    int CookieCount() const { return m_cookies.size(); }

private:
    QByteArray m_output;
    QString m_redirect;
    QString m_contentType;
    int m_expires = -1;
    QMap<QString, CAspCookie> m_cookies;   // by lower-case name
};
