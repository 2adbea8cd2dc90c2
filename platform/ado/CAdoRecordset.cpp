#include "platform/ado/CAdoRecordset.h"

#include "platform/ado/CAdoConnection.h"
#include "platform/ado/CAdoException.h"

#include <QDateTime>
#include <QHash>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>

#include <optional>

namespace {

// The table of "SELECT ... FROM Table [WHERE|ORDER BY ...]", or empty when
// the query reads anything else (a join, several tables).
QString SingleTable(const QString& sql)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*SELECT\s.*?\sFROM\s+\[?([A-Za-z_][A-Za-z0-9_]*)\]?\s*(?:$|;|WHERE\s|ORDER\s))"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = pattern.match(sql);
    return match.hasMatch() ? match.captured(1) : QString();
}

QVariant StoredValue(const QSqlQuery& query, int column)
{
    // Both drivers give a Null as a null value: no second call to ask.
    QVariant value = query.value(column);
    if (value.isNull())
        return QVariant();
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return value;
}

QString NoCurrentRow()
{
    return QStringLiteral("Nessun record corrente: il recordset è all'inizio o alla fine, "
                          "o il record è stato eliminato.");
}

// The stored form "yyyy-MM-dd HH:mm:ss", read without the general parser
// and kept per thread: a catalogue page reads the same few dates of its
// discount rows for every product, and the parser with its local time
// costs more than the query. Nothing when the text is of another form or
// names a local time that does not exist (the parser decides those).
std::optional<QDateTime> StoredDate(const QString& text)
{
    static const QString kForm = QStringLiteral("0000-00-00 00:00:00");
    if (text.size() != kForm.size())
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (kForm.at(i).isDigit() ? !text.at(i).isDigit() || text.at(i).unicode() > '9' : text.at(i) != kForm.at(i))
            return std::nullopt;
    thread_local QHash<QString, QDateTime> known;
    const auto found = known.constFind(text);
    if (found != known.cend())
        return *found;
    const auto number = [&](qsizetype from, qsizetype length) { return QStringView(text).mid(from, length).toInt(); };
    const QDate day(number(0, 4), number(5, 2), number(8, 2));
    const QTime time(number(11, 2), number(14, 2), number(17, 2));
    if (!day.isValid() || !time.isValid())
        return std::nullopt;
    const QDateTime date(day, time);
    if (!date.isValid() || date.date() != day || date.time() != time)
        return std::nullopt;
    if (known.size() >= 1024)
        known.clear();
    known.insert(text, date);
    return date;
}

} // namespace

void CAdoRecordset::Open(const QString& jetSql, CAdoConnection* connection, const QVariantList& params,
                         LockType lock)
{
    Close();
    if (!connection || !connection->IsOpen())
        throw CAdoException(QStringLiteral("La connessione al database non è aperta."));
    ReadRows(jetSql, connection, params, true);
    m_connection = connection;
    m_lock = lock;
    m_table = lock == adLockOptimistic ? SingleTable(jetSql) : QString();
    m_open = true;
    m_pos = 0;
}

void CAdoRecordset::AppendRows(const QString& jetSql, const QVariantList& params)
{
    RequireOpen();
    if (m_lock != adLockReadOnly)
        throw CAdoException(QStringLiteral("Righe aggiunte da una query solo a un recordset di sola lettura."));
    if (!m_connection || !m_connection->IsOpen())
        throw CAdoException(QStringLiteral("La connessione al database non è aperta."));
    ReadRows(jetSql, m_connection, params, false);
}

void CAdoRecordset::ReadRows(const QString& jetSql, CAdoConnection* connection, const QVariantList& params,
                             bool takeColumns)
{
    // Without values the statement runs as it stands (PostgreSQL prepares
    // only queries and changes); with values it is prepared once.
    QSqlQuery plain;
    if (params.isEmpty())
        plain = connection->Run(jetSql, params);
    QSqlQuery& query = params.isEmpty() ? plain : connection->RunPrepared(jetSql, params);
    const QSqlRecord record = query.record();
    if (takeColumns) {
        TakeColumns(jetSql, record);
    } else if (record.count() != m_columns.size()) {
        query.finish();
        throw CAdoException(QStringLiteral("Le righe aggiunte non hanno le colonne del recordset."));
    }
    while (query.next()) {
        QVector<QVariant> row(m_columns.size());
        for (int i = 0; i < m_columns.size(); ++i)
            row[i] = StoredValue(query, i);
        m_rows.append(row);
    }
    query.finish();
}

// A page opens the same few statements again and again: the lookups built
// from a statement's columns, with the spellings its readers asked for,
// are kept per thread and shared while the statement gives the same
// columns.
namespace {

struct KnownColumns
{
    QStringList names;
    QHash<QString, int> index;
    QHash<QString, int> exact;
};

QHash<QString, KnownColumns>& Known()
{
    thread_local QHash<QString, KnownColumns> known;
    return known;
}

} // namespace

void CAdoRecordset::TakeColumns(const QString& jetSql, const QSqlRecord& record)
{
    constexpr qsizetype kMaxStatements = 1000;
    for (int i = 0; i < record.count(); ++i)
        m_columns << record.fieldName(i);
    m_statement = jetSql;
    QHash<QString, KnownColumns>& known = Known();
    const auto found = known.constFind(jetSql);
    if (found != known.cend() && found->names == m_columns) {
        m_index = found->index;
        m_exact = found->exact;
        return;
    }
    QStringList lowered;
    for (int i = 0; i < m_columns.size(); ++i) {
        lowered << m_columns.at(i).toLower();
        m_index.insert(lowered.last(), i);
    }
    for (int i = 0; i < m_columns.size(); ++i)
        m_exact.insert(m_columns.at(i), m_index.value(lowered.at(i)));
    if (known.size() >= kMaxStatements)
        known.clear();
    known.insert(jetSql, KnownColumns{m_columns, m_index, m_exact});
}

// The spellings this recordset learnt go back to its statement's lookups.
void CAdoRecordset::KeepColumns()
{
    if (m_statement.isEmpty())
        return;
    QHash<QString, KnownColumns>& known = Known();
    const auto found = known.find(m_statement);
    if (found != known.end() && found->names == m_columns && found->exact.size() < m_exact.size())
        found->exact = m_exact;
    m_statement.clear();
}

CAdoRecordset::Snapshot CAdoRecordset::TakeSnapshot() const
{
    RequireOpen();
    return Snapshot{m_columns, m_index, m_exact, m_rows};
}

void CAdoRecordset::OpenSnapshot(const Snapshot& snapshot, CAdoConnection* connection)
{
    Close();
    m_columns = snapshot.columns;
    m_index = snapshot.index;
    m_exact = snapshot.exact;
    m_rows = snapshot.rows;
    m_connection = connection;
    m_lock = adLockReadOnly;
    m_open = true;
    m_pos = 0;
}

void CAdoRecordset::Close()
{
    KeepColumns();
    m_open = false;
    m_connection.clear();
    m_table.clear();
    m_columns.clear();
    m_index.clear();
    m_exact.clear();
    m_rows.clear();
    m_pos = 0;
    m_deletedCurrent = false;
    m_editMode = EditNone;
    m_buffer.clear();
    m_changed.clear();
}

void CAdoRecordset::RequireOpen() const
{
    if (!m_open)
        throw CAdoException(QStringLiteral("Operazione non consentita su un recordset chiuso."));
}

void CAdoRecordset::RequireUpdatable() const
{
    RequireOpen();
    if (m_lock != adLockOptimistic || m_table.isEmpty())
        throw CAdoException(QStringLiteral("Il recordset non consente modifiche (sola lettura o più tabelle)."));
}

void CAdoRecordset::RequireCurrent() const
{
    RequireOpen();
    if (m_deletedCurrent || m_pos < 0 || m_pos >= m_rows.size())
        throw CAdoException(NoCurrentRow());
}

bool CAdoRecordset::IsEOF() const
{
    RequireOpen();
    return m_pos >= m_rows.size();
}

bool CAdoRecordset::IsBOF() const
{
    RequireOpen();
    return m_pos < 0 || m_rows.isEmpty();
}

void CAdoRecordset::MoveFirst()
{
    RequireOpen();
    CommitPending();
    m_deletedCurrent = false;
    m_pos = 0;
}

void CAdoRecordset::MoveLast()
{
    RequireOpen();
    CommitPending();
    m_deletedCurrent = false;
    m_pos = m_rows.isEmpty() ? 0 : m_rows.size() - 1;
}

void CAdoRecordset::MoveNext()
{
    RequireOpen();
    if (m_pos >= m_rows.size() && !m_deletedCurrent)
        throw CAdoException(NoCurrentRow());
    CommitPending();
    if (m_deletedCurrent)
        m_deletedCurrent = false;   // the rows after the deleted one moved up
    else
        ++m_pos;
}

void CAdoRecordset::MovePrevious()
{
    RequireOpen();
    if (m_pos < 0)
        throw CAdoException(NoCurrentRow());
    CommitPending();
    m_deletedCurrent = false;
    --m_pos;
}

int CAdoRecordset::RecordCount() const
{
    RequireOpen();
    return m_rows.size();
}

int CAdoRecordset::AbsolutePosition() const
{
    RequireOpen();
    if (m_pos < 0)
        return adPosBOF;
    if (m_pos >= m_rows.size())
        return adPosEOF;
    return m_pos + 1;
}

int CAdoRecordset::FieldCount() const
{
    RequireOpen();
    return m_columns.size();
}

QString CAdoRecordset::FieldName(int index) const
{
    RequireOpen();
    return m_columns.value(index);
}

bool CAdoRecordset::HasField(const QString& name) const
{
    return m_exact.contains(name) || m_index.contains(name.toLower());
}

int CAdoRecordset::ColumnIndex(const QString& name) const
{
    RequireOpen();
    // Callers name columns as the table does, so the exact name is tried
    // before the lower-cased one (a copy of the name). PostgreSQL gives
    // every name in lower case: a name found that way is kept as asked,
    // and the next read of it is exact.
    if (const auto exact = m_exact.constFind(name); exact != m_exact.constEnd())
        return exact.value();
    const auto it = m_index.constFind(name.toLower());
    if (it == m_index.constEnd())
        throw CAdoException(QStringLiteral("Campo non trovato nel recordset: %1").arg(name));
    m_exact.insert(name, it.value());
    return it.value();
}

QVariant CAdoRecordset::Field(const QString& name) const
{
    const int column = ColumnIndex(name);
    if (m_editMode != EditNone && m_changed[column])
        return m_buffer[column];
    if (m_editMode == EditAdd)
        return QVariant();
    RequireCurrent();
    return m_rows[m_pos][column];
}

void CAdoRecordset::SetPageSize(int size)
{
    RequireOpen();
    if (size < 1)
        throw CAdoException(QStringLiteral("Dimensione di pagina non valida: %1").arg(size));
    m_pageSize = size;
}

int CAdoRecordset::PageCount() const
{
    RequireOpen();
    return (m_rows.size() + m_pageSize - 1) / m_pageSize;
}

void CAdoRecordset::SetAbsolutePosition(int position)
{
    RequireOpen();
    if (position < 1 || position > m_rows.size())
        throw CAdoException(QStringLiteral("Posizione non valida: %1").arg(position));
    CommitPending();
    m_deletedCurrent = false;
    m_pos = position - 1;
}

void CAdoRecordset::SetAbsolutePage(int page)
{
    RequireOpen();
    if (page < 1)
        throw CAdoException(QStringLiteral("Numero di pagina non valido: %1").arg(page));
    CommitPending();
    m_deletedCurrent = false;
    m_pos = qMin(qint64(page - 1) * m_pageSize, qint64(m_rows.size()));
}

int CAdoRecordset::AbsolutePage() const
{
    RequireOpen();
    if (m_pos < 0)
        return adPosBOF;
    if (m_pos >= m_rows.size())
        return adPosEOF;
    return m_pos / m_pageSize + 1;
}

void CAdoRecordset::AddNew()
{
    RequireUpdatable();
    CommitPending();
    m_editMode = EditAdd;
    m_buffer = QVector<QVariant>(m_columns.size());
    m_changed = QVector<bool>(m_columns.size(), false);
}

void CAdoRecordset::SetField(const QString& name, const QVariant& value)
{
    RequireUpdatable();
    const int column = ColumnIndex(name);
    if (m_editMode == EditNone) {
        RequireCurrent();
        m_editMode = EditChange;
        m_buffer = m_rows[m_pos];
        m_changed = QVector<bool>(m_columns.size(), false);
    }
    m_buffer[column] = value;
    m_changed[column] = true;
}

void CAdoRecordset::Update()
{
    RequireUpdatable();
    CommitPending();
}

void CAdoRecordset::CancelUpdate()
{
    RequireOpen();
    m_editMode = EditNone;
    m_buffer.clear();
    m_changed.clear();
}

void CAdoRecordset::CommitPending()
{
    const EditMode mode = m_editMode;
    if (mode == EditNone)
        return;
    if (mode == EditAdd)
        InsertRow();
    else
        UpdateRow();
    CancelUpdate();
}

void CAdoRecordset::InsertRow()
{
    QStringList names;
    QStringList marks;
    QVariantList params;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (!m_changed[i])
            continue;
        names << m_columns[i];
        marks << QStringLiteral("?");
        params << m_buffer[i];
    }
    if (names.isEmpty())
        throw CAdoException(QStringLiteral("Nessun campo assegnato al nuovo record di %1.").arg(m_table));
    m_connection->Execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                              .arg(m_table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                          params);
    m_rows.append(ReadBack(m_buffer));
    m_pos = m_rows.size() - 1;
    m_deletedCurrent = false;
}

void CAdoRecordset::UpdateRow()
{
    QStringList sets;
    QVariantList params;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (!m_changed[i])
            continue;
        sets << m_columns[i] + QStringLiteral("=?");
        params << m_buffer[i];
    }
    if (sets.isEmpty())
        return;
    const QString where = KeyCondition(m_rows[m_pos], params);
    const int changed = m_connection->Execute(
        QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(m_table, sets.join(QLatin1Char(',')), where), params);
    if (changed == 0)
        throw CAdoException(QStringLiteral("Il record da aggiornare non esiste più in %1.").arg(m_table));
    m_rows[m_pos] = ReadBack(m_buffer);
}

void CAdoRecordset::Delete()
{
    RequireUpdatable();
    if (m_editMode == EditAdd) {
        CancelUpdate();
        return;
    }
    CancelUpdate();
    RequireCurrent();
    QVariantList params;
    const QString where = KeyCondition(m_rows[m_pos], params);
    const int deleted =
        m_connection->Execute(QStringLiteral("DELETE FROM %1 WHERE %2").arg(m_table, where), params);
    if (deleted == 0)
        throw CAdoException(QStringLiteral("Il record da eliminare non esiste più in %1.").arg(m_table));
    m_rows.removeAt(m_pos);
    m_deletedCurrent = true;
}

QString CAdoRecordset::KeyCondition(const QVector<QVariant>& row, QVariantList& params) const
{
    const auto id = m_index.constFind(QStringLiteral("id"));
    if (id != m_index.constEnd() && !row[id.value()].isNull()) {
        params << row[id.value()];
        return m_columns[id.value()] + QStringLiteral("=?");
    }
    QStringList terms;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (row[i].isNull()) {
            terms << m_columns[i] + QStringLiteral(" IS NULL");
        } else {
            terms << m_columns[i] + QStringLiteral("=?");
            params << row[i];
        }
    }
    return terms.join(QStringLiteral(" AND "));
}

// The row as the database now holds it (defaults and conversions applied),
// found by its ID; without an ID, the values as written.
QVector<QVariant> CAdoRecordset::ReadBack(const QVector<QVariant>& fallback)
{
    const auto id = m_index.constFind(QStringLiteral("id"));
    QVector<QVariant> row(m_columns.size());
    for (int i = 0; i < m_columns.size(); ++i)
        row[i] = CAdoConnection::BindValue(fallback[i]);
    if (id == m_index.constEnd() || fallback[id.value()].isNull())
        return row;
    QSqlQuery query = m_connection->Run(
        QStringLiteral("SELECT * FROM %1 WHERE %2=?").arg(m_table, m_columns[id.value()]),
        {fallback[id.value()]});
    if (!query.next())
        return row;
    const QSqlRecord record = query.record();
    for (int i = 0; i < m_columns.size(); ++i) {
        const int column = record.indexOf(m_columns[i]);
        if (column >= 0)
            row[i] = StoredValue(query, column);
    }
    return row;
}

QDateTime CAdoRecordset::DateValue(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime();
    const QString text = value.toString().trimmed();
    if (std::optional<QDateTime> stored = StoredDate(text))
        return *stored;
    QDateTime date = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!date.isValid())
        date = QDateTime::fromString(text, Qt::ISODate);
    return date;
}
