#pragma once

#include "desktop/shell/controls/CCellMatrixCore.h"

#include <QFont>
#include <QWidget>

// A matrix of equal cells showing short texts (a product's sizes, say) from
// which the user drags out a contiguous run. The rules are CCellMatrixCore;
// this widget paints and forwards the mouse, and tells its parent with
// UM_CELLS_SELECTED when the button is released.
class CCellMatrix : public QWidget
{
    Q_OBJECT
public:
    explicit CCellMatrix(QWidget* parent = nullptr);

    void SetCells(const QString& text, int selStart = -1, int selEnd = -1);
    int GetSelStart() const { return m_core.GetSelStart(); }
    int GetSelEnd() const { return m_core.GetSelEnd(); }
    const CCellMatrixCore& Core() const { return m_core; }

signals:
    void UM_CELLS_SELECTED();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CCellMatrixCore m_core;
    QFont m_boldFont;
};
