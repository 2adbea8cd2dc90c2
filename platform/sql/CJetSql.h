#pragma once

#include <QString>

// Rewrites the SQL that the shop's code writes in the Access (Jet) dialect
// into SQL that SQLite or PostgreSQL runs with the same meaning:
//   #3/10/2004#        -> '2004-03-10 00:00:00' (the stored date format)
//   "text"             -> 'text' (Jet reads double quotes as a string)
//   [Name]             -> Name
//   True / False       -> 1 / 0 (booleans are stored as 1 and 0)
//   a & b              -> a || b
//   Like 'ab*c?'       -> LIKE 'ab%c_' (ILIKE on PostgreSQL: Jet ignores case)
//   IsNumeric(x)       -> -1 when x is all digits, else 0
//   CLng(x)            -> x as an integer
//   SELECT TOP n ...   -> SELECT ... LIMIT n
//   DELETE * FROM t    -> DELETE FROM t
// "?" placeholders pass unchanged; values are always bound, never written
// into the text. Text it cannot read (an unclosed quote, bracket or
// parenthesis, a malformed date) throws std::invalid_argument; the database
// layers above report it as their own error.
class CJetSql
{
public:
    enum Dialect { SQLite, PostgreSQL };

    explicit CJetSql(Dialect dialect) : m_dialect(dialect) {}

    QString Rewrite(const QString& jetSql) const;

    // A Jet Like pattern ("ab*c?") as a standard one ("ab%c_").
    static QString LikePattern(const QString& jetPattern);

    // Text a visitor or the merchant typed, to match as it stands inside a
    // Like pattern bound with kLikeEscape: its "%", "_" and "!" escaped.
    static QString LikeLiteral(const QString& text);
    // The clause that goes after such a pattern's "?", on both engines.
    static constexpr const char* kLikeEscape = " ESCAPE '!'";

private:
    Dialect m_dialect;
};
