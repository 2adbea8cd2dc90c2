#pragma once

#include "platform/pagehost/CValueStore.h"

#include <QHash>
#include <QMutex>
#include <QRecursiveMutex>

// Values in memory for as long as the store lives, safe for pages run on
// several threads.
class CMemoryValueStore : public CValueStore
{
public:
    QVariant Value(const QString& key) const override;
    void SetValue(const QString& key, const QVariant& value) override;
    void Lock() override { m_pageLock.lock(); }
    void UnLock() override { m_pageLock.unlock(); }
    qint64 Increment(const QString& key) override;

private:
    mutable QMutex m_lock;
    QHash<QString, QVariant> m_values;   // by lower-case key
    QRecursiveMutex m_pageLock;
};
