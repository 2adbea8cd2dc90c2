#include "server/host/CSessionStartCache.h"

#include <QDateTime>

CSessionStartCache::CSessionStartCache(int timeoutMinutes, int capacity)
    : m_timeoutMs(qint64(timeoutMinutes) * 60 * 1000), m_capacity(capacity)
{
}

bool CSessionStartCache::Find(const QString& id, CSessionValues::Values& values)
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    std::lock_guard lock(m_mutex);
    const auto found = m_byId.constFind(id);
    if (found == m_byId.cend())
        return false;
    const Entries::iterator entry = *found;
    if (now - entry->lastUse > m_timeoutMs) {
        Drop(entry);
        return false;
    }
    entry->lastUse = now;
    m_entries.splice(m_entries.begin(), m_entries, entry);
    values = *entry->base;
    for (const QString& key : std::as_const(entry->removed))
        values.remove(key);
    for (const auto& [key, value] : std::as_const(entry->changed))
        values.insert(key, value);
    return true;
}

void CSessionStartCache::Keep(const QString& id, const CSessionValues::Values& values)
{
    if (m_capacity <= 0)
        return;
    Entry entry;
    entry.id = id;
    entry.lastUse = QDateTime::currentMSecsSinceEpoch();
    std::lock_guard lock(m_mutex);
    if (m_base) {
        for (auto value = values.cbegin(); value != values.cend(); ++value) {
            const auto inBase = m_base->constFind(value.key());
            if (inBase == m_base->cend() || !CSessionValues::Same(*inBase, *value))
                entry.changed.append({value.key(), *value});
        }
        for (auto inBase = m_base->cbegin(); inBase != m_base->cend(); ++inBase)
            if (!values.contains(inBase.key()))
                entry.removed.append(inBase.key());
    }
    // Far from the Sessions before it (the shop's settings changed): it
    // becomes the one the next are kept against.
    if (!m_base || (entry.changed.size() + entry.removed.size()) * 4 > values.size()) {
        m_base = std::make_shared<const Values>(values);
        entry.changed.clear();
        entry.removed.clear();
    }
    entry.base = m_base;
    if (const auto kept = m_byId.constFind(id); kept != m_byId.cend())
        Drop(*kept);
    while (int(m_entries.size()) >= m_capacity)
        Drop(std::prev(m_entries.end()));
    m_entries.push_front(std::move(entry));
    m_byId.insert(id, m_entries.begin());
}

void CSessionStartCache::Forget(const QString& id)
{
    std::lock_guard lock(m_mutex);
    if (const auto kept = m_byId.constFind(id); kept != m_byId.cend())
        Drop(*kept);
}

int CSessionStartCache::Size() const
{
    std::lock_guard lock(m_mutex);
    return int(m_entries.size());
}

void CSessionStartCache::Drop(Entries::iterator entry)
{
    m_byId.remove(entry->id);
    m_entries.erase(entry);
}
