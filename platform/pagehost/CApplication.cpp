#include "platform/pagehost/CApplication.h"

CApplication::CApplication(QObject* parent) : CScriptValues(parent) {}

void CApplication::Lock()
{
    Store().Lock();
    m_holder = QThread::currentThreadId();
    ++m_depth;
}

void CApplication::UnLock()
{
    if (!HeldHere() || m_depth == 0)
        return;
    if (--m_depth == 0)
        m_holder = nullptr;
    Store().UnLock();
}

void CApplication::ScriptLock()
{
    try {
        Lock();
    } catch (const std::exception& failure) {
        RaiseInScript(failure);
    }
}

void CApplication::ScriptUnLock()
{
    try {
        UnLock();
    } catch (const std::exception& failure) {
        RaiseInScript(failure);
    }
}

void CApplication::UnLockAll()
{
    try {
        while (HeldHere() && m_depth > 0)
            UnLock();
    } catch (const std::exception&) {
        m_depth = 0;
        m_holder = nullptr;
    }
}
