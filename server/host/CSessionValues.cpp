#include "server/host/CSessionValues.h"

QVariant CSessionValues::Value(const QString& key) const { return m_values.value(m_keys.Of(key)).second; }

void CSessionValues::SetPageValue(const QString& key, const QVariant& value)
{
    SetValue(key, value);
    m_pageValues.insert(m_keys.Of(key));
}

void CSessionValues::SetValue(const QString& key, const QVariant& value)
{
    const QString lower = m_keys.Of(key);
    m_pageValues.remove(lower);
    const auto current = m_values.constFind(lower);
    if (!value.isValid()) {
        if (current != m_values.cend()) {
            m_values.remove(lower);
            m_changed = true;
        }
        return;
    }
    // The same value of the same type under the same spelling: as stored.
    if (current != m_values.cend() && Same(*current, {key, value}))
        return;
    m_values.insert(lower, {key, value});
    m_changed = true;
}

bool CSessionValues::Same(const QPair<QString, QVariant>& a, const QPair<QString, QVariant>& b)
{
    return a.first == b.first && a.second.typeId() == b.second.typeId() && a.second == b.second;
}

bool CSessionValues::DiffersFromStart() const
{
    for (auto value = m_values.cbegin(); value != m_values.cend(); ++value) {
        const auto start = m_start.constFind(value.key());
        if ((start == m_start.cend() || !Same(*start, *value)) && !m_pageValues.contains(value.key()))
            return true;
    }
    // A value of the start removed.
    for (auto start = m_start.cbegin(); start != m_start.cend(); ++start)
        if (!m_values.contains(start.key()) && !m_pageValues.contains(start.key()))
            return true;
    return false;
}

void CSessionValues::Replace(const CNamedValues& values)
{
    m_values.clear();
    m_start.clear();
    m_pageValues.clear();
    for (const auto& [name, value] : values)
        SetValue(name, value);
    m_changed = false;
}

void CSessionValues::RestoreStart(const Values& values)
{
    m_values = values;
    m_start = values;
    m_pageValues.clear();
    m_changed = false;
}

CNamedValues CSessionValues::Take()
{
    CNamedValues values;
    for (const auto& entry : std::as_const(m_values))
        values.append(entry);
    m_values.clear();
    m_start.clear();
    m_pageValues.clear();
    m_changed = false;
    return values;
}
