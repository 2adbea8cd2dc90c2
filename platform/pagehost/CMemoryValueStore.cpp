#include "platform/pagehost/CMemoryValueStore.h"

QVariant CMemoryValueStore::Value(const QString& key) const
{
    QMutexLocker locker(&m_lock);
    return m_values.value(key.toLower());
}

void CMemoryValueStore::SetValue(const QString& key, const QVariant& value)
{
    QMutexLocker locker(&m_lock);
    if (value.isValid())
        m_values.insert(key.toLower(), value);
    else
        m_values.remove(key.toLower());
}

qint64 CMemoryValueStore::Increment(const QString& key)
{
    QMutexLocker locker(&m_lock);
    QVariant& value = m_values[key.toLower()];
    const qint64 before = value.toLongLong();
    value = before + 1;
    return before;
}
