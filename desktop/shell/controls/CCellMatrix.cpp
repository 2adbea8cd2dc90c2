#include "desktop/shell/controls/CCellMatrix.h"

#include <QMouseEvent>
#include <QPainter>

CCellMatrix::CCellMatrix(QWidget* parent) : QWidget(parent)
{
    m_boldFont = font();
    m_boldFont.setBold(true);
    const QFontMetrics metrics(font());
    m_core.SetCellSize(QSize(metrics.averageCharWidth() * 5, metrics.height() * 3 / 2));
    m_core.SetClientSize(size());
    setMouseTracking(false);
}

void CCellMatrix::SetCells(const QString& text, int selStart, int selEnd)
{
    m_core.SetCells(text, selStart, selEnd);
    update();
}

void CCellMatrix::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QColor(0xC0, 0xC0, 0xC0));
    const QSize cell = m_core.CellSize();
    for (int y = 0; y < height(); y += cell.height())
        painter.drawLine(0, y, width(), y);
    for (int x = 0; x < width(); x += cell.width())
        painter.drawLine(x, 0, x, height());
    for (int i = 0; i < m_core.Texts().size(); ++i) {
        const QRect box = m_core.CellRect(i);
        if (box.isEmpty())
            break;
        const bool selected = m_core.IsSelected(i);
        if (selected)
            painter.fillRect(box, QColor(0, 0, 127));
        painter.setPen(selected ? Qt::white : Qt::black);
        painter.setFont(selected ? m_boldFont : font());
        painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, m_core.Texts().at(i));
    }
}

void CCellMatrix::resizeEvent(QResizeEvent* event)
{
    m_core.SetClientSize(size());
    QWidget::resizeEvent(event);
}

void CCellMatrix::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_core.ButtonDown(event->position().toPoint()))
        update();
}

void CCellMatrix::mouseMoveEvent(QMouseEvent* event)
{
    if (m_core.MouseMove(event->position().toPoint()))
        update();
}

void CCellMatrix::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_core.IsTracking())
        return;
    m_core.ButtonUp();
    emit UM_CELLS_SELECTED();
}
