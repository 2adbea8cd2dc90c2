#pragma once

#include "desktop/shell/controls/CGridCore.h"
#include "desktop/shell/controls/CGridEditBox.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <QVector>

#include <functional>

class QComboBox;

// The program's spreadsheet-like grid. The rules live in CGridCore (whose
// operations this class inherits: SetColumn, AddRow, SetCellText,
// SetCurCell, ...); this widget paints the cells, turns mouse, key and
// scroll-bar input into the core's actions and shows the in-cell editor and
// the drop-down lists.
//
// Notifications are signals named after the grid's messages. They are
// emitted synchronously while the grid waits, so connect them with a direct
// connection (the default within one thread) and answer through the
// pointer arguments, which live only during the call:
//   UM_GRID_CELL_LEAVE: set *result non-zero to veto the move; the handler
//     may also write into info->fromCol the column to stay in.
//   UM_GRID_LINE_UP ... UM_GRID_THUMB: in paging mode set *result to the new
//     scroll position, or leave it 0 for no change.
class CGridCtrl : public QAbstractScrollArea, public CGridCore
{
    Q_OBJECT
public:
    explicit CGridCtrl(QWidget* parent = nullptr);
    ~CGridCtrl() override;

    // The column's drop-down list (kind-4 columns only, else nullptr). Its
    // entries follow the grid's: add them with AddComboItem.
    QComboBox* GetColumnCombo(int col);
    // The open editor's window, or nullptr.
    CGridEditBox* GetEditBox() const { return m_editBox; }

    // Answers the five paging signals through one function of the message
    // and the thumb's position, for as long as context lives.
    void ConnectPaging(QObject* context, const std::function<int(PagingMessage message, int position)>& answer);

signals:
    void UM_GRID_CELL_LEAVE(GridNotifyInfo* info, int* result);
    void UM_GRID_CELL_ENTER(GridNotifyInfo* info);
    void UM_GRID_CELL_DBLCLK(GridNotifyInfo* info);
    void UM_GRID_LINE_UP(int* result);
    void UM_GRID_LINE_DOWN(int* result);
    void UM_GRID_PAGE_UP(int* result);
    void UM_GRID_PAGE_DOWN(int* result);
    void UM_GRID_THUMB(int position, int* result);

protected:
    int OnCellLeave(GridNotifyInfo& info) override;
    void OnCellEnter(GridNotifyInfo& info) override;
    void OnCellDblClk(GridNotifyInfo& info) override;
    int OnPaging(PagingMessage message, int position) override;
    void EditorShown(int row, int col) override;
    void EditorHidden() override;
    void ComboShown(int row, int col) override;
    void ComboHidden(int col) override;
    void CellChanged(int row, int col) override;
    void GridChanged() override;
    void ScrollBarsChanged() override;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void OnVerticalAction(int action);
    void OnVerticalReleased();
    void OnHorizontalAction(int action);
    void SyncBar(class QScrollBar* bar, const ScrollBar& state, bool pages, bool horizontal);
    void PaintCell(class QPainter& painter, int row, int col);
    void PaintRange(QPainter& painter, int firstRow, int lastRow, int firstCol, int lastCol,
                    const QRect& clip);

    QPointer<CGridEditBox> m_editBox;
    QVector<QComboBox*> m_comboBoxes;
    bool m_bSyncing = false;
};
