#include "desktop/shell/controls/CTreeRules.h"

#include <QTreeWidgetItem>

bool CTreeRules::IsAncestor(const QTreeWidgetItem* item, const QTreeWidgetItem* candidate)
{
    if (!item)
        return false;
    for (const QTreeWidgetItem* up = candidate; up; up = up->parent())
        if (up == item)
            return true;
    return false;
}

bool CTreeRules::CanDrop(const QTreeWidgetItem* dragged, const QTreeWidgetItem* target)
{
    if (!dragged || !target)
        return false;
    return !IsAncestor(dragged, target) && dragged->parent() != target;
}

namespace {
QTreeWidgetItem* CopyItem(const QTreeWidgetItem* item)
{
    auto* copy = new QTreeWidgetItem;
    copy->setText(0, item->text(0));
    copy->setIcon(0, item->icon(0));
    copy->setData(0, Qt::UserRole, item->data(0, Qt::UserRole));
    copy->setFlags(item->flags());
    if (item->data(0, Qt::CheckStateRole).isValid())
        copy->setCheckState(0, item->checkState(0));
    return copy;
}

void CopyChildren(const QTreeWidgetItem* from, QTreeWidgetItem* to)
{
    for (int i = 0; i < from->childCount(); ++i) {
        QTreeWidgetItem* child = CopyItem(from->child(i));
        to->addChild(child);
        CopyChildren(from->child(i), child);
    }
}
}

QTreeWidgetItem* CTreeRules::CopyBranch(const QTreeWidgetItem* item, QTreeWidgetItem* newParent,
                                        QTreeWidgetItem* after)
{
    if (!item || !newParent)
        return nullptr;
    QTreeWidgetItem* copy = CopyItem(item);
    newParent->insertChild(after ? newParent->indexOfChild(after) + 1 : 0, copy);
    CopyChildren(item, copy);
    return copy;
}

int CTreeRules::ItemData(const QTreeWidgetItem* item)
{
    return item ? item->data(0, Qt::UserRole).toInt() : 0;
}
