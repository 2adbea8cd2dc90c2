#include "desktop/shell/settings/CLingueViewCore.h"

#include "desktop/shell/controls/CGridCore.h"
#include "desktop/shell/settings/CRecordIds.h"
#include "recordset/CLingueSet.h"
#include "recordset/CValuteSet.h"

CLingueViewCore::CLingueViewCore(CDaoDatabase& db, CGridCore& grid)
    : CGridRowEditor(grid), m_pLingue(std::make_unique<CLingueSet>(&db)), m_pValute(std::make_unique<CValuteSet>(&db))
{
    m_pLingue->Open();
    m_pValute->Open();
}

CLingueViewCore::~CLingueViewCore() = default;

void CLingueViewCore::SetColumns()
{
    CGridCore& grid = Grid();
    grid.SetColumnCount(ColumnCount);
    grid.SetColumn(ColButton, 30, GridCell::Fixed, QString(), GridCell::Centre);
    grid.SetColumn(ColAttivo, 50, GridCell::Check);
    grid.SetColumn(ColCodice, 43, GridCell::Edit, QString(), GridCell::Centre, 0, 2);
    grid.SetColumn(ColDescrizione, 140, GridCell::Edit, QString(), GridCell::Left, 0, 20);
    grid.SetColumn(ColValuta, 80, GridCell::Combo);
    grid.SetColumn(ColEuro, 40, GridCell::Check);
    grid.AddRow(QStringLiteral("\tAttivo\tCodice\tDescrizione\tValuta\tEuro\t"));
    for (int col = ColAttivo; col < ColumnCount; ++col)
        grid.SetCellAlign(0, col, GridCell::Centre);
    grid.SetFixedFirstRow(true);
    grid.SetFixedFirstColumn(true);
}

void CLingueViewCore::Fill()
{
    SetColumns();
    for (m_pValute->MoveFirst(); !m_pValute->IsEOF(); m_pValute->MoveNext())
    {
        Grid().AddComboItem(ColValuta, m_pValute->m_Valuta, m_pValute->m_ID);
        m_currencies.append({m_pValute->m_ID, m_pValute->m_Valuta});
    }
    for (m_pLingue->MoveFirst(); !m_pLingue->IsEOF(); m_pLingue->MoveNext())
        ShowRow(Grid().AddRow(QString(ColumnCount, QLatin1Char('\t'))));
}

void CLingueViewCore::ShowRow(int row)
{
    CGridCore& grid = Grid();
    grid.SetCellCheck(row, ColAttivo, m_pLingue->m_Attivo ? 1 : 0);
    grid.SetCellText(row, ColCodice, m_pLingue->m_Codice);
    grid.SetCellText(row, ColDescrizione, m_pLingue->m_Descrizione);
    grid.SetCellCheck(row, ColEuro, m_pLingue->m_FlagPrezziInEuro ? 1 : 0);
    grid.SetCellData(row, ColValuta, m_pLingue->m_IDValuta);
    QString currency;
    for (const auto& [id, text] : m_currencies)
        if (id == m_pLingue->m_IDValuta) {
            currency = text;
            break;
        }
    grid.SetCellText(row, ColValuta, currency);
    grid.SetRowData(row, m_pLingue->m_ID);
}

int CLingueViewCore::MissingCell(int row)
{
    if (Grid().GetCellText(row, ColCodice).isEmpty())
        return ColCodice;
    if (Grid().GetCellText(row, ColDescrizione).isEmpty())
        return ColDescrizione;
    return -1;
}

qint32 CLingueViewCore::InsertRow(int row)
{
    const QString code = Grid().GetCellText(row, ColCodice);
    if (m_pLingue->FindFirst(QStringLiteral("Codice=?"), {code})) {
        Refuse(ColCodice, QStringLiteral("Codice già presente!"));
        return 0;
    }
    const qint32 id = CRecordIds::NextID(*m_pLingue);
    m_pLingue->AddNew();
    m_pLingue->m_ID = id;
    WriteRow(row);
    m_pLingue->Update();
    return id;
}

void CLingueViewCore::WriteRow(int row)
{
    CGridCore& grid = Grid();
    m_pLingue->m_Attivo = grid.GetCellCheck(row, ColAttivo) != 0;
    m_pLingue->m_Codice = grid.GetCellText(row, ColCodice);
    m_pLingue->m_Descrizione = grid.GetCellText(row, ColDescrizione);
    m_pLingue->m_IDValuta = grid.GetCellData(row, ColValuta);
    m_pLingue->m_FlagPrezziInEuro = grid.GetCellCheck(row, ColEuro) != 0;
    m_pLingue->m_Modificato = true;
}

bool CLingueViewCore::RowDiffers(int row)
{
    if (!m_pLingue->FindFirst(QStringLiteral("ID=?"), {Grid().GetRowData(row)}))
        return false;
    CGridCore& grid = Grid();
    return m_pLingue->m_Attivo != (grid.GetCellCheck(row, ColAttivo) != 0)
           || m_pLingue->m_Codice != grid.GetCellText(row, ColCodice)
           || m_pLingue->m_Descrizione != grid.GetCellText(row, ColDescrizione)
           || m_pLingue->m_IDValuta != grid.GetCellData(row, ColValuta)
           || m_pLingue->m_FlagPrezziInEuro != (grid.GetCellCheck(row, ColEuro) != 0);
}

void CLingueViewCore::UpdateRow(int row)
{
    if (!m_pLingue->FindFirst(QStringLiteral("ID=?"), {Grid().GetRowData(row)}))
        return;
    m_pLingue->Edit();
    WriteRow(row);
    m_pLingue->Update();
}

bool CLingueViewCore::DeleteRecord(qint32 id)
{
    if (!m_pLingue->FindFirst(QStringLiteral("ID=?"), {id}))
        return true;
    m_pLingue->Delete();
    return true;
}
