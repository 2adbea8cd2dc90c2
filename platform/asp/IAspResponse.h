#pragma once

#include "platform/asp/CAspCookie.h"

#include <QByteArray>
#include <QString>

// The reply of a page. Text is written as UTF-8.
class IAspResponse
{
public:
    virtual ~IAspResponse() = default;

    virtual void Write(const QString& text) = 0;
    virtual void BinaryWrite(const QByteArray& bytes) = 0;
    // The page goes on running; the reply becomes a redirect with no body.
    virtual void Redirect(const QString& url) = 0;
    virtual void SetContentType(const QString& contentType) = 0;
    // Minutes a browser may cache the reply; 0 asks for no caching.
    virtual void SetExpires(int minutes) = 0;
    // Sets (or replaces) the cookie the reply sends under this name.
    virtual void SetCookie(const QString& name, const CAspCookie& cookie) = 0;
};
