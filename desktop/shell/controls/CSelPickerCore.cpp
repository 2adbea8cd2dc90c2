#include "desktop/shell/controls/CSelPickerCore.h"

#include "desktop/shell/controls/CGridCore.h"

PickerLayout PickerLayout::Articoli()
{
    return {7, {30, 338}, QStringLiteral("\tTitolo\t"),
            {QStringLiteral("Titolo"), QStringLiteral("Sottotitolo"), QStringLiteral("Testo")}, SectionTree,
            QStringLiteral("Tutte le sezioni")};
}

PickerLayout PickerLayout::Banner()
{
    return {9, {30, 100, 238}, QStringLiteral("\tCodice\tLink\t"), {}, NoTree, QString()};
}

PickerLayout PickerLayout::Prodotti()
{
    return {7, {30, 100, 238}, QStringLiteral("\tCodice\tDescrizione\t"),
            {QStringLiteral("Nome"), QStringLiteral("Descrizione fattura"), QStringLiteral("Descrizione breve"),
             QStringLiteral("Descrizione estesa")},
            CategoryTree, QStringLiteral("Tutte le categorie")};
}

CSelPickerCore::CSelPickerCore(const PickerLayout& layout, CGridCore& grid)
    : m_layout(layout), m_grid(grid), m_pager(grid, layout.rowsPerPage, [this](int index) { AddRecordRow(index); })
{
}

CSelPickerCore::~CSelPickerCore() = default;

void CSelPickerCore::InitGrid()
{
    m_grid.SetVirtualMode(true, m_layout.rowsPerPage);
    m_grid.SetColumnCount(m_layout.columnWidths.size());
    for (int col = 0; col < m_layout.columnWidths.size(); ++col)
        m_grid.SetColumn(col, m_layout.columnWidths.at(col), col == 0 ? GridCell::Check : GridCell::TextKind);
    m_grid.AddRow(m_layout.header);
    for (int col = 0; col < m_layout.columnWidths.size(); ++col)
        m_grid.SetCellAlign(0, col, GridCell::Centre);
    m_grid.SetFixedFirstRow(true);
}

void CSelPickerCore::ChooseTreeItem(qint32 id)
{
    m_bFiltered = id > 0;
    m_nFilterID = id;
    ApplyFilter(m_bFiltered, id);
    ShowFirstPage();
}

void CSelPickerCore::ChooseView(int index)
{
    if (index < 0 || index >= m_layout.views.size())
        return;
    m_nView = index;
    m_grid.SetCellText(0, 1, m_layout.views.at(index));
    ShowFirstPage();
}

void CSelPickerCore::AddRecordRow(int)
{
}

void CSelPickerCore::OnCellEnter(const GridNotifyInfo&)
{
}

void CSelPickerCore::ApplyFilter(bool, qint32)
{
}
