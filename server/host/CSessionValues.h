#pragma once

#include "server/host/CStoredValue.h"
#include "platform/asp/CAspValueKeys.h"
#include "platform/pagehost/CValueStore.h"

#include <QHash>
#include <QSet>

// The values of the visitor whose page runs now: loaded from the Session
// store before the page, read back after it. One worker's, used by one page
// at a time, so its lock has nothing to guard.
class CSessionValues : public CValueStore
{
public:
    using Values = QHash<QString, QPair<QString, QVariant>>;   // by lower-case key: name as written, value


    QVariant Value(const QString& key) const override;
    void SetValue(const QString& key, const QVariant& value) override;
    // Stored as any value, but left out of DiffersFromStart.
    void SetPageValue(const QString& key, const QVariant& value) override;
    void Lock() override {}
    void UnLock() override {}

    void Replace(const CNamedValues& values);
    // Whether a value was set to something else, added or removed since
    // Replace.
    bool Changed() const { return m_changed; }
    // Notes the values as a new Session starts with them (what
    // Session_OnStart set); DiffersFromStart tells whether a page has
    // stored anything beyond them since (values that serve only the page,
    // SetPageValue, do not count).
    void MarkStart() { m_start = m_values; }
    bool DiffersFromStart() const;
    CNamedValues Take();

    // What MarkStart noted.
    const Values& StartValues() const { return m_start; }
    // The values a Session started with (StartValues of an earlier page),
    // noted as its start: as Replace and MarkStart, without reading them
    // one by one.
    void RestoreStart(const Values& values);

    // The same value of the same type under the same spelling.
    static bool Same(const QPair<QString, QVariant>& a, const QPair<QString, QVariant>& b);

private:

    Values m_values;
    Values m_start;
    QSet<QString> m_pageValues;   // lower-case keys last set by SetPageValue
    CAspValueKeys m_keys;
    bool m_changed = false;
};
