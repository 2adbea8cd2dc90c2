#include "exchange/CExchangeScript.h"

#include <QFile>
#include <QJSEngine>

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
    m_engine.AddExposedObjectPtr(QStringLiteral("QTR"), qtr);
    m_open = true;
    // An interrupt that came while the engine was being made.
    if (m_interrupted)
        m_engine.Engine()->setInterrupted(true);
    m_engine.LoadScript(text);
    return Load::Loaded;
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
