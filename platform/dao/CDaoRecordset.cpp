#include "platform/dao/CDaoRecordset.h"

#include "platform/sql/CJetSql.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>

namespace {

const QString kKey = QStringLiteral("__qtr_key");

// Statements, filters and criteria are written in the Access dialect
// (#dates#, Like '*', True, &); SQLite runs them rewritten.
// Text that can't be read (an unclosed quote, a bad #date#) is a database
// error like any other, with the text it was found in.
QString JetToSQLite(const QString& sql)
{
    static const CJetSql jet(CJetSql::SQLite);
    try {
        return jet.Rewrite(sql);
    } catch (const std::exception& error) {
        throw CDaoException(QString::fromUtf8(error.what()));
    }
}

QString Unbracket(QString name)
{
    name = name.trimmed();
    if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
        name = name.mid(1, name.size() - 2);
    return name;
}

QString StripQualifier(const QString& name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : Unbracket(name.mid(dot + 1));
}

bool StartsWithSelect(const QString& sql)
{
    static const QRegularExpression re(QStringLiteral("^\\s*SELECT\\b"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re.match(sql).hasMatch();
}

// True when the statement already has a clause that a filter or sort text
// can't simply be appended after.
bool HasTrailingClauses(const QString& sql)
{
    static const QRegularExpression re(QStringLiteral("\\b(WHERE|GROUP\\s+BY|ORDER\\s+BY|UNION|LIMIT|HAVING)\\b"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re.match(sql).hasMatch();
}

// The statement with what lies inside parentheses and quoted text blanked
// out, so that clauses of subqueries and words in strings are not taken
// for the statement's own. Positions stay as they were; quoted names keep
// their text.
QString TopLevel(const QString& sql)
{
    QString top = sql;
    int depth = 0;
    QChar quote;
    for (int i = 0; i < top.size(); ++i) {
        const QChar c = top.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else if (depth > 0 || quote == QLatin1Char('\''))
                top[i] = QLatin1Char(' ');
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char('[')) {
            quote = QLatin1Char(']');
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            depth = qMax(0, depth - 1);
        } else if (depth > 0) {
            top[i] = QLatin1Char(' ');
        }
    }
    return top;
}

// Rows of grouped, distinct or aggregate statements don't stand for one
// table row, so they can't be read again or written back. Only the
// statement's own clauses count: an aggregate in a subquery of the filter
// (ID=(SELECT MAX(ID) ...)) leaves each row one table row.
bool IsAggregate(const QString& sql)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*SELECT\\s+DISTINCT\\b|\\bGROUP\\s+BY\\b|\\bUNION\\b|"
                       "^\\s*SELECT\\b(?:(?!\\bFROM\\b).)*\\b(COUNT|MAX|MIN|SUM|AVG)\\s*\\("),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    return re.match(TopLevel(sql)).hasMatch();
}

QString Unquote(QString name)
{
    name = Unbracket(name);
    if (name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')))
        name = name.mid(1, name.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return name;
}

struct FromTable
{
    QString table;
    QString reference;   // alias or bracketed table name, to qualify rowid
};

// The tables the statement itself reads (FROM and each JOIN), in order;
// the first is the one rows are written to.
QList<FromTable> FromTables(const QString& sql)
{
    static const QRegularExpression re(
        QStringLiteral("\\b(?:FROM|JOIN)\\s+(\\[[^\\]]+\\]|\"(?:[^\"]|\"\")+\"|[A-Za-z_][A-Za-z0-9_]*)"
                       "(?:\\s+(?:AS\\s+)?([A-Za-z_][A-Za-z0-9_]*))?"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression keyword(
        QStringLiteral("^(WHERE|INNER|LEFT|RIGHT|OUTER|JOIN|ORDER|GROUP|HAVING|UNION|LIMIT|ON|CROSS|NATURAL)$"),
        QRegularExpression::CaseInsensitiveOption);
    QList<FromTable> tables;
    auto it = re.globalMatch(TopLevel(sql));
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        FromTable from;
        from.table = Unquote(m.captured(1));
        const QString alias = m.captured(2);
        from.reference = (!alias.isEmpty() && !keyword.match(alias).hasMatch())
                             ? alias
                             : QStringLiteral("[") + from.table + QStringLiteral("]");
        tables.append(from);
    }
    return tables;
}

QString KeyName(int i) { return i == 0 ? kKey : kKey + QString::number(i); }

QVariant DefaultFor(QMetaType::Type type)
{
    switch (type) {
    case QMetaType::Bool: return false;
    case QMetaType::Float: return 0.0f;
    case QMetaType::Double: return 0.0;
    case QMetaType::QDateTime: return DaoZeroDate();
    case QMetaType::QString: return QString();
    case QMetaType::Short: return QVariant::fromValue<qint16>(0);
    case QMetaType::UChar: return QVariant::fromValue<quint8>(0);
    default: return 0;
    }
}

QVariant FromStored(const QVariant& stored, QMetaType::Type type, const CDaoTextCodec* codec)
{
    if (stored.isNull())
        return DefaultFor(type);
    switch (type) {
    case QMetaType::Bool: {
        if (stored.typeId() == QMetaType::QString) {
            const QString t = stored.toString().trimmed().toLower();
            return t == QLatin1String("true") || t == QLatin1String("-1") || t == QLatin1String("1");
        }
        return stored.toLongLong() != 0;
    }
    case QMetaType::Float: return stored.toFloat();
    case QMetaType::Double: return stored.toDouble();
    case QMetaType::QDateTime: return DaoDateFromText(stored);
    case QMetaType::QString: {
        const QString text = stored.toString();
        return codec ? codec->fromStored(text) : text;
    }
    case QMetaType::Short: return QVariant::fromValue<qint16>(static_cast<qint16>(stored.toInt()));
    case QMetaType::UChar: return QVariant::fromValue<quint8>(static_cast<quint8>(stored.toUInt()));
    default: return static_cast<qint32>(stored.toLongLong());
    }
}

QVariant ToStored(const QVariant& member, QMetaType::Type type, const CDaoTextCodec* codec)
{
    switch (type) {
    case QMetaType::Bool: return member.toBool() ? 1 : 0;
    case QMetaType::Float: return static_cast<double>(member.toFloat());
    case QMetaType::Double: return member.toDouble();
    case QMetaType::QDateTime: return DaoDateToText(member.toDateTime());
    case QMetaType::QString: {
        const QString text = member.toString();
        return codec ? codec->toStored(text) : text;
    }
    case QMetaType::Short:
    case QMetaType::UChar:
    default: return member.toLongLong();
    }
}

} // namespace

CDaoRecordset::CDaoRecordset(CDaoDatabase* pDatabase) : m_pDatabase(pDatabase) {}

CDaoRecordset::~CDaoRecordset() = default;

QString CDaoRecordset::GetDefaultSQL() { return QString(); }

QString CDaoRecordset::GetDefaultDBName() { return QString(); }

void CDaoRecordset::DoFieldExchange(CDaoFieldExchange*) {}

void CDaoRecordset::ThrowDaoException(const QString& message) const { throw CDaoException(message); }

// The "?" marks of a statement, those inside quoted text and names aside.
static int CountPlaceholders(const QString& sql)
{
    int count = 0;
    QChar quote;
    for (const QChar c : sql) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char('[')) {
            quote = QLatin1Char(']');
        } else if (c == QLatin1Char('?')) {
            ++count;
        }
    }
    return count;
}

// The statement as written, a bare or bracketed table name standing for
// all of its rows.
static QString CoreSQL(const QString& base)
{
    QString core = JetToSQLite(base.trimmed());
    if (!StartsWithSelect(core))
        core = QStringLiteral("SELECT * FROM [") + Unbracket(core) + QStringLiteral("]");
    return core;
}

QString CDaoRecordset::BuildSQL(const QString& core) const
{
    const QString filter = JetToSQLite(m_strFilter.trimmed());
    const QString sort = JetToSQLite(m_strSort.trimmed());
    if (filter.isEmpty() && sort.isEmpty())
        return core;
    QString sql = HasTrailingClauses(core) ? QStringLiteral("SELECT * FROM (") + core + QStringLiteral(")") : core;
    if (!filter.isEmpty())
        sql += QStringLiteral(" WHERE (") + filter + QStringLiteral(")");
    if (!sort.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + sort;
    return sql;
}

void CDaoRecordset::Open(int nOpenType, const QString& sql, int)
{
    Q_UNUSED(nOpenType);
    if (m_bOpen)
        Close();
    if (!m_pDatabase || !m_pDatabase->IsOpen())
        ThrowDaoException(QStringLiteral("Il database non è aperto."));
    const QString base = sql.isEmpty() ? GetDefaultSQL() : sql;
    if (base.trimmed().isEmpty())
        ThrowDaoException(QStringLiteral("Nessuna istruzione SQL da aprire."));
    QString core = CoreSQL(base);

    // Each row carries the rowid of every table the statement reads, so it
    // can be read again, found, written and deleted: in a join one row of
    // the first table stands in several rows (a product in two
    // categories), and only all the keys together name the row.
    const QList<FromTable> tables = FromTables(core);
    m_strTable = tables.isEmpty() ? QString() : tables.first().table;
    m_bKeyed = !tables.isEmpty() && !IsAggregate(core);
    m_nKeyColumns = m_bKeyed ? tables.size() : 0;
    if (m_bKeyed) {
        static const QRegularExpression select(QStringLiteral("^\\s*SELECT\\s+"),
                                               QRegularExpression::CaseInsensitiveOption);
        QString keys;
        QStringList conditions;
        for (int i = 0; i < tables.size(); ++i) {
            keys += tables.at(i).reference + QStringLiteral(".rowid AS ") + KeyName(i) + QStringLiteral(", ");
            conditions << KeyName(i) + QStringLiteral(" IS ?");
        }
        core.replace(select, QStringLiteral("SELECT ") + keys);
        // The keys name the row whatever its values now are, so a row
        // edited out of the filter is still read (and stays in the set).
        m_strRefetchSQL = QStringLiteral("SELECT * FROM (") + core + QStringLiteral(") WHERE ")
                          + conditions.join(QStringLiteral(" AND ")) + QStringLiteral(" LIMIT 1");
        m_strRefetchFirstSQL = QStringLiteral("SELECT * FROM (") + core + QStringLiteral(") WHERE ") + kKey
                               + QStringLiteral(" IS ? LIMIT 1");
    }
    m_nStatementParams = CountPlaceholders(core);
    m_strSQL = BuildSQL(core);
    m_bOpen = true;
    try {
        Load();
    } catch (...) {
        m_bOpen = false;
        throw;
    }
    RunExchange(CDaoFieldExchange::BindField);
    m_cache.clear();
    m_cache.resize(m_boundNames.size());
    SettleOnCurrent();
}

void CDaoRecordset::Fetch(QSqlQuery& query, const QVariantList& params)
{
    for (int i = 0; i < params.size(); ++i)
        query.bindValue(i, params.at(i));
    CDaoDatabase::Exec(query, query.lastQuery());
}

void CDaoRecordset::Load()
{
    QSqlQuery query(m_pDatabase->Connection());
    query.setForwardOnly(true);
    if (!query.prepare(m_strSQL))
        ThrowDaoException(query.lastError().databaseText() + QStringLiteral(" [") + m_strSQL + QStringLiteral("]"));
    Fetch(query, m_filterParams);

    const QSqlRecord record = query.record();
    const int first = m_nKeyColumns;
    m_columns.clear();
    m_columnKeys.clear();
    m_columnIndex.clear();
    for (int i = first; i < record.count(); ++i) {
        const QString name = record.fieldName(i);
        m_columns << name;
        m_columnKeys << name.toLower();
        m_columnIndex.insert(name.toLower(), i - first);
    }
    m_rows.clear();
    const qint64 version = m_pDatabase->WriteVersion();
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

void CDaoRecordset::Close()
{
    m_nEditMode = dbEditNone;
    m_pending.clear();
    m_pendingOrder.clear();
    m_rows.clear();
    m_columns.clear();
    m_columnKeys.clear();
    m_columnIndex.clear();
    m_bOpen = false;
    m_nCurrent = -1;
    m_bBOF = m_bEOF = true;
}

void CDaoRecordset::Requery()
{
    if (!m_bOpen)
        ThrowDaoException(QStringLiteral("L'oggetto non è aperto."));
    EndEdit();
    Load();
    RunExchange(CDaoFieldExchange::BindField);
    SettleOnCurrent();
}

int CDaoRecordset::ColumnIndex(const QString& name) const
{
    const QString plain = Unbracket(name).toLower();
    auto it = m_columnIndex.find(plain);
    if (it != m_columnIndex.end())
        return *it;
    it = m_columnIndex.find(StripQualifier(plain));
    return it != m_columnIndex.end() ? *it : -1;
}

int CDaoRecordset::FieldIndexOrThrow(const QString& name) const
{
    const int index = ColumnIndex(name);
    if (index < 0)
        ThrowDaoException(QStringLiteral("Elemento non trovato in questo insieme. [%1]").arg(name));
    return index;
}

bool CDaoRecordset::HasField(const QString& name) const { return ColumnIndex(name) >= 0; }

bool CDaoRecordset::IsCurrentValid() const
{
    return m_bOpen && m_nCurrent >= 0 && m_nCurrent < m_rows.size() && !m_rows.at(m_nCurrent).deleted;
}

int CDaoRecordset::Step(int from, int direction) const
{
    int i = from + direction;
    while (i >= 0 && i < m_rows.size() && m_rows.at(i).deleted)
        i += direction;
    return i;
}

void CDaoRecordset::Refresh(int index)
{
    Row& row = m_rows[index];
    if (!m_bKeyed || row.fetchedAt == m_pDatabase->WriteVersion())
        return;
    // A row added through the set knows only its first table's key until
    // it has been read once.
    const bool whole = row.values.size() >= m_nKeyColumns;
    QSqlQuery& query = m_pDatabase->Prepared(whole ? m_strRefetchSQL : m_strRefetchFirstSQL);
    Fetch(query, m_filterParams.mid(0, m_nStatementParams) + (whole ? RowKeys(row) : QVariantList{row.values.value(0)}));
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

// Brings the current row up to date and fills the members from it. A row
// that was deleted meanwhile is passed over as the move direction had it.
void CDaoRecordset::SettleOnCurrent()
{
    while (IsCurrentValid()) {
        Refresh(m_nCurrent);
        if (!m_rows.at(m_nCurrent).deleted)
            break;
        m_nCurrent = Step(m_nCurrent, +1);
    }
    if (m_nCurrent >= m_rows.size()) {
        m_bEOF = true;
        return;
    }
    if (IsCurrentValid())
        RunExchange(CDaoFieldExchange::Fixup);
}

void CDaoRecordset::RefreshAndFixup()
{
    if (IsCurrentValid())
        m_rows[m_nCurrent].fetchedAt = -1;
    SettleOnCurrent();
}

bool CDaoRecordset::IsEOF() const { return m_bEOF; }

bool CDaoRecordset::IsBOF() const { return m_bBOF; }

void CDaoRecordset::MoveFirst()
{
    EndEdit();
    m_nCurrent = Step(-1, +1);
    m_bBOF = m_bEOF = m_nCurrent >= m_rows.size();
    SettleOnCurrent();
}

void CDaoRecordset::MoveLast()
{
    EndEdit();
    m_nCurrent = Step(m_rows.size(), -1);
    m_bBOF = m_bEOF = m_nCurrent < 0;
    if (m_nCurrent < 0)
        return;
    SettleOnCurrent();
}

void CDaoRecordset::MoveNext()
{
    if (m_bEOF)
        ThrowDaoException(QStringLiteral("Nessun record corrente."));
    Move(1);
}

void CDaoRecordset::MovePrev()
{
    if (m_bBOF)
        ThrowDaoException(QStringLiteral("Nessun record corrente."));
    Move(-1);
}

void CDaoRecordset::Move(qint32 nRows)
{
    EndEdit();
    const int direction = nRows < 0 ? -1 : 1;
    int index = m_nCurrent;
    for (qint32 n = 0; n != nRows; n += direction) {
        index = Step(index, direction);
        if (index < 0 || index >= m_rows.size())
            break;
    }
    m_nCurrent = qBound(-1, index, static_cast<int>(m_rows.size()));
    m_bEOF = m_nCurrent >= m_rows.size();
    m_bBOF = m_nCurrent < 0;
    if (m_bEOF || m_bBOF)
        return;
    SettleOnCurrent();
}

QVector<int> CDaoRecordset::MatchingRows(const QString& criteria, const QVariantList& params)
{
    QVector<int> matches;
    const QString condition = JetToSQLite(criteria);
    if (m_bKeyed) {
        QSqlQuery query(m_pDatabase->Connection());
        query.setForwardOnly(true);
        QStringList keyNames;
        for (int i = 0; i < m_nKeyColumns; ++i)
            keyNames << KeyName(i);
        const QString sql = QStringLiteral("SELECT ") + keyNames.join(QStringLiteral(", ")) + QStringLiteral(" FROM (")
                            + m_strSQL + QStringLiteral(") WHERE (") + condition + QStringLiteral(")");
        if (!query.prepare(sql))
            ThrowDaoException(query.lastError().databaseText() + QStringLiteral(" [") + criteria + QStringLiteral("]"));
        Fetch(query, m_filterParams + params);
        QSet<QString> keys;
        while (query.next()) {
            QVariantList found;
            for (int i = 0; i < m_nKeyColumns; ++i)
                found << query.value(i);
            keys.insert(KeyText(found));
        }
        for (int i = 0; i < m_rows.size(); ++i)
            if (!m_rows.at(i).deleted && keys.contains(KeyText(RowKeys(m_rows.at(i)))))
                matches.append(i);
        return matches;
    }
    // Rows that stand for no table row are tested one by one on their values.
    QStringList columns;
    for (const QString& name : m_columns)
        columns << QStringLiteral("? AS [") + name + QStringLiteral("]");
    const QString sql = QStringLiteral("SELECT 1 FROM (SELECT ") + columns.join(QStringLiteral(", "))
                        + QStringLiteral(") WHERE (") + condition + QStringLiteral(")");
    QSqlQuery query(m_pDatabase->Connection());
    if (!query.prepare(sql))
        ThrowDaoException(query.lastError().databaseText() + QStringLiteral(" [") + criteria + QStringLiteral("]"));
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows.at(i).deleted)
            continue;
        QVariantList values;
        for (const QVariant& v : m_rows.at(i).values)
            values << v;
        Fetch(query, values + params);
        if (query.next())
            matches.append(i);
        query.finish();
    }
    return matches;
}

bool CDaoRecordset::FindFrom(int start, int direction, const QString& criteria, const QVariantList& params)
{
    if (!m_bOpen)
        ThrowDaoException(QStringLiteral("L'oggetto non è aperto."));
    const QVector<int> matches = MatchingRows(criteria, params);
    int found = -1;
    if (direction > 0) {
        for (int i : matches)
            if (i >= start) { found = i; break; }
    } else {
        for (auto it = matches.rbegin(); it != matches.rend(); ++it)
            if (*it <= start) { found = *it; break; }
    }
    if (found < 0)
        return false;
    EndEdit();
    m_nCurrent = found;
    m_bBOF = m_bEOF = false;
    SettleOnCurrent();
    return true;
}

void CDaoRecordset::SetFilter(const CDaoCriteria& criteria, const QVariantList& statementValues)
{
    m_strFilter = criteria.Text();
    m_filterParams = statementValues + criteria.Values();
}

bool CDaoRecordset::FindFirst(const QString& criteria, const QVariantList& params)
{
    return FindFrom(0, +1, criteria, params);
}

bool CDaoRecordset::FindNext(const QString& criteria, const QVariantList& params)
{
    return FindFrom(m_nCurrent + 1, +1, criteria, params);
}

bool CDaoRecordset::FindPrev(const QString& criteria, const QVariantList& params)
{
    return FindFrom(m_nCurrent - 1, -1, criteria, params);
}

bool CDaoRecordset::FindLast(const QString& criteria, const QVariantList& params)
{
    return FindFrom(m_rows.size() - 1, -1, criteria, params);
}

bool CDaoRecordset::CanUpdate() const { return m_bOpen && m_bKeyed; }

void CDaoRecordset::AddNew()
{
    if (!m_bOpen)
        ThrowDaoException(QStringLiteral("L'oggetto non è aperto."));
    if (!m_bKeyed)
        ThrowDaoException(QStringLiteral("Impossibile aggiornare. Database o oggetto di sola lettura."));
    EndEdit();
    m_nSavedCurrent = m_nCurrent;
    m_nEditMode = dbEditAdd;
    // The members start from their defaults and only those set afterwards
    // are written: the other columns take the table's own default, or stay
    // NULL where NULL means "not set".
    RunExchange(CDaoFieldExchange::SetDefault);
}

void CDaoRecordset::Edit()
{
    if (!m_bKeyed)
        ThrowDaoException(QStringLiteral("Impossibile aggiornare. Database o oggetto di sola lettura."));
    if (!IsCurrentValid())
        ThrowDaoException(QStringLiteral("Nessun record corrente."));
    m_pending.clear();
    m_pendingOrder.clear();
    m_nEditMode = dbEditInProgress;
}

void CDaoRecordset::EndEdit()
{
    if (m_nEditMode == dbEditAdd)
        m_nCurrent = m_nSavedCurrent;
    m_nEditMode = dbEditNone;
    m_pending.clear();
    m_pendingOrder.clear();
}

void CDaoRecordset::CancelUpdate()
{
    if (m_nEditMode == dbEditNone)
        return;
    EndEdit();
    if (IsCurrentValid())
        RunExchange(CDaoFieldExchange::Fixup);
}

void CDaoRecordset::SetFieldValue(const QString& name, const QVariant& value)
{
    if (m_nEditMode == dbEditNone)
        ThrowDaoException(QStringLiteral("Update o CancelUpdate senza AddNew o Edit."));
    const int index = FieldIndexOrThrow(name);
    const QString column = m_columns.at(index);
    const QString key = column.toLower();
    if (!m_pending.contains(key))
        m_pendingOrder << column;
    m_pending.insert(key, value.typeId() == QMetaType::Bool ? QVariant(value.toBool() ? 1 : 0) : value);
}

void CDaoRecordset::SetFieldValueNull(const QString& name) { SetFieldValue(name, QVariant()); }

QVariant CDaoRecordset::GetFieldValue(const QString& name)
{
    const int index = FieldIndexOrThrow(name);
    if (m_nEditMode != dbEditNone) {
        auto it = m_pending.find(m_columns.at(index).toLower());
        if (it != m_pending.end())
            return *it;
        if (m_nEditMode == dbEditAdd)
            return QVariant();
    }
    if (!IsCurrentValid())
        ThrowDaoException(QStringLiteral("Nessun record corrente."));
    return m_rows.at(m_nCurrent).values.value(index + m_nKeyColumns);
}

bool CDaoRecordset::IsFieldNull(const QString& name) { return GetFieldValue(name).isNull(); }

void CDaoRecordset::Update()
{
    if (m_nEditMode == dbEditNone)
        ThrowDaoException(QStringLiteral("Update o CancelUpdate senza AddNew o Edit."));
    if (m_nEditMode == dbEditAdd)
        WriteAdd();
    else
        WriteEdit();
}

// The changed members and the values set by name, in one list; a value set
// by name wins over its member. The edit buffer keeps only the values set by
// name, so a failed save can be mended and tried again.
CDaoRecordset::Assignments CDaoRecordset::CollectAssignments()
{
    const QHash<QString, QVariant> explicitValues = m_pending;
    const QStringList explicitOrder = m_pendingOrder;
    m_pending.clear();
    m_pendingOrder.clear();
    RunExchange(CDaoFieldExchange::SetDirtyField);   // collects into m_pending
    const QHash<QString, QVariant> dirty = m_pending;
    const QStringList dirtyOrder = m_pendingOrder;
    m_pending = explicitValues;
    m_pendingOrder = explicitOrder;

    Assignments a;
    for (const QString& column : dirtyOrder) {
        if (explicitValues.contains(column.toLower()))
            continue;
        a.columns << column;
        a.values << dirty.value(column.toLower());
    }
    for (const QString& column : explicitOrder) {
        a.columns << column;
        a.values << explicitValues.value(column.toLower());
    }
    return a;
}

void CDaoRecordset::WriteAdd()
{
    const Assignments a = CollectAssignments();

    QString sql;
    if (a.columns.isEmpty()) {
        sql = QStringLiteral("INSERT INTO [") + m_strTable + QStringLiteral("] DEFAULT VALUES");
    } else {
        QStringList names, marks;
        for (const QString& c : a.columns) {
            names << QStringLiteral("[") + c + QStringLiteral("]");
            marks << QStringLiteral("?");
        }
        sql = QStringLiteral("INSERT INTO [") + m_strTable + QStringLiteral("] (") + names.join(QLatin1Char(','))
              + QStringLiteral(") VALUES (") + marks.join(QLatin1Char(',')) + QStringLiteral(")");
    }
    QSqlQuery& query = m_pDatabase->Prepared(sql);
    Fetch(query, a.values);
    const QVariant key = query.lastInsertId();
    query.finish();
    m_pDatabase->NoteWrite();

    const bool wasPastEnd = m_nSavedCurrent >= m_rows.size();
    Row row;
    row.values.append(key);
    row.fetchedAt = -1;   // read when it first becomes current
    m_rows.append(std::move(row));

    EndEdit();
    if (wasPastEnd) {
        m_nCurrent = m_rows.size();   // the new row joins the end without becoming current
        m_bEOF = true;
    } else if (IsCurrentValid()) {
        RefreshAndFixup();
    }
}

void CDaoRecordset::WriteEdit()
{
    if (!IsCurrentValid())
        ThrowDaoException(QStringLiteral("Nessun record corrente."));
    const Assignments a = CollectAssignments();

    if (!a.columns.isEmpty()) {
        QStringList sets;
        for (const QString& c : a.columns)
            sets << QStringLiteral("[") + c + QStringLiteral("]=?");
        const QString sql = QStringLiteral("UPDATE [") + m_strTable + QStringLiteral("] SET ")
                            + sets.join(QLatin1Char(',')) + QStringLiteral(" WHERE rowid=?");
        QSqlQuery& query = m_pDatabase->Prepared(sql);
        Fetch(query, a.values + QVariantList{m_rows.at(m_nCurrent).values.value(0)});
        query.finish();
        m_pDatabase->NoteWrite();
    }
    EndEdit();
    RefreshAndFixup();
}

void CDaoRecordset::Delete()
{
    if (!m_bKeyed)
        ThrowDaoException(QStringLiteral("Impossibile aggiornare. Database o oggetto di sola lettura."));
    if (!IsCurrentValid())
        ThrowDaoException(QStringLiteral("Nessun record corrente."));
    EndEdit();
    QSqlQuery& query = m_pDatabase->Prepared(QStringLiteral("DELETE FROM [") + m_strTable + QStringLiteral("] WHERE rowid=?"));
    Fetch(query, {m_rows.at(m_nCurrent).values.value(0)});
    query.finish();
    m_pDatabase->NoteWrite();
    m_rows[m_nCurrent].deleted = true;
}

qint32 CDaoRecordset::GetRecordCount() const
{
    qint32 count = 0;
    for (const Row& row : m_rows)
        if (!row.deleted)
            ++count;
    return count;
}

qint32 CDaoRecordset::GetAbsolutePosition() const
{
    if (!IsCurrentValid())
        return -1;
    qint32 position = 0;
    for (int i = 0; i < m_nCurrent; ++i)
        if (!m_rows.at(i).deleted)
            ++position;
    return position;
}

QVariant CDaoRecordset::GetBookmark() const
{
    if (!IsCurrentValid())
        ThrowDaoException(QStringLiteral("Nessun record corrente."));
    return RowBookmark(m_nCurrent);
}

QVariant CDaoRecordset::RowBookmark(int index) const
{
    if (!m_bKeyed)
        return index;
    if (m_nKeyColumns == 1)
        return m_rows.at(index).values.value(0);
    return RowKeys(m_rows.at(index));
}

QVariantList CDaoRecordset::RowKeys(const Row& row) const
{
    QVariantList keys;
    for (int i = 0; i < m_nKeyColumns; ++i)
        keys << row.values.value(i);
    return keys;
}

QString CDaoRecordset::KeyText(const QVariantList& keys)
{
    QStringList parts;
    for (const QVariant& key : keys)
        parts << (key.isNull() ? QStringLiteral("-") : QString::number(key.toLongLong()));
    return parts.join(QLatin1Char(':'));
}

void CDaoRecordset::SetBookmark(const QVariant& bookmark)
{
    for (int i = 0; i < m_rows.size(); ++i) {
        if (!m_rows.at(i).deleted && RowBookmark(i) == bookmark) {
            EndEdit();
            m_nCurrent = i;
            m_bBOF = m_bEOF = false;
            SettleOnCurrent();
            return;
        }
    }
    ThrowDaoException(QStringLiteral("Segnalibro non valido."));
}

void CDaoRecordset::RunExchange(CDaoFieldExchange::Operation op)
{
    if (op == CDaoFieldExchange::BindField) {
        m_boundNames.clear();
        m_boundColumns.clear();
    }
    CDaoFieldExchange fx(op, this);
    DoFieldExchange(&fx);
}

void CDaoRecordset::ExchangeField(CDaoFieldExchange* pFX, const char* name, QVariant& member,
                                  QMetaType::Type type, const CDaoTextCodec* codec)
{
    const int field = pFX->m_nField++;
    switch (pFX->m_nOperation) {
    case CDaoFieldExchange::BindField: {
        // Each member's column is looked up once per opening, not per row.
        const QString column = Unbracket(QString::fromLatin1(name));
        m_boundNames << column;
        m_boundColumns.append(ColumnIndex(column));
        break;
    }
    case CDaoFieldExchange::SetDefault:
        member = DefaultFor(type);
        if (m_cache.size() <= field)
            m_cache.resize(field + 1);
        m_cache[field] = member;
        break;
    case CDaoFieldExchange::Fixup: {
        const int index = BoundColumn(field, name);
        member = FromStored(m_rows.at(m_nCurrent).values.value(index + m_nKeyColumns), type, codec);
        if (m_cache.size() <= field)
            m_cache.resize(field + 1);
        m_cache[field] = member;
        break;
    }
    case CDaoFieldExchange::SetDirtyField: {
        const bool cached = field < m_cache.size() && m_cache.at(field).has_value();
        if (cached && *m_cache.at(field) == member)
            break;
        const int index = BoundColumn(field, name);
        const QString& key = m_columnKeys.at(index);
        if (!m_pending.contains(key))
            m_pendingOrder << m_columns.at(index);
        m_pending.insert(key, ToStored(member, type, codec));
        break;
    }
    }
}

int CDaoRecordset::BoundColumn(int field, const char* name) const
{
    const int index = field < m_boundColumns.size() ? m_boundColumns.at(field) : -1;
    if (index < 0)
        ThrowDaoException(QStringLiteral("Elemento non trovato in questo insieme. [%1]").arg(QString::fromLatin1(name)));
    return index;
}
