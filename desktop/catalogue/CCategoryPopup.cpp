#include "desktop/catalogue/CCategoryPopup.h"

#include "desktop/catalogue/CCategoryTree.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

CCategoryPopup::CCategoryPopup(QWidget* parent) : QFrame(parent, Qt::Popup)
{
    setFrameShape(QFrame::Box);
    m_pTree = new QTreeWidget(this);
    m_pTree->setHeaderHidden(true);
    m_pTree->setColumnCount(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_pTree);
    resize(260, 300);
    connect(m_pTree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { OnActivated(item); });
    connect(m_pTree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { OnActivated(item); });
}

void CCategoryPopup::Fill(const CCategoryTree& tree)
{
    m_pTree->clear();
    const auto& nodes = tree.Nodes();
    QVector<QTreeWidgetItem*> items(nodes.size(), nullptr);
    for (int i = 0; i < nodes.size(); ++i) {
        const CCategoryTree::Node& node = nodes.at(i);
        QTreeWidgetItem* item = node.nParent < 0 ? new QTreeWidgetItem(m_pTree) : new QTreeWidgetItem(items.at(node.nParent));
        item->setText(0, node.strName);
        item->setData(0, Qt::UserRole, node.nId);
        items[i] = item;
    }
    if (!items.isEmpty())
        items.first()->setExpanded(true);
}

void CCategoryPopup::ShowBelow(QWidget* anchor)
{
    move(anchor->mapToGlobal(QPoint(0, anchor->height())));
    show();
    m_pTree->setFocus();
}

void CCategoryPopup::OnActivated(QTreeWidgetItem* item)
{
    if (!item)
        return;
    hide();
    emit UM_TREE_POPUP_SELECT(item->data(0, Qt::UserRole).toInt(), item->text(0));
}
