#include "desktop/catalogue/CDefCampiCustomViewCore.h"

#include "desktop/catalogue/CCampiCustom.h"
#include "desktop/shell/controls/CGridCore.h"
#include "desktop/shell/settings/CRecordIds.h"
#include "recordset/CDefCampiCustomSet.h"

#include <QColor>

namespace {
const char* const kTipi[] = {"Alfanumerico", "Intero",      "Decimale",      "Formattato",
                             "Decimale Formattato", "Data", "Codice Fiscale"};
}

CDefCampiCustomViewCore::CDefCampiCustomViewCore(CDaoDatabase& db, CGridCore& grid)
    : CGridRowEditor(grid), m_pDefinizioni(std::make_unique<CDefCampiCustomSet>(&db))
{
    m_pDefinizioni->m_strFilter = QStringLiteral("IDCategoria=?");
    m_pDefinizioni->m_filterParams = {0};
    m_pDefinizioni->m_strSort = QStringLiteral("ID");
    m_pDefinizioni->Open();
}

CDefCampiCustomViewCore::~CDefCampiCustomViewCore() = default;

QString CDefCampiCustomViewCore::TipoText(int code)
{
    return code >= 0 && code < TipoCount ? QString::fromUtf8(kTipi[code]) : QString();
}

void CDefCampiCustomViewCore::SetColumns()
{
    CGridCore& grid = Grid();
    grid.SetColumnCount(ColumnCount);
    grid.SetColumn(ColNome, 200, GridCell::Edit, QString(), GridCell::Left, 0, 50);
    grid.SetColumn(ColTipo, 102, GridCell::Combo);
    grid.SetColumn(ColLunghezza, 40, GridCell::Edit, QString(), GridCell::Right, 1, 3);
    grid.SetColumn(ColDecimali, 40, GridCell::Edit, QString(), GridCell::Right, 1, 1);
    grid.AddRow(QStringLiteral("Nome\tTipo\tLung.\tDec.\t"));
    for (int col = 0; col < ColumnCount; ++col)
        grid.SetCellAlign(0, col, GridCell::Centre);
    grid.SetFixedFirstRow(true);
    grid.SetColumnBkColor(ColTipo, QColor(255, 255, 200));
    grid.SetColumnBkColor(ColLunghezza, QColor(255, 255, 180));
    grid.SetColumnBkColor(ColDecimali, QColor(255, 255, 180));
    for (int code = 0; code < TipoCount; ++code)
        grid.AddComboItem(ColTipo, TipoText(code), code);
}

void CDefCampiCustomViewCore::Fill()
{
    SetColumns();
    Load();
}

void CDefCampiCustomViewCore::Load()
{
    CGridCore& grid = Grid();
    grid.SetCurCell(-1, -1);
    while (grid.GetRowCount() > 1)
        grid.DeleteRow(grid.GetRowCount() - 1);
    m_pDefinizioni->m_filterParams = {m_nCategory};
    m_pDefinizioni->Requery();
    for (; !m_pDefinizioni->IsEOF(); m_pDefinizioni->MoveNext())
        ShowRow(grid.AddRow(QString(ColumnCount, QLatin1Char('\t'))));
}

bool CDefCampiCustomViewCore::ChooseCategory(qint32 id)
{
    if (IsNewRowPending() && !SaveNewRow())
        return false;
    if (IsRowModified() && !SaveRow())
        return false;
    m_nCategory = id;
    OnCellEnter({-1, -1, -1, -1, QString()});
    Load();
    return true;
}

void CDefCampiCustomViewCore::ShowRow(int row)
{
    CGridCore& grid = Grid();
    grid.SetCellText(row, ColNome, m_pDefinizioni->m_Nome);
    grid.SetCellText(row, ColTipo, TipoText(m_pDefinizioni->m_Tipo));
    grid.SetCellData(row, ColTipo, m_pDefinizioni->m_Tipo);
    grid.SetCellInt(row, ColLunghezza, m_pDefinizioni->m_Lunghezza);
    grid.SetCellInt(row, ColDecimali, m_pDefinizioni->m_Decimali);
    grid.SetRowData(row, m_pDefinizioni->m_ID);
    ApplyType(row);
}

int CDefCampiCustomViewCore::TipoOf(int row)
{
    const QString text = Grid().GetCellText(row, ColTipo);
    for (int code = 0; code < TipoCount; ++code)
        if (text == TipoText(code))
            return code;
    return -1;
}

void CDefCampiCustomViewCore::ApplyType(int row)
{
    CGridCore& grid = Grid();
    const int tipo = TipoOf(row);
    if (tipo == Data || tipo == CodiceFiscale) {
        grid.SetCellText(row, ColLunghezza, tipo == Data ? QStringLiteral("8") : QStringLiteral("16"));
        grid.SetCellKind(row, ColLunghezza, GridCell::TextKind);
    } else {
        grid.SetCellKind(row, ColLunghezza, GridCell::Edit);
    }
    if (HasDecimals(tipo)) {
        grid.SetCellKind(row, ColDecimali, GridCell::Edit);
    } else {
        grid.SetCellText(row, ColDecimali, QString());
        grid.SetCellKind(row, ColDecimali, GridCell::TextKind);
    }
    m_nAppliedTipo = tipo;
}

void CDefCampiCustomViewCore::OnCellEnter(const GridNotifyInfo& info)
{
    if (info.toRow != CurRow() && info.toRow > 0 && info.toRow < Grid().GetRowCount())
        m_nAppliedTipo = TipoOf(info.toRow);
    CGridRowEditor::OnCellEnter(info);
}

int CDefCampiCustomViewCore::OnCellLeave(GridNotifyInfo& info)
{
    if (info.fromRow == info.toRow && info.fromCol == ColTipo && info.fromRow > 0
        && TipoOf(info.fromRow) != m_nAppliedTipo)
        ApplyType(info.fromRow);
    return CGridRowEditor::OnCellLeave(info);
}

int CDefCampiCustomViewCore::MissingCell(int row)
{
    CGridCore& grid = Grid();
    if (grid.GetCellText(row, ColNome).trimmed().isEmpty())
        return ColNome;
    const int tipo = TipoOf(row);
    if (tipo < 0)
        return ColTipo;
    if (grid.GetCellText(row, ColLunghezza).isEmpty())
        return ColLunghezza;
    if (HasDecimals(tipo) && grid.GetCellText(row, ColDecimali).isEmpty())
        return ColDecimali;
    return -1;
}

int CDefCampiCustomViewCore::RefusedCell(int row, QString& text)
{
    if (!CCampiCustom::HasSeparator(Grid().GetCellText(row, ColNome)))
        return -1;
    text = QStringLiteral("Il carattere \"|\" non è ammesso nel nome di un campo custom.");
    return ColNome;
}

void CDefCampiCustomViewCore::WriteRow(int row)
{
    CGridCore& grid = Grid();
    const int tipo = TipoOf(row);
    m_pDefinizioni->m_Nome = grid.GetCellText(row, ColNome);
    m_pDefinizioni->m_Tipo = quint8(tipo);
    m_pDefinizioni->m_Lunghezza = qint16(grid.GetCellInt(row, ColLunghezza));
    m_pDefinizioni->m_Decimali = HasDecimals(tipo) ? quint8(grid.GetCellInt(row, ColDecimali)) : quint8(0);
    m_pDefinizioni->m_Modificato = true;
}

qint32 CDefCampiCustomViewCore::InsertRow(int row)
{
    const qint32 id = CRecordIds::NextID(*m_pDefinizioni);
    m_pDefinizioni->AddNew();
    m_pDefinizioni->m_ID = id;
    m_pDefinizioni->m_IDCategoria = m_nCategory;
    WriteRow(row);
    m_pDefinizioni->Update();
    return id;
}

bool CDefCampiCustomViewCore::RowDiffers(int row)
{
    if (!m_pDefinizioni->FindFirst(QStringLiteral("ID=?"), {Grid().GetRowData(row)}))
        return false;
    CGridCore& grid = Grid();
    const int tipo = TipoOf(row);
    return m_pDefinizioni->m_Nome != grid.GetCellText(row, ColNome) || tipo != int(m_pDefinizioni->m_Tipo)
           || int(m_pDefinizioni->m_Lunghezza) != grid.GetCellInt(row, ColLunghezza)
           || (HasDecimals(tipo) ? grid.GetCellInt(row, ColDecimali) : 0) != int(m_pDefinizioni->m_Decimali);
}

void CDefCampiCustomViewCore::UpdateRow(int row)
{
    if (!m_pDefinizioni->FindFirst(QStringLiteral("ID=?"), {Grid().GetRowData(row)}))
        return;
    m_pDefinizioni->Edit();
    WriteRow(row);
    m_pDefinizioni->Update();
}

bool CDefCampiCustomViewCore::DeleteRecord(qint32 id)
{
    if (m_pDefinizioni->FindFirst(QStringLiteral("ID=?"), {id}))
        m_pDefinizioni->Delete();
    return true;
}
