#include "server/host/CSessionValues.h"

QVariant CSessionValues::Value(const QString& key) const { return m_values.value(m_keys.Of(key)).second; }

void CSessionValues::SetValue(const QString& key, const QVariant& value)
{
    const QString lower = m_keys.Of(key);
    const auto current = m_values.constFind(lower);
    if (!value.isValid()) {
        if (current != m_values.cend()) {
            m_values.remove(lower);
            m_changed = true;
        }
        return;
    }
    // The same value of the same type under the same spelling: as stored.
    if (current != m_values.cend() && current->first == key && current->second.typeId() == value.typeId()
        && current->second == value)
        return;
    m_values.insert(lower, {key, value});
    m_changed = true;
}

void CSessionValues::Replace(const CNamedValues& values)
{
    m_values.clear();
    for (const auto& [name, value] : values)
        SetValue(name, value);
    m_changed = false;
}

CNamedValues CSessionValues::Take()
{
    CNamedValues values;
    for (const auto& entry : std::as_const(m_values))
        values.append(entry);
    m_values.clear();
    m_changed = false;
    return values;
}
