#pragma once

#include <QString>
#include <QStringList>

// The statements of one dynaset, made once when it opens from its default
// SQL (a bracketed table name or a statement), filter and sort, all in the
// Access dialect: the select that reads the rows with their keys first,
// the one-row refetch, the table rows are written to. Text in, text out;
// text that can't be read raises CDaoException.
//
// A row is keyed by the rowid of every table the statement itself reads
// (FROM and each JOIN), so the rows of a join are told apart. Grouped,
// distinct and aggregate statements (their own clauses, not those of a
// subquery) have no keys: their rows are read only.
class CDaoStatement
{
public:
    CDaoStatement() = default;
    CDaoStatement(const QString& base, const QString& filter, const QString& sort);

    // Reads the rows: the keys, then the statement's columns. Its "?"
    // marks take the statement's values, then the filter's and sort's.
    const QString& Select() const { return m_strSelect; }
    // The first table read: the one rows are written to.
    const QString& Table() const { return m_strTable; }
    bool IsKeyed() const { return m_nKeyColumns > 0; }
    int KeyColumns() const { return m_nKeyColumns; }
    // The leading values that the statement itself (not the filter) takes.
    int StatementParams() const { return m_nStatementParams; }
    // One row by all its keys, or by the first table's key alone (a row
    // added through the set); the statement's values come first.
    const QString& Refetch() const { return m_strRefetch; }
    const QString& RefetchByFirstKey() const { return m_strRefetchByFirstKey; }

    // The keys of the rows the criteria select, among the select's.
    QString KeysMatching(const QString& jetCriteria) const;
    // Tests one row given as values of columns against the criteria.
    static QString ValuesMatching(const QStringList& columns, const QString& jetCriteria);

    // The Access dialect rewritten for SQLite.
    static QString Rewrite(const QString& jetSql);
    static QString KeyName(int i);
    static QString Unbracket(QString name);
    static QString StripQualifier(const QString& name);

private:
    QString m_strSelect;
    QString m_strTable;
    QString m_strRefetch;
    QString m_strRefetchByFirstKey;
    int m_nKeyColumns = 0;
    int m_nStatementParams = 0;
};
