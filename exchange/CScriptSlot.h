#pragma once

#include <atomic>
#include <functional>
#include <mutex>

// Where a job keeps the script it is running, so that a cancel from
// another thread can interrupt it. The job's thread puts the script in for
// the scope of the run (Holder) and takes it out before the script goes;
// taking it out waits for an interrupt in progress, so a cancel never
// reaches a script that is already destroyed.
class CScriptSlot
{
public:
    class Holder
    {
    public:
        // interrupt stops the held script; a slot already interrupted
        // interrupts it at once.
        Holder(CScriptSlot& slot, std::function<void()> interrupt);
        ~Holder();
        Holder(const Holder&) = delete;
        Holder& operator=(const Holder&) = delete;

    private:
        CScriptSlot& m_slot;
    };

    // From any thread.
    void Interrupt();
    bool Interrupted() const { return m_interrupted.load(); }
    // Before a new run.
    void Reset() { m_interrupted = false; }

private:
    std::mutex m_mutex;
    std::function<void()> m_interrupt;
    std::atomic<bool> m_interrupted{false};
};
