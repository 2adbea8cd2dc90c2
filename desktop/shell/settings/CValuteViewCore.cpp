#include "desktop/shell/settings/CValuteViewCore.h"

#include "desktop/shell/controls/CGridCore.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/settings/CRecordIds.h"
#include "recordset/CLingueSet.h"
#include "recordset/CValuteSet.h"

namespace {
struct Rounding
{
    const char* text;
    double step;
};
const Rounding kRoundings[] = {{"Migliaia", 1000},    {"Centinaia", 100},      {"Decine", 10},
                               {"Unita", 1},          {"Decimi", 0.1},         {"Centesimi", 0.01},
                               {"Millesimi", 0.001},  {"Decimillesimi", 0.0001}, {"Centomillesimi", 0.00001}};
constexpr int kRoundingCount = int(sizeof kRoundings / sizeof kRoundings[0]);
}

CValuteViewCore::CValuteViewCore(CDaoDatabase& db, CGridCore& grid)
    : CGridRowEditor(grid), m_db(db), m_pValute(std::make_unique<CValuteSet>(&db))
{
    m_pValute->Open();
}

CValuteViewCore::~CValuteViewCore() = default;

int CValuteViewCore::RoundingCode(double step)
{
    for (int i = 0; i < kRoundingCount; ++i)
        if (kRoundings[i].step == step)   // exact: a stored 0.05 matches nothing
            return i + 1;
    return 0;
}

double CValuteViewCore::RoundingStep(int code)
{
    return code >= 1 && code <= kRoundingCount ? kRoundings[code - 1].step : 0.0;
}

QString CValuteViewCore::RoundingText(int code)
{
    return code >= 1 && code <= kRoundingCount ? QString::fromLatin1(kRoundings[code - 1].text) : QString();
}

void CValuteViewCore::SetColumns()
{
    CGridCore& grid = Grid();
    grid.SetColumnCount(ColumnCount);
    grid.SetColumn(ColButton, 30, GridCell::Fixed, QString(), GridCell::Centre);
    grid.SetColumn(ColValuta, 102, GridCell::Edit, QString(), GridCell::Left, 0, 20);
    grid.SetColumn(ColCambio, 61, GridCell::Edit, QString(), GridCell::Right, 2, 8, 2);
    grid.SetColumn(ColSimbolo, 60, GridCell::Edit, QString(), GridCell::Left, 0, 5);
    grid.SetColumn(ColArrotondamento, 90, GridCell::Combo);
    grid.AddRow(QStringLiteral("\tValuta\tCambio\tSimbolo\tArrot.\t"));
    for (int col = ColValuta; col < ColumnCount; ++col)
        grid.SetCellAlign(0, col, GridCell::Centre);
    grid.SetFixedFirstRow(true);
    grid.SetFixedFirstColumn(true);
}

void CValuteViewCore::Fill()
{
    SetColumns();
    for (int code = 1; code <= kRoundingCount; ++code)
        Grid().AddComboItem(ColArrotondamento, RoundingText(code), code);
    for (m_pValute->MoveFirst(); !m_pValute->IsEOF(); m_pValute->MoveNext())
        ShowRow(Grid().AddRow(QString(ColumnCount, QLatin1Char('\t'))));
}

void CValuteViewCore::ShowRow(int row)
{
    CGridCore& grid = Grid();
    grid.SetCellText(row, ColValuta, m_pValute->m_Valuta);
    grid.SetCellFloat(row, ColCambio, m_pValute->m_Cambio);
    grid.SetCellText(row, ColSimbolo, m_pValute->m_Simbolo);
    const int code = RoundingCode(m_pValute->m_Arrotondamento);
    grid.SetCellText(row, ColArrotondamento, RoundingText(code));
    grid.SetCellData(row, ColArrotondamento, code);
    grid.SetRowData(row, m_pValute->m_ID);
}

int CValuteViewCore::MissingCell(int row)
{
    for (int col : {ColValuta, ColCambio, ColSimbolo})
        if (Grid().GetCellText(row, col).isEmpty())
            return col;
    if (Grid().GetCellData(row, ColArrotondamento) == 0)
        return ColArrotondamento;
    return -1;
}

qint32 CValuteViewCore::InsertRow(int row)
{
    const qint32 id = CRecordIds::NextID(*m_pValute);
    m_pValute->AddNew();
    m_pValute->m_ID = id;
    WriteRow(row);
    m_pValute->Update();
    return id;
}

void CValuteViewCore::WriteRow(int row)
{
    CGridCore& grid = Grid();
    m_pValute->m_Valuta = grid.GetCellText(row, ColValuta);
    m_pValute->m_Cambio = grid.GetCellFloat(row, ColCambio);
    m_pValute->m_Simbolo = grid.GetCellText(row, ColSimbolo);
    m_pValute->m_Arrotondamento = RoundingStep(grid.GetCellData(row, ColArrotondamento));
    m_pValute->m_Modificato = true;
}

// A row whose rounding carries no code counts as modified: its save then
// asks for a rounding instead of letting the row go unnoticed.
bool CValuteViewCore::RowDiffers(int row)
{
    if (!m_pValute->FindFirst(QStringLiteral("ID=?"), {Grid().GetRowData(row)}))
        return false;
    CGridCore& grid = Grid();
    const int code = grid.GetCellData(row, ColArrotondamento);
    return m_pValute->m_Valuta != grid.GetCellText(row, ColValuta)
           || m_pValute->m_Cambio != grid.GetCellFloat(row, ColCambio)
           || m_pValute->m_Simbolo != grid.GetCellText(row, ColSimbolo) || code == 0
           || RoundingStep(code) != m_pValute->m_Arrotondamento;
}

void CValuteViewCore::UpdateRow(int row)
{
    if (!m_pValute->FindFirst(QStringLiteral("ID=?"), {Grid().GetRowData(row)}))
        return;
    m_pValute->Edit();
    WriteRow(row);
    m_pValute->Update();
}

bool CValuteViewCore::AllowDelete(qint32 id)
{
    if (id != 1)
        return true;
    CMessageBox::Show(nullptr, QStringLiteral("La valuta Euro non si può cancellare."), DeleteCaption());
    return false;
}

bool CValuteViewCore::DeleteRecord(qint32 id)
{
    if (m_pValute->FindFirst(QStringLiteral("ID=?"), {id}))
        m_pValute->Delete();
    // Languages priced in the deleted currency go back to the euro.
    CLingueSet languages(&m_db);
    languages.m_strFilter = QStringLiteral("IDValuta=?");
    languages.m_filterParams = {id};
    languages.Open();
    for (; !languages.IsEOF(); languages.MoveNext()) {
        languages.Edit();
        languages.m_IDValuta = 1;
        languages.m_FlagPrezziInEuro = false;
        languages.Update();
    }
    return true;
}
