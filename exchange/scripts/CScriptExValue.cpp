#include "exchange/scripts/CScriptExValue.h"

#include "recordset/sync/CSyncValueText.h"

#include <QDateTime>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace {

const QDate kZeroDate(1899, 12, 30);

bool IsInteger(QtrColumnKind kind)
{
    return kind == QtrColumnKind::Long || kind == QtrColumnKind::Short || kind == QtrColumnKind::Byte;
}

QDateTime StoredDate(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime();
    return QDateTime::fromString(value.toString().left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace

bool CScriptExValue::Parse(const QString& text, QtrColumnKind kind, QVariant* value, QString* error)
{
    const QString trimmed = text.trimmed();
    bool ok = true;
    switch (kind) {
    case QtrColumnKind::Text:
    case QtrColumnKind::EText:
        *value = text;
        return true;
    case QtrColumnKind::Bool: {
        bool flag = false;
        ok = ParseBool(trimmed, &flag);
        *value = flag;
        break;
    }
    case QtrColumnKind::DateTime:
        ok = ParseDate(trimmed, value);
        break;
    case QtrColumnKind::Long:
    case QtrColumnKind::Short:
    case QtrColumnKind::Byte:
    case QtrColumnKind::Single:
    case QtrColumnKind::Double: {
        if (trimmed.isEmpty()) {
            *value = QVariant();
            return true;
        }
        double number = 0;
        ok = ParseNumber(trimmed, &number);
        if (ok && IsInteger(kind)) {
            const double low = kind == QtrColumnKind::Byte ? 0 : kind == QtrColumnKind::Short ? -32768 : -2147483648.0;
            const double high = kind == QtrColumnKind::Byte ? 255 : kind == QtrColumnKind::Short ? 32767 : 2147483647.0;
            ok = number == std::floor(number) && number >= low && number <= high;
            *value = qint64(number);
        } else {
            *value = number;
        }
        break;
    }
    }
    if (!ok && error)
        *error = QStringLiteral("Valore non valido: \"%1\"").arg(text);
    return ok;
}

// The last "," or "." is the decimal mark, unless its kind appears more
// than once ("1.234.567"); every other mark separates thousands. A lone
// mark is decimal: "1.234" is one and a bit, as "12.5" is twelve and a half.
bool CScriptExValue::ParseNumber(QString text, double* number)
{
    static const QRegularExpression form(QStringLiteral("^[-+]?[0-9][0-9.,]*$|^[-+]?[.,][0-9]+$"));
    if (!form.match(text).hasMatch())
        return false;
    const int comma = text.lastIndexOf(QLatin1Char(','));
    const int point = text.lastIndexOf(QLatin1Char('.'));
    int decimal = qMax(comma, point);
    if (decimal >= 0) {
        if (text.count(text.at(decimal)) > 1)
            decimal = -1;
    }
    QString plain;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char(',') || c == QLatin1Char('.')) {
            if (i == decimal)
                plain += QLatin1Char('.');
            continue;
        }
        plain += c;
    }
    bool ok = false;
    *number = plain.toDouble(&ok);
    return ok && std::isfinite(*number);
}

// Booleans and dates are read as the synchronisation reads them; only an
// empty boolean (false) and an empty date (Null) are the scripts' own.
bool CScriptExValue::ParseBool(const QString& text, bool* flag)
{
    if (text.isEmpty()) {
        *flag = false;
        return true;
    }
    QVariant value;
    if (!CSyncValueText::FromText(text, QtrColumnKind::Bool, &value, nullptr))
        return false;
    *flag = value.toBool();
    return true;
}

bool CScriptExValue::ParseDate(const QString& text, QVariant* value)
{
    return CSyncValueText::FromText(text, QtrColumnKind::DateTime, value, nullptr);
}

QString CScriptExValue::Text(const QVariant& value, QtrColumnKind kind)
{
    if (value.isNull() || !value.isValid())
        return QString();
    switch (kind) {
    case QtrColumnKind::Text:
    case QtrColumnKind::EText:
        return value.toString();
    case QtrColumnKind::Bool:
        return value.toBool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case QtrColumnKind::Long:
    case QtrColumnKind::Short:
    case QtrColumnKind::Byte:
        return QString::number(value.toLongLong());
    case QtrColumnKind::Single:
    case QtrColumnKind::Double: {
        QString text = QString::asprintf("%15f", value.toDouble());
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        text.replace(QLatin1Char('.'), QLatin1Char(','));
        if (text.endsWith(QLatin1Char(',')))
            text.chop(1);
        return text;
    }
    case QtrColumnKind::DateTime: {
        const QDateTime date = StoredDate(value);
        if (!date.isValid())
            return QString();
        return date.date() == kZeroDate ? date.toString(QStringLiteral("HH:mm:ss"))
                                        : date.toString(QStringLiteral("dd/MM/yy"));
    }
    }
    return value.toString();
}
