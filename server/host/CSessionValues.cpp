#include "server/host/CSessionValues.h"

QVariant CSessionValues::Value(const QString& key) const { return m_values.value(key.toLower()).second; }

void CSessionValues::SetValue(const QString& key, const QVariant& value)
{
    if (value.isValid())
        m_values.insert(key.toLower(), {key, value});
    else
        m_values.remove(key.toLower());
}

void CSessionValues::Replace(const CNamedValues& values)
{
    m_values.clear();
    for (const auto& [name, value] : values)
        SetValue(name, value);
}

CNamedValues CSessionValues::Take()
{
    CNamedValues values;
    for (const auto& entry : std::as_const(m_values))
        values.append(entry);
    m_values.clear();
    return values;
}
