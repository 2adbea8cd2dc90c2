#include "desktop/shell/controls/CTreePopupDlg.h"

#include "desktop/shell/controls/CTreeRules.h"

#include <QEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

CTreePopupDlg::CTreePopupDlg(QWidget* owner) : QFrame(owner, Qt::Popup | Qt::FramelessWindowHint)
{
    setFrameShape(QFrame::Box);
    m_pTree = new QTreeWidget(this);
    m_pTree->setHeaderHidden(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_pTree);
    connect(m_pTree, &QTreeWidget::itemSelectionChanged, this, &CTreePopupDlg::OnSelectionChanged);
    m_pTree->installEventFilter(this);
    resize(260, 240);
}

void CTreePopupDlg::ShowOver(QWidget* control)
{
    move(control->mapToGlobal(QPoint(0, 0)));
    resize(qMax(control->width(), 200), qMax(control->height(), 200));
    show();
    m_pTree->setFocus();
}

void CTreePopupDlg::showEvent(QShowEvent* event)
{
    m_bIgnore = true;
    m_pTree->clearSelection();
    m_pTree->setCurrentItem(nullptr);
    m_bIgnore = false;
    QFrame::showEvent(event);
}

void CTreePopupDlg::OnSelectionChanged()
{
    if (m_bIgnore || !isVisible())
        return;
    const QList<QTreeWidgetItem*> selected = m_pTree->selectedItems();
    if (selected.isEmpty())
        return;
    m_nSelected = CTreeRules::ItemData(selected.first());
    m_strSelected = selected.first()->text(0);
    hide();
    emit UM_TREE_POPUP_SELECT();
}

bool CTreePopupDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pTree && event->type() == QEvent::FocusOut && isVisible()) {
        m_bIgnore = true;
        hide();
        m_bIgnore = false;
    }
    return QFrame::eventFilter(watched, event);
}
