#include "platform/dao/CDaoFieldCache.h"

#include "platform/dao/CDaoException.h"

void CDaoFieldCache::ClearBindings()
{
    m_names.clear();
    m_columns.clear();
}

void CDaoFieldCache::Bind(const QString& column, int columnIndex)
{
    m_names << column;
    m_columns.append(columnIndex);
}

void CDaoFieldCache::ClearValues()
{
    m_values.clear();
    m_values.resize(m_names.size());
}

int CDaoFieldCache::Column(int field, const char* name) const
{
    const int index = field < m_columns.size() ? m_columns.at(field) : -1;
    if (index < 0)
        throw CDaoException(QStringLiteral("Elemento non trovato in questo insieme. [%1]").arg(QString::fromLatin1(name)));
    return index;
}

void CDaoFieldCache::SetDefault(int field, QVariant& member, QMetaType::Type type)
{
    member = DefaultFor(type);
    Cache(field, member);
}

void CDaoFieldCache::Fixup(int field, QVariant& member, const QVariant& stored, QMetaType::Type type,
                           const CDaoTextCodec* codec)
{
    member = FromStored(stored, type, codec);
    Cache(field, member);
}

bool CDaoFieldCache::Changed(int field, const QVariant& member) const
{
    return !(field < m_values.size() && m_values.at(field).has_value() && *m_values.at(field) == member);
}

void CDaoFieldCache::Cache(int field, const QVariant& member)
{
    if (m_values.size() <= field)
        m_values.resize(field + 1);
    m_values[field] = member;
}

QVariant CDaoFieldCache::DefaultFor(QMetaType::Type type)
{
    switch (type) {
    case QMetaType::Bool: return false;
    case QMetaType::Float: return 0.0f;
    case QMetaType::Double: return 0.0;
    case QMetaType::QDateTime: return DaoZeroDate();
    case QMetaType::QString: return QString();
    case QMetaType::Short: return QVariant::fromValue<qint16>(0);
    case QMetaType::UChar: return QVariant::fromValue<quint8>(0);
    default: return 0;
    }
}

QVariant CDaoFieldCache::FromStored(const QVariant& stored, QMetaType::Type type, const CDaoTextCodec* codec)
{
    if (stored.isNull())
        return DefaultFor(type);
    switch (type) {
    case QMetaType::Bool: {
        if (stored.typeId() == QMetaType::QString) {
            const QString t = stored.toString().trimmed().toLower();
            return t == QLatin1String("true") || t == QLatin1String("-1") || t == QLatin1String("1");
        }
        return stored.toLongLong() != 0;
    }
    case QMetaType::Float: return stored.toFloat();
    case QMetaType::Double: return stored.toDouble();
    case QMetaType::QDateTime: return DaoDateFromText(stored);
    case QMetaType::QString: {
        const QString text = stored.toString();
        return codec ? codec->fromStored(text) : text;
    }
    case QMetaType::Short: return QVariant::fromValue<qint16>(static_cast<qint16>(stored.toInt()));
    case QMetaType::UChar: return QVariant::fromValue<quint8>(static_cast<quint8>(stored.toUInt()));
    default: return static_cast<qint32>(stored.toLongLong());
    }
}

QVariant CDaoFieldCache::ToStored(const QVariant& member, QMetaType::Type type, const CDaoTextCodec* codec)
{
    switch (type) {
    case QMetaType::Bool: return member.toBool() ? 1 : 0;
    case QMetaType::Float: return static_cast<double>(member.toFloat());
    case QMetaType::Double: return member.toDouble();
    case QMetaType::QDateTime: return DaoDateToText(member.toDateTime());
    case QMetaType::QString: {
        const QString text = member.toString();
        return codec ? codec->toStored(text) : text;
    }
    case QMetaType::Short:
    case QMetaType::UChar:
    default: return member.toLongLong();
    }
}

