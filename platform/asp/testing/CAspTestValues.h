#pragma once

#include "platform/asp/CAspValueKeys.h"
#include "platform/asp/IAspApplication.h"
#include "platform/asp/IAspSession.h"

#include <QHash>
#include <QMutex>

// In-memory Session and Application values, keys case-insensitive; the
// lock is a real one, so tests can run pages on several threads.
class CAspTestValues : public IAspSession, public IAspApplication
{
public:
    QVariant Value(const QString& key) const override;
    void SetValue(const QString& key, const QVariant& value) override;
    void Lock() override { m_lock.lock(); }
    void UnLock() override { m_lock.unlock(); }
    qint64 Increment(const QString& key) override;
    void RenewID() override { ++m_renewals; }
    int Renewals() const { return m_renewals; }

    bool Contains(const QString& key) const;
    void Clear();

private:
    mutable QMutex m_mutex;
    QMutex m_lock;
    QHash<QString, QVariant> m_values;   // by lower-case key
    CAspValueKeys m_keys;
    int m_renewals = 0;
};
