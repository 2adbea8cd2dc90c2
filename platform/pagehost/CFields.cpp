#include "platform/pagehost/CFields.h"

namespace {

bool IsAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

int LeadingNumber(const QString& key)
{
    int number = 0;
    for (const QChar c : key) {
        if (!IsAsciiDigit(c))
            break;
        number = number * 10 + c.digitValue();
        if (number > 1000000)   // beyond any collection; stop before overflow
            break;
    }
    return number;
}

} // namespace

void CFields::AddField(const QString& name, const QString& value)
{
    const QString key = name.toLower();
    const auto found = m_positions.constFind(key);
    if (found != m_positions.constEnd()) {
        m_fields[*found].AppendValue(value);
        return;
    }
    m_positions.insert(key, m_fields.size());
    m_fields.append(CField(name, value));
}

void CFields::Clear()
{
    m_fields.clear();
    m_positions.clear();
}

QString CFields::GetValue(const QString& key) const
{
    if (key.isEmpty() || IsAsciiDigit(key.at(0))) {
        const int index = LeadingNumber(key);
        return index >= 1 && index <= m_fields.size() ? m_fields.at(index - 1).Value() : QString();
    }
    const auto found = m_positions.constFind(key.toLower());
    return found == m_positions.constEnd() ? QString() : m_fields.at(*found).Value();
}

int CFields::Count() const { return int(m_fields.size()); }

QString CFields::Prova(const QString& text) const
{
    return QStringLiteral("Hai passato #") + text + QLatin1Char('#');
}

QStringList CFields::Names() const
{
    QStringList names;
    for (const CField& field : m_fields)
        names.append(field.Name());
    return names;
}

QStringList CFields::Values() const
{
    QStringList values;
    for (const CField& field : m_fields)
        values.append(field.Value());
    return values;
}
