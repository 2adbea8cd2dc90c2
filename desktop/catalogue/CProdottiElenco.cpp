#include "desktop/catalogue/CProdottiElenco.h"

#include "platform/dao/CDaoDatabase.h"

#include <QSqlQuery>

void CProdottiElenco::Load(const QString& condition, const QVariantList& values)
{
    m_strCondition = condition;
    m_values = values;
    QSqlQuery query(m_db.Connection());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT ID FROM Prodotti WHERE ") + condition + QStringLiteral(" ORDER BY Ordine, ID"));
    for (const QVariant& value : values)
        query.addBindValue(value);
    CDaoDatabase::Exec(query, query.lastQuery());
    m_ids.clear();
    while (query.next())
        m_ids.append(query.value(0).toInt());
    m_nPos = m_ids.isEmpty() ? -1 : 0;
}

bool CProdottiElenco::Find(qint32 id)
{
    const int index = m_ids.indexOf(id);
    if (index < 0)
        return false;
    m_nPos = index;
    return true;
}

void CProdottiElenco::RemoveCurrent()
{
    if (m_nPos < 0)
        return;
    m_ids.remove(m_nPos);
    if (m_nPos >= m_ids.size())
        m_nPos = int(m_ids.size()) - 1;
}
