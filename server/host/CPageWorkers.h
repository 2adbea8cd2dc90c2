#pragma once

#include <QList>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class CPageWorker;
class CHostLog;
struct CHostConfig;

// The threads that run pages, each with its own script engines, fed from
// one queue; and a thread that, once a minute, runs the housekeeping it was
// given. (Each page runner stops its own pages over their time.)
class CPageWorkers
{
public:
    using Job = std::function<void(CPageWorker&)>;

    CPageWorkers(const CHostConfig& config, CHostLog& log, std::function<void()> everyMinute);
    ~CPageWorkers();

    void Submit(Job job);
    // Lets the jobs already queued finish, then ends the threads.
    void Stop();

private:
    void Work(CPageWorker& worker);
    void KeepHouse();

    std::vector<std::unique_ptr<CPageWorker>> m_workers;
    std::vector<std::thread> m_threads;
    std::thread m_housekeeping;
    std::function<void()> m_everyMinute;
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::condition_variable m_housekeepingWake;
    std::deque<Job> m_jobs;
    bool m_stopping = false;
};
