#include "desktop/catalogue/CCategoryDragTree.h"

#include <QDropEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QSet>
#include <QTreeWidgetItemIterator>

#include <functional>

CCategoryDragTree::CCategoryDragTree(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
}

qint32 CCategoryDragTree::IdOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, Qt::UserRole).toInt() : 0;
}

QTreeWidgetItem* CCategoryDragTree::ShowNodes(const CIdTree& tree, qint32 selectedId)
{
    QSet<qint32> expanded;
    for (QTreeWidgetItemIterator it(this); *it; ++it)
        if ((*it)->isExpanded())
            expanded.insert(IdOf(*it));
    clear();
    const QVector<CIdTree::Node>& nodes = tree.Nodes();
    QVector<QTreeWidgetItem*> items(nodes.size(), nullptr);
    QTreeWidgetItem* selected = nullptr;
    // Each node's items come after its parent's, whatever the node order.
    std::function<void(int)> add = [&](int index) {
        for (int child : nodes.at(index).children) {
            const CIdTree::Node& node = nodes.at(child);
            QTreeWidgetItem* parent = index > 0 ? items.at(index) : nullptr;
            auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
            item->setText(0, node.strName);
            item->setData(0, Qt::UserRole, node.nId);
            items[child] = item;
            if (node.nId == selectedId)
                selected = item;
            add(child);
        }
    };
    add(0);
    for (int i = 1; i < nodes.size(); ++i)
        if (items.at(i) && expanded.contains(nodes.at(i).nId))
            items.at(i)->setExpanded(true);
    return selected;
}

void CCategoryDragTree::mousePressEvent(QMouseEvent* event)
{
    QTreeWidgetItem* before = currentItem();
    QTreeWidgetItem* hit = itemAt(event->position().toPoint());
    QTreeWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    if (!hit)
        setCurrentItem(nullptr);
    emit ItemPressed(IdOf(hit), hit && hit == before);
}

// No drop onto the item itself, into its own subtree or onto its present
// parent.
bool CCategoryDragTree::Accepts(const QTreeWidgetItem* source, const QTreeWidgetItem* target) const
{
    if (!source || !target || source == target || source->parent() == target)
        return false;
    for (const QTreeWidgetItem* up = target; up; up = up->parent())
        if (up == source)
            return false;
    return true;
}

void CCategoryDragTree::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->source() != this || !Accepts(currentItem(), itemAt(event->position().toPoint()))) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void CCategoryDragTree::dropEvent(QDropEvent* event)
{
    QTreeWidgetItem* source = currentItem();
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    // The tree is rebuilt from the database: Qt must not move the item.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    if (!Accepts(source, target))
        return;
    const int command = ChooseCommand(mapToGlobal(event->position().toPoint()));
    if (command == kCopy || command == kMove)
        emit UM_TREE_DROP(IdOf(source), IdOf(target), command);
}

int CCategoryDragTree::ChooseCommand(const QPoint& globalPos) const
{
    if (m_chooseDropCommand)
        return m_chooseDropCommand(globalPos);
    QMenu menu;
    QAction* copy = menu.addAction(QStringLiteral("Copia"));
    QAction* move = menu.addAction(QStringLiteral("Sposta"));
    QAction* chosen = menu.exec(globalPos);
    return chosen == copy ? kCopy : chosen == move ? kMove : 0;
}
