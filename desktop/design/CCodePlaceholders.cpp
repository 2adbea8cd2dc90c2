#include "desktop/design/CCodePlaceholders.h"

QString CCodePlaceholders::Keep(QString code, const QString& start, const QString& end)
{
    code.replace(start, QString());
    code.replace(end, QString());
    return code;
}

QString CCodePlaceholders::Cut(QString code, const QString& start, const QString& end)
{
    for (qsizetype from = 0;;) {
        const qsizetype begin = code.indexOf(start, from);
        if (begin < 0)
            break;
        const qsizetype stop = code.indexOf(end, begin + start.size());
        if (stop < 0)
            break;
        code.remove(begin, stop + end.size() - begin);
        from = begin;
    }
    return code;
}

QString CCodePlaceholders::Switch(const QString& code, const QString& key, const QString& value)
{
    const QString start = QStringLiteral("%%") + key + QStringLiteral("%%");
    const QString end = QStringLiteral("%%/") + key + QStringLiteral("%%");
    return value == QLatin1String("1") ? Keep(code, start, end) : Cut(code, start, end);
}

QString CCodePlaceholders::Choice(QString code, const QString& key, const QString& value, QString options)
{
    const int chosen = value.isEmpty() ? -1 : LeadingInteger(value);
    for (int n = 0; !options.isEmpty(); ++n) {
        const QString start = QStringLiteral("%%") + key + QStringLiteral("=%1%%").arg(n);
        const QString end = QStringLiteral("%%/") + key + QStringLiteral("=%1%%").arg(n);
        code = n == chosen ? Keep(code, start, end) : Cut(code, start, end);
        const qsizetype comma = options.indexOf(QLatin1Char(','));
        if (comma < 0)
            break;
        options.remove(0, comma + 1);
    }
    return code;
}

int CCodePlaceholders::LeadingInteger(const QString& value)
{
    qsizetype at = 0;
    while (at < value.size() && value.at(at).isSpace())
        ++at;
    bool negative = false;
    if (at < value.size() && (value.at(at) == QLatin1Char('-') || value.at(at) == QLatin1Char('+')))
        negative = value.at(at++) == QLatin1Char('-');
    qint64 number = 0;
    for (; at < value.size() && value.at(at) >= QLatin1Char('0') && value.at(at) <= QLatin1Char('9'); ++at)
        number = qMin<qint64>(number * 10 + (value.at(at).unicode() - '0'), INT_MAX);
    return int(negative ? -number : number);
}
