#pragma once

#include <functional>

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QList>
#include <QVariant>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariantList>

// One open SQLite database file. Owns one QtSql connection of its own, so
// several databases (project, working copy, graphic project) can be open at
// once. Writes made through it advance a version that the dynasets opened on
// it use to know when a row must be read again.
class CDaoDatabase
{
public:
    CDaoDatabase();
    // Never throws: an open transaction is rolled back as best it can be,
    // and closing the connection ends it in any case.
    ~CDaoDatabase();
    CDaoDatabase(const CDaoDatabase&) = delete;
    CDaoDatabase& operator=(const CDaoDatabase&) = delete;

    // Opens an existing file; a missing file raises CDaoException unless
    // bCreate is true.
    void Open(const QString& path, bool bCreate = false);
    // Rolls back what is still open and closes the file; never throws.
    // The last connection to close folds the log into the file.
    void Close() noexcept;
    bool IsOpen() const;
    QString GetName() const { return m_strPath; }

    // Runs one statement with bound values; returns the rows it touched.
    int Execute(const QString& sql, const QVariantList& params = {});

    // Nested transactions: the outermost one commits, inner ones are
    // savepoints, so a failed step rolls back only what it began.
    void BeginTrans();
    void CommitTrans();
    void Rollback();
    int TransactionDepth() const { return m_nTransDepth; }
    // True the first time key is noted in the current outermost
    // transaction, and always outside one: a step that needs doing once per
    // transaction (raising a marker file) is done once for a long job's
    // thousands of saves.
    bool FirstInTransaction(const QString& key);
    // A value kept until the outermost transaction ends (invalid at first),
    // and work to do inside it just before it commits: a counter advanced
    // row by row is written once. Both are dropped when it rolls back.
    QVariant& TransactionValue(const QString& key);
    void BeforeCommit(std::function<void()> step);

    // Files that belong to rows being deleted. They are removed only when
    // the outermost transaction commits and are forgotten when the part of
    // the transaction that queued them rolls back, so rows that come back
    // keep their pictures and attachments. Outside a transaction they go
    // at once. A file that cannot be removed is passed over.
    void DeleteFilesOnCommit(const QStringList& files);
    // For jobs that work on a copy of the project database: committed
    // deletions are held instead of run, until the job has put its copy in
    // place of the database and runs TakeHeldFileDeletions itself. Held
    // deletions outlive Close; a new Open forgets them.
    void HoldFileDeletions(bool hold) { m_bHoldFiles = hold; }
    QStringList TakeHeldFileDeletions();
    static void RemoveFiles(const QStringList& files);

    // Where the table classes' saves on this connection raise the
    // site-update marker instead of the project folder (empty: the table's
    // own folder): a job's working copy keeps it aside (CMarkerAside).
    void SetMarkerFolder(const QString& folder) { m_strMarkerFolder = folder; }
    QString MarkerFolder() const { return m_strMarkerFolder; }

    // How long a statement waits for another connection's lock.
    void SetBusyTimeout(int milliseconds);
    // A prepared statement kept for the life of the connection, so that
    // statements run per row (saves, counters) are parsed once.
    QSqlQuery& Prepared(const QString& sql);

    // Runs a prepared statement, raising the engine's message on failure.
    static void Exec(QSqlQuery& query, const QString& sql);
    // Binds values to a prepared statement's marks in order and runs it.
    static void Run(QSqlQuery& query, const QVariantList& values);

    // Folds the write-ahead log into the file and empties the log, so that
    // a plain file copy of the open database is whole; raises when another
    // connection keeps the log from being emptied. CopyTo writes a whole
    // copy without it, to a temporary name beside path renamed over path,
    // so a failed copy leaves what was at path.
    void Checkpoint();
    void CopyTo(const QString& path);

    QSqlDatabase Connection() const;
    qint64 WriteVersion() const { return m_nWriteVersion; }
    void NoteWrite() { ++m_nWriteVersion; }

    bool TableExists(const QString& table) const;
    QStringList TableColumns(const QString& table) const;

private:
    void RunControl(const QString& sql);
    void EndTransactionFiles(bool committed);

    struct QueuedFile
    {
        int level;   // the transaction depth that queued it
        QString path;
    };

    QString m_strConnection;
    QString m_strPath;
    QString m_strMarkerFolder;
    void ForgetTransactionState();

    int m_nTransDepth = 0;
    QSet<QString> m_transactionNotes;
    QHash<QString, QVariant> m_transactionValues;
    QList<std::function<void()>> m_beforeCommit;
    qint64 m_nWriteVersion = 0;
    QHash<QString, QSqlQuery*> m_prepared;
    QList<QueuedFile> m_queuedFiles;
    QStringList m_heldFiles;
    bool m_bHoldFiles = false;
};
