#include "platform/pagehost/CScriptValue.h"

#include <QDateTime>
#include <QJSValue>

#include <cmath>

namespace {

bool IsWholeNumber(double number)
{
    return std::isfinite(number) && std::floor(number) == number && std::fabs(number) < 9.0e15;
}

} // namespace

bool CScriptValue::Normalize(const QVariant& value, QVariant& kept)
{
    if (!value.isValid()) {
        kept = QVariant();
        return true;
    }
    switch (value.metaType().id()) {
    case QMetaType::Nullptr:
    case QMetaType::Void:
        kept = QVariant::fromValue(nullptr);
        return true;
    case QMetaType::Bool:
        kept = value.toBool();
        return true;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        kept = value.toLongLong();
        return true;
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::ULongLong: {
        const double number = value.toDouble();
        kept = IsWholeNumber(number) ? QVariant(qint64(number)) : QVariant(number);
        return true;
    }
    case QMetaType::QString:
        kept = value.toString();
        return true;
    case QMetaType::QDateTime:
        kept = value.toDateTime();
        return true;
    case QMetaType::QDate:
        kept = value.toDate().startOfDay();
        return true;
    default:
        return false;
    }
}

QString CScriptValue::Encode(const QVariant& kept)
{
    switch (kept.metaType().id()) {
    case QMetaType::Bool:
        return kept.toBool() ? QStringLiteral("b:true") : QStringLiteral("b:false");
    case QMetaType::LongLong:
        return QStringLiteral("n:") + QString::number(kept.toLongLong());
    case QMetaType::Double:
        return QStringLiteral("n:") + QString::number(kept.toDouble(), 'g', 17);
    case QMetaType::QDateTime:
        return QStringLiteral("d:") + kept.toDateTime().toUTC().toString(Qt::ISODateWithMs);
    case QMetaType::QString:
        return QStringLiteral("s:") + kept.toString();
    default:
        return QStringLiteral("z:");
    }
}

QVariant CScriptValue::Decode(const QString& text)
{
    const QString body = text.mid(2);
    if (text.startsWith(QLatin1String("b:")))
        return body == QLatin1String("true");
    if (text.startsWith(QLatin1String("s:")))
        return body;
    if (text.startsWith(QLatin1String("z:")))
        return QVariant::fromValue(nullptr);
    if (text.startsWith(QLatin1String("d:"))) {
        const QDateTime moment = QDateTime::fromString(body, Qt::ISODateWithMs);
        return moment.isValid() ? QVariant(moment.toLocalTime()) : QVariant();
    }
    if (text.startsWith(QLatin1String("n:"))) {
        bool whole = false;
        const qint64 integer = body.toLongLong(&whole);
        if (whole)
            return integer;
        bool ok = false;
        const double number = body.toDouble(&ok);
        return ok ? QVariant(number) : QVariant();
    }
    return QVariant();
}

QString CScriptValue::ConversionError() { return QStringLiteral("Tipo non corrispondente"); }
