#pragma once

#include <QDateTime>
#include <QString>

// One cookie as a page or server object writes it. An invalid expiry makes
// a cookie that ends with the browser session.
struct CAspCookie
{
    QString value;
    QDateTime expires;
    QString path;
    bool secure = false;
    QString domain;
    bool httpOnly = false;
};
