#pragma once

#include "platform/asp/IAspResponse.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QStringList>

// What a page writes: its output (UTF-8), its HTML blocks by number, the
// target of a redirect, and the content type and cookies of the reply.
class CResponse : public QObject, public IAspResponse
{
    Q_OBJECT
public:
    explicit CResponse(QObject* parent = nullptr);

    Q_INVOKABLE void Write(const QString& text) override;
    Q_INVOKABLE void WriteHTML(int index);
    // For scripts: false, with nothing changed, for text that would break
    // the reply's header (control characters).
    Q_INVOKABLE bool ScriptRedirect(const QString& url);
    Q_INVOKABLE bool ScriptSetContentType(const QString& contentType);
    Q_INVOKABLE QString ContentType() const { return m_contentType; }
    // The preview lets the browser cache as it likes.
    Q_INVOKABLE int Expires() const { return 0; }
    Q_INVOKABLE void SetExpires(int) override {}

    // IAspResponse. Header text with control characters (a redirect target,
    // a content type, a cookie's path) is refused with std::invalid_argument.
    void Redirect(const QString& url) override;
    void BinaryWrite(const QByteArray& bytes) override;
    void SetContentType(const QString& contentType) override;
    void SetCookie(const QString& name, const CAspCookie& cookie) override;

    // No control characters: safe to put in a header line.
    static bool IsHeaderText(const QString& text);
    static QString HeaderError();

    // For scripts, each false with nothing changed for text that would break
    // the reply's head (or a status that is not "nnn text").
    Q_INVOKABLE bool SetStatus(const QString& status);
    Q_INVOKABLE QString Status() const { return m_status; }
    Q_INVOKABLE bool AddHeader(const QString& name, const QString& value);
    Q_INVOKABLE bool SetCookieValue(const QString& name, const QString& value);
    // attribute: Expires (a date), Path, Domain, Secure, HttpOnly.
    Q_INVOKABLE bool SetCookieAttribute(const QString& name, const QString& attribute, const QVariant& value);
    Q_INVOKABLE QVariant CookieAttribute(const QString& name, const QString& attribute) const;
    Q_INVOKABLE void BinaryWriteScript(const QByteArray& bytes) { BinaryWrite(bytes); }
    // Drops what the page wrote so far; headers and cookies stay.
    Q_INVOKABLE void Clear() { m_output.clear(); }
    // Stops the page where it is (the engine is interrupted): what it wrote
    // is sent.
    Q_INVOKABLE void End();
    bool Ended() const { return m_ended; }
    const QList<QPair<QString, QString>>& Headers() const { return m_headers; }

    // Called when a page starts: output, content type and cookies go.
    void ClearOutput();
    const QByteArray& Output() const { return m_output; }
    const QString& RedirectTarget() const { return m_redirect; }
    const QList<QPair<QString, CAspCookie>>& Cookies() const { return m_cookies; }
    // The page's HTML blocks, UTF-8, numbered from 0 (CPageScript).
    void SetHtmlBlocks(const QList<QByteArray>& blocks) { m_blocks = blocks; }
    // Called when a page ends: blocks and redirect target go.
    void ClearPageState();

private:
    QByteArray m_output;
    QString m_redirect;
    QList<QByteArray> m_blocks;
    QString m_contentType;
    QList<QPair<QString, CAspCookie>> m_cookies;
    QList<QPair<QString, QString>> m_headers;
    QString m_status;
    bool m_ended = false;

    CAspCookie* FindCookie(const QString& name);
};
