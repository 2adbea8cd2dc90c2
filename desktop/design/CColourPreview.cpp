#include "desktop/design/CColourPreview.h"

#include <QMouseEvent>
#include <QPainter>

CColourPreview::CColourPreview(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setMinimumSize(200, 160);
}

void CColourPreview::SetImage(const QImage& shown)
{
    m_shown = shown;
    update();
}

void CColourPreview::SetPicking(bool picking)
{
    if (picking)
        setCursor(Qt::CrossCursor);
    else
        unsetCursor();
}

void CColourPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setClipRect(rect());
    if (!m_shown.isNull())
        painter.drawImage(QPoint(0, 0), m_shown);
}

void CColourPreview::mouseMoveEvent(QMouseEvent* event)
{
    emit Hovered(event->position().toPoint());
}

void CColourPreview::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit Released(event->position().toPoint());
}
