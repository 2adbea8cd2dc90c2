#pragma once

#include <QString>
#include <QVariant>

// One visitor's values, kept between pages. Keys are case-insensitive; an
// unknown key reads as an invalid QVariant. Values keep their type (a bool
// stays a bool), so a host should not turn them into text.
class IAspSession
{
public:
    virtual ~IAspSession() = default;

    virtual QVariant Value(const QString& key) const = 0;
    virtual void SetValue(const QString& key, const QVariant& value) = 0;
    // A value that serves the page that sets it, which every page that
    // needs it sets again (where the visitor is in a list, what a list
    // shows): kept as SetValue keeps it, but by itself no reason for a host
    // to keep the Session of a new visitor who stored nothing else.
    virtual void SetPageValue(const QString& key, const QVariant& value) { SetValue(key, value); }
    // Keeps the values under a new identifier once the page ends (a login
    // or a logout), so an identifier known before is worth nothing after.
    // A host that names no Sessions has nothing to renew.
    virtual void RenewID() {}
};
