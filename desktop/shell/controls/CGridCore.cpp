#include "desktop/shell/controls/CGridCore.h"

#include "desktop/shell/controls/CValueFormat.h"

const QColor CGridCore::kBackground = QColor(0x50, 0x50, 0x50);

CGridCore::CGridCore()
{
    m_colWidths.append(m_nDefColWidth);
    GridCell column;
    column.kind = GridCell::TextKind;
    m_templates.append(column);
    m_combos.append(GridCombo());
    RecomputeScrollBars();
}

CGridCore::~CGridCore() = default;

// ---- hooks: a grid without a parent accepts everything -------------------

int CGridCore::OnCellLeave(GridNotifyInfo&) { return 0; }
void CGridCore::OnCellEnter(GridNotifyInfo&) {}
void CGridCore::OnCellDblClk(GridNotifyInfo&) {}
int CGridCore::OnPaging(PagingMessage, int) { return 0; }
void CGridCore::EditorShown(int, int) {}
void CGridCore::EditorHidden() {}
void CGridCore::ComboShown(int, int) {}
void CGridCore::ComboHidden(int) {}
void CGridCore::CellChanged(int, int) {}
void CGridCore::GridChanged() {}
void CGridCore::ScrollBarsChanged() {}

// ---- rows and columns ------------------------------------------------------

void CGridCore::SetColumnCount(int count)
{
    count = qMax(0, count);
    if (m_nCurCol >= count)
        ClearCurrentCell();
    for (GridRow& row : m_rows)
        row.cells.resize(count);
    const int old = m_nCols;
    m_colWidths.resize(count);
    m_templates.resize(count);
    m_combos.resize(count);
    for (int col = old; col < count; ++col) {
        m_colWidths[col] = m_nDefColWidth;
        m_templates[col] = GridCell();
        m_templates[col].kind = GridCell::TextKind;
        m_combos[col] = GridCombo();
    }
    m_nCols = count;
    RecomputeScrollBars();
    GridChanged();
}

void CGridCore::SetColumn(int col, int width, quint8 kind, const QString& text, quint8 alignment,
                          quint8 format, qint32 widthChars, qint32 decimals)
{
    if (col < 0 || col >= m_nCols)
        return;
    if (width != -1)
        m_colWidths[col] = width;
    GridCell& column = m_templates[col];
    column.kind = kind;
    column.text = text;
    column.alignment = alignment;
    column.format = format;
    column.width = widthChars;
    column.decimals = decimals;
    m_combos[col] = GridCombo();
    m_combos[col].exists = kind == GridCell::Combo;
    RecomputeScrollBars();
    GridChanged();
}

int CGridCore::GetColumnWidth(int col) const
{
    return col >= 0 && col < m_nCols ? m_colWidths[col] : 0;
}

const GridCell* CGridCore::GetColumnTemplate(int col) const
{
    return col >= 0 && col < m_nCols ? &m_templates[col] : nullptr;
}

int CGridCore::AddRow(const QString& text, int index)
{
    CommitEditor();
    GridRow row;
    row.height = m_nDefRowHeight;
    QString rest = text;
    for (int col = 0; col < m_nCols; ++col) {
        const GridCell& column = m_templates[col];
        GridCell cell;
        cell.kind = column.kind;
        cell.alignment = column.alignment;
        cell.textColor = column.textColor;
        cell.bkColor = column.bkColor;
        cell.format = column.format;
        cell.width = column.width;
        cell.decimals = column.decimals;
        // A field counts only when a TAB ends it.
        const int tab = rest.indexOf(QLatin1Char('\t'));
        if (tab >= 0) {
            cell.text = rest.left(tab);
            rest = rest.mid(tab + 1);
        }
        row.cells.append(cell);
    }
    if (m_bFixedCol && m_nCols > 0)
        SetCellKindAndColour(row.cells[0], true);
    if (index < 0 || index >= m_rows.size())
        index = m_rows.size();
    m_rows.insert(index, row);
    RecomputeScrollBars();
    GridChanged();
    return index;
}

void CGridCore::DeleteRow(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    ClearCurrentCell();
    m_rows.removeAt(row);
    if (row == 0)
        m_bFixedRow = false;
    RecomputeScrollBars();
    GridChanged();
}

void CGridCore::DeleteAllRows()
{
    while (m_bFixedRow ? m_rows.size() > 1 : !m_rows.isEmpty())
        DeleteRow(m_bFixedRow ? 1 : 0);
}

int CGridCore::CopyRow(int to, int from)
{
    if (to < 0 || to >= m_rows.size() || from < 0 || from >= m_rows.size())
        return 0;
    CommitEditor();
    for (int col = 0; col < m_nCols; ++col) {
        const GridCell& source = m_rows[from].cells[col];
        GridCell& target = m_rows[to].cells[col];
        if (source.kind == GridCell::Check)
            target.check = source.check;
        else
            target.text = source.text;
    }
    m_rows[to].itemData = m_rows[from].itemData;
    GridChanged();
    return 1;
}

void CGridCore::SetCellKindAndColour(GridCell& cell, bool fixed)
{
    cell.kind = fixed ? GridCell::Fixed : GridCell::TextKind;
    cell.bkColor = fixed ? GridCell::ButtonFaceColor() : GridCell::WindowColor();
}

void CGridCore::SetFixedFirstRow(bool on)
{
    if (!m_rows.isEmpty())
        for (GridCell& cell : m_rows[0].cells)
            SetCellKindAndColour(cell, on);
    m_bFixedRow = on;
    RecomputeScrollBars();
    GridChanged();
}

void CGridCore::SetFixedFirstColumn(bool on)
{
    if (!m_rows.isEmpty() && m_nCols > 0) {
        for (GridRow& row : m_rows)
            SetCellKindAndColour(row.cells[0], on);
        SetCellKindAndColour(m_templates[0], on);
    }
    m_bFixedCol = on;
    RecomputeScrollBars();
    GridChanged();
}

qint32 CGridCore::GetRowData(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows[row].itemData : 0;
}

void CGridCore::SetRowData(int row, qint32 value)
{
    if (row >= 0 && row < m_rows.size())
        m_rows[row].itemData = value;
}

// ---- cells -----------------------------------------------------------------

bool CGridCore::IsCell(int row, int col) const
{
    return row >= 0 && row < m_rows.size() && col >= 0 && col < m_nCols;
}

GridCell* CGridCore::Cell(int row, int col)
{
    return IsCell(row, col) ? &m_rows[row].cells[col] : nullptr;
}

const GridCell* CGridCore::GetCell(int row, int col) const
{
    return IsCell(row, col) ? &m_rows[row].cells[col] : nullptr;
}

void CGridCore::SetCellText(int row, int col, const QString& text)
{
    CommitEditor();
    if (GridCell* cell = Cell(row, col)) {
        cell->text = text;
        CellChanged(row, col);
    }
}

// The current cell's text lives in its editor or list while it is open.
void CGridCore::TakeEditorText()
{
    GridCell* cell = Cell(m_nCurRow, m_nCurCol);
    if (!cell)
        return;
    if (m_edit.IsWindowOpen()) {
        cell->text = m_edit.PeekText();
    } else if (m_nComboCol >= 0) {
        const GridCombo& combo = m_combos[m_nComboCol];
        cell->text = combo.sel >= 0 ? combo.texts[combo.sel] : QString();
    }
}

QString CGridCore::GetCellText(int row, int col)
{
    if (row == m_nCurRow && col == m_nCurCol)
        TakeEditorText();
    const GridCell* cell = GetCell(row, col);
    return cell ? cell->text : QString();
}

CGridEdit CGridCore::Formatter(const GridCell& cell) const
{
    CGridEdit formatter;
    formatter.SetFormat(cell.format, cell.width, cell.decimals);
    formatter.SetText(cell.text);
    return formatter;
}

void CGridCore::FormatCell(int row, int col, const std::function<void(CGridEdit&)>& format)
{
    const GridCell* cell = GetCell(row, col);
    if (!cell)
        return;
    CGridEdit formatter = Formatter(*cell);
    format(formatter);
    SetCellText(row, col, formatter.GetStoredText());
}

CGridEdit CGridCore::CellFormatter(int row, int col)
{
    GetCellText(row, col); // takes in the text of an open editor
    const GridCell* cell = GetCell(row, col);
    return Formatter(cell ? *cell : GridCell());
}

void CGridCore::SetCellInt(int row, int col, qint64 value)
{
    FormatCell(row, col, [value](CGridEdit& formatter) { formatter.FormatInt(value); });
}

void CGridCore::SetCellFloat(int row, int col, float value)
{
    FormatCell(row, col, [value](CGridEdit& formatter) { formatter.FormatFloat(value); });
}

void CGridCore::SetCellDouble(int row, int col, double value)
{
    FormatCell(row, col, [value](CGridEdit& formatter) { formatter.FormatDouble(value); });
}

void CGridCore::SetCellDate(int row, int col, int year, int month, int day)
{
    SetCellDate(row, col, QDateTime(QDate(year, month, day), QTime(0, 0)));
}

void CGridCore::SetCellDate(int row, int col, const QDateTime& value)
{
    FormatCell(row, col, [&value](CGridEdit& formatter) { formatter.FormatDate(value); });
}

qint32 CGridCore::GetCellInt(int row, int col)
{
    return static_cast<qint32>(GetCellLong(row, col));
}

qint64 CGridCore::GetCellLong(int row, int col)
{
    return CellFormatter(row, col).ReadInt();
}

float CGridCore::GetCellFloat(int row, int col)
{
    return static_cast<float>(GetCellDouble(row, col));
}

double CGridCore::GetCellDouble(int row, int col)
{
    return CellFormatter(row, col).ReadDouble();
}

QDateTime CGridCore::GetCellDate(int row, int col)
{
    return CellFormatter(row, col).ReadDate();
}

void CGridCore::SetCellCheck(int row, int col, int state)
{
    if (GridCell* cell = Cell(row, col)) {
        cell->check = state ? 1 : 0;
        CellChanged(row, col);
    }
}

int CGridCore::GetCellCheck(int row, int col) const
{
    const GridCell* cell = GetCell(row, col);
    return cell ? cell->check : 0;
}

void CGridCore::SetCellData(int row, int col, qint32 value)
{
    if (GridCell* cell = Cell(row, col))
        cell->itemData = value;
}

qint32 CGridCore::GetCellData(int row, int col)
{
    const QString text = GetCellText(row, col);
    const GridCell* cell = GetCell(row, col);
    if (!cell)
        return 0;
    if (cell->kind != GridCell::Combo || !HasCombo(col))
        return cell->itemData;
    GridCombo& combo = m_combos[col];
    combo.sel = FindComboEntry(col, text);
    return combo.sel >= 0 ? combo.data[combo.sel] : 0;
}

void CGridCore::SetCellKind(int row, int col, quint8 kind)
{
    if (GridCell* cell = Cell(row, col)) {
        cell->kind = kind;
        CellChanged(row, col);
    }
}

void CGridCore::SetCellAlign(int row, int col, quint8 alignment)
{
    if (GridCell* cell = Cell(row, col)) {
        cell->alignment = alignment;
        CellChanged(row, col);
    }
}

void CGridCore::SetCellFormat(int row, int col, quint8 format, qint32 widthChars, qint32 decimals)
{
    if (GridCell* cell = Cell(row, col)) {
        cell->format = format;
        cell->width = widthChars;
        cell->decimals = decimals;
    }
}

void CGridCore::SetCellTextColor(int row, int col, const QColor& color)
{
    if (GridCell* cell = Cell(row, col)) {
        cell->textColor = color;
        CellChanged(row, col);
    }
}

void CGridCore::SetRowTextColor(int row, const QColor& color)
{
    for (int col = 0; col < m_nCols; ++col)
        SetCellTextColor(row, col, color);
}

void CGridCore::SetColumnBkColor(int col, const QColor& color)
{
    if (col < 0 || col >= m_nCols)
        return;
    m_templates[col].bkColor = color;
    for (GridRow& row : m_rows)
        row.cells[col].bkColor = color;
}

// ---- drop-down lists -------------------------------------------------------

int CGridCore::AddComboItem(int col, const QString& text, qint32 data)
{
    if (!HasCombo(col))
        return -1;
    m_combos[col].texts.append(text);
    m_combos[col].data.append(data);
    return m_combos[col].texts.size() - 1;
}

bool CGridCore::HasCombo(int col) const
{
    return col >= 0 && col < m_nCols && m_combos[col].exists;
}

QStringList CGridCore::GetComboTexts(int col) const
{
    return HasCombo(col) ? m_combos[col].texts : QStringList();
}

int CGridCore::GetComboSel(int col) const
{
    return HasCombo(col) ? m_combos[col].sel : -1;
}

void CGridCore::SetComboSel(int col, int index)
{
    if (HasCombo(col))
        m_combos[col].sel = index >= 0 && index < m_combos[col].texts.size() ? index : -1;
}

int CGridCore::FindComboEntry(int col, const QString& text) const
{
    if (text.isEmpty())
        return -1;
    const QStringList& texts = m_combos[col].texts;
    for (int i = 0; i < texts.size(); ++i)
        if (texts[i].startsWith(text, Qt::CaseInsensitive))
            return i;
    return -1;
}

void CGridCore::OpenCombo(int row, int col)
{
    if (!HasCombo(col))
        return;
    m_combos[col].sel = FindComboEntry(col, m_rows[row].cells[col].text);
    m_nComboCol = col;
    ComboShown(row, col);
}

// ---- current cell ----------------------------------------------------------

// Puts the editor's validated text (or the list's choice) into the current
// cell and closes the editor; an invalid entry has been reported and the
// cell keeps its last valid text.
void CGridCore::CommitEditor()
{
    GridCell* cell = Cell(m_nCurRow, m_nCurCol);
    if (m_edit.IsWindowOpen()) {
        m_edit.Validate();
        if (cell)
            cell->text = m_edit.GetStoredText();
        m_edit.CloseWindow();
        EditorHidden();
    }
    if (m_nComboCol >= 0) {
        const GridCombo& combo = m_combos[m_nComboCol];
        if (cell) {
            cell->text = combo.sel >= 0 ? combo.texts[combo.sel] : QString();
            cell->itemData = combo.sel >= 0 ? combo.data[combo.sel] : 0;
        }
        const int col = m_nComboCol;
        m_nComboCol = -1;
        ComboHidden(col);
    }
    if (cell)
        CellChanged(m_nCurRow, m_nCurCol);
}

void CGridCore::ClearCurrentCell()
{
    CommitEditor();
    const int row = m_nCurRow;
    const int col = m_nCurCol;
    m_nCurRow = m_nCurCol = -1;
    if (IsCell(row, col))
        CellChanged(row, col);
}

bool CGridCore::LeaveStep(int toRow, int toCol, int* backCol)
{
    if (!IsCell(m_nCurRow, m_nCurCol))
        return true;
    GridNotifyInfo info{m_nCurRow, m_nCurCol, toRow, toCol, GetCellText(m_nCurRow, m_nCurCol)};
    const int result = m_bNotify ? OnCellLeave(info) : 0;
    CommitEditor();
    if (result == 0)
        return true;
    if (backCol && info.fromCol >= 0 && info.fromCol < m_nCols)
        *backCol = info.fromCol;
    return false;
}

void CGridCore::EnterStep(int fromRow, int fromCol)
{
    if (!IsCell(m_nCurRow, m_nCurCol))
        return;
    CommitEditor();
    ScrollIntoView(m_nCurRow, m_nCurCol);
    const GridCell& cell = m_rows[m_nCurRow].cells[m_nCurCol];
    if (cell.kind == GridCell::Edit) {
        m_edit.SetFormat(cell.format, cell.width, cell.decimals);
        m_edit.SetText(cell.text);
        m_edit.OpenWindow();
        EditorShown(m_nCurRow, m_nCurCol);
    } else if (cell.kind == GridCell::Combo) {
        OpenCombo(m_nCurRow, m_nCurCol);
    }
    CellChanged(m_nCurRow, m_nCurCol);
    if (m_bNotify) {
        GridNotifyInfo info{fromRow, fromCol, m_nCurRow, m_nCurCol, cell.text};
        OnCellEnter(info);
    }
}

void CGridCore::SetCurCell(int row, int col)
{
    if (!IsCell(row, col) && (row != -1 || col != -1))
        return;
    m_bNotify = false;
    const int fromRow = m_nCurRow;
    const int fromCol = m_nCurCol;
    LeaveStep(row, col, nullptr);
    if (IsCell(fromRow, fromCol))
        CellChanged(fromRow, fromCol);
    m_nCurRow = row;
    m_nCurCol = col;
    EnterStep(fromRow, fromCol);
}

// ---- user actions ----------------------------------------------------------

void CGridCore::Click(const QPoint& point)
{
    int row = -1;
    int col = -1;
    if (!HitTest(point, row, col))
        return;
    m_bNotify = true;
    const int fromRow = m_nCurRow;
    const int fromCol = m_nCurCol;
    int backCol = m_nCurCol;
    if (LeaveStep(row, col, &backCol)) {
        if (IsCell(fromRow, fromCol))
            CellChanged(fromRow, fromCol);
        m_nCurRow = row;
        m_nCurCol = col;
        GridCell& cell = m_rows[row].cells[col];
        if (cell.kind == GridCell::Check && CheckBoxRect(row, col).contains(point))
            cell.check = cell.check ? 0 : 1;
    } else {
        m_nCurCol = backCol;
    }
    EnterStep(fromRow, fromCol);
}

void CGridCore::DoubleClick()
{
    if (!IsCell(m_nCurRow, m_nCurCol))
        return;
    GridNotifyInfo info{0, 0, m_nCurRow, m_nCurCol, GetCellText(m_nCurRow, m_nCurCol)};
    OnCellDblClk(info);
}

void CGridCore::SpaceKeyUp()
{
    GridCell* cell = Cell(m_nCurRow, m_nCurCol);
    if (!cell || cell->kind != GridCell::Check)
        return;
    cell->check = cell->check ? 0 : 1;
    CellChanged(m_nCurRow, m_nCurCol);
    GridNotifyInfo info{0, 0, m_nCurRow, m_nCurCol, QString()};
    OnCellEnter(info);
}

bool CGridCore::Clamp(int& offset, int total, int page) const
{
    const int before = offset;
    offset = qMax(0, qMin(offset, total - page));
    return offset != before;
}

void CGridCore::VScroll(ScrollAction action, int position)
{
    m_bNotify = true;
    LeaveStep(0, 0, nullptr);
    const int before = m_nVOffset;
    if (!m_bVirtual) {
        const int page = m_client.height() - FixedHeight();
        switch (action) {
        case LineUp: m_nVOffset -= FirstVisibleRowHeight(); break;
        case LineDown: m_nVOffset += LastVisibleRowHeight(); break;
        case PageUp: m_nVOffset -= page; break;
        case PageDown: m_nVOffset += page; break;
        case ThumbPosition:
        case ThumbTrack: m_nVOffset = position; break;
        case EndScroll: break;
        }
        Clamp(m_nVOffset, ContentHeight(), page);
    }
    int result = 0;
    const bool busyBefore = m_bBusy;
    switch (action) {
    case LineUp: result = OnPaging(MsgLineUp, 0); break;
    case LineDown: result = OnPaging(MsgLineDown, 0); break;
    case PageUp:
    case PageDown:
    case ThumbPosition:
        m_bBusy = true;
        result = OnPaging(action == PageUp     ? MsgPageUp
                          : action == PageDown ? MsgPageDown
                                               : MsgThumb,
                          position);
        m_bBusy = busyBefore;
        break;
    case ThumbTrack:
    case EndScroll: break;
    }
    if (result == 0 && m_nVOffset == before)
        return;
    m_vBar.pos = m_bVirtual ? result : m_nVOffset;
    ScrollBarsChanged();
    GridChanged();
}

void CGridCore::HScroll(ScrollAction action, int position)
{
    const int page = m_client.width() - FixedWidth();
    const int before = m_nHOffset;
    switch (action) {
    case LineUp: m_nHOffset -= 1; break;
    case LineDown: m_nHOffset += 1; break;
    case PageUp: m_nHOffset -= page; break;
    case PageDown: m_nHOffset += page; break;
    case ThumbPosition:
    case ThumbTrack: m_nHOffset = position; break;
    case EndScroll: break;
    }
    Clamp(m_nHOffset, ContentWidth(), page);
    if (m_nHOffset == before)
        return;
    CommitEditor();
    m_hBar.pos = m_nHOffset;
    ScrollBarsChanged();
    GridChanged();
}

// ---- paging ----------------------------------------------------------------

void CGridCore::SetVirtualMode(bool on, int rowsPerPage)
{
    m_bVirtual = on;
    m_nRowsPerPage = rowsPerPage;
    RecomputeScrollBars();
}

int CGridCore::PagedFirst(PagingMessage message, int position, int first, int rowsPerPage, int count)
{
    int moved = first;
    switch (message) {
    case MsgLineUp: moved = first - 1; break;
    case MsgLineDown: moved = first + 1; break;
    case MsgPageUp: moved = first - rowsPerPage; break;
    case MsgPageDown: moved = first + rowsPerPage; break;
    case MsgThumb: moved = position - 1; break;
    }
    return qBound(0, moved, qMax(0, count - rowsPerPage));
}

void CGridCore::SetVirtualPos(int value)
{
    m_nVirtualPos = value;
    RecomputeScrollBars();
}

void CGridCore::SetVirtualCount(int count)
{
    m_nVirtualCount = count;
    RecomputeScrollBars();
}

void CGridCore::SetBusy(bool busy)
{
    m_bBusy = busy;
    RecomputeScrollBars();
}

// ---- geometry --------------------------------------------------------------

void CGridCore::SetClientSize(const QSize& size)
{
    m_client = size;
    RecomputeScrollBars();
    GridChanged();
}

void CGridCore::SetDefaultSizes(int rowHeight, int columnWidth)
{
    m_nDefRowHeight = rowHeight;
    m_nDefColWidth = columnWidth;
    for (int& width : m_colWidths)
        width = columnWidth;
}

int CGridCore::FixedWidth() const
{
    return m_bFixedCol && m_nCols > 0 ? m_colWidths[0] : 0;
}

int CGridCore::FixedHeight() const
{
    return m_bFixedRow && !m_rows.isEmpty() ? m_rows[0].height : 0;
}

int CGridCore::ContentWidth() const
{
    int total = 0;
    for (int col = m_bFixedCol ? 1 : 0; col < m_nCols; ++col)
        total += m_colWidths[col];
    return total;
}

int CGridCore::ContentHeight() const
{
    int total = 0;
    for (int row = m_bFixedRow ? 1 : 0; row < m_rows.size(); ++row)
        total += m_rows[row].height;
    return total;
}

QRect CGridCore::CellRect(int row, int col) const
{
    if (!IsCell(row, col))
        return QRect();
    int x = 0;
    if (!(m_bFixedCol && col == 0)) {
        x = FixedWidth() - m_nHOffset;
        for (int c = m_bFixedCol ? 1 : 0; c < col; ++c)
            x += m_colWidths[c];
    }
    int y = 0;
    if (!(m_bFixedRow && row == 0)) {
        y = FixedHeight() - m_nVOffset;
        for (int r = m_bFixedRow ? 1 : 0; r < row; ++r)
            y += m_rows[r].height;
    }
    return QRect(x, y, m_colWidths[col], m_rows[row].height);
}

bool CGridCore::HitTest(const QPoint& point, int& row, int& col) const
{
    row = col = -1;
    if (point.x() < FixedWidth() || point.y() < FixedHeight())
        return false;
    int left = FixedWidth() - m_nHOffset;
    for (int c = m_bFixedCol ? 1 : 0; c < m_nCols && col < 0; ++c) {
        if (point.x() >= left && point.x() < left + m_colWidths[c])
            col = c;
        left += m_colWidths[c];
    }
    int top = FixedHeight() - m_nVOffset;
    for (int r = m_bFixedRow ? 1 : 0; r < m_rows.size() && row < 0; ++r) {
        if (point.y() >= top && point.y() < top + m_rows[r].height)
            row = r;
        top += m_rows[r].height;
    }
    if (row < 0 || col < 0) {
        row = col = -1;
        return false;
    }
    return true;
}

QRect CGridCore::CheckBoxRect(int row, int col) const
{
    const QRect cell = CellRect(row, col);
    if (cell.isNull())
        return QRect();
    return QRect(cell.left() + (cell.width() - kCheckBoxSize) / 2,
                 cell.top() + (cell.height() - kCheckBoxSize) / 2, kCheckBoxSize, kCheckBoxSize);
}

int CGridCore::FirstVisibleRowHeight() const
{
    int top = 0;
    for (int r = m_bFixedRow ? 1 : 0; r < m_rows.size(); ++r) {
        if (top + m_rows[r].height > m_nVOffset)
            return m_rows[r].height;
        top += m_rows[r].height;
    }
    return 0;
}

int CGridCore::LastVisibleRowHeight() const
{
    const int bottom = m_nVOffset + m_client.height() - FixedHeight();
    int top = 0;
    int height = 0;
    for (int r = m_bFixedRow ? 1 : 0; r < m_rows.size() && top < bottom; ++r) {
        height = m_rows[r].height;
        top += height;
    }
    return height;
}

void CGridCore::ScrollIntoView(int row, int col)
{
    const QRect cell = CellRect(row, col);
    const int left = FixedWidth();
    const int top = FixedHeight();
    int hOffset = m_nHOffset;
    int vOffset = m_nVOffset;
    if (!(m_bFixedCol && col == 0)) {
        if (cell.left() < left)
            hOffset -= left - cell.left();
        else if (cell.left() + cell.width() > m_client.width())
            hOffset += qMin(cell.left() + cell.width() - m_client.width(), cell.left() - left);
    }
    if (!(m_bFixedRow && row == 0)) {
        if (cell.top() < top)
            vOffset -= top - cell.top();
        else if (cell.top() + cell.height() > m_client.height())
            vOffset += qMin(cell.top() + cell.height() - m_client.height(), cell.top() - top);
    }
    if (hOffset == m_nHOffset && vOffset == m_nVOffset)
        return;
    m_nHOffset = hOffset;
    m_nVOffset = vOffset;
    m_hBar.pos = m_nHOffset;
    if (!m_bVirtual)
        m_vBar.pos = m_nVOffset;
    ScrollBarsChanged();
    GridChanged();
}

void CGridCore::RecomputeScrollBars()
{
    if (m_bBusy)
        return;
    m_hBar.min = 0;
    m_hBar.max = ContentWidth();
    m_hBar.page = qMax(0, m_client.width() - FixedWidth());
    m_hBar.pos = m_nHOffset;
    m_hBar.visible = m_bKeepHBar || m_hBar.max > m_hBar.page;
    if (m_bVirtual) {
        // The parent owns the position while paging; it only stays in range.
        m_vBar.min = m_nVirtualPos;
        m_vBar.max = m_nVirtualCount;
        m_vBar.page = m_nRowsPerPage;
        m_vBar.pos = qBound(m_vBar.min, m_vBar.pos, qMax(m_vBar.min, m_vBar.max));
        m_vBar.visible = m_bKeepVBar || m_vBar.max - m_vBar.min + 1 > m_vBar.page;
    } else {
        m_vBar.min = 0;
        m_vBar.max = ContentHeight();
        m_vBar.page = qMax(0, m_client.height() - FixedHeight());
        if (m_vBar.max <= m_vBar.page)
            m_nVOffset = 0;
        m_vBar.pos = m_nVOffset;
        m_vBar.visible = m_bKeepVBar || m_vBar.max > m_vBar.page;
    }
    ScrollBarsChanged();
}
