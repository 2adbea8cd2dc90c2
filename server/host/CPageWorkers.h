#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

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
//
// A Session's requests run one at a time. Those that arrive while one of
// them runs wait beside the queue, not in a page thread: a visitor whose
// page loops cannot take the threads of everyone else with more requests.
class CPageWorkers
{
public:
    using Job = std::function<void(CPageWorker&)>;

    CPageWorkers(const CHostConfig& config, CHostLog& log, std::function<void()> everyMinute);
    ~CPageWorkers();

    // False when the queue is full (the request is to be refused). key
    // names the job's Session; empty: none.
    bool Submit(const QString& key, Job job);
    // Lets the jobs already queued finish, then ends the threads.
    void Stop();

private:
    struct Queued
    {
        QString key;
        Job job;
    };

    void Work(CPageWorker& worker);
    // Under the lock: the next job whose Session has none running.
    bool TakeNext(Queued& next);
    void Done(const QString& key);
    void KeepHouse();

    std::vector<std::unique_ptr<CPageWorker>> m_workers;
    std::vector<std::thread> m_threads;
    std::thread m_housekeeping;
    std::function<void()> m_everyMinute;
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::condition_variable m_housekeepingWake;
    std::deque<Queued> m_jobs;
    QHash<QString, std::deque<Queued>> m_waiting;   // behind their Session's running job
    QSet<QString> m_running;
    int m_queued = 0;   // in m_jobs and m_waiting
    const int m_maxQueued;
    bool m_stopping = false;
};
