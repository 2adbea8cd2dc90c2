#include "desktop/shell/settings/CGridRowEditor.h"

#include "desktop/shell/controls/CGridCore.h"
#include "desktop/shell/controls/CMessageBox.h"

CGridRowEditor::CGridRowEditor(CGridCore& grid) : m_grid(grid)
{
}

CGridRowEditor::~CGridRowEditor() = default;

void CGridRowEditor::PrepareNewRow(int)
{
}

void CGridRowEditor::OnCellEnter(const GridNotifyInfo& info)
{
    m_nCurRow = info.toRow;
    m_nCurCol = info.toCol;
}

int CGridRowEditor::OnCellLeave(GridNotifyInfo& info)
{
    if (info.fromRow == info.toRow)
        return 0;
    m_nCurRow = info.fromRow;
    if (m_bNewRowPending && !SaveNewRow()) {
        info.fromCol = m_nFailedCol;
        return -1;
    }
    if (IsRowModified() && !SaveRow()) {
        info.fromCol = m_nFailedCol;
        return -1;
    }
    return 0;
}

bool CGridRowEditor::AddRow()
{
    if (m_bNewRowPending && !SaveNewRow()) {
        m_grid.SetCurCell(m_nCurRow, m_nFailedCol);
        return false;
    }
    // The new row takes the cursor without a leave step, so a changed row
    // is saved here or its changes would go unnoticed.
    if (IsRowModified() && !SaveRow()) {
        m_grid.SetCurCell(m_nCurRow, m_nFailedCol);
        return false;
    }
    const int row = m_grid.AddRow(QString(m_grid.GetColumnCount(), QLatin1Char('\t')));
    m_grid.SetRowData(row, -1);
    PrepareNewRow(row);
    m_grid.SetCurCell(row, FirstEditColumn());
    m_nCurRow = row;
    m_nCurCol = FirstEditColumn();
    m_bNewRowPending = true;
    return true;
}

bool CGridRowEditor::DeleteRow()
{
    if (m_nCurRow < 1 || m_nCurRow >= m_grid.GetRowCount()) {
        CMessageBox::Show(nullptr, QStringLiteral("Selezionare la riga da cancellare."), DeleteCaption());
        return false;
    }
    const qint32 id = m_grid.GetRowData(m_nCurRow);
    if (!AllowDelete(id))
        return false;
    if (CMessageBox::Show(nullptr, QStringLiteral("Confermi ?"), DeleteCaption(), CMessageBox::Question,
                          QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return false;
    if (id > 0 && !DeleteRecord(id))
        return false;
    m_grid.SetCurCell(-1, -1);
    m_grid.DeleteRow(m_nCurRow);
    m_nCurRow = m_nCurCol = -1;
    m_bNewRowPending = false;
    return true;
}

void CGridRowEditor::ForgetRows()
{
    m_bNewRowPending = false;
    m_nCurRow = m_nCurCol = -1;
}

bool CGridRowEditor::AllowDelete(qint32)
{
    return true;
}

int CGridRowEditor::RefusedCell(int, QString&)
{
    return -1;
}

bool CGridRowEditor::RequiredCells(int row)
{
    const int missing = MissingCell(row);
    if (missing >= 0) {
        Refuse(missing, QStringLiteral("Campo obbligatorio!"));
        return false;
    }
    QString text;
    const int refused = RefusedCell(row, text);
    if (refused >= 0) {
        Refuse(refused, text);
        return false;
    }
    return true;
}

void CGridRowEditor::Refuse(int col, const QString& text)
{
    m_nFailedCol = col;
    CMessageBox::Show(nullptr, text, QStringLiteral("Validazione campi"), CMessageBox::Stop);
}

bool CGridRowEditor::SaveNewRow()
{
    if (!m_bNewRowPending)
        return true;
    const int row = m_grid.GetRowCount() - 1;   // a new row is always the last
    m_nCurRow = row;
    if (!RequiredCells(row))
        return false;
    const qint32 id = InsertRow(row);
    if (id <= 0)
        return false;
    m_grid.SetRowData(row, id);
    m_bNewRowPending = false;
    return true;
}

bool CGridRowEditor::IsRowModified()
{
    if (m_nCurRow < 1 || m_nCurRow >= m_grid.GetRowCount() || m_grid.GetRowData(m_nCurRow) <= 0)
        return false;
    return RowDiffers(m_nCurRow);
}

bool CGridRowEditor::SaveRow()
{
    if (!RequiredCells(m_nCurRow))
        return false;
    UpdateRow(m_nCurRow);
    return true;
}
