#include "exchange/CExchangeScript.h"

#include <QFile>
#include <QJSEngine>
#include <QMetaMethod>

CExchangeScript::~CExchangeScript()
{
    if (m_open)
        m_engine.UnloadScript();
    m_engine.FreeInstance();
}

CExchangeScript::Load CExchangeScript::Open(const QString& path, QObject* qtr)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Load::Missing;
    const QString text = QString::fromUtf8(file.readAll());
    if (text.trimmed().isEmpty())
        return Load::Empty;
    m_engine.InitializeScriptEngine();
    ExposeMethods(QStringLiteral("QTR"), qtr);
    m_open = true;
    // An interrupt that came while the engine was being made.
    if (m_interrupted)
        m_engine.Engine()->setInterrupted(true);
    m_engine.LoadScript(text);
    return Load::Loaded;
}

// Reading QTR.X off the object itself makes a new method wrapper each
// time, several times a row; the script sees a plain object whose methods
// were read once instead.
void CExchangeScript::ExposeMethods(const QString& name, QObject* object)
{
    QJSEngine::setObjectOwnership(object, QJSEngine::CppOwnership);
    QJSEngine& engine = *m_engine.Engine();
    const QJSValue wrapper = engine.newQObject(object);
    QJSValue methods = engine.newObject();
    const QMetaObject* meta = object->metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.access() == QMetaMethod::Public && method.methodType() == QMetaMethod::Method) {
            const QString methodName = QString::fromLatin1(method.name());
            methods.setProperty(methodName, wrapper.property(methodName));
        }
    }
    m_engine.AddExposedValue(name, methods);
}

bool CExchangeScript::Has(const QString& function) { return m_open && m_engine.GetIDOfFunction(function) != 0; }

bool CExchangeScript::CallBool(const QString& function, const QJSValueList& arguments)
{
    const int id = m_engine.GetIDOfFunction(function);
    if (id == 0 || m_interrupted)
        return false;
    const QJSValue result = m_engine.CallFunction(id, arguments);
    return result.isBool() && result.toBool();
}

void CExchangeScript::Call(const QString& function)
{
    const int id = m_engine.GetIDOfFunction(function);
    if (id != 0 && !m_interrupted)
        m_engine.CallFunction(id);
}

void CExchangeScript::Interrupt()
{
    m_interrupted = true;
    if (m_open)
        m_engine.Engine()->setInterrupted(true);
}
