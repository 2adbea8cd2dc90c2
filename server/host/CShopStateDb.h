#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <mutex>

// Where a shop's Sessions and Application values are kept: the shop's own
// PostgreSQL database when its db folder holds sqlserver.ini (every qtr50d
// process serving the shop shares them there), otherwise a SQLite file of
// this server. Each thread gets its own connection, made on first use with
// the tables the host needs.
class CShopStateDb
{
public:
    // sqliteFile: the file used when the shop is on SQLite.
    CShopStateDb(const QString& shopName, const QString& dbFolder, const QString& sqliteFile);

    bool IsShared() const { return m_shared; }
    const QString& ShopName() const { return m_shopName; }

    // This thread's connection; throws std::runtime_error when it fails.
    QSqlDatabase Connection();
    // Runs one statement with bound values; throws on failure. On SQLite the
    // writes of this process's threads take turns here: waiting in SQLite's
    // busy handler, which sleeps in steps of up to 100 ms, would cost far
    // more than the write.
    QSqlQuery Run(const QString& sql, const QVariantList& values = {});
    QSqlQuery Write(const QString& sql, const QVariantList& values = {});

    // An advisory lock of the database (PostgreSQL only) on this thread's
    // connection: space 1 Sessions, 2 the Application lock, 3 its start.
    void AdvisoryLock(int space, const QString& key);
    void AdvisoryUnlock(int space, const QString& key);

private:
    void CreateTables(QSqlDatabase& db);
    void Advisory(QSqlDatabase db, const char* function, int space, const QString& key);
    void Forget(const QSqlDatabase& db);

    std::mutex m_writeLock;
    QString m_shopName;
    QString m_connectionString;
    bool m_shared = false;
};
