#include "server/host/CShopStateDb.h"

#include "server/core/Funzioni.h"
#include "platform/ado/CAdoConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <map>
#include <memory>
#include <stdexcept>

namespace {

// One connection per thread and connection string, closed when the thread ends.
thread_local std::map<QString, std::unique_ptr<CAdoConnection>> t_connections;

} // namespace

CShopStateDb::CShopStateDb(const QString& shopName, const QString& dbFolder, const QString& sqliteFile)
    : m_shopName(shopName)
{
    m_shared = QFileInfo::exists(QDir(dbFolder).filePath(QStringLiteral("sqlserver.ini")));
    m_connectionString = m_shared ? Funzioni::StringaConnessione(dbFolder)
                                  : QStringLiteral("DBQ=%1;").arg(QDir::cleanPath(sqliteFile));
    if (!m_shared && !QFileInfo::exists(sqliteFile)) {
        QDir().mkpath(QFileInfo(sqliteFile).absolutePath());
        QFile file(sqliteFile);
        if (!file.open(QIODevice::WriteOnly))
            throw std::runtime_error(
                QStringLiteral("Impossibile creare %1: %2").arg(sqliteFile, file.errorString()).toStdString());
    }
}

QSqlDatabase CShopStateDb::Connection()
{
    auto& connection = t_connections[m_connectionString];
    if (!connection) {
        auto opened = std::make_unique<CAdoConnection>();
        opened->Open(m_connectionString);
        QSqlDatabase db = opened->Database();
        CreateTables(db);
        connection = std::move(opened);
    }
    return connection->Database();
}

void CShopStateDb::CreateTables(QSqlDatabase& db)
{
    const QString blob = m_shared ? QStringLiteral("BYTEA") : QStringLiteral("BLOB");
    const QString number = m_shared ? QStringLiteral("BIGINT") : QStringLiteral("INTEGER");
    QStringList statements = {
        QStringLiteral("CREATE TABLE IF NOT EXISTS QtrSessioni (Negozio TEXT NOT NULL, ID TEXT NOT NULL, Valori %1, "
                       "UltimoAccesso %2 NOT NULL, PRIMARY KEY (Negozio, ID))")
            .arg(blob, number),
        // The longest idle Sessions are found by it when the store is full.
        QStringLiteral("CREATE INDEX IF NOT EXISTS QtrSessioniAccesso ON QtrSessioni (Negozio, UltimoAccesso)"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS QtrApplicazione (Negozio TEXT NOT NULL, Nome TEXT NOT NULL, "
                       "Valore %1, PRIMARY KEY (Negozio, Nome))")
            .arg(blob),
    };
    // Sessions are worth keeping across a restart, not an fsync per page:
    // with the write-ahead log a crash of the machine may lose the last
    // moments' changes, never the file.
    if (!m_shared)
        statements = QStringList{QStringLiteral("PRAGMA journal_mode=WAL"), QStringLiteral("PRAGMA synchronous=NORMAL")}
                     + statements;
    for (const QString& sql : statements) {
        QSqlQuery query(db);
        // Two processes may make the tables at once; the loser finds them made.
        if (m_shared)
            Advisory(db, "pg_advisory_lock", 4, QStringLiteral("tables"));
        const bool ok = query.exec(sql);
        if (m_shared)
            Advisory(db, "pg_advisory_unlock", 4, QStringLiteral("tables"));
        if (!ok)
            throw std::runtime_error(query.lastError().text().toStdString());
    }
}

QSqlQuery CShopStateDb::Run(const QString& sql, const QVariantList& values)
{
    QSqlQuery query(Connection());
    bool ok = query.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    ok = ok && query.exec();
    if (!ok) {
        const QString error = query.lastError().text();
        if (m_shared) {
            query = QSqlQuery();
            Forget(Connection());
        }
        throw std::runtime_error(error.toStdString());
    }
    return query;
}

QSqlQuery CShopStateDb::Write(const QString& sql, const QVariantList& values)
{
    if (m_shared)
        return Run(sql, values);
    std::lock_guard lock(m_writeLock);
    return Run(sql, values);
}

void CShopStateDb::AdvisoryLock(int space, const QString& key)
{
    if (m_shared)
        Advisory(Connection(), "pg_advisory_lock", space, key);
}

void CShopStateDb::AdvisoryUnlock(int space, const QString& key)
{
    if (m_shared)
        Advisory(Connection(), "pg_advisory_unlock", space, key);
}

// A database server that restarted or dropped the connection: the request
// that found out fails, the thread's next one connects afresh.
void CShopStateDb::Forget(const QSqlDatabase& db)
{
    const auto found = t_connections.find(m_connectionString);
    if (found != t_connections.end() && found->second
        && found->second->Database().connectionName() == db.connectionName())
        t_connections.erase(found);
}

void CShopStateDb::Advisory(QSqlDatabase db, const char* function, int space, const QString& key)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT %1(?, hashtext(?))").arg(QLatin1String(function)));
    query.addBindValue(space);
    query.addBindValue(m_shopName + QLatin1Char('/') + key);
    if (!query.exec()) {
        const QString error = query.lastError().text();
        query = QSqlQuery();
        Forget(db);
        throw std::runtime_error(error.toStdString());
    }
}
