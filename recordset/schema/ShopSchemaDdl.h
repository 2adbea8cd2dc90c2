#pragma once

#include "recordset/schema/IQtrSqlSession.h"
#include "recordset/schema/ShopSchema.h"

#include <QStringList>

// The statements that create the tables of one database file, for SQLite
// (the desktop's files and the shop's default database) and for PostgreSQL
// (the shop's SQL-server mode).
//
// ID is a unique key wherever a table has it, but not SQLite's row alias:
// the dynasets address rows by their own row number, which must not move
// when a caller rewrites an ID. The tables without ID (the deletion log, the
// counter, the host's accounts) have no key at all.
//
// Columns that are not marked nullable never hold NULL unless a caller
// writes it: numbers default to 0, text to "", dates to the zero date
// 1899-12-30 00:00:00. Nullable columns (NULL means "not set") have no
// default.
//
// A customer's user ID is unique whatever its case (compare it as
// LOWER(UserID)=LOWER(?), which the index serves); the empty one is not
// counted.
//
// PostgreSQL names are lower case, so the shop's SQL, which names tables and
// columns unquoted, finds them there.
class ShopSchemaDdl
{
public:
    static QStringList SqliteStatements(const QtrTableDef& table);
    static QStringList SqliteStatements(QtrDbFile file);
    static QStringList PostgresStatements(const QtrTableDef& table);
    static QStringList PostgresStatements(QtrDbFile file);

    // Creates every table of the file in the open database, all or none.
    static void CreateTables(IQtrSqlSession& database, QtrDbFile file);
    static void CreateTables(IQtrSqlSession&& database, QtrDbFile file) { CreateTables(database, file); }

    // The statement that adds column `column` of the description to a table
    // made before the column existed, with the definition a new table gives
    // it; on PostgreSQL a column another process added meanwhile is left be.
    static QString AddColumnStatement(const QtrTableDef& table, int column, bool postgres);

    // The columns that get a plain index: the references to other rows
    // that the cascades, the editors and the shop look rows up by.
    static QStringList IndexedColumns(const QtrTableDef& table);
    // The keys merchants type and import (product and category codes and
    // their outside systems' IDs):
    // compared without regard to case on both engines ("art-0001" finds
    // "ART-0001", in the editors' searches, the text import and the
    // scripts' criteria alike), and indexed under that comparison.
    static QStringList CaseInsensitiveColumns(const QtrTableDef& table);
};
