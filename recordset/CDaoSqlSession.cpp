#include "recordset/CDaoSqlSession.h"

#include "platform/dao/CDaoDatabase.h"

void CDaoSqlSession::Begin() { m_database.BeginTrans(); }

void CDaoSqlSession::Commit() { m_database.CommitTrans(); }

void CDaoSqlSession::Rollback() { m_database.Rollback(); }

QSqlQuery CDaoSqlSession::Exec(const QString& sql, const QVariantList& params)
{
    // Statements with values run again and again (an ID per saved row):
    // they are prepared once per connection.
    QSqlQuery query = params.isEmpty() ? QSqlQuery(m_database.Connection()) : m_database.Prepared(sql);
    if (params.isEmpty()) {
        query.setForwardOnly(true);
        query.prepare(sql);   // a statement that does not prepare fails in Exec, with the engine's text
    }
    for (int i = 0; i < params.size(); ++i)
        query.bindValue(i, params.at(i));
    CDaoDatabase::Exec(query, sql);
    // After a write the dynasets open on the database read their rows again.
    if (!sql.trimmed().startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive))
        m_database.NoteWrite();
    return query;
}
