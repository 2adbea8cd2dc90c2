#pragma once

#include "server/host/CStoredValue.h"

#include <QSet>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>

class CShopStateDb;

// The Sessions of one shop, kept in its state database so they outlive a
// restart and, on PostgreSQL, are shared by every process. A Session is
// named by a random 128-bit identifier and ends after its idle time. At
// most maxSessions are kept (0: no limit): past it the longest idle go
// first, so a flood of new visitors cannot grow the store without bound.
class CSessionStore
{
public:
    CSessionStore(CShopStateDb& db, int timeoutMinutes, int maxSessions = 0);

    // 32 hex digits from the system's random source.
    static QString NewId();
    static bool IsWellFormed(const QString& id);

    // Requests of one Session run one at a time: Lock waits for the one in
    // progress, in this process and on a shared database in any.
    void Lock(const QString& id);
    void Unlock(const QString& id);

    // False when there is no such Session or it has expired; lastAccess
    // gets the time of access stored with it.
    bool Load(const QString& id, CNamedValues& values, qint64* lastAccess = nullptr);
    // isNew: the Session was not stored before, so the store may have
    // grown past its limit.
    void Save(const QString& id, const CNamedValues& values, bool isNew = false);
    void Remove(const QString& id);
    // The same Session under a new identifier (after a login), which the
    // caller then sends; the old identifier names nothing any more. The
    // caller holds the lock of the old one.
    QString Renew(const QString& id);
    // Removes the Sessions idle beyond their time; returns how many.
    int Purge();

    // Removes the longest idle Sessions beyond the limit; returns how many.
    int Evict();

    int TimeoutMinutes() const { return m_timeoutMinutes; }
    // A Session whose values a page left as they were need not be written
    // again while its stored time of access is this recent: most pages of
    // a visit only read their Session.
    bool IsRecent(qint64 lastAccess) const;

private:
    qint64 Lag() const;
    qint64 Oldest() const;

    CShopStateDb& m_db;
    int m_timeoutMinutes;
    int m_maxSessions;
    std::atomic<int> m_addedSinceCount{0};
    std::mutex m_mutex;
    std::condition_variable m_released;
    QSet<QString> m_locked;
};
