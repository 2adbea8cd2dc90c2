#include "platform/pagehost/CSetCookie.h"

#include <QLocale>
#include <QUrl>

QByteArray CSetCookie::Value(const QString& name, const CAspCookie& cookie)
{
    QByteArray header = QUrl::toPercentEncoding(name) + '=' + QUrl::toPercentEncoding(cookie.value);
    if (cookie.expires.isValid())
        header += "; expires="
                  + QLocale::c()
                        .toString(cookie.expires.toUTC(), QStringLiteral("ddd, dd MMM yyyy HH:mm:ss 'GMT'"))
                        .toLatin1();
    header += "; path=" + (cookie.path.isEmpty() ? QByteArray("/") : QUrl::toPercentEncoding(cookie.path, "/"));
    if (!cookie.domain.isEmpty())
        header += "; domain=" + QUrl::toPercentEncoding(cookie.domain, ".");
    if (cookie.secure)
        header += "; secure";
    if (cookie.httpOnly)
        header += "; HttpOnly";
    return header;
}
