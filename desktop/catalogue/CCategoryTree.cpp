#include "desktop/catalogue/CCategoryTree.h"

#include "recordset/CCategorieGenSet.h"
#include "recordset/CCategorieLinSet.h"

#include <QHash>
#include <QMultiHash>
#include <QSet>

namespace {

struct Category
{
    qint32 id;
    qint32 parent;
};

} // namespace

void CCategoryTree::Load(CDaoDatabase& database, const QString& currentLanguage, const QString& defaultLanguage)
{
    QHash<qint32, QString> current;
    QHash<qint32, QString> fallback;
    CCategorieLinSet names(&database);
    names.m_strFilter = QStringLiteral("CodiceLingua=? OR CodiceLingua=?");
    names.m_filterParams = {currentLanguage, defaultLanguage};
    names.Open();
    for (; !names.IsEOF(); names.MoveNext()) {
        QHash<qint32, QString>& into = names.m_CodiceLingua == currentLanguage ? current : fallback;
        if (!into.contains(names.m_IDCategoria))
            into.insert(names.m_IDCategoria, names.m_Nome);
    }
    names.Close();

    // Children by parent, each list in the order of Ordine.
    QHash<qint32, QVector<qint32>> children;
    CCategorieGenSet categories(&database);
    categories.m_strSort = QStringLiteral("Ordine, ID");
    categories.Open();
    for (; !categories.IsEOF(); categories.MoveNext())
        children[categories.m_IDCategoriaPadre].append(categories.m_ID);
    categories.Close();

    Clear(AllCategoriesText());
    // Breadth first from the root; a category met twice (a loop in the
    // parents) is shown once.
    QSet<qint32> seen{0};
    QVector<int> queue{0};
    for (int q = 0; q < queue.size(); ++q) {
        const int parentIndex = queue.at(q);
        const qint32 parentId = Nodes().at(parentIndex).nId;
        for (qint32 id : children.value(parentId)) {
            if (seen.contains(id))
                continue;
            seen.insert(id);
            const QString name = current.contains(id) ? current.value(id) : fallback.value(id);
            const int index = Add(id, name);
            Link(index, parentIndex);
            queue.append(index);
        }
    }
}

QString CCategoryTree::NameOf(qint32 id) const
{
    const int index = IndexOf(id);
    return index < 0 ? QString() : Nodes().at(index).strName;
}
