#include "platform/pagehost/CSession.h"

#include <QDateTime>
#include <QJSValue>

#include <stdexcept>

CSession::CSession(QObject* parent) : QObject(parent) {}

QVariant CSession::Item(const QString& name) const
{
    QMutexLocker locker(&m_lock);
    for (const CSessionField& field : m_fields)
        if (field.name.compare(name, Qt::CaseInsensitive) == 0)
            return field.value;
    return QVariant();
}

bool CSession::SetItem(const QString& name, const QVariant& value)
{
    QString text;
    if (!ToText(value, text))
        return false;
    QMutexLocker locker(&m_lock);
    for (CSessionField& field : m_fields) {
        if (field.name.compare(name, Qt::CaseInsensitive) == 0) {
            field.value = text;
            return true;
        }
    }
    m_fields.append({name, text});
    return true;
}

void CSession::SetValue(const QString& key, const QVariant& value)
{
    if (!SetItem(key, value))
        throw std::invalid_argument(ConversionError().toStdString());
}

QString CSession::ConversionError() { return QStringLiteral("Tipo non corrispondente"); }

bool CSession::ToText(const QVariant& value, QString& text)
{
    if (!value.isValid() || value.isNull()) {
        text.clear();
        return true;
    }
    switch (value.metaType().id()) {
    case QMetaType::QDateTime:
        text = value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        return true;
    case QMetaType::QDate:
        text = value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
        return true;
    default:
        // Script objects and arrays have no text form worth storing.
        if (value.metaType() == QMetaType::fromType<QJSValue>() || !value.canConvert<QString>())
            return false;
        text = value.toString();
        return true;
    }
}
