#include "platform/dao/CDaoFinder.h"

#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoException.h"
#include "platform/dao/CDaoKeyset.h"
#include "platform/dao/CDaoStatement.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

namespace {

void Prepare(QSqlQuery& query, const QString& sql, const QString& criteria)
{
    if (!query.prepare(sql))
        throw CDaoException(query.lastError().databaseText() + QStringLiteral(" [") + criteria + QStringLiteral("]"));
}

} // namespace

int CDaoFinder::Find(int start, int direction, const QString& criteria, const QVariantList& values) const
{
    const QVector<int> matches = Matching(criteria, values);
    if (direction > 0) {
        for (int i : matches)
            if (i >= start)
                return i;
    } else {
        for (auto it = matches.rbegin(); it != matches.rend(); ++it)
            if (*it <= start)
                return *it;
    }
    return -1;
}

QVector<int> CDaoFinder::Matching(const QString& criteria, const QVariantList& values) const
{
    return m_statement.IsKeyed() ? MatchingKeys(criteria, values) : MatchingValues(criteria, values);
}

QVector<int> CDaoFinder::MatchingKeys(const QString& criteria, const QVariantList& values) const
{
    QSqlQuery query(m_database.Connection());
    query.setForwardOnly(true);
    Prepare(query, m_statement.KeysMatching(criteria), criteria);
    CDaoDatabase::Run(query, m_params + values);
    QSet<QString> keys;
    const int width = m_statement.KeyColumns();
    while (query.next()) {
        QVariantList found;
        for (int i = 0; i < width; ++i)
            found << query.value(i);
        keys.insert(CDaoKeyset::KeyText(found));
    }
    QVector<int> matches;
    for (int i = 0; i < m_keyset.Size(); ++i)
        if (m_keyset.IsLive(i) && keys.contains(CDaoKeyset::KeyText(m_keyset.Keys(i))))
            matches.append(i);
    return matches;
}

QVector<int> CDaoFinder::MatchingValues(const QString& criteria, const QVariantList& values) const
{
    QSqlQuery query(m_database.Connection());
    Prepare(query, CDaoStatement::ValuesMatching(m_keyset.Columns(), criteria), criteria);
    QVector<int> matches;
    for (int i = 0; i < m_keyset.Size(); ++i) {
        if (!m_keyset.IsLive(i))
            continue;
        CDaoDatabase::Run(query, m_keyset.Values(i) + values);
        if (query.next())
            matches.append(i);
        query.finish();
    }
    return matches;
}
