#include "platform/dao/CDaoStatement.h"

#include "platform/dao/CDaoException.h"
#include "platform/sql/CJetSql.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

const QString kKey = QStringLiteral("__qtr_key");

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
    name = CDaoStatement::Unbracket(name);
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

// The "?" marks of a statement, those inside quoted text and names aside.
int CountPlaceholders(const QString& sql)
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
QString CoreSQL(const QString& base)
{
    if (!StartsWithSelect(base))
        return QStringLiteral("SELECT * FROM [") + CDaoStatement::Unbracket(base) + QStringLiteral("]");
    return CDaoStatement::Rewrite(base.trimmed());
}

// The statement with the filter and the sort applied.
QString WithFilterAndSort(const QString& core, const QString& jetFilter, const QString& jetSort)
{
    const QString filter = CDaoStatement::Rewrite(jetFilter.trimmed());
    const QString sort = CDaoStatement::Rewrite(jetSort.trimmed());
    if (filter.isEmpty() && sort.isEmpty())
        return core;
    QString sql = HasTrailingClauses(core) ? QStringLiteral("SELECT * FROM (") + core + QStringLiteral(")") : core;
    if (!filter.isEmpty())
        sql += QStringLiteral(" WHERE (") + filter + QStringLiteral(")");
    if (!sort.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + sort;
    return sql;
}

} // namespace

QString CDaoStatement::Unbracket(QString name)
{
    name = name.trimmed();
    if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
        name = name.mid(1, name.size() - 2);
    return name;
}

QString CDaoStatement::StripQualifier(const QString& name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : Unbracket(name.mid(dot + 1));
}

QString CDaoStatement::Rewrite(const QString& jetSql)
{
    // Statements, filters and criteria are written in the Access dialect
    // (#dates#, Like '*', True, &); SQLite runs them rewritten. Text that
    // can't be read (an unclosed quote, a bad #date#) is a database error
    // like any other.
    static const CJetSql jet(CJetSql::SQLite);
    try {
        return jet.Rewrite(jetSql);
    } catch (const std::exception& error) {
        throw CDaoException(QString::fromUtf8(error.what()));
    }
}

QString CDaoStatement::KeyName(int i) { return i == 0 ? kKey : kKey + QString::number(i); }

CDaoStatement::CDaoStatement(const QString& base, const QString& filter, const QString& sort)
{
    if (base.trimmed().isEmpty())
        throw CDaoException(QStringLiteral("Nessuna istruzione SQL da aprire."));
    QString core = CoreSQL(base);

    // Each row carries the rowid of every table the statement reads, so it
    // can be read again, found, written and deleted: in a join one row of
    // the first table stands in several rows (a product in two
    // categories), and only all the keys together name the row.
    const QList<FromTable> tables = FromTables(core);
    m_strTable = tables.isEmpty() ? QString() : tables.first().table;
    m_nKeyColumns = !tables.isEmpty() && !IsAggregate(core) ? tables.size() : 0;
    if (m_nKeyColumns > 0) {
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
        m_strRefetch = QStringLiteral("SELECT * FROM (") + core + QStringLiteral(") WHERE ")
                       + conditions.join(QStringLiteral(" AND ")) + QStringLiteral(" LIMIT 1");
        m_strRefetchByFirstKey = QStringLiteral("SELECT * FROM (") + core + QStringLiteral(") WHERE ") + kKey
                                 + QStringLiteral(" IS ? LIMIT 1");
    }
    m_nStatementParams = CountPlaceholders(core);
    m_strSelect = WithFilterAndSort(core, filter, sort);
}

QString CDaoStatement::KeysMatching(const QString& jetCriteria) const
{
    QStringList keys;
    for (int i = 0; i < m_nKeyColumns; ++i)
        keys << KeyName(i);
    return QStringLiteral("SELECT ") + keys.join(QStringLiteral(", ")) + QStringLiteral(" FROM (") + m_strSelect
           + QStringLiteral(") WHERE (") + Rewrite(jetCriteria) + QStringLiteral(")");
}

QString CDaoStatement::ValuesMatching(const QStringList& columns, const QString& jetCriteria)
{
    QStringList marks;
    for (const QString& name : columns)
        marks << QStringLiteral("? AS [") + name + QStringLiteral("]");
    return QStringLiteral("SELECT 1 FROM (SELECT ") + marks.join(QStringLiteral(", ")) + QStringLiteral(") WHERE (")
           + Rewrite(jetCriteria) + QStringLiteral(")");
}
