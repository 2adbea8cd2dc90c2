#pragma once

#include <QString>
#include <QVariant>

// Values shared by every visitor of the site. Lock/UnLock bracket a
// read-change-write that must not interleave with another page's; the lock
// is held by the calling thread only, and UnLock must follow every Lock.
class IAspApplication
{
public:
    virtual ~IAspApplication() = default;

    virtual QVariant Value(const QString& key) const = 0;
    virtual void SetValue(const QString& key, const QVariant& value) = 0;
    virtual void Lock() = 0;
    virtual void UnLock() = 0;
};
