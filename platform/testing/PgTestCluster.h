#pragma once

#include <QString>

// A throwaway PostgreSQL 15 cluster for the tests, listening on 127.0.0.1
// at a free port, with a database per test.
//
// Under CTest one cluster serves the whole run: the fixture test
// "qtr_pgcluster_start" starts it and writes its state file, every test
// process attaches to it, and "qtr_pgcluster_stop" removes it (a watcher
// does when CTest itself dies). A test program run on its own, with no
// live cluster behind the state file, starts a cluster of its own that
// lives as long as the process.
class PgTestCluster
{
public:
    static PgTestCluster& Instance();

    // Empty when the cluster runs; otherwise why it could not be started.
    QString Error() const { return m_error; }
    bool IsRunning() const { return m_error.isEmpty(); }
    // True when this process uses the run's cluster rather than its own.
    bool IsShared() const { return m_shared; }

    // A new empty database of the cluster, named uniquely across the
    // processes that share it; returns its name.
    QString CreateDatabase(const QString& prefix = QStringLiteral("test"));
    // Drops a database made by CreateDatabase, closing what still uses it.
    void DropDatabase(const QString& database);
    // A libpq connection string for one database of the cluster.
    QString ConnectionString(const QString& database) const;
    int Port() const { return m_port; }

    // The fixture's two halves: start a cluster for the run, stopped when
    // the process watchPid ends at the latest, and write the state file;
    // stop the cluster the state file names. Return an error text, empty
    // on success.
    static QString StartShared(const QString& stateFile, qint64 watchPid);
    static QString StopShared(const QString& stateFile);
    // Where the run's state file is: $QTR_PGTEST_STATE, else the build's.
    static QString StateFile();

    ~PgTestCluster();

private:
    explicit PgTestCluster(bool open);
    bool Attach(const QString& stateFile);
    bool Start(qint64 watchPid);
    void Stop();
    bool Admin(const QString& sql);

    QString m_folder;
    QString m_error;
    int m_port = 0;
    int m_databases = 0;
    bool m_shared = false;
};
