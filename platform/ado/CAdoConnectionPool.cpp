#include "platform/ado/CAdoConnectionPool.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QThread>

#include <atomic>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kPerThread = 16;

std::atomic<bool> g_enabled{false};

struct Idle
{
    QString connectionString;
    CAdoConnectionPool::Entry entry;
};

// This thread's idle connections, most recently used last. The main
// thread's are closed when the application object goes (its thread-local
// storage outlives the SQL drivers); other threads' when they end.
struct ThreadPool
{
    std::vector<Idle> idle;
    bool cleanupRegistered = false;
    ~ThreadPool();
};

thread_local ThreadPool t_pool;
// Set once this thread's pool is destroyed. A thread's other thread-local
// objects may be destroyed after it and close connections of their own
// (the host keeps one per thread for its Sessions); those are closed for
// good rather than given to a pool that is gone. Trivially destructible,
// so it still reads true then.
thread_local bool t_poolGone = false;

ThreadPool::~ThreadPool()
{
    for (Idle& item : idle)
        CAdoConnectionPool::Remove(item.entry);
    idle.clear();
    t_poolGone = true;
}

void ClearMainThreadPool() { CAdoConnectionPool::Clear(); }

} // namespace

void CAdoConnectionPool::SetEnabled(bool enabled)
{
    g_enabled = enabled;
    if (!enabled)
        Clear();
}

bool CAdoConnectionPool::IsEnabled() { return g_enabled.load(); }

std::optional<CAdoConnectionPool::Entry> CAdoConnectionPool::Take(const QString& connectionString)
{
    if (!IsEnabled() || t_poolGone)
        return std::nullopt;
    auto& idle = t_pool.idle;
    for (auto it = idle.rbegin(); it != idle.rend(); ++it) {
        if (it->connectionString != connectionString)
            continue;
        Entry entry = std::move(it->entry);
        idle.erase(std::next(it).base());
        if (StillAnswers(entry))
            return entry;
        Remove(entry);
        return std::nullopt;
    }
    return std::nullopt;
}

void CAdoConnectionPool::Give(const QString& connectionString, Entry entry)
{
    if (!IsEnabled() || t_poolGone) {
        Remove(entry);
        return;
    }
    ThreadPool& pool = t_pool;
    if (!pool.cleanupRegistered && QCoreApplication::instance()
        && QThread::currentThread() == QCoreApplication::instance()->thread()) {
        qAddPostRoutine(ClearMainThreadPool);
        pool.cleanupRegistered = true;
    }
    pool.idle.push_back({connectionString, std::move(entry)});
    if (pool.idle.size() > kPerThread) {
        Remove(pool.idle.front().entry);
        pool.idle.erase(pool.idle.begin());
    }
}

void CAdoConnectionPool::Clear()
{
    if (t_poolGone)
        return;
    auto& idle = t_pool.idle;
    for (Idle& item : idle)
        Remove(item.entry);
    idle.clear();
}

// A database server may have dropped a connection while it waited (a
// restart, an administrator); a file database cannot.
bool CAdoConnectionPool::StillAnswers(Entry& entry)
{
    if (!entry.postgres)
        return true;
    QSqlQuery probe(QSqlDatabase::database(entry.name, false));
    return probe.exec(QStringLiteral("SELECT 1"));
}

void CAdoConnectionPool::Remove(Entry& entry)
{
    if (entry.name.isEmpty())
        return;
    entry.prepared.clear();
    {
        QSqlDatabase db = QSqlDatabase::database(entry.name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(entry.name);
    entry.name.clear();
}
