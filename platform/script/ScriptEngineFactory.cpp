#include "platform/script/ScriptEngineFactory.h"

#include "platform/script/ScriptIsolation.h"

#include <QJSEngine>
#include <QObject>

namespace {

// The file name under which scripts are loaded, so that frames of the
// script itself can be told from frames of helper code in a stack trace.
const QString kScriptFile = QStringLiteral("script");
const QString kCallTarget = QStringLiteral("__qtrCallTarget");
const QString kCallArgs = QStringLiteral("__qtrCallArgs");
// Texts kept compiled per engine; past it the kept ones are dropped (a
// merchant editing a page makes a new text with each save).
const qsizetype kMaxCompiledScripts = 64;

// Frames read "function:line:column:file:name".
int LineOfFirstScriptFrame(const QStringList& stackTrace)
{
    const QString marker = QStringLiteral(":file:");
    for (const QString& frame : stackTrace) {
        const qsizetype at = frame.indexOf(marker);
        if (at < 0 || frame.mid(at + marker.size()) != kScriptFile)
            continue;
        const QStringList head = frame.left(at).split(QLatin1Char(':'));
        if (head.size() >= 3)
            return head.at(head.size() - 2).toInt();
    }
    return 0;
}

thread_local std::unique_ptr<ScriptEngineFactory> t_instance;

} // namespace

ScriptEngineFactory::ScriptEngineFactory() = default;
ScriptEngineFactory::~ScriptEngineFactory() = default;

ScriptEngineFactory* ScriptEngineFactory::Instance()
{
    if (!t_instance)
        t_instance = std::make_unique<ScriptEngineFactory>();
    return t_instance.get();
}

void ScriptEngineFactory::FreeInstance()
{
    UnloadScript();
    DropEngine();
    if (t_instance.get() == this)
        t_instance.reset();   // deletes this; nothing may follow
}

void ScriptEngineFactory::InitializeScriptEngine()
{
    UnloadScript();
    if (m_engine)
        return;
    m_engine = std::make_unique<QJSEngine>();
    m_resetGlobals = ScriptIsolation::Harden(*m_engine, m_reserved + QStringList{kCallTarget, kCallArgs});
    ++m_enginesMade;
}

void ScriptEngineFactory::DropEngine()
{
    m_functions.clear();
    m_cache.clear();
    m_compiled.clear();
    m_resetGlobals = QJSValue();
    m_engine.reset();
}

QJSValue ScriptEngineFactory::Cached(const QString& key, const std::function<QJSValue(QJSEngine&)>& make)
{
    auto found = m_cache.find(key);
    if (found == m_cache.end())
        found = m_cache.insert(key, make(*Engine()));
    return *found;
}

// An engine whose global object cannot be put back is not used again.
void ScriptEngineFactory::ResetGlobals()
{
    if (!m_engine || !std::exchange(m_globalsTouched, false))
        return;
    if (!m_resetGlobals.call().toBool())
        DropEngine();
}

void ScriptEngineFactory::SetTimeLimit(std::chrono::milliseconds limit)
{
    m_timeLimit = limit;
    if (m_running && limit.count() > 0)
        m_watchdog.MoveDeadline(m_runStart + limit);
}

QJSValue ScriptEngineFactory::Evaluate(const QString& program, const QString& fileName, QStringList* stackTrace)
{
    const bool outermost = !m_running;
    m_globalsTouched = true;
    if (outermost) {
        m_running = true;
        m_runStart = ScriptWatchdog::Clock::now();
        if (m_timeLimit.count() > 0)
            m_watchdog.Arm(m_engine.get(), m_runStart + m_timeLimit);
    }
    QJSValue result = m_engine->evaluate(program, fileName, 1, stackTrace);
    m_timedOut = false;
    if (outermost) {
        m_running = false;
        // An interrupt of the caller's (a job cancelled) stays; only the
        // time limit's is undone and reported as such.
        if (m_watchdog.Disarm()) {
            m_engine->setInterrupted(false);
            if (result.isError() && result.toString() == QLatin1String("Error: Interrupted")) {
                result = QJSValue(TimeoutMessage(m_timeLimit));
                m_timedOut = true;
            }
        }
    }
    return result;
}

QString ScriptEngineFactory::TimeoutMessage(std::chrono::milliseconds limit)
{
    return QStringLiteral("Superato il tempo massimo di esecuzione dello script (%1 s)")
        .arg(double(limit.count()) / 1000.0);
}

QJSEngine* ScriptEngineFactory::Engine()
{
    if (!m_engine)
        InitializeScriptEngine();
    return m_engine.get();
}

void ScriptEngineFactory::AddExposedObjectPtr(const QString& name, QObject* object)
{
    // Without this the engine would delete a parentless object when it is
    // collected, and the caller owns it.
    QJSEngine::setObjectOwnership(object, QJSEngine::CppOwnership);
    AddExposedValue(name, Engine()->newQObject(object));
}

void ScriptEngineFactory::AddExposedValue(const QString& name, const QJSValue& value)
{
    m_globalsTouched = true;
    Engine()->globalObject().setProperty(name, value);
}

void ScriptEngineFactory::LoadScript(const QString& scriptText)
{
    QStringList stackTrace;
    Engine();
    const QJSValue result = Evaluate(scriptText, kScriptFile, &stackTrace);
    if (!stackTrace.isEmpty() || result.isError() || m_timedOut)
        RecordError(result, stackTrace);
}

int ScriptEngineFactory::GetIDOfFunction(const QString& name)
{
    const QJSValue function = Engine()->globalObject().property(name);
    if (!function.isCallable())
        return 0;
    m_functions.append(function);
    return int(m_functions.size());
}

QJSValue ScriptEngineFactory::CallFunction(int id, const QJSValueList& args)
{
    if (!m_engine || id <= 0 || id > m_functions.size())
        return QJSValue();
    QStringList stackTrace;
    const QJSValue result = CallThroughEvaluate(m_functions.at(id - 1), args, &stackTrace);
    if (!stackTrace.isEmpty() || m_timedOut) {
        RecordError(result, stackTrace);
        return QJSValue();
    }
    return result;
}

QJSValue ScriptEngineFactory::CallThroughEvaluate(const QJSValue& function, const QJSValueList& args,
                                                  QStringList* stackTrace, bool globalThis)
{
    QJSValue global = m_engine->globalObject();
    QJSValue argArray = m_engine->newArray(quint32(args.size()));
    for (qsizetype i = 0; i < args.size(); ++i)
        argArray.setProperty(quint32(i), args.at(i));
    global.setProperty(kCallTarget, function);
    global.setProperty(kCallArgs, argArray);
    const QJSValue result = Evaluate(kCallTarget + (globalThis ? QStringLiteral(".apply(this, ") : QStringLiteral(".apply(null, ")) + kCallArgs + QStringLiteral(")"),
                                     QStringLiteral("call"), stackTrace);
    global.setProperty(kCallTarget, QJSValue());
    global.setProperty(kCallArgs, QJSValue());
    return result;
}

void ScriptEngineFactory::RunCompiledScript(const QString& scriptText)
{
    Engine();
    auto found = m_compiled.constFind(scriptText);
    if (found == m_compiled.cend()) {
        // On the function's first line, so the script's lines keep their numbers.
        QStringList stackTrace;
        const QJSValue function = Evaluate(QStringLiteral("(function () {") + scriptText + QStringLiteral("\n})"),
                                           kScriptFile, &stackTrace);
        if (!stackTrace.isEmpty() || m_timedOut || !function.isCallable()) {
            LoadScript(scriptText);
            return;
        }
        if (m_compiled.size() >= kMaxCompiledScripts)
            m_compiled.clear();
        found = m_compiled.insert(scriptText, function);
    }
    QStringList stackTrace;
    const QJSValue result = CallThroughEvaluate(*found, {}, &stackTrace, true);
    if (!stackTrace.isEmpty() || result.isError() || m_timedOut)
        RecordError(result, stackTrace);
}

void ScriptEngineFactory::RecordError(const QJSValue& error, const QStringList& stackTrace)
{
    ScriptError entry;
    entry.line = LineOfFirstScriptFrame(stackTrace);
    if (entry.line == 0 && error.isError())
        entry.line = error.property(QStringLiteral("lineNumber")).toInt();
    entry.message = error.toString();
    m_errors.append(entry);
}

QStringList ScriptEngineFactory::GetErrorMessages() const
{
    QStringList messages;
    for (const ScriptError& error : m_errors)
        messages.append(FormatError(error));
    return messages;
}

const QList<ScriptError>& ScriptEngineFactory::GetErrors() const { return m_errors; }

QString ScriptEngineFactory::FormatError(const ScriptError& error)
{
    if (error.line <= 0)
        return error.message;
    return QStringLiteral("Errore alla riga %1: %2").arg(error.line).arg(error.message);
}

void ScriptEngineFactory::UnloadScript()
{
    m_functions.clear();
    m_errors.clear();
    ResetGlobals();
}
