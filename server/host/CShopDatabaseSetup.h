#pragma once

#include <QString>

// Puts a shop's tables, then its rows, into the PostgreSQL database that
// the shop's db/sqlserver.ini names: the tables from the one schema
// description (qtr50d --create-schema), the rows from a shop database file
// of SQLite, such as a shop's db/database.mdb (qtr50d --load-shop). Each
// runs in one transaction: all or nothing.
class CShopDatabaseSetup
{
public:
    explicit CShopDatabaseSetup(const QString& dbFolder) : m_dbFolder(dbFolder) {}

    // Throws std::exception with the reason when the shop is not on
    // PostgreSQL or one of its tables is there already.
    void CreateSchema() const;
    // Copies every row of every shop table the file holds (the columns both
    // have); throws when a table is missing in PostgreSQL or holds rows
    // already. Returns the number of rows copied.
    int LoadRows(const QString& sqliteFile) const;

private:
    QString PostgresConnectionString() const;

    QString m_dbFolder;
};
