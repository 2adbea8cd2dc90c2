#include "server/host/CPageWorkers.h"

#include "server/host/CHostConfig.h"
#include "server/host/CPageWorker.h"

#include <chrono>

CPageWorkers::CPageWorkers(const CHostConfig& config, CHostLog& log, std::function<void()> everyMinute)
    : m_everyMinute(std::move(everyMinute)), m_maxQueued(config.maxQueuedRequests)
{
    const int count = config.WorkerCount();
    for (int i = 0; i < count; ++i)
        m_workers.push_back(std::make_unique<CPageWorker>(config, log));
    for (auto& worker : m_workers)
        m_threads.emplace_back([this, &worker] { Work(*worker); });
    m_housekeeping = std::thread([this] { KeepHouse(); });
}

CPageWorkers::~CPageWorkers() { Stop(); }

bool CPageWorkers::Submit(const QString& key, Job job)
{
    {
        std::lock_guard lock(m_lock);
        if (m_queued >= m_maxQueued)
            return false;
        ++m_queued;
        if (!key.isEmpty() && m_running.contains(key)) {
            m_waiting[key].push_back({key, std::move(job)});
            return true;
        }
        m_jobs.push_back({key, std::move(job)});
    }
    m_wake.notify_one();
    return true;
}

bool CPageWorkers::TakeNext(Queued& next)
{
    while (!m_jobs.empty()) {
        Queued front = std::move(m_jobs.front());
        m_jobs.pop_front();
        if (!front.key.isEmpty() && m_running.contains(front.key)) {
            m_waiting[front.key].push_back(std::move(front));
            continue;
        }
        if (!front.key.isEmpty())
            m_running.insert(front.key);
        --m_queued;
        next = std::move(front);
        return true;
    }
    return false;
}

// The Session's next request, if one waits, goes to the head of the queue.
void CPageWorkers::Done(const QString& key)
{
    if (key.isEmpty())
        return;
    {
        std::lock_guard lock(m_lock);
        m_running.remove(key);
        const auto waiting = m_waiting.find(key);
        if (waiting == m_waiting.end())
            return;
        m_jobs.push_front(std::move(waiting->front()));
        waiting->pop_front();
        if (waiting->empty())
            m_waiting.erase(waiting);
    }
    m_wake.notify_one();
}

void CPageWorkers::Stop()
{
    {
        std::lock_guard lock(m_lock);
        if (m_stopping)
            return;
        m_stopping = true;
    }
    m_wake.notify_all();
    m_housekeepingWake.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
    m_housekeeping.join();
}

void CPageWorkers::Work(CPageWorker& worker)
{
    for (;;) {
        Queued next;
        {
            std::unique_lock lock(m_lock);
            m_wake.wait(lock, [&] { return TakeNext(next) || m_stopping; });
            if (!next.job)
                break;
        }
        next.job(worker);
        Done(next.key);
    }
    // The thread's objects go on the thread that made them.
    worker.Release();
}

void CPageWorkers::KeepHouse()
{
    std::unique_lock lock(m_lock);
    while (!m_stopping) {
        if (m_housekeepingWake.wait_for(lock, std::chrono::minutes(1)) == std::cv_status::no_timeout)
            continue;
        lock.unlock();
        if (m_everyMinute)
            m_everyMinute();
        lock.lock();
    }
}
