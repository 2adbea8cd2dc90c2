#pragma once

#include "platform/ado/CAdoConnection.h"
#include "platform/testing/TempFolder.h"

#include <QStringList>

#include <memory>

// An empty shop database for one test on one engine, in a database folder
// as the server finds it: database.mdb for SQLite, sqlserver.ini naming a
// fresh database of the test PostgreSQL cluster otherwise (the run's
// cluster under CTest, see PgTestCluster). Throws std::runtime_error when
// the cluster cannot be started: a test never passes without its engine.
class CAdoTestDatabase
{
public:
    explicit CAdoTestDatabase(CAdoConnection::Engine engine);
    // Drops the test's PostgreSQL database, so a run's cluster holds only
    // the databases of the tests still running.
    ~CAdoTestDatabase();
    CAdoTestDatabase(const CAdoTestDatabase&) = delete;
    CAdoTestDatabase& operator=(const CAdoTestDatabase&) = delete;

    CAdoConnection::Engine Engine() const { return m_engine; }
    QString Folder() const { return m_folder.Path(); }
    QString ConnectionString() const { return m_connectionString; }

    // Runs statements as they stand (DDL, fixtures), not rewritten.
    void Execute(const QStringList& statements) const;
    std::unique_ptr<CAdoConnection> Connect() const;

    static const char* EngineName(CAdoConnection::Engine engine);

private:
    CAdoConnection::Engine m_engine;
    TempFolder m_folder;
    QString m_connectionString;
    QString m_pgDatabase;
};
