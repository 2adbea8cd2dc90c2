#include "platform/dao/CDaoKeyset.h"

#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoException.h"
#include "platform/dao/CDaoStatement.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

void CDaoKeyset::Load(CDaoDatabase& database, const CDaoStatement& statement, const QVariantList& params)
{
    QSqlQuery query(database.Connection());
    query.setForwardOnly(true);
    if (!query.prepare(statement.Select()))
        throw CDaoException(query.lastError().databaseText() + QStringLiteral(" [") + statement.Select()
                            + QStringLiteral("]"));
    CDaoDatabase::Run(query, params);

    m_pDatabase = &database;
    m_pStatement = &statement;
    m_statementParams = params.mid(0, statement.StatementParams());
    m_nKeys = statement.KeyColumns();
    const QSqlRecord record = query.record();
    m_columns.clear();
    m_columnKeys.clear();
    m_columnIndex.clear();
    for (int i = m_nKeys; i < record.count(); ++i) {
        const QString name = record.fieldName(i);
        m_columns << name;
        m_columnKeys << name.toLower();
        m_columnIndex.insert(name.toLower(), i - m_nKeys);
    }
    m_rows.clear();
    const qint64 version = database.WriteVersion();
    const int width = record.count();
    while (query.next()) {
        Row row;
        row.values.reserve(width);
        for (int i = 0; i < width; ++i)
            row.values.append(query.value(i));
        row.fetchedAt = version;
        m_rows.append(std::move(row));
    }
    m_nCurrent = m_rows.isEmpty() ? 0 : Step(-1, +1);
    m_bBOF = m_bEOF = (m_nCurrent >= m_rows.size());
}

void CDaoKeyset::Clear()
{
    m_rows.clear();
    m_columns.clear();
    m_columnKeys.clear();
    m_columnIndex.clear();
    m_nCurrent = -1;
    m_bBOF = m_bEOF = true;
}

int CDaoKeyset::ColumnIndex(const QString& name) const
{
    const QString plain = CDaoStatement::Unbracket(name).toLower();
    auto it = m_columnIndex.find(plain);
    if (it != m_columnIndex.end())
        return *it;
    it = m_columnIndex.find(CDaoStatement::StripQualifier(plain));
    return it != m_columnIndex.end() ? *it : -1;
}

QVariant CDaoKeyset::Value(int row, int column) const { return m_rows.at(row).values.value(column + m_nKeys); }

QVariantList CDaoKeyset::Values(int row) const
{
    QVariantList values;
    for (int i = 0; i < m_columns.size(); ++i)
        values << Value(row, i);
    return values;
}

QVariantList CDaoKeyset::Keys(int row) const
{
    QVariantList keys;
    for (int i = 0; i < m_nKeys; ++i)
        keys << m_rows.at(row).values.value(i);
    return keys;
}

QString CDaoKeyset::KeyText(const QVariantList& keys)
{
    QStringList parts;
    for (const QVariant& key : keys)
        parts << (key.isNull() ? QStringLiteral("-") : QString::number(key.toLongLong()));
    return parts.join(QLatin1Char(':'));
}

QVariant CDaoKeyset::Bookmark(int row) const
{
    if (m_nKeys == 0)
        return row;
    if (m_nKeys == 1)
        return FirstKey(row);
    return Keys(row);
}

int CDaoKeyset::RowOfBookmark(const QVariant& bookmark) const
{
    for (int i = 0; i < m_rows.size(); ++i)
        if (!m_rows.at(i).deleted && Bookmark(i) == bookmark)
            return i;
    return -1;
}

qint32 CDaoKeyset::Count() const
{
    qint32 count = 0;
    for (const Row& row : m_rows)
        if (!row.deleted)
            ++count;
    return count;
}

qint32 CDaoKeyset::Position(int row) const
{
    qint32 position = 0;
    for (int i = 0; i < row; ++i)
        if (!m_rows.at(i).deleted)
            ++position;
    return position;
}

void CDaoKeyset::Append(const QVariant& key)
{
    Row row;
    row.values.append(key);
    row.fetchedAt = -1;
    m_rows.append(std::move(row));
}

void CDaoKeyset::SetCurrent(int row)
{
    m_nCurrent = row;
    m_bBOF = m_bEOF = false;
}

void CDaoKeyset::MoveFirst()
{
    m_nCurrent = Step(-1, +1);
    m_bBOF = m_bEOF = m_nCurrent >= m_rows.size();
}

void CDaoKeyset::MoveLast()
{
    m_nCurrent = Step(m_rows.size(), -1);
    m_bBOF = m_bEOF = m_nCurrent < 0;
}

void CDaoKeyset::Move(qint32 rows)
{
    const int direction = rows < 0 ? -1 : 1;
    int index = m_nCurrent;
    for (qint32 n = 0; n != rows; n += direction) {
        index = Step(index, direction);
        if (index < 0 || index >= m_rows.size())
            break;
    }
    m_nCurrent = qBound(-1, index, static_cast<int>(m_rows.size()));
    m_bEOF = m_nCurrent >= m_rows.size();
    m_bBOF = m_nCurrent < 0;
}

void CDaoKeyset::MovePastEnd()
{
    m_nCurrent = m_rows.size();
    m_bEOF = true;
}

bool CDaoKeyset::Settle()
{
    while (IsCurrentLive()) {
        Refresh(m_nCurrent);
        if (!m_rows.at(m_nCurrent).deleted)
            break;
        m_nCurrent = Step(m_nCurrent, +1);
    }
    if (m_nCurrent >= m_rows.size()) {
        m_bEOF = true;
        return false;
    }
    return IsCurrentLive();
}

int CDaoKeyset::Step(int from, int direction) const
{
    int i = from + direction;
    while (i >= 0 && i < m_rows.size() && m_rows.at(i).deleted)
        i += direction;
    return i;
}

void CDaoKeyset::Refresh(int index)
{
    Row& row = m_rows[index];
    if (m_nKeys == 0 || row.fetchedAt == m_pDatabase->WriteVersion())
        return;
    // A row added through the set knows only its first table's key until
    // it has been read once.
    const bool whole = row.values.size() >= m_nKeys;
    QSqlQuery& query = m_pDatabase->Prepared(whole ? m_pStatement->Refetch() : m_pStatement->RefetchByFirstKey());
    CDaoDatabase::Run(query, m_statementParams + (whole ? Keys(index) : QVariantList{FirstKey(index)}));
    if (!query.next()) {
        row.deleted = true;
        query.finish();
        return;
    }
    const int width = query.record().count();
    row.values.resize(width);
    for (int i = 0; i < width; ++i)
        row.values[i] = query.value(i);
    query.finish();
    row.fetchedAt = m_pDatabase->WriteVersion();
}
