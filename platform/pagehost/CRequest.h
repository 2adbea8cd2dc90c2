#pragma once

#include "platform/pagehost/CFields.h"
#include "platform/asp/IAspRequest.h"

#include <QByteArray>
#include <QObject>

// What a page knows of the request it answers: the query string, the posted
// form, the cookies and the server variables REQUEST_METHOD, SCRIPT_NAME and
// QUERY_STRING. A name sent twice reads as its values joined by ",".
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

private:
    static void SplitPairs(const QByteArray& text, CFields& into);
    void ReadCookies(const QByteArray& requestText);

    CFields m_queryString;
    CFields m_form;
    CFields m_serverVariables;
    CFields m_cookies;
    QByteArray m_body;
};
