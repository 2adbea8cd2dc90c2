#pragma once

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// One open SQLite database file. Owns one QtSql connection of its own, so
// several databases (project, working copy, graphic project) can be open at
// once. Writes made through it advance a version that the dynasets opened on
// it use to know when a row must be read again.
class CDaoDatabase
{
public:
    CDaoDatabase();
    ~CDaoDatabase();
    CDaoDatabase(const CDaoDatabase&) = delete;
    CDaoDatabase& operator=(const CDaoDatabase&) = delete;

    // Opens an existing file; a missing file raises CDaoException unless
    // bCreate is true.
    void Open(const QString& path, bool bCreate = false);
    void Close();
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

    // A prepared statement kept for the life of the connection, so that
    // statements run per row (saves, counters) are parsed once.
    QSqlQuery& Prepared(const QString& sql);

    // Runs a prepared statement, raising the engine's message on failure.
    static void Exec(QSqlQuery& query, const QString& sql);

    // Folds the write-ahead log into the file, so that a plain file copy of
    // the open database is whole. CopyTo writes a whole copy without it.
    void Checkpoint();
    void CopyTo(const QString& path);

    QSqlDatabase Connection() const;
    qint64 WriteVersion() const { return m_nWriteVersion; }
    void NoteWrite() { ++m_nWriteVersion; }

    bool TableExists(const QString& table) const;
    QStringList TableColumns(const QString& table) const;

private:
    void RunControl(const QString& sql);

    QString m_strConnection;
    QString m_strPath;
    int m_nTransDepth = 0;
    qint64 m_nWriteVersion = 0;
    QHash<QString, QSqlQuery*> m_prepared;
};
