#pragma once

#include "platform/pagehost/CFields.h"
#include "platform/asp/IAspRequest.h"

#include <QByteArray>
#include <QObject>

// What a page knows of the request it answers: the query string, the posted
// form (URL-encoded or multipart), the cookies, the raw body and the server
// variables REQUEST_METHOD, SCRIPT_NAME and QUERY_STRING (a host adds more).
// A name sent twice reads as its values joined by ",".
class CRequest : public QObject, public IAspRequest
{
    Q_OBJECT
public:
    explicit CRequest(QObject* parent = nullptr);

    // requestText holds the header block and exactly the announced body.
    void ParseRequest(const QByteArray& requestText);
    void ClearCollections();

    // For scripts.
    Q_INVOKABLE CFields* QueryString() { return &m_queryString; }
    Q_INVOKABLE CFields* Form() { return &m_form; }
    Q_INVOKABLE CFields* ServerVariables() { return &m_serverVariables; }
    Q_INVOKABLE CFields* Cookies() { return &m_cookies; }
    // The raw body: its size, and its next bytes (reading moves on).
    Q_INVOKABLE int TotalBytes() const { return int(m_body.size()); }
    Q_INVOKABLE QByteArray BinaryRead(int count);
    // The query-string value, or the form value when that is empty.
    Q_INVOKABLE QString Item(const QString& key) const override;

    // IAspRequest
    QString QueryString(const QString& key) const override { return m_queryString.GetValue(key); }
    QString Form(const QString& key) const override { return m_form.GetValue(key); }
    QString Cookie(const QString& name) const override { return m_cookies.GetValue(name); }
    QString ServerVariable(const QString& name) const override { return m_serverVariables.GetValue(name); }
    QList<QPair<QString, QString>> FormFields() const override;
    QByteArray Body() const override { return m_body; }

    static QString UrlDecode(const QByteArray& text);
    // The value of a header of a request text, blanks around it skipped;
    // empty when the header is absent.
    static QByteArray HeaderValue(const QByteArray& requestText, const QByteArray& name);

private:
    static void SplitPairs(const QByteArray& text, CFields& into);
    void ReadCookies(const QByteArray& requestText);

    CFields m_queryString;
    CFields m_form;
    CFields m_serverVariables;
    CFields m_cookies;
    QByteArray m_body;
    qsizetype m_bodyRead = 0;
};
