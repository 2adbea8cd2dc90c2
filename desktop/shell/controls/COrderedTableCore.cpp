#include "desktop/shell/controls/COrderedTableCore.h"

#include "platform/dao/CDaoException.h"

COrderedTableCore::COrderedTableCore(CDaoDatabase& database, CGridCore& grid) : m_db(database), m_grid(grid)
{
}

COrderedTableCore::~COrderedTableCore() = default;

void COrderedTableCore::SetLanguages(const QString& current, const QString& fallback)
{
    m_strCurrent = current;
    m_strDefault = fallback;
}

void COrderedTableCore::Start()
{
    m_grid.SetColumnCount(6);
    m_grid.SetColumn(0, 70, GridCell::TextKind);
    m_grid.SetColumn(1, 228, GridCell::TextKind);
    SetColumns();
    m_grid.SetVirtualMode(true, kRowsPerPage);
    Load();
    ShowPage(0);
}

void COrderedTableCore::ChooseGroup(qint32 id)
{
    m_nGroup = id;
    Load();
    ShowPage(0);
}

void COrderedTableCore::Load()
{
    m_entries = LoadEntries(m_nGroup);
    m_grid.SetVirtualPos(1);
    m_grid.SetVirtualCount(m_entries.size());
}

void COrderedTableCore::ShowPage(int first)
{
    m_nFirst = qMax(0, qMin(first, static_cast<int>(m_entries.size()) - kRowsPerPage));
    m_grid.SetCurCell(-1, -1);
    m_nCurRow = m_nCurCol = -1;
    m_grid.DeleteAllRows();   // the header row stays
    if (m_grid.GetRowCount() == 0) {
        m_grid.AddRow(HeaderRow());
        m_grid.SetFixedFirstRow(true);
        for (int col = 0; col < 6; ++col)
            m_grid.SetCellAlign(0, col, GridCell::Centre);
    }
    m_grid.SetCellText(0, 1, ShownTextNames().at(m_nText));
    m_shown = {QStringList()};
    const int last = qMin(static_cast<int>(m_entries.size()), m_nFirst + kRowsPerPage);
    for (int i = m_nFirst; i < last; ++i)
        AddGridRow(m_entries.at(i));
}

void COrderedTableCore::AddGridRow(const Entry& entry)
{
    const int row = m_grid.AddRow(QStringLiteral("\t\t\t\t\t\t"));
    m_grid.SetCellText(row, 0, entry.code);
    FillRow(row, entry);
    m_grid.SetRowData(row, entry.id);
    m_shown.append(RowState(row));
}

qint32 COrderedTableCore::EntryAt(int row) const
{
    const int index = m_nFirst + row - 1;
    return row >= 1 && index < m_entries.size() ? m_entries.at(index).id : 0;
}

int COrderedTableCore::EntryIndex() const
{
    return m_nCurRow >= 1 && m_nFirst + m_nCurRow - 1 < m_entries.size() ? m_nFirst + m_nCurRow - 1 : -1;
}

void COrderedTableCore::CellEnter(const GridNotifyInfo& info)
{
    m_nCurRow = info.toRow;
    m_nCurCol = info.toCol;
}

int COrderedTableCore::CellLeave(GridNotifyInfo& info)
{
    // Moving within the row writes nothing; the step toward (0, 0) before
    // a paging message is answered by the paging, which saves first.
    if (info.toRow <= 0 || info.toRow == info.fromRow)
        return 0;
    return SaveIfModified() ? 0 : 1;
}

bool COrderedTableCore::IsRowModified()
{
    if (m_nCurRow < 1 || m_nCurRow >= m_grid.GetRowCount() || m_nCurRow >= m_shown.size())
        return false;
    return RowState(m_nCurRow) != m_shown.at(m_nCurRow);
}

bool COrderedTableCore::SaveIfModified()
{
    return !IsRowModified() || SaveRow();
}

bool COrderedTableCore::SaveRow()
{
    m_strError.clear();
    if (m_nCurRow < 1 || m_nCurRow >= m_grid.GetRowCount())
        return true;
    try {
        WriteRow(m_nCurRow, m_grid.GetRowData(m_nCurRow));
    } catch (const CDaoException& e) {
        m_strError = e.GetErrorMessage();
        return false;
    }
    m_shown[m_nCurRow] = RowState(m_nCurRow);
    return true;
}

int COrderedTableCore::Paging(CGridCore::PagingMessage message, int position)
{
    if (!SaveIfModified())
        return 0;
    const int first = CGridCore::PagedFirst(message, position, m_nFirst, kRowsPerPage, static_cast<int>(m_entries.size()));
    m_grid.SetCurCell(-1, -1);
    m_nCurRow = m_nCurCol = -1;
    if (first == m_nFirst)
        return 0;
    ShowPage(first);
    return first + 1;
}

bool COrderedTableCore::CanMoveUp() const
{
    return EntryIndex() > 0;
}

bool COrderedTableCore::CanMoveDown() const
{
    const int index = EntryIndex();
    return index >= 0 && index + 1 < m_entries.size();
}

// The cursor's record trades places with its neighbour in the list shown
// (the neighbour may be on the next or previous page, and the scroll bar
// follows the page); a typed row is saved first.
bool COrderedTableCore::Move(int direction)
{
    if (direction < 0 ? !CanMoveUp() : !CanMoveDown())
        return false;
    if (!SaveIfModified())
        return false;
    const int index = EntryIndex();
    const int other = index + direction;
    const int col = m_nCurCol;
    try {
        TradeOrder(m_entries.at(index), m_entries.at(other));
    } catch (const CDaoException& e) {
        m_strError = e.GetErrorMessage();
        return false;
    }
    std::swap(m_entries[index].order, m_entries[other].order);
    m_entries.swapItemsAt(index, other);
    int first = m_nFirst;
    if (other < first)
        first = other;
    else if (other >= first + kRowsPerPage)
        first = other - kRowsPerPage + 1;
    if (first != m_nFirst)
        m_grid.SetVirtualPos(first + 1);
    ShowPage(first);
    m_nCurRow = other - m_nFirst + 1;
    m_nCurCol = col;
    m_grid.SetCurCell(m_nCurRow, m_nCurCol);
    return true;
}
