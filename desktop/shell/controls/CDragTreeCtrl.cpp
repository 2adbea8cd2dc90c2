#include "desktop/shell/controls/CDragTreeCtrl.h"

#include "desktop/shell/controls/CTreeRules.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>

CDragTreeCtrl::CDragTreeCtrl(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    m_chooseCommand = [this](const QPoint& pos) { return ChooseFromMenu(pos); };
    m_beep = [] { QApplication::beep(); };
}

void CDragTreeCtrl::BeginDrag(QTreeWidgetItem* item)
{
    if (!item)
        return;
    m_pDragged = item;
    m_pDropTarget = nullptr;
    m_bDragging = true;
    viewport()->setCursor(Qt::DragMoveCursor);
    viewport()->grabMouse();
}

void CDragTreeCtrl::DragOver(QTreeWidgetItem* item)
{
    if (!m_bDragging || !item)
        return;
    SetDropHighlight(item);
    m_pDropTarget = item;
}

void CDragTreeCtrl::EndDrag(int command)
{
    if (!m_bDragging)
        return;
    if (command == TreeDropRecord::Copy || command == TreeDropRecord::Move) {
        if (!CTreeRules::CanDrop(m_pDragged, m_pDropTarget)) {
            m_beep();
        } else {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            TreeDropRecord record{m_pDragged, m_pDropTarget, command};
            emit UM_TREE_DROP(&record);
            QApplication::restoreOverrideCursor();
        }
    }
    viewport()->releaseMouse();
    viewport()->unsetCursor();
    m_bDragging = false;
    SetDropHighlight(nullptr);
    m_pDragged = m_pDropTarget = nullptr;
}

QTreeWidgetItem* CDragTreeCtrl::CopyBranch(QTreeWidgetItem* item, QTreeWidgetItem* newParent,
                                           QTreeWidgetItem* after)
{
    return CTreeRules::CopyBranch(item, newParent ? newParent : invisibleRootItem(), after);
}

void CDragTreeCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && !m_bDragging) {
        m_bRightPressed = true;
        m_pressPos = event->position().toPoint();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void CDragTreeCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (m_bRightPressed && !m_bDragging
        && (pos - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
        BeginDrag(itemAt(m_pressPos));
    }
    if (m_bDragging) {
        DragOver(itemAt(pos));
        return;
    }
    QTreeWidget::mouseMoveEvent(event);
}

void CDragTreeCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        m_bRightPressed = false;
        if (m_bDragging)
            EndDrag(m_chooseCommand(event->globalPosition().toPoint()));
        return;
    }
    QTreeWidget::mouseReleaseEvent(event);
}

int CDragTreeCtrl::ChooseFromMenu(const QPoint& globalPos)
{
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("Copia"));
    QAction* move = menu.addAction(QStringLiteral("Sposta"));
    menu.addSeparator();
    menu.addAction(QStringLiteral("Annulla"));
    QAction* chosen = menu.exec(globalPos);
    if (chosen == copy)
        return TreeDropRecord::Copy;
    if (chosen == move)
        return TreeDropRecord::Move;
    return TreeDropRecord::Cancel;
}

// The drop target shows as the selection does, without becoming it.
void CDragTreeCtrl::SetDropHighlight(QTreeWidgetItem* item)
{
    if (m_pDropTarget && m_pDropTarget != item)
        m_pDropTarget->setBackground(0, QBrush());
    if (item)
        item->setBackground(0, palette().highlight());
}
