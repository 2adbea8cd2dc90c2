#pragma once

#include <QString>
#include <QVariantList>

// Criteria text for a filter, a Find or a sort, with "?" marks and the
// values bound to them in order, so outside text (a merchant's search, a
// name typed in a box) never becomes part of the statement.
//
//   rs.SetFilter(CDaoCriteria::Format("Cognome='%s' AND IDGruppo=%d", {cognome, gruppo}));
//   rs.FindFirst(CDaoCriteria::Format("Descrizione Like '*%s*'", {testo}));
//   rs.m_strSort = CDaoCriteria::Column(colonnaScelta) + " DESC";
class CDaoCriteria
{
public:
    CDaoCriteria() = default;
    CDaoCriteria(const QString& text, const QVariantList& values = {}) : m_strText(text), m_values(values) {}

    // The printf-style pattern the views write, with each conversion (%s,
    // %d, %i, %u, %ld, %lu, %f, %g, %lf) bound to the next value instead of
    // written in. A quoted literal holding conversions ('%s', '*%s*')
    // becomes one bound text; after Like its own wildcards are read as the
    // Like pattern they were, and the values match as plain text: their
    // "%", "_" and "!" are escaped and the criterion carries the ESCAPE
    // clause. "%%" stands for "%". A count of values that differs from the
    // conversions, or an unclosed quote, raises CDaoException.
    static CDaoCriteria Format(const QString& pattern, const QVariantList& values);

    // A column name from outside, bracketed; a name that a bracket cannot
    // hold raises CDaoException.
    static QString Column(const QString& name);

    // Both criteria, each in parentheses; an empty side is left out.
    CDaoCriteria And(const CDaoCriteria& other) const;

    const QString& Text() const { return m_strText; }
    const QVariantList& Values() const { return m_values; }
    bool IsEmpty() const { return m_strText.trimmed().isEmpty(); }

private:
    QString m_strText;
    QVariantList m_values;
};
