#pragma once

#include <QThread>

#include <condition_variable>
#include <mutex>

// Makes global.asa run once for all the pages of a site and finish before
// any other page runs: the first page to arrive runs it, pages that arrive
// meanwhile on other threads wait until it is done.
class CGlobalAsaGate
{
public:
    explicit CGlobalAsaGate(bool pending = true) : m_state(pending ? State::Pending : State::Done) {}

    // True for the one caller that must run global.asa now and then call
    // Done. Others return once it has run. A call on the thread that is
    // running it (a page run inside global.asa's run) returns false at once.
    bool Enter();
    void Done();
    // Calls Done when it goes, however the run ended, so waiting pages never
    // wait for ever.
    class Running
    {
    public:
        explicit Running(CGlobalAsaGate& gate, bool entered = true) : m_gate(entered ? &gate : nullptr) {}
        ~Running()
        {
            if (m_gate)
                m_gate->Done();
        }
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;

    private:
        CGlobalAsaGate* m_gate;
    };

    // Makes it run again before the next page.
    void Reset();
    bool IsPending() const;
    bool IsRunning() const;

private:
    enum class State { Pending, Running, Done };

    mutable std::mutex m_lock;
    std::condition_variable m_finished;
    State m_state;
    Qt::HANDLE m_runner = nullptr;
};
