#include "server/host/CPageWorkers.h"

#include "server/host/CHostConfig.h"
#include "server/host/CPageWorker.h"

#include <chrono>

CPageWorkers::CPageWorkers(const CHostConfig& config, CHostLog& log, std::function<void()> everyMinute)
    : m_everyMinute(std::move(everyMinute))
{
    const int count = config.WorkerCount();
    for (int i = 0; i < count; ++i)
        m_workers.push_back(std::make_unique<CPageWorker>(config, log));
    for (auto& worker : m_workers)
        m_threads.emplace_back([this, &worker] { Work(*worker); });
    m_housekeeping = std::thread([this] { KeepHouse(); });
}

CPageWorkers::~CPageWorkers() { Stop(); }

void CPageWorkers::Submit(Job job)
{
    {
        std::lock_guard lock(m_lock);
        m_jobs.push_back(std::move(job));
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
        Job job;
        {
            std::unique_lock lock(m_lock);
            m_wake.wait(lock, [&] { return m_stopping || !m_jobs.empty(); });
            if (m_jobs.empty())
                break;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
        }
        job(worker);
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
