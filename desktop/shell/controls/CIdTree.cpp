#include "desktop/shell/controls/CIdTree.h"

void CIdTree::Clear(const QString& rootName)
{
    m_nodes = {Node{0, rootName, -1, {}}};
    m_index = {{0, 0}};
}

int CIdTree::Add(qint32 id, const QString& name)
{
    m_nodes.append(Node{id, name, -1, {}});
    const int index = m_nodes.size() - 1;
    m_index.insert(id, index);
    return index;
}

void CIdTree::Link(int index, int parentIndex)
{
    m_nodes[index].nParent = parentIndex;
    m_nodes[parentIndex].children.append(index);
}

QVector<qint32> CIdTree::SubtreeBottomUp(qint32 id) const
{
    QVector<qint32> ids;
    const int index = IndexOf(id);
    if (index >= 0)
        CollectBottomUp(index, ids);
    return ids;
}

void CIdTree::CollectBottomUp(int index, QVector<qint32>& ids) const
{
    for (int child : m_nodes.at(index).children)
        CollectBottomUp(child, ids);
    ids.append(m_nodes.at(index).nId);
}

bool CIdTree::IsInSubtree(qint32 id, qint32 top) const
{
    for (int index = IndexOf(id); index >= 0; index = m_nodes.at(index).nParent)
        if (m_nodes.at(index).nId == top)
            return true;
    return false;
}

qint32 CIdTree::Sister(qint32 id, int direction) const
{
    const int index = IndexOf(id);
    if (index <= 0)
        return 0;
    const QVector<int>& sisters = m_nodes.at(m_nodes.at(index).nParent).children;
    const int at = sisters.indexOf(index) + direction;
    return at >= 0 && at < sisters.size() ? m_nodes.at(sisters.at(at)).nId : 0;
}

bool CIdTree::CanDrop(qint32 source, qint32 target, bool move) const
{
    const int sourceIndex = IndexOf(source);
    if (source <= 0 || target <= 0 || sourceIndex <= 0 || IndexOf(target) <= 0 || IsInSubtree(target, source))
        return false;
    return !move || m_nodes.at(m_nodes.at(sourceIndex).nParent).nId != target;
}
