#pragma once

#include <QString>
#include <QVariant>

// Where a Session or the Application keeps its values. The host picks the
// store: the preview keeps them in memory, a server may keep each visitor's
// in a database. Values arrive already typed (CScriptValue): a store keeps
// them as they are and gives them back with the same type. Keys compare
// without regard to letter case; an unknown key reads as an invalid variant.
class CValueStore
{
public:
    virtual ~CValueStore() = default;

    virtual QVariant Value(const QString& key) const = 0;
    // An invalid value removes the key.
    virtual void SetValue(const QString& key, const QVariant& value) = 0;
    // A Session's value that serves the page that sets it (IAspSession::
    // SetPageValue); a store that keeps nothing apart stores it as any.
    virtual void SetPageValue(const QString& key, const QVariant& value) { SetValue(key, value); }
    // Lock/UnLock bracket a read-change-write of several values (the
    // Application's). They nest on the thread that holds the lock.
    virtual void Lock() = 0;
    virtual void UnLock() = 0;
    // The whole number under key (empty reads as 0) moved on by 1 as one
    // step; gives the value before. A store that can do it without the
    // page lock does (the Application's visitor counter).
    virtual qint64 Increment(const QString& key)
    {
        Lock();
        qint64 value = 0;
        try {
            value = Value(key).toLongLong();
            SetValue(key, value + 1);
        } catch (...) {
            UnLock();
            throw;
        }
        UnLock();
        return value;
    }
};
