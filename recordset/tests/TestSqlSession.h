#pragma once

#include "recordset/schema/IQtrSqlSession.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <stdexcept>

// A plain QtSql connection as the schema's routines use it, for tests that
// run them on both engines without either database layer. Transactions
// nest as savepoints; SQLite's outermost one takes the write lock at once,
// as the server's connections do.
class TestSqlSession : public IQtrSqlSession
{
public:
    TestSqlSession(QSqlDatabase db, bool postgres) : m_db(std::move(db)), m_postgres(postgres) {}

    bool IsPostgres() const override { return m_postgres; }
    void Begin() override
    {
        Plain(m_depth == 0 ? (m_postgres ? "BEGIN" : "BEGIN IMMEDIATE") : QStringLiteral("SAVEPOINT s%1").arg(m_depth));
        ++m_depth;
    }
    void Commit() override
    {
        --m_depth;
        Plain(m_depth == 0 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE SAVEPOINT s%1").arg(m_depth));
    }
    void Rollback() override
    {
        --m_depth;
        Plain(m_depth == 0 ? QStringLiteral("ROLLBACK") : QStringLiteral("ROLLBACK TO SAVEPOINT s%1").arg(m_depth));
    }
    QSqlQuery Exec(const QString& sql, const QVariantList& params = {}) override
    {
        QSqlQuery query(m_db);
        query.setForwardOnly(true);
        bool ok = false;
        if (params.isEmpty()) {
            ok = query.exec(sql);   // PostgreSQL prepares no DDL
        } else {
            query.prepare(sql);
            for (int i = 0; i < params.size(); ++i)
                query.bindValue(i, params.at(i));
            ok = query.exec();
        }
        if (!ok)
            throw std::runtime_error((query.lastError().text() + QStringLiteral(" [") + sql + ']').toStdString());
        return query;
    }

private:
    void Plain(const QString& sql)
    {
        QSqlQuery query(m_db);
        if (!query.exec(sql))
            throw std::runtime_error((query.lastError().text() + QStringLiteral(" [") + sql + ']').toStdString());
    }

    QSqlDatabase m_db;
    bool m_postgres;
    int m_depth = 0;
};
