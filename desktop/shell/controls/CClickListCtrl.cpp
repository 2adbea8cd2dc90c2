#include "desktop/shell/controls/CClickListCtrl.h"

#include <QMouseEvent>

CClickListCtrl::CClickListCtrl(QWidget* parent) : QListWidget(parent)
{
}

void CClickListCtrl::mousePressEvent(QMouseEvent* event)
{
    QListWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    emit UM_LIST_CLICK(index.isValid() ? index.row() : -1);
}
