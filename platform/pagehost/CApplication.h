#pragma once

#include "platform/pagehost/CScriptValues.h"
#include "platform/asp/IAspApplication.h"

#include <QThread>

#include <atomic>

// The values every visitor of the site shares, typed as a Session's.
// Lock/UnLock go to the store, so a store shared by several processes can
// lock across them; a page that ends still holding the lock releases it.
class CApplication : public CScriptValues, public IAspApplication
{
    Q_OBJECT
public:
    explicit CApplication(QObject* parent = nullptr);

    // IAspApplication and scripts. UnLock without a Lock of this thread
    // does nothing.
    QVariant Value(const QString& key) const override { return Store().Value(key); }
    void SetValue(const QString& key, const QVariant& value) override { SetOrThrow(key, value); }
    Q_INVOKABLE void Lock() override;
    Q_INVOKABLE void UnLock() override;
    qint64 Increment(const QString& key) override { return Store().Increment(key); }

    // For scripts: a store that fails raises a script error.
    Q_INVOKABLE void ScriptLock();
    Q_INVOKABLE void ScriptUnLock();

    // Called when a page ends: what the calling thread still holds is
    // released; a store that fails to is left to end it with its connection.
    void UnLockAll();

private:
    bool HeldHere() const { return m_holder.load() == QThread::currentThreadId(); }

    std::atomic<Qt::HANDLE> m_holder{nullptr};
    int m_depth = 0;   // changed only by the holder
};
