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
    // Adds 1 to a whole number (empty reads as 0) and gives the value it
    // had, as one step no other page's change can split. A store shared by
    // several processes does it without the site's lock, so counting new
    // visitors makes none of them wait for another page's Lock.
    virtual qint64 Increment(const QString& key) = 0;
};
