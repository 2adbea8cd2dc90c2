#include "platform/script/ScriptWatchdog.h"

#include <QJSEngine>

ScriptWatchdog::~ScriptWatchdog()
{
    {
        std::lock_guard<std::mutex> locker(m_lock);
        m_stop = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void ScriptWatchdog::Arm(QJSEngine* engine, Clock::time_point deadline)
{
    {
        std::lock_guard<std::mutex> locker(m_lock);
        m_engine = engine;
        m_deadline = deadline;
        m_fired = false;
        if (!m_thread.joinable())
            m_thread = std::thread([this] { Watch(); });
    }
    m_changed.notify_all();
}

void ScriptWatchdog::MoveDeadline(Clock::time_point deadline)
{
    {
        std::lock_guard<std::mutex> locker(m_lock);
        m_deadline = deadline;
    }
    m_changed.notify_all();
}

bool ScriptWatchdog::Disarm()
{
    std::lock_guard<std::mutex> locker(m_lock);
    m_engine = nullptr;
    return std::exchange(m_fired, false);
}

void ScriptWatchdog::Watch()
{
    std::unique_lock<std::mutex> locker(m_lock);
    while (!m_stop) {
        if (!m_engine) {
            m_changed.wait(locker);
            continue;
        }
        if (Clock::now() < m_deadline) {
            m_changed.wait_until(locker, m_deadline);
            continue;
        }
        // Under the lock, so Disarm never returns while an interrupt for
        // the finished run is still on its way.
        m_engine->setInterrupted(true);
        m_engine = nullptr;
        m_fired = true;
    }
}
