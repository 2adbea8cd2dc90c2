#pragma once

#include <QString>
#include <QVariant>

// Reads what a test expects straight from a SQLite file, on a connection of
// its own that is closed before returning.
class CTestDatabaseFile
{
public:
    // The first value of the query's first row; invalid when no row came.
    static QVariant FirstValue(const QString& file, const QString& sql, const QVariantList& params = {});
};
