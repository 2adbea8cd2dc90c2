#include "desktop/shell/controls/CJobRunner.h"

#include <QList>
#include <QMetaObject>
#include <QThread>

namespace {

// Touched on the window's thread only.
QList<CJobRunner*>& Running()
{
    static QList<CJobRunner*> running;
    return running;
}

} // namespace

// Shared by the worker that waits and the body that answers: either may
// outlive the other.
struct CJobRunner::Answer
{
    bool done = false;
    QVariant value;
};

CJobRunner::CJobRunner(QObject* parent) : QObject(parent) {}

CJobRunner::~CJobRunner()
{
    if (IsRunning()) {
        Cancel();
        Wait();
    }
}

void CJobRunner::Start(std::function<void()> work)
{
    if (IsRunning())
        return;
    m_cancel = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_abandoned = false;
    }
    m_thread = QThread::create(std::move(work));
    // Queued: the worker's end is handled on this object's thread, after
    // every report the job posted before it.
    connect(m_thread, &QThread::finished, this, &CJobRunner::OnWorkerEnded, Qt::QueuedConnection);
    Running().append(this);
    m_thread->start();
}

// The window may have waited for the worker already (its close); the end
// is announced all the same.
void CJobRunner::OnWorkerEnded()
{
    Wait();
    emit Finished();
}

void CJobRunner::Cancel()
{
    m_cancel = true;
    for (const auto& hook : m_cancelHooks)
        hook();
}

void CJobRunner::OnCancel(std::function<void()> hook) { m_cancelHooks.push_back(std::move(hook)); }

void CJobRunner::Wait()
{
    if (!m_thread)
        return;
    {
        // This thread answers no more questions: a worker waiting for one
        // goes on.
        std::lock_guard<std::mutex> lock(m_mutex);
        m_abandoned = true;
        m_answered.notify_all();
    }
    m_thread->wait();
    Running().removeAll(this);
    delete m_thread;
    m_thread = nullptr;
}

void CJobRunner::Post(std::function<void()> body)
{
    if (QThread::currentThread() == thread())
        body();
    else
        QMetaObject::invokeMethod(this, std::move(body), Qt::QueuedConnection);
}

QVariant CJobRunner::Ask(std::function<QVariant()> body)
{
    if (QThread::currentThread() == thread())
        return body();
    auto answer = std::make_shared<Answer>();
    QMetaObject::invokeMethod(
        this,
        [this, answer, body = std::move(body)] {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (m_abandoned)
                    return;
            }
            QVariant value = body();
            std::lock_guard<std::mutex> lock(m_mutex);
            answer->value = std::move(value);
            answer->done = true;
            m_answered.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock<std::mutex> lock(m_mutex);
    m_answered.wait(lock, [&] { return answer->done || m_abandoned; });
    return answer->done ? answer->value : QVariant();
}

bool CJobRunner::AnyRunning() { return !Running().isEmpty(); }

void CJobRunner::CancelAndWaitAll()
{
    const QList<CJobRunner*> running = Running();
    for (CJobRunner* runner : running)
        runner->Cancel();
    for (CJobRunner* runner : running)
        runner->Wait();
}
