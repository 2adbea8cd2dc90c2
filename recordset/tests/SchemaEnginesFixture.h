#pragma once

#include "platform/testing/PgTestCluster.h"
#include "platform/testing/TempFolder.h"
#include "recordset/tests/TestSqlSession.h"

#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

// The engines the schema's DDL is written for, each a fresh database that a
// test fills through plain QtSql: SQLite in a file of its own, PostgreSQL a
// database of the test cluster.
enum class SchemaEngine { Sqlite, Postgres };

inline const char* SchemaEngineName(SchemaEngine engine)
{
    return engine == SchemaEngine::Sqlite ? "SQLite" : "PostgreSQL";
}

class SchemaEngines : public ::testing::TestWithParam<SchemaEngine>
{
protected:
    void SetUp() override
    {
        m_name = QStringLiteral("qtr-schema-engine-%1").arg(++s_connections);
        if (GetParam() == SchemaEngine::Sqlite) {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
            db.setDatabaseName(m_folder.FilePath(QStringLiteral("database.mdb")));
            ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
            return;
        }
        PgTestCluster& cluster = PgTestCluster::Instance();
        ASSERT_TRUE(cluster.IsRunning()) << cluster.Error().toStdString();
        m_pgDatabase = cluster.CreateDatabase(QStringLiteral("schema"));
        ASSERT_FALSE(m_pgDatabase.isEmpty()) << cluster.Error().toStdString();
        m_pgPort = cluster.Port();
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
        db.setHostName(QStringLiteral("127.0.0.1"));
        db.setPort(cluster.Port());
        db.setDatabaseName(m_pgDatabase);
        db.setUserName(QStringLiteral("postgres"));
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
    }

    void TearDown() override
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
        if (!m_pgDatabase.isEmpty())
            PgTestCluster::Instance().DropDatabase(m_pgDatabase);
    }

    bool IsPostgres() const { return GetParam() == SchemaEngine::Postgres; }
    QSqlDatabase Db() const { return QSqlDatabase::database(m_name, false); }
    QString DatabaseFile() const { return m_folder.FilePath(QStringLiteral("database.mdb")); }

    // Opens one more connection to the same database under name, in the
    // calling thread (a connection belongs to the thread that made it); the
    // caller removes it. SQLite's waits for the write lock instead of failing.
    QSqlDatabase Connect(const QString& name) const
    {
        QSqlDatabase db;
        if (IsPostgres()) {
            db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            db.setHostName(QStringLiteral("127.0.0.1"));
            db.setPort(m_pgPort);
            db.setDatabaseName(m_pgDatabase);
            db.setUserName(QStringLiteral("postgres"));
        } else {
            db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(DatabaseFile());
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=20000"));
        }
        db.open();
        return db;
    }

    void Run(const QString& sql, const QVariantList& params = {}) const
    {
        TestSqlSession session(Db(), IsPostgres());
        EXPECT_NO_THROW(session.Exec(sql, params));
    }

    QVariant Scalar(const QString& sql) const
    {
        QSqlQuery query(Db());
        EXPECT_TRUE(query.exec(sql)) << sql.toStdString() << ": " << query.lastError().text().toStdString();
        return query.next() ? query.value(0) : QVariant();
    }

private:
    static inline int s_connections = 0;
    TempFolder m_folder;
    QString m_name;
    QString m_pgDatabase;
    int m_pgPort = 0;
};

#define QTR_INSTANTIATE_SCHEMA_ENGINES(suite)                                                                   \
    INSTANTIATE_TEST_SUITE_P(Engines, suite, ::testing::Values(SchemaEngine::Sqlite, SchemaEngine::Postgres), \
                             [](const auto& info) { return SchemaEngineName(info.param); })
