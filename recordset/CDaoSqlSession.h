#pragma once

#include "recordset/schema/IQtrSqlSession.h"

class CDaoDatabase;

// A desktop database as the schema's routines use it: its transactions,
// statements run on its connection, failures as CDaoException.
class CDaoSqlSession : public IQtrSqlSession
{
public:
    explicit CDaoSqlSession(CDaoDatabase& database) : m_database(database) {}

    bool IsPostgres() const override { return false; }
    void Begin() override;
    void Commit() override;
    void Rollback() override;
    QSqlQuery Exec(const QString& sql, const QVariantList& params = {}) override;

private:
    CDaoDatabase& m_database;
};
