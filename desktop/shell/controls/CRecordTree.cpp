#include "desktop/shell/controls/CRecordTree.h"

#include "recordset/CCategorieGenSet.h"
#include "recordset/CCategorieLinSet.h"
#include "recordset/CSezioniLingueSet.h"
#include "recordset/CSezioniSet.h"

#include <QTreeWidget>

namespace {

// The name of a record in the editing language, else the default one.
template <typename TextSet>
QString NameOf(TextSet& texts, const QString& idColumn, qint32 id, const QString& language,
               const QString& defaultLanguage)
{
    const QString criteria = idColumn + QStringLiteral("=? AND CodiceLingua=?");
    if (texts.FindFirst(criteria, {id, language}) || texts.FindFirst(criteria, {id, defaultLanguage}))
        return texts.m_Nome;
    return QString();
}

// One level of a parent-keyed table and, recursively, the levels below.
template <typename Set, typename TextSet>
void FillLevel(CDaoDatabase& db, TextSet& texts, const QString& parentColumn, const QString& idColumn,
               qint32 parentId, QVector<TreeNode>& into, const QString& language, const QString& defaultLanguage)
{
    Set rows(&db);
    rows.m_strFilter = parentColumn + QStringLiteral("=?");
    rows.m_filterParams = {parentId};
    rows.m_strSort = QStringLiteral("Ordine");
    rows.Open();
    QVector<qint32> ids;
    for (; !rows.IsEOF(); rows.MoveNext())
        ids << rows.m_ID;
    rows.Close();
    for (qint32 id : ids) {
        if (id == parentId)
            continue;   // a row that is its own parent would never end
        TreeNode node{NameOf(texts, idColumn, id, language, defaultLanguage), id, {}};
        FillLevel<Set>(db, texts, parentColumn, idColumn, id, node.children, language, defaultLanguage);
        into << node;
    }
}

} // namespace

QVector<TreeNode> CRecordTree::Sections(CDaoDatabase& db, const QString& language, const QString& defaultLanguage)
{
    CSezioniLingueSet texts(&db);
    texts.Open();
    QVector<TreeNode> nodes{TreeNode{QStringLiteral("Tutte le sezioni"), 0, {}}};
    FillLevel<CSezioniSet>(db, texts, QStringLiteral("IDSezionePadre"), QStringLiteral("IDSezione"), 0, nodes,
                           language, defaultLanguage);
    return nodes;
}

QVector<TreeNode> CRecordTree::Categories(CDaoDatabase& db, const QString& language, const QString& defaultLanguage)
{
    CCategorieLinSet texts(&db);
    texts.Open();
    QVector<TreeNode> nodes{TreeNode{QStringLiteral("Tutte le categorie"), 0, {}}};
    FillLevel<CCategorieGenSet>(db, texts, QStringLiteral("IDCategoriaPadre"), QStringLiteral("IDCategoria"), 0,
                                nodes, language, defaultLanguage);
    return nodes;
}

QVector<TreeNode> CRecordTree::CategoryIds(CDaoDatabase& db, const QString& language,
                                           const QString& defaultLanguage)
{
    CCategorieGenSet categories(&db);
    categories.m_strSort = QStringLiteral("IDCategoriaPadre, ID");
    categories.Open();
    CCategorieLinSet texts(&db);
    texts.Open();
    QVector<TreeNode> nodes;
    for (; !categories.IsEOF(); categories.MoveNext()) {
        const qint32 id = categories.m_ID;
        const qint32 parentId = categories.m_IDCategoriaPadre;
        TreeNode node{QStringLiteral("[%1] - %2")
                          .arg(id)
                          .arg(NameOf(texts, QStringLiteral("IDCategoria"), id, language, defaultLanguage)),
                      id, {}};
        TreeNode* parent = parentId >= 1 ? Find(nodes, parentId) : nullptr;
        (parent ? parent->children : nodes) << node;
    }
    return nodes;
}

void CRecordTree::Fill(QTreeWidget* tree, const QVector<TreeNode>& nodes, QTreeWidgetItem* parent)
{
    for (const TreeNode& node : nodes) {
        auto* item = new QTreeWidgetItem(QStringList{node.text});
        item->setData(0, Qt::UserRole, node.id);
        if (parent)
            parent->addChild(item);
        else
            tree->addTopLevelItem(item);
        Fill(tree, node.children, item);
    }
}

TreeNode* CRecordTree::Find(QVector<TreeNode>& nodes, qint32 id)
{
    for (TreeNode& node : nodes) {
        if (node.id == id)
            return &node;
        if (TreeNode* found = Find(node.children, id))
            return found;
    }
    return nullptr;
}
