#include "platform/pagehost/CScriptValues.h"

#include "platform/pagehost/CScriptValue.h"

#include <QJSEngine>

#include <stdexcept>

CScriptValues::CScriptValues(QObject* parent) : QObject(parent) {}

// A store's failure (a database gone) becomes an error of the script that
// called: a C++ exception must not cross the script engine.
void CScriptValues::RaiseInScript(const std::exception& failure) const
{
    if (QJSEngine* engine = qjsEngine(this))
        engine->throwError(QString::fromUtf8(failure.what()));
}

QVariant CScriptValues::Item(const QString& name) const
{
    try {
        return m_store->Value(name);
    } catch (const std::exception& failure) {
        RaiseInScript(failure);
        return QVariant();
    }
}

bool CScriptValues::SetItem(const QString& name, const QVariant& value)
{
    QVariant kept;
    if (!CScriptValue::Normalize(value, kept))
        return false;
    try {
        m_store->SetValue(name, kept);
    } catch (const std::exception& failure) {
        RaiseInScript(failure);
    }
    return true;
}

void CScriptValues::SetOrThrow(const QString& key, const QVariant& value, bool place)
{
    QVariant kept;
    if (!CScriptValue::Normalize(value, kept))
        throw std::invalid_argument(CScriptValue::ConversionError().toStdString());
    if (place)
        m_store->SetPageValue(key, kept);
    else
        m_store->SetValue(key, kept);
}
