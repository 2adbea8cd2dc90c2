#pragma once

#include <QVariant>

class CDaoDatabase;
struct sqlite3;
struct sqlite3_stmt;

// For the bulk paths of long jobs that work on the connection's own
// engine: its handle, and a value bound as the query layer binds it (a
// flag as 1 or 0, whole numbers, reals, texts, NULL).
namespace SqliteHandle
{
sqlite3* Of(CDaoDatabase& database);
int Bind(sqlite3_stmt* statement, int mark, const QVariant& value);
// A prepared statement, or the engine's message with the statement.
sqlite3_stmt* Prepare(sqlite3* db, const QString& sql);
} // namespace SqliteHandle
