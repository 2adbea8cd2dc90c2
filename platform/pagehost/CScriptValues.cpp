#include "platform/pagehost/CScriptValues.h"

#include "platform/pagehost/CScriptValue.h"

#include <stdexcept>

CScriptValues::CScriptValues(QObject* parent) : QObject(parent) {}

QVariant CScriptValues::Item(const QString& name) const { return m_store->Value(name); }

bool CScriptValues::SetItem(const QString& name, const QVariant& value)
{
    QVariant kept;
    if (!CScriptValue::Normalize(value, kept))
        return false;
    m_store->SetValue(name, kept);
    return true;
}

void CScriptValues::SetOrThrow(const QString& key, const QVariant& value)
{
    if (!SetItem(key, value))
        throw std::invalid_argument(CScriptValue::ConversionError().toStdString());
}
