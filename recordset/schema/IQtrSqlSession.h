#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// What the schema's own routines (creating the tables, allocating IDs) need
// of a database connection, whichever layer holds it: the desktop's
// CDaoDatabase or the server's CAdoConnection answer it through a small
// adapter of their own.
class IQtrSqlSession
{
public:
    virtual ~IQtrSqlSession() = default;

    virtual bool IsPostgres() const = 0;

    // The connection's own transactions; nested ones are savepoints, so a
    // routine may open one inside its caller's.
    virtual void Begin() = 0;
    virtual void Commit() = 0;
    virtual void Rollback() = 0;

    // Runs one statement as written (no dialect rewrite), values bound;
    // returns it before its first row. Throws the layer's own exception
    // when the statement fails.
    virtual QSqlQuery Exec(const QString& sql, const QVariantList& params = {}) = 0;
};
