#include "desktop/shell/controls/CRecordPager.h"

#include "desktop/shell/controls/CGridCore.h"
#include "platform/dao/CDaoRecordset.h"

CRecordPager::CRecordPager(CGridCore& grid, int pageSize, std::function<void(int index)> addRow)
    : m_grid(grid), m_nPageSize(pageSize), m_addRow(std::move(addRow))
{
}

void CRecordPager::FirstPage()
{
    while (m_grid.GetRowCount() > 1)
        m_grid.DeleteRow(m_grid.GetRowCount() - 1);
    if (!m_pSet || !m_pSet->IsOpen() || (m_pSet->IsBOF() && m_pSet->IsEOF()))
        return;
    m_pSet->MoveLast();
    m_grid.SetVirtualCount(m_pSet->GetRecordCount());
    m_grid.SetVirtualPos(1);
    m_pSet->MoveFirst();
    for (int n = 0; n < m_nPageSize && !m_pSet->IsEOF(); ++n) {
        m_addRow(-1);
        m_pSet->MoveNext();
    }
}

// Puts the record set on the record shown in row.
bool CRecordPager::FindRow(int row)
{
    if (!m_pSet || row < 1 || row >= m_grid.GetRowCount())
        return false;
    return m_pSet->FindFirst(QStringLiteral("ID=?"), {m_grid.GetRowData(row)});
}

int CRecordPager::LineUp()
{
    if (!FindRow(1))
        return 0;
    m_pSet->MovePrev();
    if (m_pSet->IsBOF())
        return 0;
    m_addRow(1);
    m_grid.DeleteRow(m_grid.GetRowCount() - 1);
    return m_pSet->GetAbsolutePosition() + 1;
}

int CRecordPager::LineDown()
{
    if (!FindRow(m_grid.GetRowCount() - 1))
        return 0;
    m_pSet->MoveNext();
    if (m_pSet->IsEOF())
        return 0;
    m_addRow(-1);
    m_grid.DeleteRow(1);
    return m_pSet->GetAbsolutePosition() - (m_nPageSize - 1);
}

int CRecordPager::PageDown()
{
    if (!FindRow(m_grid.GetRowCount() - 1))
        return 0;
    m_pSet->MoveNext();
    if (m_pSet->IsEOF())
        return 0;
    return FillForward();
}

// Up to a page of records from the current one on, each pushing the top
// row out; the position of the last one shown.
int CRecordPager::FillForward()
{
    int position = 0;
    for (int n = 0; n < m_nPageSize && !m_pSet->IsEOF(); ++n) {
        position = m_pSet->GetAbsolutePosition();
        m_addRow(-1);
        m_grid.DeleteRow(1);
        m_pSet->MoveNext();
    }
    if (m_pSet->IsEOF())
        return m_pSet->GetRecordCount() - m_nPageSize;
    return position + 1 - (m_nPageSize - 1);
}

int CRecordPager::PageUp()
{
    if (!FindRow(1))
        return 0;
    m_pSet->MovePrev();
    if (m_pSet->IsBOF())
        return 0;
    for (int n = 0; n < m_nPageSize && !m_pSet->IsBOF(); ++n) {
        m_addRow(1);
        m_grid.DeleteRow(m_grid.GetRowCount() - 1);
        m_pSet->MovePrev();
    }
    if (m_pSet->IsBOF())
        return 1;
    return m_pSet->GetAbsolutePosition() + 1;
}

int CRecordPager::Thumb(int position)
{
    if (!m_pSet || !m_pSet->IsOpen() || (m_pSet->IsBOF() && m_pSet->IsEOF()))
        return 0;
    m_pSet->MoveFirst();
    m_pSet->Move(position - 1);
    if (m_pSet->IsEOF())
        return 0;
    return FillForward();
}
