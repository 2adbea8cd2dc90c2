#include "platform/sql/CJetSql.h"

#include <QDateTime>
#include <QList>
#include <QStringList>

#include <stdexcept>

namespace {

enum class Kind { Space, Word, Number, String, Bracket, Date, Symbol };

struct Token
{
    Kind kind;
    QString text;   // for String, Bracket and Date: the content without delimiters
};

using Tokens = QList<Token>;

bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// Reads up to the closing delimiter; a doubled delimiter stands for itself.
QString ReadQuoted(const QString& sql, int& i, QChar quote)
{
    QString content;
    ++i;
    while (i < sql.size()) {
        if (sql[i] == quote) {
            if (i + 1 < sql.size() && sql[i + 1] == quote) {
                content += quote;
                i += 2;
                continue;
            }
            ++i;
            return content;
        }
        content += sql[i++];
    }
    throw std::invalid_argument("Stringa non chiusa nel testo SQL: " + sql.toStdString());
}

QString ReadUntil(const QString& sql, int& i, QChar close)
{
    const int end = sql.indexOf(close, i + 1);
    if (end < 0)
        throw std::invalid_argument("Delimitatore non chiuso nel testo SQL: " + sql.toStdString());
    const QString content = sql.mid(i + 1, end - i - 1);
    i = end + 1;
    return content;
}

Tokens Lex(const QString& sql)
{
    Tokens tokens;
    int i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        const int start = i;
        if (c.isSpace()) {
            while (i < sql.size() && sql[i].isSpace())
                ++i;
            tokens.append({Kind::Space, sql.mid(start, i - start)});
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            tokens.append({Kind::String, ReadQuoted(sql, i, c)});
        } else if (c == QLatin1Char('[')) {
            tokens.append({Kind::Bracket, ReadUntil(sql, i, QLatin1Char(']'))});
        } else if (c == QLatin1Char('#')) {
            tokens.append({Kind::Date, ReadUntil(sql, i, QLatin1Char('#'))});
        } else if (c.isDigit()) {
            while (i < sql.size() && (sql[i].isDigit() || sql[i] == QLatin1Char('.')))
                ++i;
            tokens.append({Kind::Number, sql.mid(start, i - start)});
        } else if (IsWordChar(c)) {
            while (i < sql.size() && IsWordChar(sql[i]))
                ++i;
            tokens.append({Kind::Word, sql.mid(start, i - start)});
        } else {
            tokens.append({Kind::Symbol, QString(c)});
            ++i;
        }
    }
    return tokens;
}

QString Quoted(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

QString DateLiteral(const QString& jetDate)
{
    const QString text = jetDate.simplified();
    static const QStringList formats = {
        QStringLiteral("M/d/yyyy"),          QStringLiteral("M/d/yyyy H:m:s"),
        QStringLiteral("M/d/yyyy H:m"),      QStringLiteral("M/d/yyyy h:m:s AP"),
        QStringLiteral("M/d/yyyy h:m AP"),   QStringLiteral("yyyy-M-d"),
        QStringLiteral("yyyy-M-d H:m:s"),    QStringLiteral("yyyy-M-d H:m"),
        QStringLiteral("yyyy/M/d"),          QStringLiteral("yyyy/M/d H:m:s"),
    };
    for (const QString& format : formats) {
        const QDateTime value = QDateTime::fromString(text, format);
        if (value.isValid())
            return Quoted(value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    }
    throw std::invalid_argument("Data non valida nel testo SQL: #" + jetDate.toStdString() + "#");
}

bool IsWord(const Token& token, const char* word)
{
    return token.kind == Kind::Word && token.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool IsSymbol(const Token& token, char symbol)
{
    return token.kind == Kind::Symbol && token.text == QLatin1Char(symbol);
}

// The next token after i that is not blank, or -1.
int NextSolid(const Tokens& tokens, int i, int end)
{
    for (int j = i + 1; j < end; ++j)
        if (tokens[j].kind != Kind::Space)
            return j;
    return -1;
}

// The index of the parenthesis that closes the one at open.
int ClosingParen(const Tokens& tokens, int open, int end)
{
    int depth = 0;
    for (int j = open; j < end; ++j) {
        if (IsSymbol(tokens[j], '('))
            ++depth;
        else if (IsSymbol(tokens[j], ')') && --depth == 0)
            return j;
    }
    throw std::invalid_argument("Parentesi non chiusa nel testo SQL");
}

class Writer
{
public:
    Writer(const Tokens& tokens, CJetSql::Dialect dialect) : m_tokens(tokens), m_dialect(dialect) {}

    QString Statement()
    {
        int limitAt = -1;
        QString limit;
        const int first = NextSolid(m_tokens, -1, m_tokens.size());
        if (first >= 0 && IsWord(m_tokens[first], "SELECT")) {
            int top = NextSolid(m_tokens, first, m_tokens.size());
            if (top >= 0 && (IsWord(m_tokens[top], "DISTINCT") || IsWord(m_tokens[top], "DISTINCTROW")))
                top = NextSolid(m_tokens, top, m_tokens.size());
            const int count = top >= 0 ? NextSolid(m_tokens, top, m_tokens.size()) : -1;
            if (count >= 0 && IsWord(m_tokens[top], "TOP") && m_tokens[count].kind == Kind::Number) {
                limitAt = top;
                limit = m_tokens[count].text;
            }
        }
        QString out = Range(0, m_tokens.size(), limitAt);
        if (!limit.isEmpty()) {
            const bool semicolon = out.trimmed().endsWith(QLatin1Char(';'));
            out = out.trimmed();
            if (semicolon)
                out.chop(1);
            out = out.trimmed() + QStringLiteral(" LIMIT ") + limit;
        }
        return out;
    }

private:
    // Writes tokens [begin, end); skipTop is the index of a TOP to drop
    // together with its count and the blank after it.
    QString Range(int begin, int end, int skipTop = -1)
    {
        QString out;
        for (int i = begin; i < end; ++i) {
            const Token& token = m_tokens[i];
            if (i == skipTop) {
                i = NextSolid(m_tokens, i, end);   // the count
                if (i + 1 < end && m_tokens[i + 1].kind == Kind::Space)
                    ++i;
                continue;
            }
            switch (token.kind) {
            case Kind::Space:
            case Kind::Number:
                out += token.text;
                break;
            case Kind::String:
                out += Quoted(token.text);
                break;
            case Kind::Date:
                out += DateLiteral(token.text);
                break;
            case Kind::Bracket:
                out += Identifier(token.text);
                break;
            case Kind::Symbol:
                out += IsSymbol(token, '&') ? QStringLiteral("||") : token.text;
                break;
            case Kind::Word:
                i = Word(i, end, out);
                break;
            }
        }
        return out;
    }

    QString Identifier(const QString& name) const
    {
        for (const QChar c : name)
            if (!IsWordChar(c))
                return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
        return name;
    }

    // Writes the word at i (and what it governs); returns the last index used.
    int Word(int i, int end, QString& out)
    {
        const Token& token = m_tokens[i];
        if (IsWord(token, "TRUE")) {
            out += QLatin1Char('1');
            return i;
        }
        if (IsWord(token, "FALSE")) {
            out += QLatin1Char('0');
            return i;
        }
        if (IsWord(token, "LIKE"))
            return Like(i, end, out);
        if (IsWord(token, "DELETE")) {
            out += token.text;
            const int star = NextSolid(m_tokens, i, end);
            if (star >= 0 && IsSymbol(m_tokens[star], '*'))
                return star;
            return i;
        }
        if (IsWord(token, "ISNUMERIC") || IsWord(token, "CLNG")) {
            const int open = NextSolid(m_tokens, i, end);
            if (open >= 0 && IsSymbol(m_tokens[open], '(')) {
                const int close = ClosingParen(m_tokens, open, end);
                const QString argument = QLatin1Char('(') + Range(open + 1, close) + QLatin1Char(')');
                out += IsWord(token, "CLNG") ? ToInteger(argument) : IsNumeric(argument);
                return close;
            }
        }
        out += token.text;
        return i;
    }

    int Like(int i, int end, QString& out)
    {
        out += m_dialect == CJetSql::PostgreSQL ? QStringLiteral("ILIKE") : QStringLiteral("LIKE");
        const int pattern = NextSolid(m_tokens, i, end);
        if (pattern < 0 || m_tokens[pattern].kind != Kind::String)
            return i;
        out += Range(i + 1, pattern);   // the blanks between
        out += Quoted(CJetSql::LikePattern(m_tokens[pattern].text));
        return pattern;
    }

    QString IsNumeric(const QString& argument) const
    {
        if (m_dialect == CJetSql::PostgreSQL)
            return QStringLiteral("(CASE WHEN CAST(%1 AS TEXT) ~ '^[0-9]{1,18}$' THEN -1 ELSE 0 END)")
                .arg(argument);
        return QStringLiteral("(CASE WHEN length(%1) BETWEEN 1 AND 18 AND %1 NOT GLOB '*[^0-9]*'"
                              " THEN -1 ELSE 0 END)")
            .arg(argument);
    }

    QString ToInteger(const QString& argument) const
    {
        return m_dialect == CJetSql::PostgreSQL ? QStringLiteral("CAST(%1 AS BIGINT)").arg(argument)
                                                : QStringLiteral("CAST(%1 AS INTEGER)").arg(argument);
    }

    const Tokens& m_tokens;
    CJetSql::Dialect m_dialect;
};

} // namespace

QString CJetSql::Rewrite(const QString& jetSql) const
{
    const Tokens tokens = Lex(jetSql);
    return Writer(tokens, m_dialect).Statement();
}

QString CJetSql::LikePattern(const QString& jetPattern)
{
    QString pattern = jetPattern;
    pattern.replace(QLatin1Char('*'), QLatin1Char('%'));
    pattern.replace(QLatin1Char('?'), QLatin1Char('_'));
    return pattern;
}

QString CJetSql::LikeLiteral(const QString& text)
{
    QString literal = text;
    literal.replace(QLatin1Char('!'), QStringLiteral("!!"));
    literal.replace(QLatin1Char('%'), QStringLiteral("!%"));
    literal.replace(QLatin1Char('_'), QStringLiteral("!_"));
    return literal;
}
