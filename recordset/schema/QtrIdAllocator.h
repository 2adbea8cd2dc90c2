#pragma once

#include "recordset/schema/IQtrSqlSession.h"

#include <QString>

#include <functional>

// The two ranges of row IDs: rows made on the desktop (editors, imports,
// the project upgrade) take IDs below 1000000000, rows made on the server
// (orders, customers, registrations, forum and chat) from 1000000001 up.
// 1000000000 itself belongs to neither.
enum class QtrIdRange { Desktop, Server };

// The one allocator of row IDs for both halves and both engines. Each call
// hands out an ID of its range that is above every ID already in the table
// in that range and was never handed out before, even when its row was not
// written; the counter lives in ContatoriID, one row per table and range,
// and moves in one statement, so concurrent connections never get the same
// ID.
class QtrIdAllocator
{
public:
    static constexpr qint32 kDesktopLimit = 1000000000;   // desktop IDs are below
    static constexpr qint32 kFirstServerId = 1000000001;

    // Throws std::invalid_argument for a table the schema does not know
    // or that has no ID, std::runtime_error when the range is exhausted,
    // and the connection's own exception when the database fails.
    static qint32 Next(IQtrSqlSession& database, const QString& table, QtrIdRange range);
    // The first of count consecutive IDs, handed out together as Next
    // hands out one: a long job takes its IDs a block at a time.
    static qint32 NextBlock(IQtrSqlSession& database, const QString& table, QtrIdRange range, int count);

    // The highest ID of the table over both ranges + 1, 1 for an empty
    // table; nothing is allocated (the shop's informative counters).
    static qint32 Peek(IQtrSqlSession& database, const QString& table);

    // The counter key of a table and range, as stored in ContatoriID.
    static QString CounterKey(const QString& table, QtrIdRange range);

    // Runs one statement on ContatoriID in a transaction of its own (a
    // savepoint inside the caller's), making the table first in a database
    // older than it; returns the first column of its first row, 0 without
    // one. A check that throws on that value undoes the statement.
    static qint64 ExecOnCounters(IQtrSqlSession& database, const QString& sql, const QVariantList& values,
                                 const std::function<void(qint64)>& check = {});
};
