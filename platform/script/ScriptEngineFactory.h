#pragma once

#include "platform/script/ScriptError.h"

#include <QHash>
#include <QJSValue>
#include <QList>
#include <QStringList>

#include <functional>
#include <memory>

class QJSEngine;
class QObject;

// Runs one script at a time on QJSEngine: the merchant's import and export
// scripts and the preview's pages. Errors are collected, never thrown, so a
// caller can show them all after the run.
//
// A QJSEngine belongs to the thread that made it, so Instance() gives one
// object per thread; servers that run pages on several threads get one
// engine each without locking. Making a QJSEngine costs far more than
// running a page, so the engine is kept between scripts and made fresh by
// putting its global object back as it was: what a script declared or
// exposed is gone for the next one (built-in prototypes a script changed
// stay changed). FreeInstance releases the engine itself.
class ScriptEngineFactory
{
public:
    ScriptEngineFactory();
    ~ScriptEngineFactory();
    ScriptEngineFactory(const ScriptEngineFactory&) = delete;
    ScriptEngineFactory& operator=(const ScriptEngineFactory&) = delete;

    static ScriptEngineFactory* Instance();
    void FreeInstance();

    void InitializeScriptEngine();
    // The object stays the caller's; the script reaches its invokable
    // methods and properties under the global name.
    void AddExposedObjectPtr(const QString& name, QObject* object);
    // For objects the caller built inside Engine() (wrappers, proxies).
    void AddExposedValue(const QString& name, const QJSValue& value);
    QJSEngine* Engine();
    // A value made once per engine (helper functions of a caller), kept
    // across scripts and out of the script's sight.
    QJSValue Cached(const QString& key, const std::function<QJSValue(QJSEngine&)>& make);

    void LoadScript(const QString& scriptText);
    // Non-zero when the loaded script defines a function of that name.
    int GetIDOfFunction(const QString& name);
    // The function's result; undefined when it failed (the error is
    // collected) or the id names no function.
    QJSValue CallFunction(int id, const QJSValueList& args = {});

    QStringList GetErrorMessages() const;
    const QList<ScriptError>& GetErrors() const;
    // Releases the script, its functions, errors and exposed objects.
    void UnloadScript();

    static QString FormatError(const ScriptError& error);

private:
    void RecordError(const QJSValue& error, const QStringList& stackTrace);
    void ResetGlobals();

    std::unique_ptr<QJSEngine> m_engine;
    QJSValue m_resetGlobals;
    QHash<QString, QJSValue> m_cache;
    QList<QJSValue> m_functions;   // id - 1
    QList<ScriptError> m_errors;
};
