#pragma once

#include <QString>
#include <QVector>

class CDaoDatabase;
class QTreeWidget;
class QTreeWidgetItem;

// One item of a tree read from the database: its text, the record ID it
// stands for (0 for a root such as "Tutte le categorie") and its children.
struct TreeNode
{
    QString text;
    qint32 id = 0;
    QVector<TreeNode> children;
};

// The section and category trees the pickers and dialogs show, read from
// the database without a window; each name is taken in the editing
// language, or in the default language when that has none.
class CRecordTree
{
public:
    // "Tutte le sezioni" (ID 0) followed by the sections, children under
    // their parents, each level by "Ordine".
    static QVector<TreeNode> Sections(CDaoDatabase& db, const QString& language, const QString& defaultLanguage);
    // "Tutte le categorie" followed by the categories, as for sections.
    static QVector<TreeNode> Categories(CDaoDatabase& db, const QString& language, const QString& defaultLanguage);
    // Every category as "[ID] - name", read by parent and ID; a category
    // whose parent was not met before it stands at the top level.
    static QVector<TreeNode> CategoryIds(CDaoDatabase& db, const QString& language,
                                         const QString& defaultLanguage);

    // Puts nodes into a tree widget under parent (nullptr: top level); the
    // ID goes into Qt::UserRole. The tree is not emptied first.
    static void Fill(QTreeWidget* tree, const QVector<TreeNode>& nodes, QTreeWidgetItem* parent = nullptr);
    // The first node (pre-order) whose ID is id, or nullptr.
    static TreeNode* Find(QVector<TreeNode>& nodes, qint32 id);
};
