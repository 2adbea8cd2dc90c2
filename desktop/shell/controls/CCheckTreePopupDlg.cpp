#include "desktop/shell/controls/CCheckTreePopupDlg.h"

#include "desktop/shell/controls/CCheckTreeCtrl.h"

#include <QMoveEvent>
#include <QVBoxLayout>

CCheckTreePopupDlg::CCheckTreePopupDlg(QWidget* owner) : QFrame(owner)
{
    setFrameShape(QFrame::Box);
    m_pTree = new CCheckTreeCtrl(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_pTree);
    connect(m_pTree, &CCheckTreeCtrl::UM_TREE_STATE_CLICK, this, &CCheckTreePopupDlg::UM_TREE_STATE_CLICK);
}

void CCheckTreePopupDlg::SetPosition(const QPoint& position)
{
    m_position = position;
    move(position);
}

void CCheckTreePopupDlg::moveEvent(QMoveEvent* event)
{
    QFrame::moveEvent(event);
    if (pos() != m_position)
        move(m_position);
}
