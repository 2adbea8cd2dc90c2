#pragma once

#include "desktop/shell/controls/CGridEdit.h"
#include "desktop/shell/controls/GridNotifyInfo.h"
#include "desktop/shell/controls/GridRow.h"

#include <QDateTime>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QVector>

#include <functional>

// Everything the grid knows and decides, without a window: rows, columns
// and cells, the current cell with its leave and enter steps, the in-cell
// editor's state, drop-down lists, scrolling, paging and the notifications.
// CGridCtrl puts it on screen; tests drive it directly.
//
// Notifications reach the parent through the virtual On... hooks, which are
// called synchronously, so a leave can be vetoed by its return value and a
// paging request answered with the new scroll position. The widget turns
// them into signals; a test derives and overrides them.
class CGridCore
{
public:
    enum ScrollAction { LineUp, LineDown, PageUp, PageDown, ThumbPosition, ThumbTrack, EndScroll };
    enum PagingMessage { MsgLineUp, MsgLineDown, MsgPageUp, MsgPageDown, MsgThumb };

    struct ScrollBar
    {
        int min = 0;
        int max = 0;
        int page = 0;
        int pos = 0;
        bool visible = false;
    };

    static constexpr int kCheckBoxSize = 13;

    // Where a virtual grid's page starts after a paging message: first is
    // the index (from 0) of the item in row 1 now, count the items; the
    // answer stays where a full page still shows.
    static int PagedFirst(PagingMessage message, int position, int first, int rowsPerPage, int count);
    static const QColor kBackground;

    CGridCore();
    virtual ~CGridCore();
    CGridCore(const CGridCore&) = delete;
    CGridCore& operator=(const CGridCore&) = delete;

    // Rows and columns.
    void SetColumnCount(int count);
    int GetColumnCount() const { return m_nCols; }
    void SetColumn(int col, int width, quint8 kind, const QString& text = QString(),
                   quint8 alignment = 0, quint8 format = 0, qint32 widthChars = 0,
                   qint32 decimals = 0);
    int GetColumnWidth(int col) const;
    const GridCell* GetColumnTemplate(int col) const;
    // Cell texts come as fields each ENDED by a TAB; -1 appends.
    int AddRow(const QString& text, int index = -1);
    void DeleteRow(int row);
    void DeleteAllRows();
    int CopyRow(int to, int from);
    void SetFixedFirstRow(bool on);
    void SetFixedFirstColumn(bool on);
    bool GetFixedFirstRow() const { return m_bFixedRow; }
    bool GetFixedFirstColumn() const { return m_bFixedCol; }
    int GetRowCount() const { return m_rows.size(); }
    int GetCurRow() const { return m_nCurRow; }
    int GetCurCol() const { return m_nCurCol; }
    qint32 GetRowData(int row) const;
    void SetRowData(int row, qint32 value);

    // Cells.
    void SetCellText(int row, int col, const QString& text);
    QString GetCellText(int row, int col);
    void SetCellInt(int row, int col, qint64 value);
    void SetCellFloat(int row, int col, float value);
    void SetCellDouble(int row, int col, double value);
    void SetCellDate(int row, int col, int year, int month, int day);
    void SetCellDate(int row, int col, const QDateTime& value);
    qint32 GetCellInt(int row, int col);
    qint64 GetCellLong(int row, int col);
    float GetCellFloat(int row, int col);
    double GetCellDouble(int row, int col);
    QDateTime GetCellDate(int row, int col);
    void SetCellCheck(int row, int col, int state);
    int GetCellCheck(int row, int col) const;
    void SetCellData(int row, int col, qint32 value);
    qint32 GetCellData(int row, int col);
    void SetCellKind(int row, int col, quint8 kind);
    void SetCellAlign(int row, int col, quint8 alignment);
    void SetCellFormat(int row, int col, quint8 format, qint32 widthChars, qint32 decimals);
    void SetCellTextColor(int row, int col, const QColor& color);
    void SetRowTextColor(int row, const QColor& color);
    void SetColumnBkColor(int col, const QColor& color);
    const GridCell* GetCell(int row, int col) const;

    // Drop-down lists of kind-4 columns.
    int AddComboItem(int col, const QString& text, qint32 data);
    bool HasCombo(int col) const;
    QStringList GetComboTexts(int col) const;
    int GetComboSel(int col) const;
    // The list's choice while it is open over the current cell.
    void SetComboSel(int col, int index);
    bool IsComboOpen() const { return m_nComboCol >= 0; }

    // Moves the current cell from code; sends no notification. (-1, -1)
    // leaves no current cell.
    void SetCurCell(int row, int col);
    bool IsEditing() const { return m_edit.IsWindowOpen(); }
    // The editor; while a cell is edited its window text is what was typed.
    CGridEdit& Editor() { return m_edit; }

    // Paging.
    void SetVirtualMode(bool on, int rowsPerPage);
    void SetVirtualPos(int value);
    void SetVirtualCount(int count);
    void SetBusy(bool busy);
    bool IsVirtualMode() const { return m_bVirtual; }
    bool IsBusy() const { return m_bBusy; }

    // What the user does, as the widget reports it.
    void Click(const QPoint& point);
    void DoubleClick();
    void SpaceKeyUp();
    void VScroll(ScrollAction action, int position = 0);
    void HScroll(ScrollAction action, int position = 0);

    // Geometry, in client pixels.
    void SetClientSize(const QSize& size);
    QSize GetClientSize() const { return m_client; }
    void SetDefaultSizes(int rowHeight, int columnWidth);
    QRect CellRect(int row, int col) const;
    bool HitTest(const QPoint& point, int& row, int& col) const;
    QRect CheckBoxRect(int row, int col) const;
    int GetHOffset() const { return m_nHOffset; }
    int GetVOffset() const { return m_nVOffset; }
    const ScrollBar& GetHBar() const { return m_hBar; }
    const ScrollBar& GetVBar() const { return m_vBar; }
    QColor GetGridLineColor() const { return m_gridLineColor; }
    bool GetDrawCurrentCell() const { return m_bDrawCurrent; }

protected:
    // Parent notifications; a non-zero result of OnCellLeave vetoes the move.
    virtual int OnCellLeave(GridNotifyInfo& info);
    virtual void OnCellEnter(GridNotifyInfo& info);
    virtual void OnCellDblClk(GridNotifyInfo& info);
    // Returns the new scroll position in paging mode, 0 for no change.
    virtual int OnPaging(PagingMessage message, int position);

    // The screen: the widget follows the state through these.
    virtual void EditorShown(int row, int col);
    virtual void EditorHidden();
    virtual void ComboShown(int row, int col);
    virtual void ComboHidden(int col);
    virtual void CellChanged(int row, int col);
    virtual void GridChanged();
    virtual void ScrollBarsChanged();

private:
    struct GridCombo
    {
        bool exists = false;
        QStringList texts;
        QVector<qint32> data;
        int sel = -1;
    };

    bool IsCell(int row, int col) const;
    GridCell* Cell(int row, int col);
    bool LeaveStep(int toRow, int toCol, int* backCol);
    void EnterStep(int fromRow, int fromCol);
    void CommitEditor();
    void TakeEditorText();
    void OpenCombo(int row, int col);
    int FindComboEntry(int col, const QString& text) const;
    void ClearCurrentCell();
    void RecomputeScrollBars();
    void ScrollIntoView(int row, int col);
    bool Clamp(int& offset, int total, int page) const;
    int FixedWidth() const;
    int FixedHeight() const;
    int ContentWidth() const;
    int ContentHeight() const;
    int FirstVisibleRowHeight() const;
    int LastVisibleRowHeight() const;
    void SetCellKindAndColour(GridCell& cell, bool fixed);
    CGridEdit Formatter(const GridCell& cell) const;
    // Formats a value into a cell by its format, width and decimals.
    void FormatCell(int row, int col, const std::function<void(CGridEdit&)>& format);
    // A formatter holding the cell's current text, for reading it.
    CGridEdit CellFormatter(int row, int col);

    QVector<GridRow> m_rows;
    int m_nCols = 1;
    QVector<int> m_colWidths;
    QVector<GridCell> m_templates;
    QVector<GridCombo> m_combos;
    int m_nCurRow = -1;
    int m_nCurCol = -1;
    int m_nHOffset = 0;
    int m_nVOffset = 0;
    bool m_bFixedRow = false;
    bool m_bFixedCol = false;
    bool m_bNotify = false;
    bool m_bDrawCurrent = true;
    bool m_bKeepVBar = true;
    bool m_bKeepHBar = false;
    bool m_bVirtual = false;
    int m_nVirtualPos = 0;
    int m_nVirtualCount = 0;
    int m_nRowsPerPage = 0;
    bool m_bBusy = false;
    QColor m_gridLineColor = QColor(0xC0, 0xC0, 0xC0);
    int m_nDefRowHeight = 20;
    int m_nDefColWidth = 40;
    QSize m_client = QSize(400, 300);
    CGridEdit m_edit;
    int m_nComboCol = -1;
    ScrollBar m_hBar;
    ScrollBar m_vBar;
};
