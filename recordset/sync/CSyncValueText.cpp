#include "recordset/sync/CSyncValueText.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

#include <limits>

namespace {

const QDate kZeroDate(1899, 12, 30);

QDateTime StoredDate(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime();
    if (value.typeId() == QMetaType::QDate)
        return QDateTime(value.toDate(), QTime(0, 0));
    // Both engines hand dates over as the stored text "yyyy-MM-dd HH:mm:ss".
    const QString text = value.toString().trimmed();
    QDateTime parsed = QDateTime::fromString(text.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!parsed.isValid())
        parsed = QDateTime::fromString(text.left(19), Qt::ISODate);
    return parsed;
}

} // namespace

QString CSyncValueText::ToText(const QVariant& value, QtrColumnKind kind)
{
    if (value.isNull() || !value.isValid())
        return QString();
    switch (kind) {
    case QtrColumnKind::Long:
    case QtrColumnKind::Short:
    case QtrColumnKind::Byte:
        return QString::number(value.toLongLong());
    case QtrColumnKind::Single:
    case QtrColumnKind::Double:
        return RealText(value.toDouble());
    case QtrColumnKind::Bool:
        return value.toBool() || value.toString().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
                   ? QStringLiteral("TRUE")
                   : QStringLiteral("FALSE");
    case QtrColumnKind::DateTime: {
        const QDateTime date = StoredDate(value);
        return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) : QString();
    }
    case QtrColumnKind::Text:
    case QtrColumnKind::EText:
        break;
    }
    return value.toString();
}

QString CSyncValueText::RealText(double value)
{
    QString text = QString::number(value, 'g', QLocale::FloatingPointShortest);
    // Plain digits travel better than exponents; "g" keeps both exact.
    if (text.contains(QLatin1Char('e'))) {
        text = QString::number(value, 'f', QLocale::FloatingPointShortest);
    }
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

bool CSyncValueText::FromText(const QString& text, QtrColumnKind kind, QVariant* value, QString* error)
{
    if (text.isEmpty()) {
        *value = QVariant();
        return true;
    }
    bool ok = true;
    switch (kind) {
    case QtrColumnKind::Long:
    case QtrColumnKind::Short:
    case QtrColumnKind::Byte:
        ok = ReadInteger(text, kind, value);
        break;
    case QtrColumnKind::Single:
    case QtrColumnKind::Double:
        ok = ReadReal(text, value);
        break;
    case QtrColumnKind::Bool:
        ok = ReadBool(text, value);
        break;
    case QtrColumnKind::DateTime:
        ok = ReadDate(text, value);
        break;
    case QtrColumnKind::Text:
    case QtrColumnKind::EText:
        *value = text;
        break;
    }
    if (!ok && error)
        *error = QStringLiteral("Valore non valido: \"%1\"").arg(text);
    return ok;
}

bool CSyncValueText::ReadInteger(const QString& text, QtrColumnKind kind, QVariant* value)
{
    static const QRegularExpression digits(QStringLiteral("^-?[0-9]{1,19}$"));
    if (!digits.match(text).hasMatch())
        return false;
    bool ok = false;
    const qint64 number = text.toLongLong(&ok);
    if (!ok)
        return false;
    qint64 low = std::numeric_limits<qint32>::min();
    qint64 high = std::numeric_limits<qint32>::max();
    if (kind == QtrColumnKind::Short) {
        low = std::numeric_limits<qint16>::min();
        high = std::numeric_limits<qint16>::max();
    } else if (kind == QtrColumnKind::Byte) {
        low = 0;
        high = 255;
    }
    if (number < low || number > high)
        return false;
    *value = number;
    return true;
}

bool CSyncValueText::ReadReal(const QString& text, QVariant* value)
{
    static const QRegularExpression real(QStringLiteral("^-?[0-9]+([.,][0-9]*)?([eE][-+]?[0-9]+)?$"));
    if (!real.match(text).hasMatch())
        return false;
    QString plain = text;
    plain.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double number = plain.toDouble(&ok);
    if (!ok)
        return false;
    *value = number;
    return true;
}

bool CSyncValueText::ReadBool(const QString& text, QVariant* value)
{
    const QString word = text.trimmed().toLower();
    if (word == QLatin1String("true") || word == QLatin1String("vero") || word == QLatin1String("-1")
        || word == QLatin1String("1")) {
        *value = true;
        return true;
    }
    if (word == QLatin1String("false") || word == QLatin1String("falso") || word == QLatin1String("0")) {
        *value = false;
        return true;
    }
    return false;
}

bool CSyncValueText::ReadDate(const QString& text, QVariant* value)
{
    static const QRegularExpression form(QStringLiteral(
        "^(?:([0-9]{1,2})/([0-9]{1,2})/([0-9]{2}|[0-9]{4}))?\\s*(?:([0-9]{1,2}):([0-9]{2})(?::([0-9]{2}))?)?$"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch() || (match.captured(1).isEmpty() && match.captured(4).isEmpty()))
        return false;
    QDate date = kZeroDate;
    if (!match.captured(1).isEmpty()) {
        int year = match.captured(3).toInt();
        // Two-digit years as older senders wrote them: 00-29 this century.
        if (match.captured(3).size() == 2)
            year += year < 30 ? 2000 : 1900;
        date = QDate(year, match.captured(2).toInt(), match.captured(1).toInt());
    }
    QTime time(0, 0);
    if (!match.captured(4).isEmpty())
        time = QTime(match.captured(4).toInt(), match.captured(5).toInt(), match.captured(6).toInt());
    if (!date.isValid() || !time.isValid())
        return false;
    *value = QDateTime(date, time);
    return true;
}
