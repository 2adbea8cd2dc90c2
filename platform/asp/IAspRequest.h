#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// The request a page runs for. Keys are compared case-insensitively. A key
// that the request does not carry reads as a null QString, one that it
// carries with no value as an empty one. A name sent several times reads as
// its values joined by ", ".
class IAspRequest
{
public:
    virtual ~IAspRequest() = default;

    virtual QString QueryString(const QString& key) const = 0;
    virtual QString Form(const QString& key) const = 0;
    virtual QString Cookie(const QString& name) const = 0;
    virtual QString ServerVariable(const QString& name) const = 0;

    // Request(key): the query string, then the form, the cookies and the
    // server variables; the first collection that has the key answers.
    virtual QString Item(const QString& key) const = 0;

    // The posted fields in the order they came, for walking a whole form.
    virtual QList<QPair<QString, QString>> FormFields() const = 0;

    // The raw request body, for posts that are not forms.
    virtual QByteArray Body() const = 0;
};
