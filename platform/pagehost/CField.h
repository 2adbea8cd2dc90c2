#pragma once

#include <QString>

// One name and value of a request collection.
class CField
{
public:
    CField(const QString& name, const QString& value) : m_name(name), m_value(value) {}
    const QString& Name() const { return m_name; }
    const QString& Value() const { return m_value; }
    void AppendValue(const QString& value) { m_value += QLatin1Char(',') + value; }

private:
    QString m_name;
    QString m_value;
};
