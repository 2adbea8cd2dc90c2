#pragma once

#include "platform/asp/CAspCookie.h"

#include <QByteArray>
#include <QString>

// The value of a Set-Cookie header for a cookie a page wrote: name and
// value percent-encoded, then its attributes; a cookie without a path
// holds for the whole site.
class CSetCookie
{
public:
    static QByteArray Value(const QString& name, const CAspCookie& cookie);
};
