#pragma once

#include "platform/ado/CAdoConnection.h"
#include "platform/testing/TempFolder.h"

#include <QStringList>

#include <memory>

// An empty shop database for one test on one engine, in a database folder
// as the server finds it: database.mdb for SQLite, sqlserver.ini naming a
// fresh database of the test PostgreSQL cluster otherwise. Throws
// std::runtime_error when the cluster cannot be started.
class CAdoTestDatabase
{
public:
    explicit CAdoTestDatabase(CAdoConnection::Engine engine);

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
};
