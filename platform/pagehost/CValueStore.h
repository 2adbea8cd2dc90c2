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
    // Lock/UnLock bracket a read-change-write of several values (the
    // Application's). They nest on the thread that holds the lock.
    virtual void Lock() = 0;
    virtual void UnLock() = 0;
};
