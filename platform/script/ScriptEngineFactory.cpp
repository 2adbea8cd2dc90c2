#include "platform/script/ScriptEngineFactory.h"

#include <QJSEngine>
#include <QObject>

namespace {

// The file name under which scripts are loaded, so that frames of the
// script itself can be told from frames of helper code in a stack trace.
const QString kScriptFile = QStringLiteral("script");
const QString kCallTarget = QStringLiteral("__qtrCallTarget");
const QString kCallArgs = QStringLiteral("__qtrCallArgs");

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

// Takes a snapshot of the global object and gives back a function that puts
// it back: properties added since are deleted (or, for the ones "var" and
// function declarations make, which cannot be deleted, set to undefined),
// replaced ones get their first value again. The helpers it uses are taken
// now, so a script that replaces them cannot break the reset.
const char* const kSnapshotGlobals = R"JS(
(function (global) {
    var namesOf = Object.getOwnPropertyNames;
    var hasOwn = Function.prototype.call.bind(Object.prototype.hasOwnProperty);
    var pristine = Object.create(null);
    var names = namesOf(global);
    for (var i = 0; i < names.length; ++i)
        pristine[names[i]] = global[names[i]];
    return function () {
        var current = namesOf(global);
        for (var j = 0; j < current.length; ++j) {
            var name = current[j];
            try {
                if (name in pristine) {
                    if (global[name] !== pristine[name])
                        global[name] = pristine[name];
                } else if (!delete global[name]) {
                    global[name] = undefined;
                }
            } catch (e) {
            }
        }
        for (var k = 0; k < names.length; ++k)
            if (!hasOwn(global, names[k]))
                global[names[k]] = pristine[names[k]];
    };
})(this)
)JS";

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
    m_cache.clear();
    m_resetGlobals = QJSValue();
    m_engine.reset();
    if (t_instance.get() == this)
        t_instance.reset();   // deletes this; nothing may follow
}

void ScriptEngineFactory::InitializeScriptEngine()
{
    UnloadScript();
    if (m_engine)
        return;
    m_engine = std::make_unique<QJSEngine>();
    m_resetGlobals = m_engine->evaluate(QString::fromUtf8(kSnapshotGlobals), QStringLiteral("reset"));
}

QJSValue ScriptEngineFactory::Cached(const QString& key, const std::function<QJSValue(QJSEngine&)>& make)
{
    auto found = m_cache.find(key);
    if (found == m_cache.end())
        found = m_cache.insert(key, make(*Engine()));
    return *found;
}

void ScriptEngineFactory::ResetGlobals()
{
    if (m_resetGlobals.isCallable())
        m_resetGlobals.call();
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
    Engine()->globalObject().setProperty(name, value);
}

void ScriptEngineFactory::LoadScript(const QString& scriptText)
{
    QStringList stackTrace;
    const QJSValue result = Engine()->evaluate(scriptText, kScriptFile, 1, &stackTrace);
    if (!stackTrace.isEmpty() || result.isError())
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
    // Called through evaluate so that a throw of any value, not only of an
    // Error, is told from a return and located in the script.
    QJSValue global = m_engine->globalObject();
    QJSValue argArray = m_engine->newArray(quint32(args.size()));
    for (qsizetype i = 0; i < args.size(); ++i)
        argArray.setProperty(quint32(i), args.at(i));
    global.setProperty(kCallTarget, m_functions.at(id - 1));
    global.setProperty(kCallArgs, argArray);
    QStringList stackTrace;
    const QJSValue result = m_engine->evaluate(kCallTarget + QStringLiteral(".apply(null, ") + kCallArgs
                                                   + QStringLiteral(")"),
                                               QStringLiteral("call"), 1, &stackTrace);
    global.deleteProperty(kCallTarget);
    global.deleteProperty(kCallArgs);
    if (!stackTrace.isEmpty()) {
        RecordError(result, stackTrace);
        return QJSValue();
    }
    return result;
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
