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
    for (CField& field : m_fields) {
        if (field.Name().compare(name, Qt::CaseInsensitive) == 0) {
            field.AppendValue(value);
            return;
        }
    }
    m_fields.append(CField(name, value));
}

void CFields::Clear() { m_fields.clear(); }

QString CFields::GetValue(const QString& key) const
{
    if (key.isEmpty() || IsAsciiDigit(key.at(0))) {
        const int index = LeadingNumber(key);
        return index >= 1 && index <= m_fields.size() ? m_fields.at(index - 1).Value() : QString();
    }
    for (const CField& field : m_fields)
        if (field.Name().compare(key, Qt::CaseInsensitive) == 0)
            return field.Value();
    return QString();
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
