#pragma once

#include "desktop/shell/controls/CRecordPager.h"
#include "desktop/shell/controls/GridNotifyInfo.h"

#include <QString>
#include <QStringList>
#include <QVector>

class CDaoRecordset;
class CGridCore;

// What tells the three selection pickers apart.
struct PickerLayout
{
    enum Tree { NoTree, SectionTree, CategoryTree };

    int rowsPerPage = 7;
    QVector<int> columnWidths;   // column 0 the tick box, the others text
    QString header;              // the header row, fields ended by TAB
    QStringList views;           // the "Visualizza" entries; empty: no choice
    Tree tree = NoTree;
    QString allText;             // the tree's root and the edit's first text

    static PickerLayout Articoli();
    static PickerLayout Banner();
    static PickerLayout Prodotti();
};

// The rules of a selection picker without its window: the grid's columns
// and header, paging through the record set, the tree filter and the
// "Visualizza" choice. A picker for a purpose derives and supplies the
// record set, the content of a row (AddRecordRow) and what a tick does
// (OnCellEnter).
class CSelPickerCore
{
public:
    CSelPickerCore(const PickerLayout& layout, CGridCore& grid);
    virtual ~CSelPickerCore();

    // Columns, header row and paging mode of the grid.
    void InitGrid();
    void SetRecordset(CDaoRecordset* recordset) { m_pager.SetRecordset(recordset); }
    void ShowFirstPage() { m_pager.FirstPage(); }
    CRecordPager& Pager() { return m_pager; }
    const PickerLayout& Layout() const { return m_layout; }
    CGridCore& Grid() { return m_grid; }

    // The tree's choice: 0 (the root) removes the filter.
    void ChooseTreeItem(qint32 id);
    bool IsFiltered() const { return m_bFiltered; }
    qint32 FilterID() const { return m_nFilterID; }
    // The "Visualizza" choice: the header of the text column follows it.
    void ChooseView(int index);
    int ViewIndex() const { return m_nView; }

    // Adds the record set's current record at index (-1 appends, 1 below
    // the header); the row's data must be the record's ID.
    virtual void AddRecordRow(int index);
    // The grid's current cell moved; a tick is read from column 0 of toRow.
    virtual void OnCellEnter(const GridNotifyInfo& info);

protected:
    // Applies the tree's filter to the record set and re-queries it.
    virtual void ApplyFilter(bool filtered, qint32 id);

private:
    PickerLayout m_layout;
    CGridCore& m_grid;
    CRecordPager m_pager;
    bool m_bFiltered = false;
    qint32 m_nFilterID = 0;
    int m_nView = 0;
};
