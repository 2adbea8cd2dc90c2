#include "platform/dao/CDaoDatabase.h"

#include "platform/dao/CDaoException.h"
#include "platform/dao/CDatabaseFile.h"

#include <utility>
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
    m_heldFiles.clear();
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
    SetBusyTimeout(5000);
}

void CDaoDatabase::SetBusyTimeout(int milliseconds)
{
    QSqlQuery timeout(Connection());
    timeout.exec(QStringLiteral("PRAGMA busy_timeout=%1").arg(milliseconds));
}

void CDaoDatabase::Checkpoint()
{
    if (m_nTransDepth > 0)
        throw CDaoException(QStringLiteral("Transazione in corso: impossibile copiare il database."));
    QSqlQuery query(Connection());
    if (!query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")))
        throw CDaoException(EngineMessage(query.lastError()));
    // The row says whether the checkpoint was kept from finishing (another
    // connection reading or writing): then the log still holds rows.
    if (query.next() && query.value(0).toInt() != 0)
        throw CDaoException(QStringLiteral("Impossibile scrivere il registro nel database '%1': il database è in uso.")
                                .arg(m_strPath));
}

void CDaoDatabase::CopyTo(const QString& path)
{
    if (m_nTransDepth > 0)
        throw CDaoException(QStringLiteral("Transazione in corso: impossibile copiare il database."));
    const QString temp = CDatabaseFile::TemporaryName(path);
    QSqlQuery query(Connection());
    query.prepare(QStringLiteral("VACUUM INTO ?"));
    query.bindValue(0, temp);
    if (!query.exec()) {
        const QString message = EngineMessage(query.lastError());
        QFile::remove(temp);
        throw CDaoException(message);
    }
    QString error;
    if (!CDatabaseFile::Replace(temp, path, &error)) {
        CDatabaseFile::Remove(temp, nullptr);
        throw CDaoException(error);
    }
}

void CDaoDatabase::Close() noexcept
{
    m_queuedFiles.clear();
    if (m_strConnection.isEmpty())
        return;
    if (m_nTransDepth > 0) {
        // Closing the connection ends the transaction anyway; a failing
        // rollback must not keep the file open nor escape a destructor.
        try {
            RunControl(QStringLiteral("ROLLBACK"));
        } catch (...) {
        }
        m_nTransDepth = 0;
        NoteWrite();
    }
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

void CDaoDatabase::Run(QSqlQuery& query, const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values.at(i));
    Exec(query, query.lastQuery());
}

int CDaoDatabase::Execute(const QString& sql, const QVariantList& params)
{
    QSqlQuery query(Connection());
    if (!query.prepare(sql))
        throw CDaoException(EngineMessage(query.lastError()) + QStringLiteral(" [") + sql + QStringLiteral("]"));
    Run(query, params);
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

bool CDaoDatabase::FirstInTransaction(const QString& key)
{
    if (m_nTransDepth == 0)
        return true;
    if (m_transactionNotes.contains(key))
        return false;
    m_transactionNotes.insert(key);
    return true;
}

QVariant& CDaoDatabase::TransactionValue(const QString& key) { return m_transactionValues[key]; }

void CDaoDatabase::BeforeCommit(std::function<void()> step) { m_beforeCommit.append(std::move(step)); }

void CDaoDatabase::ForgetTransactionState()
{
    m_transactionNotes.clear();
    m_transactionValues.clear();
    m_beforeCommit.clear();
}

void CDaoDatabase::BeginTrans()
{
    if (m_nTransDepth == 0)
        ForgetTransactionState();
    RunControl(m_nTransDepth == 0 ? QStringLiteral("BEGIN") : QStringLiteral("SAVEPOINT qtr_%1").arg(m_nTransDepth));
    ++m_nTransDepth;
}

void CDaoDatabase::CommitTrans()
{
    if (m_nTransDepth == 0)
        throw CDaoException(QStringLiteral("Nessuna transazione in corso."));
    --m_nTransDepth;
    if (m_nTransDepth > 0) {
        RunControl(QStringLiteral("RELEASE SAVEPOINT qtr_%1").arg(m_nTransDepth));
        EndTransactionFiles(true);
        return;
    }
    try {
        const QList<std::function<void()>> steps = std::exchange(m_beforeCommit, {});
        for (const auto& step : steps)
            step();
        RunControl(QStringLiteral("COMMIT"));
        ForgetTransactionState();
    } catch (const CDaoException&) {
        ForgetTransactionState();
        // A commit that fails leaves the engine's transaction open: end it,
        // so the caller's failure means nothing was saved and the next
        // transaction can begin.
        try {
            RunControl(QStringLiteral("ROLLBACK"));
        } catch (const CDaoException&) {
        }
        NoteWrite();
        EndTransactionFiles(false);
        throw;
    }
    EndTransactionFiles(true);
}

void CDaoDatabase::Rollback()
{
    if (m_nTransDepth == 0)
        throw CDaoException(QStringLiteral("Nessuna transazione in corso."));
    --m_nTransDepth;
    EndTransactionFiles(false);
    if (m_nTransDepth == 0) {
        ForgetTransactionState();
        RunControl(QStringLiteral("ROLLBACK"));
    } else {
        RunControl(QStringLiteral("ROLLBACK TO SAVEPOINT qtr_%1").arg(m_nTransDepth));
        RunControl(QStringLiteral("RELEASE SAVEPOINT qtr_%1").arg(m_nTransDepth));
    }
    NoteWrite();
}

void CDaoDatabase::DeleteFilesOnCommit(const QStringList& files)
{
    if (m_nTransDepth == 0) {
        if (m_bHoldFiles)
            m_heldFiles << files;
        else
            RemoveFiles(files);
        return;
    }
    for (const QString& file : files)
        m_queuedFiles.append({m_nTransDepth, file});
}

// Called once the depth has come down by one: the files queued above it
// either pass to the enclosing level or are forgotten with its rows.
void CDaoDatabase::EndTransactionFiles(bool committed)
{
    for (auto it = m_queuedFiles.begin(); it != m_queuedFiles.end();) {
        if (it->level <= m_nTransDepth) {
            ++it;
        } else if (committed) {
            it->level = m_nTransDepth;
            ++it;
        } else {
            it = m_queuedFiles.erase(it);
        }
    }
    if (!committed || m_nTransDepth > 0)
        return;
    QStringList files;
    for (const QueuedFile& queued : std::as_const(m_queuedFiles))
        files << queued.path;
    m_queuedFiles.clear();
    DeleteFilesOnCommit(files);
}

QStringList CDaoDatabase::TakeHeldFileDeletions()
{
    QStringList files;
    files.swap(m_heldFiles);
    return files;
}

void CDaoDatabase::RemoveFiles(const QStringList& files)
{
    for (const QString& file : files)
        QFile::remove(file);
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
