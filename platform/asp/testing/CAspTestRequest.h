#pragma once

#include "platform/asp/IAspRequest.h"

#include <QList>
#include <QPair>

// A request made up by a test: collections are filled by hand.
class CAspTestRequest : public IAspRequest
{
public:
    using Fields = QList<QPair<QString, QString>>;

    // Sets REQUEST_METHOD ("GET" until a test says otherwise).
    void SetMethod(const QString& method);
    void AddQueryString(const QString& key, const QString& value);
    void AddForm(const QString& key, const QString& value);
    void AddCookie(const QString& name, const QString& value);
    void SetServerVariable(const QString& name, const QString& value);
    void SetBody(const QByteArray& body) { m_body = body; }

    QString QueryString(const QString& key) const override;
    QString Form(const QString& key) const override;
    QString Cookie(const QString& name) const override;
    QString ServerVariable(const QString& name) const override;
    QString Item(const QString& key) const override;
    QList<QPair<QString, QString>> FormFields() const override { return m_form; }
    QByteArray Body() const override { return m_body; }

private:
    static QString Lookup(const Fields& fields, const QString& key);

    Fields m_query;
    Fields m_form;
    Fields m_cookies;
    Fields m_variables{{QStringLiteral("REQUEST_METHOD"), QStringLiteral("GET")}};
    QByteArray m_body;
};
