#include "platform/asp/testing/CAspTestValues.h"

#include <QMutexLocker>

QVariant CAspTestValues::Value(const QString& key) const
{
    QMutexLocker lock(&m_mutex);
    return m_values.value(m_keys.Of(key));
}

void CAspTestValues::SetValue(const QString& key, const QVariant& value)
{
    QMutexLocker lock(&m_mutex);
    m_values.insert(m_keys.Of(key), value);
}

qint64 CAspTestValues::Increment(const QString& key)
{
    QMutexLocker lock(&m_mutex);
    QVariant& value = m_values[m_keys.Of(key)];
    const qint64 before = value.toLongLong();
    value = before + 1;
    return before;
}

bool CAspTestValues::Contains(const QString& key) const
{
    QMutexLocker lock(&m_mutex);
    return m_values.contains(m_keys.Of(key));
}

void CAspTestValues::Clear()
{
    QMutexLocker lock(&m_mutex);
    m_values.clear();
}
