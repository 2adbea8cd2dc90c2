#pragma once

#include <QObject>
#include <QVariant>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class QThread;

// Runs one long job of tinda on a worker thread and carries what passes
// between the job and its window:
// - Start(work) runs work on the worker; Finished comes on the window's
//   thread once work has returned.
// - Post(body), from the worker, queues a report to the window's thread
//   and never waits.
// - Ask(body), from the worker, runs a question or a message (a message
//   box, the password) on the window's thread and waits for its answer.
//   Once the window waits for the worker (Wait) every question is dropped
//   and a waiting one ends at once, so a job never blocks a window that is
//   closing; after a mere cancel the job's last messages are still shown.
// - Cancel raises the atomic flag the job reads between items and runs the
//   hooks that reach further (a job's own flag, a script engine), from the
//   window's thread: "Annulla", Escape and the dialog's close button call
//   it, and so does the main window's close (CancelAndWaitAll).
// - Wait blocks the window's thread until the worker has ended; no event
//   loop runs meanwhile.
//
// The job opens its own database connection on the worker: a connection
// belongs to the thread that made it.
class CJobRunner : public QObject
{
    Q_OBJECT
public:
    explicit CJobRunner(QObject* parent = nullptr);
    // Cancels and waits for a job still running.
    ~CJobRunner() override;

    void Start(std::function<void()> work);
    bool IsRunning() const { return m_thread != nullptr; }

    void Cancel();
    bool IsCancelled() const { return m_cancel.load(); }
    const std::atomic<bool>& CancelFlag() const { return m_cancel; }
    void OnCancel(std::function<void()> hook);
    void Wait();

    void Post(std::function<void()> body);
    // The body's result, or an invalid value when the window stopped
    // waiting for answers (Wait) before it came. On the window's thread
    // itself the body runs at once.
    QVariant Ask(std::function<QVariant()> body);

    // Every job running in the program: the main window's close raises
    // their cancel and waits for their workers before it goes.
    static bool AnyRunning();
    static void CancelAndWaitAll();

signals:
    void Finished();

private:
    struct Answer;

    void OnWorkerEnded();

    QThread* m_thread = nullptr;
    std::atomic<bool> m_cancel{false};
    bool m_abandoned = false;   // under m_mutex
    std::vector<std::function<void()>> m_cancelHooks;
    std::mutex m_mutex;
    std::condition_variable m_answered;
};
