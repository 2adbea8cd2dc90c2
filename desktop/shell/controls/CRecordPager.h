#pragma once

#include <functional>

class CDaoRecordset;
class CGridCore;

// Shows a long record set in a paging grid a page at a time. Row 0 of the
// grid is its header; rows 1.. show consecutive records, each row's data
// being its record's ID, by which the shown records are found again. Each
// paging step answers the grid's paging message with the new scroll
// position (the record set's absolute position), 0 for no change.
class CRecordPager
{
public:
    // addRow(index) adds the record set's current record as a grid row at
    // index (-1 appends, 1 inserts below the header).
    CRecordPager(CGridCore& grid, int pageSize, std::function<void(int index)> addRow);

    void SetRecordset(CDaoRecordset* recordset) { m_pSet = recordset; }
    CDaoRecordset* Recordset() const { return m_pSet; }
    int PageSize() const { return m_nPageSize; }

    // Deletes every row but the header and shows the first page.
    void FirstPage();
    int LineUp();
    int LineDown();
    int PageUp();
    int PageDown();
    int Thumb(int position);

private:
    bool FindRow(int row);
    int FillForward();

    CGridCore& m_grid;
    int m_nPageSize;
    std::function<void(int)> m_addRow;
    CDaoRecordset* m_pSet = nullptr;
};
