#include "platform/dao/CDaoCriteria.h"

#include "platform/dao/CDaoException.h"
#include "platform/sql/CJetSql.h"

#include <QRegularExpression>

namespace {

// The conversion at i ("%s", "%ld", ...), or its length 0 when none.
int ConversionLength(const QString& pattern, int i)
{
    static const QRegularExpression re(QStringLiteral("\\G%(?:l?[sdiufg]|lf)"));
    const QRegularExpressionMatch m = re.match(pattern, i, QRegularExpression::NormalMatch,
                                               QRegularExpression::AnchorAtOffsetMatchOption);
    return m.hasMatch() ? m.capturedLength() : 0;
}

// A character the pattern itself writes in a bound Like literal: Jet's
// wildcards become the engine's, and "!", the escape character, is taken
// as itself.
QString PatternChar(QChar c)
{
    return c == QLatin1Char('!') ? QStringLiteral("!!") : CJetSql::LikePattern(QString(c));
}

bool FollowsLike(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("\\bLIKE\\s*$"), QRegularExpression::CaseInsensitiveOption);
    return re.match(text).hasMatch();
}

class Formatter
{
public:
    Formatter(const QString& pattern, const QVariantList& values) : m_pattern(pattern), m_values(values) {}

    CDaoCriteria Run()
    {
        int i = 0;
        while (i < m_pattern.size()) {
            const QChar c = m_pattern.at(i);
            if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
                i = Literal(i);
            } else if (c == QLatin1Char('%') && m_pattern.mid(i, 2) == QLatin1String("%%")) {
                m_text += QLatin1Char('%');
                i += 2;
            } else if (const int length = ConversionLength(m_pattern, i)) {
                m_text += QLatin1Char('?');
                m_bound << Next();
                i += length;
            } else {
                m_text += c;
                ++i;
            }
        }
        if (m_nUsed != m_values.size())
            throw CDaoException(QStringLiteral("Numero di valori errato per il criterio '%1'.").arg(m_pattern));
        return CDaoCriteria(m_text, m_bound);
    }

private:
    QVariant Next()
    {
        if (m_nUsed >= m_values.size())
            throw CDaoException(QStringLiteral("Numero di valori errato per il criterio '%1'.").arg(m_pattern));
        return m_values.at(m_nUsed++);
    }

    // A quoted literal from its opening quote; returns the index after it.
    int Literal(int open)
    {
        const QChar quote = m_pattern.at(open);
        const bool like = FollowsLike(m_text);
        QString raw;      // the literal as written, delimiters excluded
        QString filled;   // with the values written in
        bool hasConversion = false;
        int i = open + 1;
        for (;;) {
            if (i >= m_pattern.size())
                throw CDaoException(QStringLiteral("Stringa non chiusa nel criterio '%1'.").arg(m_pattern));
            const QChar c = m_pattern.at(i);
            if (c == quote) {
                if (i + 1 < m_pattern.size() && m_pattern.at(i + 1) == quote) {
                    raw += QString(2, quote);
                    filled += like ? PatternChar(c) : QString(c);
                    i += 2;
                    continue;
                }
                break;
            }
            if (c == QLatin1Char('%') && m_pattern.mid(i, 2) == QLatin1String("%%")) {
                raw += QLatin1Char('%');
                filled += QLatin1Char('%');
                i += 2;
            } else if (const int length = ConversionLength(m_pattern, i)) {
                hasConversion = true;
                filled += like ? CJetSql::LikeLiteral(Next().toString()) : Next().toString();
                i += length;
            } else {
                raw += c;
                filled += like ? PatternChar(c) : QString(c);
                ++i;
            }
        }
        if (hasConversion) {
            m_text += QLatin1Char('?');
            if (like)
                m_text += QLatin1String(CJetSql::kLikeEscape);
            m_bound << filled;
        } else {
            m_text += quote + raw + quote;
        }
        return i + 1;
    }

    const QString& m_pattern;
    const QVariantList& m_values;
    QString m_text;
    QVariantList m_bound;
    int m_nUsed = 0;
};

} // namespace

CDaoCriteria CDaoCriteria::Format(const QString& pattern, const QVariantList& values)
{
    return Formatter(pattern, values).Run();
}

QString CDaoCriteria::Column(const QString& name)
{
    const QString plain = name.trimmed();
    if (plain.isEmpty() || plain.contains(QLatin1Char('[')) || plain.contains(QLatin1Char(']'))
        || plain.contains(QLatin1Char('\0')))
        throw CDaoException(QStringLiteral("Nome di campo non valido: '%1'.").arg(name));
    return QLatin1Char('[') + plain + QLatin1Char(']');
}

CDaoCriteria CDaoCriteria::And(const CDaoCriteria& other) const
{
    if (other.IsEmpty())
        return *this;
    if (IsEmpty())
        return other;
    return CDaoCriteria(QLatin1Char('(') + m_strText + QStringLiteral(") AND (") + other.m_strText + QLatin1Char(')'),
                        m_values + other.m_values);
}
