#include "desktop/customers/CSSpedizioneViewCore.h"

#include "desktop/shell/controls/CGridCore.h"
#include "desktop/shell/controls/CValidatedEditRules.h"
#include "desktop/shell/settings/CRecordIds.h"
#include "recordset/CConfigurazioneSet.h"
#include "recordset/CSSpedizioneSet.h"

#include <QColor>

namespace {

const char* const kLimiti[] = {"Limite1", "Limite2", "Limite3", "Limite4", "Limite5"};
const char* const kPrezzi[] = {"Prezzo1", "Prezzo2", "Prezzo3", "Prezzo4", "Prezzo5"};

CValidatedEditRules Rules(quint8 kind, int width, int decimals)
{
    CValidatedEditRules rules;
    rules.SetParam(kind, width, 0, decimals);
    return rules;
}

const CValidatedEditRules& PesoRules()
{
    static const CValidatedEditRules rules = Rules(2, 7, 3);
    return rules;
}

const CValidatedEditRules& IvaRules()
{
    static const CValidatedEditRules rules = Rules(1, 2, 0);
    return rules;
}

int LimitCol(int pair) { return CSSpedizioneViewCore::ColLimite1 + 2 * pair; }
int PriceCol(int pair) { return CSSpedizioneViewCore::ColPrezzo1 + 2 * pair; }

} // namespace

CSSpedizioneViewCore::CSSpedizioneViewCore(CDaoDatabase& db, CGridCore& grid)
    : CGridRowEditor(grid), m_db(db), m_pSpese(std::make_unique<CSSpedizioneSet>(&db)),
      m_pConfigurazione(std::make_unique<CConfigurazioneSet>(&db))
{
    m_pSpese->m_strSort = QStringLiteral("Descrizione");
    m_pSpese->Open();
    m_pConfigurazione->Open();
}

CSSpedizioneViewCore::~CSSpedizioneViewCore() = default;

void CSSpedizioneViewCore::SetColumns()
{
    CGridCore& grid = Grid();
    grid.SetColumnCount(ColumnCount);
    grid.SetColumn(ColButton, 30, GridCell::Fixed, QString(), GridCell::Centre, 0, 10);
    grid.SetColumn(ColDestinazione, 148, GridCell::Edit, QString(), GridCell::Left, 0, 50);
    grid.SetColumn(ColEsenzione, 40, GridCell::Check, QString(), GridCell::Left, 0, 10);
    for (int pair = 0; pair < 5; ++pair) {
        grid.SetColumn(LimitCol(pair), 45, GridCell::Edit, QString(), GridCell::Right, 2, 5, 2);
        grid.SetColumn(PriceCol(pair), 75, GridCell::Edit, QString(), GridCell::Right, 4, 9, 2);
        // Paler to deeper yellow, one shade per pair.
        const QColor shade(255, 255, 200 - 20 * pair);
        grid.SetColumnBkColor(LimitCol(pair), shade);
        grid.SetColumnBkColor(PriceCol(pair), shade);
    }
    grid.AddRow(QStringLiteral("\tDestinazione\tEs.IVA\tLimite 1\tPrezzo 1\tLimite 2\tPrezzo 2\tLimite 3\tPrezzo 3\t"
                               "Limite 4\tPrezzo 4\tLimite 5\tPrezzo 5\t"));
    for (int col = ColDestinazione; col < ColumnCount; ++col)
        grid.SetCellAlign(0, col, GridCell::Centre);
    grid.SetFixedFirstRow(true);
    grid.SetFixedFirstColumn(true);
}

void CSSpedizioneViewCore::Fill()
{
    SetColumns();
    CConfigurazioneSet& config = *m_pConfigurazione;
    if (!config.IsEOF()) {
        m_settings.nTipoPeso = config.m_TipoPesoImballo != 0 ? 1 : 0;
        m_settings.strPeso = PesoRules().TextOf(double(config.m_PesoImballo));
        m_settings.strIva = IvaRules().TextOf(qint64(config.m_IVASpedizioni));
    }
    for (m_pSpese->MoveFirst(); !m_pSpese->IsEOF(); m_pSpese->MoveNext())
        ShowRow(Grid().AddRow(QString(ColumnCount, QLatin1Char('\t'))));
}

void CSSpedizioneViewCore::ShowRow(int row)
{
    CGridCore& grid = Grid();
    grid.SetCellText(row, ColDestinazione, m_pSpese->m_Descrizione);
    grid.SetCellCheck(row, ColEsenzione, m_pSpese->m_EsenzioneIVA ? 1 : 0);
    for (int pair = 0; pair < 5; ++pair) {
        grid.SetCellFloat(row, LimitCol(pair), m_pSpese->GetFieldValue(QString::fromLatin1(kLimiti[pair])).toFloat());
        grid.SetCellFloat(row, PriceCol(pair), m_pSpese->GetFieldValue(QString::fromLatin1(kPrezzi[pair])).toFloat());
    }
    grid.SetRowData(row, m_pSpese->m_ID);
}

QString CSSpedizioneViewCore::UnitLabel() const
{
    return m_settings.nTipoPeso != 0 ? QStringLiteral("%") : QStringLiteral("Kg");
}

void CSSpedizioneViewCore::ChooseBasis(int basis)
{
    m_settings.nTipoPeso = basis;
    m_settings.strPeso = PesoRules().TextOf(0.0);
}

double CSSpedizioneViewCore::ReadPeso() const
{
    return PesoRules().ReadDouble(m_settings.strPeso);
}

int CSSpedizioneViewCore::ReadIva() const
{
    return int(IvaRules().ReadInteger(m_settings.strIva));
}

bool CSSpedizioneViewCore::SettingsDiffer()
{
    CConfigurazioneSet& config = *m_pConfigurazione;
    if (config.IsEOF())
        return false;
    return m_settings.nTipoPeso != config.m_TipoPesoImballo
           || PesoRules().TextOf(ReadPeso()) != PesoRules().TextOf(double(config.m_PesoImballo))
           || ReadIva() != qRound(config.m_IVASpedizioni);
}

void CSSpedizioneViewCore::SaveSettings()
{
    CConfigurazioneSet& config = *m_pConfigurazione;
    if (config.IsEOF())
        return;
    config.Edit();
    config.m_TipoPesoImballo = quint8(m_settings.nTipoPeso);
    config.m_PesoImballo = float(ReadPeso());
    config.m_IVASpedizioni = float(ReadIva());
    config.m_Modificato = true;
    config.Update();
}

bool CSSpedizioneViewCore::IsModified()
{
    return SettingsDiffer() || IsRowModified();
}

bool CSSpedizioneViewCore::Save()
{
    if (CurRow() > 0 && CurRow() < Grid().GetRowCount() && MissingCell(CurRow()) >= 0)
        return SaveRow();   // refuses with its message
    SaveSettings();
    return !IsRowModified() || SaveRow();
}

// Leaving a row saves the settings with it, as its save always does.
int CSSpedizioneViewCore::OnCellLeave(GridNotifyInfo& info)
{
    if (info.fromRow == info.toRow)
        return 0;
    const int result = CGridRowEditor::OnCellLeave(info);
    if (result == 0 && SettingsDiffer())
        SaveSettings();
    return result;
}

int CSSpedizioneViewCore::MissingCell(int row)
{
    if (Grid().GetCellText(row, ColDestinazione).isEmpty())
        return ColDestinazione;
    if (Grid().GetCellText(row, ColPrezzo1).isEmpty())
        return ColPrezzo1;
    return -1;
}

qint32 CSSpedizioneViewCore::InsertRow(int row)
{
    const qint32 id = CRecordIds::NextID(*m_pSpese);
    m_pSpese->AddNew();
    m_pSpese->m_ID = id;
    WriteRow(row);
    m_pSpese->Update();
    return id;
}

void CSSpedizioneViewCore::WriteRow(int row)
{
    CGridCore& grid = Grid();
    m_pSpese->m_Descrizione = grid.GetCellText(row, ColDestinazione);
    m_pSpese->m_EsenzioneIVA = grid.GetCellCheck(row, ColEsenzione) != 0;
    for (int pair = 0; pair < 5; ++pair) {
        m_pSpese->SetFieldValue(QString::fromLatin1(kLimiti[pair]), grid.GetCellFloat(row, LimitCol(pair)));
        m_pSpese->SetFieldValue(QString::fromLatin1(kPrezzi[pair]), grid.GetCellFloat(row, PriceCol(pair)));
    }
    m_pSpese->m_Modificato = true;
}

bool CSSpedizioneViewCore::RowDiffers(int row)
{
    if (!m_pSpese->FindFirst(QStringLiteral("ID=?"), {Grid().GetRowData(row)}))
        return false;
    CGridCore& grid = Grid();
    if (m_pSpese->m_Descrizione != grid.GetCellText(row, ColDestinazione)
        || m_pSpese->m_EsenzioneIVA != (grid.GetCellCheck(row, ColEsenzione) != 0))
        return true;
    for (int pair = 0; pair < 5; ++pair)
        if (m_pSpese->GetFieldValue(QString::fromLatin1(kLimiti[pair])).toFloat() != grid.GetCellFloat(row, LimitCol(pair))
            || m_pSpese->GetFieldValue(QString::fromLatin1(kPrezzi[pair])).toFloat() != grid.GetCellFloat(row, PriceCol(pair)))
            return true;
    return false;
}

void CSSpedizioneViewCore::UpdateRow(int row)
{
    if (!m_pSpese->FindFirst(QStringLiteral("ID=?"), {Grid().GetRowData(row)}))
        return;
    m_pSpese->Edit();
    WriteRow(row);
    m_pSpese->Update();
}

bool CSSpedizioneViewCore::DeleteRecord(qint32 id)
{
    if (m_pSpese->FindFirst(QStringLiteral("ID=?"), {id}))
        m_pSpese->Delete();
    return true;
}
