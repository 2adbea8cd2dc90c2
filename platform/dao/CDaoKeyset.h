#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

class CDaoDatabase;
class CDaoStatement;

// The rows of an open dynaset and the cursor over them. Each row keeps the
// keys of the table rows it came from and the database's write version it
// was read at; a row is read again by its keys when it becomes current
// after the database has been written, so edits made through another
// recordset show as they do in a keyset. Deleted rows stay in place,
// marked, and every move passes over them.
class CDaoKeyset
{
public:
    // Reads every row of the statement; the cursor goes to the first row.
    void Load(CDaoDatabase& database, const CDaoStatement& statement, const QVariantList& params);
    void Clear();

    // The statement's columns, keys excluded.
    const QStringList& Columns() const { return m_columns; }
    const QString& ColumnKey(int column) const { return m_columnKeys.at(column); }
    // By name, bracketed or qualified ("[Prodotti].[ID]") or not; -1.
    int ColumnIndex(const QString& name) const;

    int Size() const { return m_rows.size(); }
    bool IsLive(int row) const { return row >= 0 && row < m_rows.size() && !m_rows.at(row).deleted; }
    QVariant Value(int row, int column) const;
    // The row's column values, keys excluded.
    QVariantList Values(int row) const;
    QVariantList Keys(int row) const;
    QVariant FirstKey(int row) const { return m_rows.at(row).values.value(0); }
    // The same text for the same keys.
    static QString KeyText(const QVariantList& keys);
    QVariant Bookmark(int row) const;
    int RowOfBookmark(const QVariant& bookmark) const;   // -1 when none
    qint32 Count() const;
    qint32 Position(int row) const;

    // A row added through the set, known by its first key and read when
    // it first becomes current.
    void Append(const QVariant& key);
    void MarkDeleted(int row) { m_rows[row].deleted = true; }
    // The row is read again when it next becomes current.
    void Invalidate(int row) { m_rows[row].fetchedAt = -1; }

    // The cursor: -1 before the first row (BOF), Size() past the last (EOF).
    int Current() const { return m_nCurrent; }
    bool IsBOF() const { return m_bBOF; }
    bool IsEOF() const { return m_bEOF; }
    bool IsCurrentLive() const { return IsLive(m_nCurrent); }
    void SetCurrent(int row);
    // Back to the row that was current before an add; the ends stay as
    // they were.
    void ReturnTo(int row) { m_nCurrent = row; }
    void MoveFirst();
    void MoveLast();
    void Move(qint32 rows);
    // Past the last row (a row added at the end does not become current).
    void MovePastEnd();
    // Reads the current row again if the database was written since, and
    // passes over it forwards when it was deleted meanwhile; true when the
    // cursor is on a row.
    bool Settle();

private:
    struct Row
    {
        QVector<QVariant> values;   // keys first
        qint64 fetchedAt = 0;
        bool deleted = false;
    };

    int Step(int from, int direction) const;
    void Refresh(int row);

    CDaoDatabase* m_pDatabase = nullptr;
    const CDaoStatement* m_pStatement = nullptr;
    QVariantList m_statementParams;
    int m_nKeys = 0;
    QStringList m_columns;
    QStringList m_columnKeys;   // the same in lower case
    QHash<QString, int> m_columnIndex;
    QVector<Row> m_rows;
    int m_nCurrent = -1;
    bool m_bBOF = true;
    bool m_bEOF = true;
};
