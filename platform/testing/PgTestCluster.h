#pragma once

#include <QString>

// A throwaway PostgreSQL 15 cluster for the tests of one process: made in a
// private folder of the system's temporary directory on first use, listening
// on 127.0.0.1 at a free port, and removed when the process ends. A watcher
// stops it even when the process dies before its normal end.
class PgTestCluster
{
public:
    static PgTestCluster& Instance();

    // Empty when the cluster runs; otherwise why it could not be started.
    QString Error() const { return m_error; }
    bool IsRunning() const { return m_error.isEmpty(); }

    // A new empty database of the cluster; returns its name.
    QString CreateDatabase(const QString& prefix = QStringLiteral("test"));
    // A libpq connection string for one database of the cluster.
    QString ConnectionString(const QString& database) const;
    int Port() const { return m_port; }

    ~PgTestCluster();

private:
    PgTestCluster();
    bool Start();
    void Stop();

    QString m_folder;
    QString m_error;
    int m_port = 0;
    int m_databases = 0;
};
