#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>

// The cell matrix without a window: a list of short texts laid out row by
// row in equal cells over the client area, and a contiguous selection made
// with the mouse. CCellMatrix paints it and forwards the mouse.
class CCellMatrixCore
{
public:
    // Takes the texts, each ENDED by "|" (a tail without "|" is dropped).
    // With texts, selStart >= 0 selects selStart..selEnd, else every cell;
    // without texts nothing is selected.
    void SetCells(const QString& text, int selStart = -1, int selEnd = -1);
    const QStringList& Texts() const { return m_texts; }
    int GetSelStart() const { return m_nSelStart; }
    int GetSelEnd() const { return m_nSelEnd; }
    bool IsSelected(int index) const { return index >= m_nSelStart && index <= m_nSelEnd && m_nSelStart >= 0; }

    // Geometry: the cell size and the client size; rows and columns follow
    // from them (as many grid lines as fit).
    void SetCellSize(const QSize& size) { m_cell = size; }
    QSize CellSize() const { return m_cell; }
    void SetClientSize(const QSize& size) { m_client = size; }
    int Columns() const;
    int Rows() const;
    // The rectangle of text index, or an empty one when it is not visible.
    QRect CellRect(int index) const;
    // The index of the text under the point, -1 when none.
    int HitTest(const QPoint& point) const;

    // Mouse steps; each returns true when the view must repaint. ButtonUp
    // returns true when the parent is to be told (always, after a press).
    bool ButtonDown(const QPoint& point);
    bool MouseMove(const QPoint& point);
    bool ButtonUp();
    bool IsTracking() const { return m_bTracking; }

private:
    QStringList m_texts;
    int m_nSelStart = -1;
    int m_nSelEnd = -1;
    int m_nAnchor = -1;
    bool m_bTracking = false;
    QSize m_cell = QSize(40, 20);
    QSize m_client;
};
