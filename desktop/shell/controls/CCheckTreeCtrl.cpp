#include "desktop/shell/controls/CCheckTreeCtrl.h"

#include <QMouseEvent>
#include <QStyleOptionViewItem>

CCheckTreeCtrl::CCheckTreeCtrl(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
}

QTreeWidgetItem* CCheckTreeCtrl::AddItem(QTreeWidgetItem* parent, const QString& text, int id, bool checked)
{
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, Qt::UserRole, id);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    if (parent)
        parent->addChild(item);
    else
        addTopLevelItem(item);
    return item;
}

QRect CCheckTreeCtrl::CheckBoxRect(QTreeWidgetItem* item) const
{
    const QModelIndex index = indexFromItem(item);
    if (!index.isValid())
        return QRect();
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    return style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this);
}

QTreeWidgetItem* CCheckTreeCtrl::CheckBoxAt(const QPoint& point) const
{
    QTreeWidgetItem* item = itemAt(point);
    if (!item || !item->data(0, Qt::CheckStateRole).isValid())
        return nullptr;
    return CheckBoxRect(item).contains(point) ? item : nullptr;
}

void CCheckTreeCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        if (QTreeWidgetItem* item = CheckBoxAt(event->position().toPoint()))
            emit UM_TREE_STATE_CLICK(item);
    QTreeWidget::mousePressEvent(event);
}
