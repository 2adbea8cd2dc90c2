#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

class QJSEngine;

// Interrupts a script that runs past its deadline. A script engine runs on
// one thread and cannot look at the clock itself, so another thread waits
// for the deadline and interrupts the engine, which then throws inside the
// script. The thread starts with the first run that has a deadline.
class ScriptWatchdog
{
public:
    using Clock = std::chrono::steady_clock;

    ScriptWatchdog() = default;
    ~ScriptWatchdog();
    ScriptWatchdog(const ScriptWatchdog&) = delete;
    ScriptWatchdog& operator=(const ScriptWatchdog&) = delete;

    void Arm(QJSEngine* engine, Clock::time_point deadline);
    // Moves the deadline of the run in progress (a page that asks for more time).
    void MoveDeadline(Clock::time_point deadline);
    // True when the run was interrupted since Arm.
    bool Disarm();

private:
    void Watch();

    std::mutex m_lock;
    std::condition_variable m_changed;
    std::thread m_thread;
    QJSEngine* m_engine = nullptr;
    Clock::time_point m_deadline;
    bool m_fired = false;
    bool m_stop = false;
};
