#pragma once

#include "platform/pagehost/CMemoryValueStore.h"

#include <QObject>
#include <QVariant>

#include <exception>

// Named values that pages keep between requests (a Session, the
// Application), typed as CScriptValue keeps them, in a store the host can
// replace. Without a store of the host's they live in memory.
class CScriptValues : public QObject
{
    Q_OBJECT
public:
    explicit CScriptValues(QObject* parent = nullptr);

    // The store stays the caller's; nullptr goes back to the own memory.
    void SetStore(CValueStore* store) { m_store = store ? store : &m_memory; }
    CValueStore& Store() const { return *m_store; }

    // For scripts: the value with its type, or an invalid variant for an
    // unknown name; false, with nothing stored, for a value that cannot be
    // kept.
    Q_INVOKABLE QVariant Item(const QString& name) const;
    Q_INVOKABLE bool SetItem(const QString& name, const QVariant& value);

protected:
    // For C++ callers: a value that cannot be kept is refused with
    // std::invalid_argument.
    void SetOrThrow(const QString& key, const QVariant& value, bool place = false);
    void RaiseInScript(const std::exception& failure) const;

private:
    CMemoryValueStore m_memory;
    CValueStore* m_store = &m_memory;
};
