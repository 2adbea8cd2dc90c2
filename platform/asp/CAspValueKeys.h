#pragma once

#include <QHash>
#include <QString>

// Session and Application names are case-insensitive: values are kept
// under the lower-case name. A page asks for the same few dozen names
// hundreds of times, so the lower-case form of each spelling is made once
// and kept. Not locked: each store guards its own.
class CAspValueKeys
{
public:
    QString Of(const QString& name) const;

private:
    mutable QHash<QString, QString> m_keys;   // spelling -> lower case
};
