#pragma once

#include "server/host/CStoredValue.h"
#include "platform/asp/CAspValueKeys.h"
#include "platform/pagehost/CValueStore.h"

#include <QHash>

// The values of the visitor whose page runs now: loaded from the Session
// store before the page, read back after it. One worker's, used by one page
// at a time, so its lock has nothing to guard.
class CSessionValues : public CValueStore
{
public:
    QVariant Value(const QString& key) const override;
    void SetValue(const QString& key, const QVariant& value) override;
    void Lock() override {}
    void UnLock() override {}

    void Replace(const CNamedValues& values);
    // Whether a value was set to something else, added or removed since
    // Replace.
    bool Changed() const { return m_changed; }
    CNamedValues Take();

private:
    QHash<QString, QPair<QString, QVariant>> m_values;   // by lower-case key: name as written, value
    CAspValueKeys m_keys;
    bool m_changed = false;
};
