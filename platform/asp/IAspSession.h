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
};
