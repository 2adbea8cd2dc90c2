#pragma once

#include "server/host/CSessionValues.h"

#include <QHash>
#include <QList>
#include <QString>

#include <list>
#include <memory>
#include <mutex>
#include <utility>

// The Sessions of visitors who only browse, kept in this process's memory
// rather than in the store: what Session_OnStart set for each, under the
// identifier he was sent with his first page. His next pages find their
// Session here and Session_OnStart does not run again, as for a stored
// Session; a page that stores something of his own moves it to the store.
//
// Most of what Session_OnStart sets is the same for every visitor (the
// shop's settings): a Session is kept as its differences from the one kept
// before it, so a crowd of visitors costs little memory. At most capacity
// Sessions are kept, the longest idle dropped first, and one idle beyond
// the Sessions' time is gone. A visitor whose Session is not found here
// (another process served his first page, this one restarted, his Session
// was dropped) starts anew, as he would without this cache.
class CSessionStartCache
{
public:
    static constexpr int kCapacity = 50000;

    CSessionStartCache(int timeoutMinutes, int capacity = kCapacity);

    // False when no Session is kept under id (or it idled past its time).
    bool Find(const QString& id, CSessionValues::Values& values);
    void Keep(const QString& id, const CSessionValues::Values& values);
    void Forget(const QString& id);
    int Size() const;

private:
    using Values = CSessionValues::Values;
    struct Entry
    {
        QString id;
        std::shared_ptr<const Values> base;   // shared with the Sessions kept near it
        // Entries not in base, or other than base's: a list, as a hash
        // takes some kilobytes even for one entry.
        QList<std::pair<QString, Values::mapped_type>> changed;
        QStringList removed;                  // keys of base it does not have
        qint64 lastUse = 0;                   // ms since the epoch
    };
    using Entries = std::list<Entry>;   // most recently used first

    void Drop(Entries::iterator entry);

    const qint64 m_timeoutMs;
    const int m_capacity;
    mutable std::mutex m_mutex;
    Entries m_entries;
    QHash<QString, Entries::iterator> m_byId;
    std::shared_ptr<const Values> m_base;
};
