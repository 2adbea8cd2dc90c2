#pragma once

#include <QSqlDatabase>
#include <QString>

// Every row of every table of a SQLite database as text: the tables by
// name, their rows in rowid order, each value with the storage class
// SQLite holds it in ("IVA=real:22.0"). Two ways of writing the same data
// that leave the same text left the same rows.
QString TablesSnapshot(const QSqlDatabase& db);

// Checks a snapshot against the file of what a run known to be right left,
// line by line so that a difference names its row. With QTR_WRITE_EXPECTED
// set in the environment the file is written from the snapshot first.
void ExpectSnapshot(const QString& snapshot, const QString& expectedFile);
