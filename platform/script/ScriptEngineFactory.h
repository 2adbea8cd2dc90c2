#pragma once

#include "platform/script/ScriptError.h"

#include <QHash>
#include <QJSValue>
#include <QList>
#include <QStringList>

#include "platform/script/ScriptWatchdog.h"

#include <chrono>
#include <functional>
#include <memory>

class QJSEngine;
class QObject;

// Runs one script at a time on QJSEngine: the merchant's import and export
// scripts and the preview's pages. Errors are collected, never thrown, so a
// caller can show them all after the run.
//
// A QJSEngine belongs to the thread that made it, so Instance() gives one
// object per thread; a page host owns one of its own. Making a QJSEngine
// costs far more than running a page, so the engine is kept between scripts,
// its built-ins frozen and its global object put back after each script
// (ScriptIsolation): nothing one script leaves reaches the next. An engine
// that cannot be put back is replaced. A script that runs past the time
// limit is interrupted and fails with an error. FreeInstance releases the
// engine itself.
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
    // Global names the caller exposes before every script (ScriptIsolation):
    // given before the first script, as they are fixed when an engine is made.
    void ReserveGlobals(const QStringList& names) { m_reserved += names; }
    // The object stays the caller's; the script reaches its invokable
    // methods and properties under the global name.
    void AddExposedObjectPtr(const QString& name, QObject* object);
    // For objects the caller built inside Engine() (wrappers, proxies).
    void AddExposedValue(const QString& name, const QJSValue& value);
    QJSEngine* Engine();
    // A value made once per engine (helper functions of a caller), kept
    // across scripts and out of the script's sight.
    QJSValue Cached(const QString& key, const std::function<QJSValue(QJSEngine&)>& make);

    // 0 (the default): no limit. Set while a script runs, it counts from
    // that script's start.
    void SetTimeLimit(std::chrono::milliseconds limit);
    std::chrono::milliseconds TimeLimit() const { return m_timeLimit; }
    static QString TimeoutMessage(std::chrono::milliseconds limit);
    // Engines made so far: a new one follows each one dropped.
    int EnginesMade() const { return m_enginesMade; }

    void LoadScript(const QString& scriptText);
    // Runs a script as LoadScript does, compiled once per engine: a host
    // that runs the same texts again and again (a page host) is spared the
    // parse. The text becomes the body of a function kept with the engine
    // and called on each run, so its top-level names are the function's,
    // gone when it returns; the names it finds on the global object (the
    // objects a host exposes) are looked up when it runs. A text that does
    // not compile is loaded as LoadScript does, so its error reads the same.
    void RunCompiledScript(const QString& scriptText);
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
    void DropEngine();
    // evaluate, under the time limit when it is the outermost run.
    QJSValue Evaluate(const QString& program, const QString& fileName, QStringList* stackTrace);
    // Calls a function of the engine through evaluate, so that a throw of
    // any value, not only of an Error, is told from a return and located.
    // globalThis: called as a script's top level is, with the global object
    // as this (else with null, as a plain call).
    QJSValue CallThroughEvaluate(const QJSValue& function, const QJSValueList& args, QStringList* stackTrace,
                                 bool globalThis = false);

    std::unique_ptr<QJSEngine> m_engine;
    QJSValue m_resetGlobals;
    QHash<QString, QJSValue> m_cache;
    QHash<QString, QJSValue> m_compiled;   // by script text
    QStringList m_reserved;
    QList<QJSValue> m_functions;   // id - 1
    QList<ScriptError> m_errors;
    ScriptWatchdog m_watchdog;
    std::chrono::milliseconds m_timeLimit{0};
    ScriptWatchdog::Clock::time_point m_runStart;
    bool m_running = false;
    bool m_timedOut = false;
    bool m_globalsTouched = false;   // a script ran or a value was exposed since the last reset
    int m_enginesMade = 0;
};
