#include "platform/dao/CDaoDatabase.h"

#include "platform/dao/CDaoException.h"

#include <QAtomicInteger>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>

namespace {

QString NextConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("qtrdao-%1").arg(++counter);
}

QString EngineMessage(const QSqlError& error)
{
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.text();
    return text;
}

} // namespace

CDaoDatabase::CDaoDatabase() = default;

CDaoDatabase::~CDaoDatabase() { Close(); }

void CDaoDatabase::Open(const QString& path, bool bCreate)
{
    Close();
    if (!bCreate && !QFileInfo(path).isFile())
        throw CDaoException(QStringLiteral("Impossibile trovare il file '%1'.").arg(path));
    m_strConnection = NextConnectionName();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_strConnection);
    db.setDatabaseName(path);
    if (!db.open()) {
        const QString message = EngineMessage(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_strConnection);
        m_strConnection.clear();
        throw CDaoException(message);
    }
    m_strPath = path;
    // With a write-ahead log and NORMAL syncing a commit costs no flush to
    // disk, which keeps a tracked save (counter and row) cheap; the log is
    // folded back into the file by Checkpoint and when the last connection
    // closes, so a closed database is always one whole file.
    Execute(QStringLiteral("PRAGMA journal_mode=WAL"));
    Execute(QStringLiteral("PRAGMA synchronous=NORMAL"));
    Execute(QStringLiteral("PRAGMA foreign_keys=OFF"));
    QSqlQuery timeout(db);
    timeout.exec(QStringLiteral("PRAGMA busy_timeout=5000"));
}

void CDaoDatabase::Checkpoint()
{
    if (m_nTransDepth > 0)
        throw CDaoException(QStringLiteral("Transazione in corso: impossibile copiare il database."));
    QSqlQuery query(Connection());
    if (!query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")))
        throw CDaoException(EngineMessage(query.lastError()));
}

void CDaoDatabase::CopyTo(const QString& path)
{
    if (m_nTransDepth > 0)
        throw CDaoException(QStringLiteral("Transazione in corso: impossibile copiare il database."));
    QFile::remove(path);
    QSqlQuery query(Connection());
    query.prepare(QStringLiteral("VACUUM INTO ?"));
    query.bindValue(0, path);
    if (!query.exec())
        throw CDaoException(EngineMessage(query.lastError()));
}

void CDaoDatabase::Close()
{
    if (m_strConnection.isEmpty())
        return;
    while (m_nTransDepth > 0)
        Rollback();
    qDeleteAll(m_prepared);
    m_prepared.clear();
    {
        QSqlDatabase db = QSqlDatabase::database(m_strConnection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_strConnection);
    m_strConnection.clear();
    m_strPath.clear();
}

bool CDaoDatabase::IsOpen() const { return !m_strConnection.isEmpty(); }

QSqlDatabase CDaoDatabase::Connection() const
{
    if (m_strConnection.isEmpty())
        throw CDaoException(QStringLiteral("Il database non è aperto."));
    return QSqlDatabase::database(m_strConnection, false);
}

void CDaoDatabase::Exec(QSqlQuery& query, const QString& sql)
{
    if (!query.exec())
        throw CDaoException(EngineMessage(query.lastError()) + QStringLiteral(" [") + sql + QStringLiteral("]"));
}

int CDaoDatabase::Execute(const QString& sql, const QVariantList& params)
{
    QSqlQuery query(Connection());
    if (!query.prepare(sql))
        throw CDaoException(EngineMessage(query.lastError()) + QStringLiteral(" [") + sql + QStringLiteral("]"));
    for (int i = 0; i < params.size(); ++i)
        query.bindValue(i, params.at(i));
    Exec(query, sql);
    NoteWrite();
    return query.numRowsAffected();
}

QSqlQuery& CDaoDatabase::Prepared(const QString& sql)
{
    auto it = m_prepared.find(sql);
    if (it != m_prepared.end()) {
        (*it)->finish();
        return **it;
    }
    auto* query = new QSqlQuery(Connection());
    if (!query->prepare(sql)) {
        const QString message = EngineMessage(query->lastError());
        delete query;
        throw CDaoException(message + QStringLiteral(" [") + sql + QStringLiteral("]"));
    }
    m_prepared.insert(sql, query);
    return *query;
}

void CDaoDatabase::BeginTrans()
{
    RunControl(m_nTransDepth == 0 ? QStringLiteral("BEGIN") : QStringLiteral("SAVEPOINT qtr_%1").arg(m_nTransDepth));
    ++m_nTransDepth;
}

void CDaoDatabase::CommitTrans()
{
    if (m_nTransDepth == 0)
        throw CDaoException(QStringLiteral("Nessuna transazione in corso."));
    --m_nTransDepth;
    RunControl(m_nTransDepth == 0 ? QStringLiteral("COMMIT")
                                  : QStringLiteral("RELEASE SAVEPOINT qtr_%1").arg(m_nTransDepth));
}

void CDaoDatabase::Rollback()
{
    if (m_nTransDepth == 0)
        throw CDaoException(QStringLiteral("Nessuna transazione in corso."));
    --m_nTransDepth;
    if (m_nTransDepth == 0) {
        RunControl(QStringLiteral("ROLLBACK"));
    } else {
        RunControl(QStringLiteral("ROLLBACK TO SAVEPOINT qtr_%1").arg(m_nTransDepth));
        RunControl(QStringLiteral("RELEASE SAVEPOINT qtr_%1").arg(m_nTransDepth));
    }
    NoteWrite();
}

void CDaoDatabase::RunControl(const QString& sql)
{
    QSqlQuery& query = Prepared(sql);
    Exec(query, sql);
    query.finish();
}

bool CDaoDatabase::TableExists(const QString& table) const
{
    QSqlQuery query(Connection());
    query.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE"));
    query.bindValue(0, table);
    return query.exec() && query.next();
}

QStringList CDaoDatabase::TableColumns(const QString& table) const
{
    QStringList names;
    const QSqlRecord record = Connection().record(table);
    for (int i = 0; i < record.count(); ++i)
        names << record.fieldName(i);
    return names;
}
