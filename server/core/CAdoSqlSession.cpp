#include "server/core/CAdoSqlSession.h"

#include "platform/ado/CAdoConnection.h"
#include "platform/ado/CAdoException.h"

#include <QSqlError>

bool CAdoSqlSession::IsPostgres() const { return m_connection.GetEngine() == CAdoConnection::PostgreSQL; }

void CAdoSqlSession::Begin() { m_connection.BeginTrans(); }

void CAdoSqlSession::Commit() { m_connection.CommitTrans(); }

void CAdoSqlSession::Rollback() { m_connection.RollbackTrans(); }

QSqlQuery CAdoSqlSession::Exec(const QString& sql, const QVariantList& params)
{
    QSqlQuery query(m_connection.Database());
    query.setForwardOnly(true);
    bool ok = false;
    if (params.isEmpty()) {
        ok = query.exec(sql);   // PostgreSQL prepares no DDL
    } else {
        query.prepare(sql);   // a statement that does not prepare fails below, with the engine's text
        for (int i = 0; i < params.size(); ++i)
            query.bindValue(i, CAdoConnection::BindValue(params.at(i)));
        ok = query.exec();
    }
    if (!ok) {
        const QSqlError error = query.lastError();
        throw CAdoException(error.databaseText().isEmpty() ? error.text() : error.databaseText());
    }
    return query;
}
