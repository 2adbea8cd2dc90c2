#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

class CAdoConnection;
class QSqlRecord;

// A static cursor: Open reads every row of the query at once, so moving,
// counting and paging never go back to the database. With optimistic
// locking a recordset over one table ("SELECT ... FROM Table WHERE ...")
// also adds, changes and deletes rows; a row is found again by its ID, or
// by all its old values in a table without ID.
// Field names compare case-insensitively. Date values read as text in the
// stored form "yyyy-MM-dd HH:mm:ss" on both engines; use DateValue.
class CAdoRecordset
{
public:
    enum LockType { adLockReadOnly = 1, adLockOptimistic = 3 };
    // What AbsolutePage answers when no row is current.
    enum Position { adPosUnknown = -1, adPosBOF = -2, adPosEOF = -3 };

    CAdoRecordset() = default;
    CAdoRecordset(const CAdoRecordset&) = delete;
    CAdoRecordset& operator=(const CAdoRecordset&) = delete;

    // Runs the query (Access dialect, "?" for each value in params) and
    // positions on the first row.
    void Open(const QString& jetSql, CAdoConnection* connection, const QVariantList& params = {},
              LockType lock = adLockReadOnly);
    void Close();
    bool IsOpen() const { return m_open; }

    // Reads the rows of another query with the same columns after the
    // last (read-only recordsets): a recordset at EOF stands on the first
    // of them. For a list read a window at a time.
    void AppendRows(const QString& jetSql, const QVariantList& params = {});

    // The rows a read-only Open read, with their columns: kept by a caller
    // to open the same rows again without the database. Copies share the
    // rows until one of them changes.
    struct Snapshot
    {
        QStringList columns;
        QHash<QString, int> index;
        QHash<QString, int> exact;
        QVector<QVector<QVariant>> rows;
    };
    Snapshot TakeSnapshot() const;
    // Opens read-only on the snapshot's rows, positioned on the first.
    void OpenSnapshot(const Snapshot& snapshot, CAdoConnection* connection);

    bool IsEOF() const;
    bool IsBOF() const;
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    int RecordCount() const;
    // 1-based position of the current row, or a Position value.
    int AbsolutePosition() const;
    // Makes row n (1-based) the current one.
    void SetAbsolutePosition(int position);

    int FieldCount() const;
    QString FieldName(int index) const;
    bool HasField(const QString& name) const;
    // The current row's value; throws for an unknown name or no current row.
    QVariant Field(const QString& name) const;
    bool IsNull(const QString& name) const { return Field(name).isNull(); }

    // Paging: PageSize rows to a page (10 until set); AbsolutePage moves to
    // the first row of a page, past the end for a page beyond the last.
    void SetPageSize(int size);
    int PageSize() const { return m_pageSize; }
    int PageCount() const;
    void SetAbsolutePage(int page);
    int AbsolutePage() const;

    // Changing rows (optimistic locking only). SetField outside AddNew
    // starts changing the current row; Update writes the row, and moving
    // to another row writes pending changes first.
    void AddNew();
    void SetField(const QString& name, const QVariant& value);
    void Update();
    void CancelUpdate();
    void Delete();
    bool EditPending() const { return m_editMode != EditNone; }

    static QDateTime DateValue(const QVariant& value);

private:
    enum EditMode { EditNone, EditChange, EditAdd };

    void ReadRows(const QString& jetSql, CAdoConnection* connection, const QVariantList& params,
                  bool takeColumns);
    void RequireOpen() const;
    void RequireUpdatable() const;
    void RequireCurrent() const;
    int ColumnIndex(const QString& name) const;   // throws when unknown
    void TakeColumns(const QString& jetSql, const QSqlRecord& record);
    void KeepColumns();
    void CommitPending();
    void InsertRow();
    void UpdateRow();
    QString KeyCondition(const QVector<QVariant>& row, QVariantList& params) const;
    QVector<QVariant> ReadBack(const QVector<QVariant>& fallback);

    QPointer<CAdoConnection> m_connection;
    bool m_open = false;
    LockType m_lock = adLockReadOnly;
    QString m_table;                 // the one table of an updatable query
    QString m_statement;             // the statement whose columns these are
    QStringList m_columns;
    QHash<QString, int> m_index;     // lower-case name -> column
    // Each column's own name, and each other spelling asked for, -> the
    // column m_index gives.
    mutable QHash<QString, int> m_exact;
    QVector<QVector<QVariant>> m_rows;
    int m_pos = 0;                   // -1 BOF, m_rows.size() EOF
    bool m_deletedCurrent = false;   // the current row was just deleted
    int m_pageSize = 10;
    EditMode m_editMode = EditNone;
    QVector<QVariant> m_buffer;
    QVector<bool> m_changed;
};
