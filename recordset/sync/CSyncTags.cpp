#include "recordset/sync/CSyncTags.h"

QString CSyncTags::Tag(const QString& name, const QString& value)
{
    return QLatin1Char('<') + name + QLatin1Char('>') + Escape(value) + QLatin1String("</") + name
           + QLatin1Char('>');
}

bool CSyncTags::GetTagValue(QString& rest, const QString& tag, QString* value)
{
    const QString open = QLatin1Char('<') + tag + QLatin1Char('>');
    const QString close = QLatin1String("</") + tag + QLatin1Char('>');
    const int start = rest.indexOf(open);
    if (start < 0)
        return false;
    const int valueStart = start + open.size();
    int end = rest.indexOf(close, valueStart);
    if (end < 0)
        end = rest.size();
    *value = Unescape(rest.mid(valueStart, end - valueStart));
    rest = rest.mid(qMin(rest.size(), end + close.size()));
    return true;
}

QString CSyncTags::Escape(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('&'))
            out += QLatin1String("&amp;");
        else if (c == QLatin1Char('<'))
            out += QLatin1String("&lt;");
        else if (c == QLatin1Char('>'))
            out += QLatin1String("&gt;");
        else
            out += c;
    }
    return out;
}

QString CSyncTags::Unescape(const QString& text)
{
    if (!text.contains(QLatin1Char('&')))
        return text;
    QString out = text;
    out.replace(QLatin1String("&lt;"), QLatin1String("<"));
    out.replace(QLatin1String("&gt;"), QLatin1String(">"));
    out.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return out;
}
