#include "desktop/catalogue/CProdottiElenco.h"

#include "platform/dao/CDaoDatabase.h"
#include "platform/sql/CJetSql.h"

#include <QSqlQuery>

namespace {

// A Like pattern for the values that begin with text.
QString LikePrefix(const QString& text) { return CJetSql::LikeLiteral(text) + QLatin1Char('%'); }

} // namespace

void CProdottiElenco::LoadFiltered(qint32 base, const ProdottoForm& form, qint32 category)
{
    QString filter = QStringLiteral("IDProdottoBase=?");
    QVariantList values{base};
    const std::pair<const char*, int> flags[] = {
        {"Attivo", form.attivo}, {"Novita", form.novita}, {"Mailing", form.mailing}, {"Offerta", form.offerta}};
    for (const auto& [column, state] : flags) {
        if (state == ProdottoForm::Indeterminate)
            continue;
        filter += QStringLiteral(" AND %1=?").arg(QLatin1String(column));
        values << (state == ProdottoForm::Checked ? 1 : 0);
    }
    if (category > 0) {
        filter += QStringLiteral(" AND ID IN (SELECT IDProdotto FROM CategorieProdotti WHERE IDCategoria=?)");
        values << category;
    }
    const std::pair<const char*, QString> prefixes[] = {{"Codice", form.codice}, {"CodiceABarre", form.codiceABarre}};
    for (const auto& [column, prefix] : prefixes) {
        if (prefix.isEmpty())
            continue;
        filter += QStringLiteral(" AND %1 LIKE ?").arg(QLatin1String(column)) + QLatin1String(CJetSql::kLikeEscape);
        values << LikePrefix(prefix);
    }
    Load(filter, values);
}

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
