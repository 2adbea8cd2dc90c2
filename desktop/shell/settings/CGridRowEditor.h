#pragma once

#include "desktop/shell/controls/GridNotifyInfo.h"

#include <QString>

class CGridCore;

// The rules every grid editor view shares (languages, currencies and the
// grid views after them): one row is edited at a time and is saved when
// the cursor leaves it, at most one new row waits to be stored, "add" and
// "delete" act on the grid, and the frame's close asks the pending row to
// save. A view derives, says which cells are required and how a row is
// stored, compared and deleted; the grid may be the widget (CGridCtrl) or,
// in tests, a plain CGridCore.
class CGridRowEditor
{
public:
    explicit CGridRowEditor(CGridCore& grid);
    virtual ~CGridRowEditor();

    CGridCore& Grid() { return m_grid; }
    int CurRow() const { return m_nCurRow; }
    int CurCol() const { return m_nCurCol; }
    bool IsNewRowPending() const { return m_bNewRowPending; }
    // The column the cursor goes back to after a failed save.
    int FailedCol() const { return m_nFailedCol; }
    bool CanDelete() const { return m_nCurRow > 0; }

    // The grid's notifications.
    // A view with rules inside a row (a type cell that changes its
    // neighbours) adds them and calls these.
    virtual void OnCellEnter(const GridNotifyInfo& info);
    // 0 allows the move; -1 refuses it, with info.fromCol the cell to stay in.
    virtual int OnCellLeave(GridNotifyInfo& info);

    // "Add": saves a pending or changed row first; false (with the failing
    // cell made current) when that fails.
    bool AddRow();
    // "Delete" with its questions; true when a row went.
    bool DeleteRow();

    // The grid was emptied under a new row that was not saved (another
    // record shown): nothing waits any more, and no row is current.
    void ForgetRows();

    // The frame's close (CCloseProtocol) and the leave step.
    bool SaveNewRow();
    bool IsRowModified();
    bool SaveRow();

protected:
    // The column that must be filled first, or -1 when every required
    // cell of row is filled.
    virtual int MissingCell(int row) = 0;
    // A filled cell whose content cannot be stored, checked after the
    // required ones: its column with the text to show, or -1.
    virtual int RefusedCell(int row, QString& text);
    // Stores the pending row (item data -1); returns its new ID, or 0 after
    // a refusal already told (setting FailedCol).
    virtual qint32 InsertRow(int row) = 0;
    // Finds row's record and compares; the recordset stays on it.
    virtual bool RowDiffers(int row) = 0;
    virtual void UpdateRow(int row) = 0;
    // Deletes the stored record of ID id (> 0); false leaves it.
    virtual bool DeleteRecord(qint32 id) = 0;
    // A refusal of its own before the question (the euro); false stops.
    virtual bool AllowDelete(qint32 id);
    // The caption of the delete questions, e.g. "Cancellazione lingua".
    virtual QString DeleteCaption() const = 0;
    // The column a new row starts in.
    virtual int FirstEditColumn() const = 0;
    // Fills a new empty row's cells (drop-down defaults).
    virtual void PrepareNewRow(int row);

    void Refuse(int col, const QString& text);

private:
    bool RequiredCells(int row);

    CGridCore& m_grid;
    int m_nCurRow = -1;
    int m_nCurCol = -1;
    bool m_bNewRowPending = false;
    int m_nFailedCol = -1;
};
