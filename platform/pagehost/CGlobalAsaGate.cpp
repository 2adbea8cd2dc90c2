#include "platform/pagehost/CGlobalAsaGate.h"

bool CGlobalAsaGate::Enter()
{
    std::unique_lock<std::mutex> locker(m_lock);
    if (m_state == State::Pending) {
        m_state = State::Running;
        m_runner = QThread::currentThreadId();
        return true;
    }
    if (m_runner == QThread::currentThreadId())
        return false;
    m_finished.wait(locker, [this] { return m_state != State::Running; });
    return false;
}

void CGlobalAsaGate::Done()
{
    {
        std::lock_guard<std::mutex> locker(m_lock);
        m_state = State::Done;
        m_runner = nullptr;
    }
    m_finished.notify_all();
}

void CGlobalAsaGate::Reset()
{
    std::lock_guard<std::mutex> locker(m_lock);
    if (m_state == State::Done)
        m_state = State::Pending;
}

bool CGlobalAsaGate::IsPending() const
{
    std::lock_guard<std::mutex> locker(m_lock);
    return m_state == State::Pending;
}

bool CGlobalAsaGate::IsRunning() const
{
    std::lock_guard<std::mutex> locker(m_lock);
    return m_state == State::Running;
}
