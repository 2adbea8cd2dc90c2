#pragma once

#include <QHash>
#include <QString>
#include <QVector>

// A tree of records by ID, as the tree editors (categories, sections,
// topics) hold it without widgets: node 0 is the root (ID 0), every other
// node a record with its name, its parent and its children in order. The
// editors ask it the same questions: what lies under a record, which
// sister a record trades places with, and whether a drag may land.
class CIdTree
{
public:
    struct Node
    {
        qint32 nId = 0;
        QString strName;
        int nParent = -1;        // index of the parent node; -1 for the root
        QVector<int> children;   // indexes, in order
    };

    // Only the root, named rootName, stays.
    void Clear(const QString& rootName = QString());
    // A node for record id, not yet under any parent; answers its index.
    int Add(qint32 id, const QString& name);
    // Puts node index last among parentIndex's children.
    void Link(int index, int parentIndex);

    const QVector<Node>& Nodes() const { return m_nodes; }
    // The node of record id (0 the root), or -1.
    int IndexOf(qint32 id) const { return m_index.value(id, -1); }
    // id and every record under it, children before their parent.
    QVector<qint32> SubtreeBottomUp(qint32 id) const;
    bool IsInSubtree(qint32 id, qint32 top) const;

    // The record next to id among its sisters (direction -1 the one
    // before, +1 the one after); 0 when there is none.
    qint32 Sister(qint32 id, int direction) const;
    // Whether source may be moved (or copied) under target: neither is
    // the root, both are in the tree, target is not in source's branch,
    // and a move does not put source under the parent it has.
    bool CanDrop(qint32 source, qint32 target, bool move) const;

private:
    void CollectBottomUp(int index, QVector<qint32>& ids) const;

    QVector<Node> m_nodes{Node()};
    QHash<qint32, int> m_index{{0, 0}};
};
