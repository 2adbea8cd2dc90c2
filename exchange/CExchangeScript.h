#pragma once

#include "platform/script/ScriptEngineFactory.h"

#include <QJSValue>
#include <QStringList>

#include <atomic>

class QObject;

// One run of a merchant's script (scripts/import.js, scripts/export.js)
// with the object QTR exposed. The engine is the run's own, so a script
// can run on a job thread and Interrupt, from any thread, stops it even
// inside a loop that never calls QTR.
class CExchangeScript
{
public:
    enum class Load { Loaded, Missing, Empty };

    CExchangeScript() = default;
    ~CExchangeScript();

    Load Open(const QString& path, QObject* qtr);
    bool Has(const QString& function);
    // The function's result as a boolean: true only for a true result.
    bool CallBool(const QString& function, const QJSValueList& arguments = {});
    void Call(const QString& function);

    void Interrupt();
    bool Interrupted() const { return m_interrupted.load(); }
    QStringList Errors() const { return m_engine.GetErrorMessages(); }

private:
    void ExposeMethods(const QString& name, QObject* object);
    ScriptEngineFactory m_engine;
    std::atomic<bool> m_interrupted{false};
    std::atomic<bool> m_open{false};
};
