#pragma once

#include "platform/sql/CJetSql.h"

#include <QHash>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// A connection to the shop database, opened from a connection string:
//   "DBQ=<folder>/database.mdb;..."  the SQLite file named by DBQ;
//   anything else                     a libpq connection string for
//                                     PostgreSQL ("host=... dbname=...").
// SQL is written in the Access dialect with "?" for every value and is
// rewritten for the engine (CJetSql); values are always bound.
// A connection belongs to the thread that opened it. It is a QObject so
// that pages can hand it from one server object to another.
class CAdoConnection : public QObject
{
    Q_OBJECT
public:
    enum Engine { SQLite, PostgreSQL };

    explicit CAdoConnection(QObject* parent = nullptr);
    ~CAdoConnection() override;

    // Throws CAdoException when the database cannot be opened (a missing
    // SQLite file included: it is never created here).
    void Open(const QString& connectionString);
    void Close();
    bool IsOpen() const;
    Engine GetEngine() const { return m_engine; }
    // What Open was given: the database's identity for what is kept per
    // shop.
    const QString& ConnectionString() const { return m_connectionString; }

    // Runs one statement; returns the number of rows it changed.
    int Execute(const QString& jetSql, const QVariantList& params = {});

    // Runs a query and returns it positioned before its first row.
    QSqlQuery Run(const QString& jetSql, const QVariantList& params = {});
    // Runs a query through a statement this connection prepared once and
    // keeps: the caller reads its rows at once and calls finish() before it
    // runs the same text again (the static recordsets do).
    QSqlQuery& RunPrepared(const QString& jetSql, const QVariantList& params);

    // Transactions; on SQLite the outermost one takes the write lock at once
    // (BEGIN IMMEDIATE), so a read-then-write inside it cannot interleave
    // with another connection's. Nested ones are savepoints.
    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();

    QString Rewrite(const QString& jetSql) const;
    QSqlDatabase Database() const;

    // A value as it is bound: dates in the stored text form, booleans 1/0.
    static QVariant BindValue(const QVariant& value);

signals:
    // Emitted once each time an open connection is closed.
    void Closed();

private:
    void OpenSqlite(const QString& connectionString);
    void OpenPostgres(const QString& connectionString);
    void Finish(QSqlDatabase& db);
    void RunPlain(const QString& sql);

    QString m_name;
    QString m_connectionString;
    Engine m_engine = SQLite;
    // Statements prepared once per connection, by their Access-dialect text.
    QHash<QString, QSqlQuery> m_prepared;
    int m_transDepth = 0;
};
