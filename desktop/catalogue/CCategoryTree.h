#pragma once

#include <QHash>
#include <QString>
#include <QVector>

class CDaoDatabase;

// The categories as the catalogue's choosers show them: a root "Tutte le
// categorie" (ID 0), then each level from the top sorted by Ordine, every
// category named in the editing language or, when it has no name there,
// in the default language. Loaded once; the popup and tests read it.
class CCategoryTree
{
public:
    struct Node
    {
        qint32 nId = 0;
        QString strName;
        int nParent = -1;        // index of the parent node; -1 for the root
        QVector<int> children;   // indexes, in order
    };

    static QString AllCategoriesText() { return QStringLiteral("Tutte le categorie"); }

    void Load(CDaoDatabase& database, const QString& currentLanguage, const QString& defaultLanguage);

    // Node 0 is the root.
    const QVector<Node>& Nodes() const { return m_nodes; }
    // The name shown for category id ("Tutte le categorie" for 0); empty
    // when there is no such category.
    QString NameOf(qint32 id) const;
    // The node of category id (0 the root), or -1.
    int IndexOf(qint32 id) const { return m_index.value(id, -1); }
    // id and every category under it, children before their parent.
    QVector<qint32> SubtreeBottomUp(qint32 id) const;
    bool IsInSubtree(qint32 id, qint32 top) const;

private:
    void CollectBottomUp(int index, QVector<qint32>& ids) const;

    QVector<Node> m_nodes;
    QHash<qint32, int> m_index;
};
