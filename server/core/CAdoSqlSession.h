#pragma once

#include "recordset/schema/IQtrSqlSession.h"

class CAdoConnection;

// A shop connection as the schema's routines use it: its transactions (the
// outermost takes SQLite's write lock at once), statements run as written,
// failures as CAdoException.
class CAdoSqlSession : public IQtrSqlSession
{
public:
    explicit CAdoSqlSession(CAdoConnection& connection) : m_connection(connection) {}

    bool IsPostgres() const override;
    void Begin() override;
    void Commit() override;
    void Rollback() override;
    QSqlQuery Exec(const QString& sql, const QVariantList& params = {}) override;

private:
    CAdoConnection& m_connection;
};
