#include "desktop/shell/controls/CCellMatrixCore.h"

#include <algorithm>

void CCellMatrixCore::SetCells(const QString& text, int selStart, int selEnd)
{
    m_texts = text.split(QLatin1Char('|'));
    m_texts.removeLast();   // what follows the last "|" (or the whole text without one)
    m_nAnchor = -1;
    if (text.isEmpty()) {
        m_nSelStart = m_nSelEnd = -1;
    } else if (selStart >= 0) {
        m_nSelStart = selStart;
        m_nSelEnd = selEnd;
    } else {
        m_nSelStart = 0;
        m_nSelEnd = int(m_texts.size()) - 1;
    }
}

// Grid lines are drawn every cell while they lie inside the client area;
// their count is the number of rows (columns).
int CCellMatrixCore::Columns() const
{
    if (m_cell.width() <= 0 || m_client.width() <= 0)
        return 0;
    return (m_client.width() - 1) / m_cell.width() + 1;
}

int CCellMatrixCore::Rows() const
{
    if (m_cell.height() <= 0 || m_client.height() <= 0)
        return 0;
    return (m_client.height() - 1) / m_cell.height() + 1;
}

QRect CCellMatrixCore::CellRect(int index) const
{
    const int columns = Columns();
    if (index < 0 || index >= m_texts.size() || columns == 0 || index >= columns * Rows())
        return QRect();
    return QRect(QPoint((index % columns) * m_cell.width(), (index / columns) * m_cell.height()), m_cell);
}

int CCellMatrixCore::HitTest(const QPoint& point) const
{
    const int columns = Columns();
    if (columns == 0 || point.x() < 0 || point.y() < 0 || point.x() >= m_client.width()
        || point.y() >= m_client.height())
        return -1;
    const int index = (point.y() / m_cell.height()) * columns + point.x() / m_cell.width();
    return index < m_texts.size() ? index : -1;
}

bool CCellMatrixCore::ButtonDown(const QPoint& point)
{
    const int index = HitTest(point);
    if (index < 0)
        return false;
    m_nSelStart = m_nSelEnd = m_nAnchor = index;
    m_bTracking = true;
    return true;
}

bool CCellMatrixCore::MouseMove(const QPoint& point)
{
    if (!m_bTracking)
        return false;
    const int index = HitTest(point);
    if (index < 0)
        return false;
    m_nSelStart = std::min(m_nAnchor, index);
    m_nSelEnd = std::max(m_nAnchor, index);
    return true;
}

bool CCellMatrixCore::ButtonUp()
{
    m_bTracking = false;
    return true;
}
