#include "desktop/content/CModuliCampiCore.h"

#include "desktop/content/CContentRows.h"
#include "desktop/shell/controls/CGridCore.h"
#include "desktop/shell/controls/CValueFormat.h"
#include "platform/dao/CDaoCriteria.h"
#include "platform/dao/CDaoTransaction.h"
#include "recordset/CModuliCampiLingueSet.h"
#include "recordset/CModuliCampiSet.h"

#include <QColor>

namespace {

struct KindEntry
{
    int code;
    const char* label;
};

const KindEntry kKinds[] = {
    {CModuliCampiCore::Alfanumerico, "Alfanumerico"}, {CModuliCampiCore::Intero, "Intero"},
    {CModuliCampiCore::Decimale, "Decimale"},         {CModuliCampiCore::Data, "Data"},
    {CModuliCampiCore::Etichetta, "Etichetta"},       {CModuliCampiCore::Opzione, "Opzione"},
    {CModuliCampiCore::OpzioneEsclusiva, "Opzione esclusiva"}, {CModuliCampiCore::MenuADiscesa, "Menu a discesa"},
};

QString KindLabel(int code)
{
    for (const KindEntry& entry : kKinds)
        if (entry.code == code)
            return QString::fromUtf8(entry.label);
    return QString();
}

bool FindField(CModuliCampiSet& set, qint32 id)
{
    return CContentRows::FindById(set, id);
}

bool NeedsLength(int kind)
{
    return kind == CModuliCampiCore::Alfanumerico || kind == CModuliCampiCore::Intero
           || kind == CModuliCampiCore::Decimale || kind == CModuliCampiCore::Data;
}

} // namespace

CModuliCampiCore::CModuliCampiCore(CDaoDatabase& database, CGridCore& grid) : CGridRowEditor(grid), m_db(database)
{
}

void CModuliCampiCore::SetLanguages(const QString& current, const QString& fallback)
{
    m_strCurrent = current;
    m_strDefault = fallback;
}

void CModuliCampiCore::Setup()
{
    CGridCore& grid = Grid();
    grid.SetColumnCount(4);
    grid.SetColumn(NameCol, 220, GridCell::Edit);
    grid.SetColumn(KindCol, 106, GridCell::Combo);
    grid.SetColumn(LengthCol, 40, GridCell::Edit, {}, GridCell::Right, CValueFormat::Integer, 5);
    grid.SetColumn(DecimalsCol, 40, GridCell::Edit, {}, GridCell::Right, CValueFormat::Integer, 3);
    for (const KindEntry& entry : kKinds)
        grid.AddComboItem(KindCol, QString::fromUtf8(entry.label), entry.code);
    grid.SetColumnBkColor(KindCol, QColor(255, 255, 200));
    grid.SetColumnBkColor(LengthCol, QColor(255, 255, 180));
    grid.SetColumnBkColor(DecimalsCol, QColor(255, 255, 180));
    grid.AddRow(QStringLiteral("Nome campo\tTipo\tLung.\tDec.\t"));
    grid.SetFixedFirstRow(true);
}

void CModuliCampiCore::Load(qint32 form)
{
    m_nForm = form;
    CGridCore& grid = Grid();
    grid.SetCurCell(-1, -1);
    grid.DeleteAllRows();
    // A new row not yet saved goes with the form it was typed for.
    ForgetRows();
    if (form <= 0)
        return;
    CModuliCampiSet fields(&m_db);
    fields.SetFilter(CDaoCriteria::Format(QStringLiteral("IDModulo=%d"), {form}));
    fields.m_strSort = QStringLiteral("Ordine");
    fields.Open();
    for (; !fields.IsEOF(); fields.MoveNext()) {
        bool found = false;
        AddGridRow(fields.m_ID, Label(fields.m_ID, &found), fields.m_Tipo, fields.m_Lunghezza, fields.m_Decimali);
    }
}

void CModuliCampiCore::AddGridRow(qint32 id, const QString& label, int kind, int length, int decimals)
{
    CGridCore& grid = Grid();
    const int row = grid.AddRow(QStringLiteral("\t\t\t\t"));
    grid.SetCellText(row, NameCol, label);
    grid.SetCellText(row, KindCol, KindLabel(kind));
    if (length > 0)
        grid.SetCellInt(row, LengthCol, length);
    if (decimals > 0)
        grid.SetCellInt(row, DecimalsCol, decimals);
    FormatRow(row);
    grid.SetRowData(row, id);
}

int CModuliCampiCore::KindOf(int row)
{
    if (Grid().GetCellText(row, KindCol).isEmpty())
        return -1;
    return Grid().GetCellData(row, KindCol);
}

void CModuliCampiCore::FormatRow(int row)
{
    CGridCore& grid = Grid();
    const int kind = KindOf(row);
    const bool length = kind == Alfanumerico || kind == Intero || kind == Decimale;
    grid.SetCellKind(row, LengthCol, length ? GridCell::Edit : GridCell::TextKind);
    if (kind == Data)
        grid.SetCellText(row, LengthCol, QStringLiteral("8"));
    else if (!length)
        grid.SetCellText(row, LengthCol, QString());
    grid.SetCellKind(row, DecimalsCol, kind == Decimale ? GridCell::Edit : GridCell::TextKind);
    if (kind != Decimale)
        grid.SetCellText(row, DecimalsCol, QString());
}

int CModuliCampiCore::OnCellLeave(GridNotifyInfo& info)
{
    // A kind chosen reshapes its row at once, before anything is saved.
    if (info.fromRow >= 1 && info.fromRow < Grid().GetRowCount()
        && (info.fromCol == KindCol || info.fromRow != info.toRow))
        FormatRow(info.fromRow);
    return CGridRowEditor::OnCellLeave(info);
}

int CModuliCampiCore::MissingCell(int row)
{
    if (Grid().GetCellText(row, NameCol).trimmed().isEmpty())
        return NameCol;
    const int kind = KindOf(row);
    if (kind < 0)
        return KindCol;
    FormatRow(row);
    if (NeedsLength(kind) && Grid().GetCellText(row, LengthCol).trimmed().isEmpty())
        return LengthCol;
    if (kind == Decimale && Grid().GetCellText(row, DecimalsCol).trimmed().isEmpty())
        return DecimalsCol;
    return -1;
}

QString CModuliCampiCore::Label(qint32 field, bool* found)
{
    CModuliCampiLingueSet labels(&m_db);
    for (const QString& language : {m_strCurrent, m_strDefault}) {
        labels.SetFilter(CDaoCriteria::Format(QStringLiteral("IDCampo=%d AND CodiceLingua='%s'"), {field, language}));
        if (labels.IsOpen())
            labels.Requery();
        else
            labels.Open();
        if (!labels.IsEOF()) {
            *found = language == m_strCurrent;
            return labels.m_Nome;
        }
    }
    *found = false;
    return QString();
}

void CModuliCampiCore::WriteLabel(qint32 field, const QString& language, const QString& label, bool onlyWhenMissing)
{
    CModuliCampiLingueSet labels(&m_db);
    labels.SetFilter(CDaoCriteria::Format(QStringLiteral("IDCampo=%d AND CodiceLingua='%s'"), {field, language}));
    labels.Open();
    if (!labels.IsEOF()) {
        if (onlyWhenMissing)
            return;
        labels.Edit();
    } else {
        const qint32 id = labels.GetNextID();
        labels.AddNew();
        labels.m_ID = id;
        labels.m_IDCampo = field;
        labels.m_CodiceLingua = language;
    }
    labels.m_Nome = label;
    labels.m_Modificato = true;
    labels.Update();
}

qint32 CModuliCampiCore::InsertRow(int row)
{
    if (m_nForm <= 0)
        return 0;
    CGridCore& grid = Grid();
    CModuliCampiSet fields(&m_db);
    fields.SetFilter(CDaoCriteria(QStringLiteral("ID=0 AND ID<>0")));
    fields.Open();
    const qint32 id = fields.GetNextID();
    CDaoTransaction transaction(m_db);
    fields.AddNew();
    fields.m_ID = id;
    fields.m_IDModulo = m_nForm;
    fields.m_Ordine = id;
    fields.m_Tipo = static_cast<quint8>(KindOf(row));
    fields.m_Lunghezza = static_cast<qint16>(grid.GetCellInt(row, LengthCol));
    fields.m_Decimali = static_cast<quint8>(grid.GetCellInt(row, DecimalsCol));
    fields.m_Modificato = true;
    fields.Update();
    const QString label = grid.GetCellText(row, NameCol);
    WriteLabel(id, m_strCurrent, label, false);
    if (m_strCurrent != m_strDefault)
        WriteLabel(id, m_strDefault, label, true);
    transaction.Commit();
    return id;
}

bool CModuliCampiCore::RowDiffers(int row)
{
    CGridCore& grid = Grid();
    CModuliCampiSet fields(&m_db);
    if (!FindField(fields, grid.GetRowData(row)))
        return false;
    bool found = false;
    const QString label = Label(fields.m_ID, &found);
    return !found || label != grid.GetCellText(row, NameCol) || fields.m_Tipo != KindOf(row)
           || fields.m_Lunghezza != grid.GetCellInt(row, LengthCol)
           || fields.m_Decimali != grid.GetCellInt(row, DecimalsCol);
}

void CModuliCampiCore::UpdateRow(int row)
{
    CGridCore& grid = Grid();
    CModuliCampiSet fields(&m_db);
    if (!FindField(fields, grid.GetRowData(row)))
        return;
    CDaoTransaction transaction(m_db);
    WriteLabel(fields.m_ID, m_strCurrent, grid.GetCellText(row, NameCol), false);
    fields.Edit();
    fields.m_Tipo = static_cast<quint8>(KindOf(row));
    fields.m_Lunghezza = static_cast<qint16>(grid.GetCellInt(row, LengthCol));
    fields.m_Decimali = static_cast<quint8>(grid.GetCellInt(row, DecimalsCol));
    fields.m_Modificato = true;
    fields.Update();
    transaction.Commit();
}

bool CModuliCampiCore::DeleteRecord(qint32 id)
{
    CModuliCampiSet fields(&m_db);
    if (FindField(fields, id))
        fields.Delete();
    return true;
}

qint32 CModuliCampiCore::CurrentField()
{
    const int row = CurRow();
    if (row < 1 || row >= Grid().GetRowCount())
        return 0;
    return qMax(0, Grid().GetRowData(row));
}

bool CModuliCampiCore::CanMoveUp()
{
    return !IsNewRowPending() && CurRow() > 1;
}

bool CModuliCampiCore::CanMoveDown()
{
    return !IsNewRowPending() && CurRow() >= 1 && CurRow() + 1 < Grid().GetRowCount();
}

bool CModuliCampiCore::CanEditOptions()
{
    return !IsNewRowPending() && CurrentField() > 0 && KindOf(CurRow()) == MenuADiscesa;
}

// The fields trade their order; typed changes of the row are saved first.
bool CModuliCampiCore::Move(int direction)
{
    if (direction < 0 ? !CanMoveUp() : !CanMoveDown())
        return false;
    if (IsRowModified() && !SaveRow())
        return false;
    const int row = CurRow();
    const int col = CurCol();
    const int other = row + direction;
    if (!CContentRows::SwapOrder<CModuliCampiSet>(m_db, Grid().GetRowData(row), Grid().GetRowData(other)))
        return false;
    Load(m_nForm);
    Grid().SetCurCell(other, col < 0 ? NameCol : col);
    GridNotifyInfo entered{-1, -1, other, col < 0 ? NameCol : col, {}};
    CGridRowEditor::OnCellEnter(entered);
    return true;
}
