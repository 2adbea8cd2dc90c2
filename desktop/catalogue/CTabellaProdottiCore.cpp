#include "desktop/catalogue/CTabellaProdottiCore.h"

#include "desktop/shell/controls/CValueFormat.h"
#include "platform/dao/CDaoException.h"
#include "recordset/CProdottiGeneraleSet.h"
#include "recordset/CProdottiLingueSet.h"


namespace {

constexpr int kFirstPriceCol = 2;
constexpr int kDescriptionLength = 100;

const char* const kPriceColumns[4] = {"Prezzo", "Prezzo2", "Prezzo3", "Prezzo4"};

} // namespace

CTabellaProdottiCore::CTabellaProdottiCore(CDaoDatabase& database, CGridCore& grid) : m_db(database), m_grid(grid)
{
}

CTabellaProdottiCore::~CTabellaProdottiCore() = default;

QStringList CTabellaProdottiCore::DescriptionNames()
{
    return {QStringLiteral("Nome"), QStringLiteral("Descrizione fattura"), QStringLiteral("Descrizione breve"),
            QStringLiteral("Descrizione estesa")};
}

void CTabellaProdottiCore::SetLanguages(const QString& current, const QString& fallback)
{
    m_strCurrent = current;
    m_strDefault = fallback;
}

void CTabellaProdottiCore::Start()
{
    m_grid.SetColumnCount(6);
    m_grid.SetColumn(0, 70, GridCell::TextKind);
    m_grid.SetColumn(1, 228, GridCell::TextKind);
    for (int col = kFirstPriceCol; col < 6; ++col)
        m_grid.SetColumn(col, 70, GridCell::Edit, {}, GridCell::Right, CValueFormat::GroupedDecimal, 10, 6);
    m_grid.SetVirtualMode(true, kRowsPerPage);
    LoadProducts();
    ShowPage(0);
}

void CTabellaProdottiCore::ChooseCategory(qint32 id)
{
    m_nCategory = id;
    LoadProducts();
    ShowPage(0);
}

void CTabellaProdottiCore::ChooseDescription(int description)
{
    m_nDescription = qBound(0, description, 3);
    ShowPage(m_nFirst);
}

void CTabellaProdottiCore::LoadProducts()
{
    m_products.clear();
    CProdottiGeneraleSet set(&m_db);
    if (m_nCategory > 0) {
        set.m_bJoin = true;
        set.m_strFilter = QStringLiteral("IDCategoria=?");
        set.m_filterParams = {m_nCategory};
    }
    set.m_strSort = QStringLiteral("Ordine");
    set.Open();
    for (; !set.IsEOF(); set.MoveNext())
        m_products.append(Product{set.m_ID, set.m_Codice, set.m_Ordine});
    set.Close();
    m_grid.SetVirtualPos(1);
    m_grid.SetVirtualCount(m_products.size());
}

void CTabellaProdottiCore::ShowPage(int first)
{
    m_nFirst = qMax(0, qMin(first, static_cast<int>(m_products.size()) - kRowsPerPage));
    m_grid.SetCurCell(-1, -1);
    m_nCurRow = m_nCurCol = -1;
    m_grid.DeleteAllRows();   // the header row stays
    if (m_grid.GetRowCount() == 0) {
        m_grid.AddRow(QStringLiteral("Codice\tDescrizione\tPrezzo 1\tPrezzo 2\tPrezzo 3\tPrezzo 4\t"));
        m_grid.SetFixedFirstRow(true);
        for (int col = 0; col < 6; ++col)
            m_grid.SetCellAlign(0, col, GridCell::Centre);
    }
    m_grid.SetCellText(0, 1, DescriptionNames().at(m_nDescription));
    m_shownPrices = {QStringList()};
    const int last = qMin(static_cast<int>(m_products.size()), m_nFirst + kRowsPerPage);
    for (int i = m_nFirst; i < last; ++i)
        AddGridRow(m_products.at(i));
}

// The editing language's row, else the default language's.
bool CTabellaProdottiCore::FindLanguageRow(CProdottiLingueSet& rows, qint32 productId, const QString& language)
{
    rows.m_strFilter = QStringLiteral("IDProdotto=? AND CodiceLingua=?");
    rows.m_filterParams = {productId, language};
    if (rows.IsOpen())
        rows.Requery();
    else
        rows.Open();
    return !rows.IsEOF();
}

void CTabellaProdottiCore::AddGridRow(const Product& product)
{
    CProdottiLingueSet rows(&m_db);
    const bool found = FindLanguageRow(rows, product.id, m_strCurrent) || FindLanguageRow(rows, product.id, m_strDefault);
    QString description;
    double prices[4] = {0, 0, 0, 0};
    if (found) {
        const QString texts[4] = {rows.m_Nome, rows.m_DescrizioneFattura, rows.m_DescrizioneBreve,
                                  rows.m_DescrizioneEstesa};
        description = texts[m_nDescription].left(kDescriptionLength);
        prices[0] = rows.m_Prezzo;
        prices[1] = rows.m_Prezzo2;
        prices[2] = rows.m_Prezzo3;
        prices[3] = rows.m_Prezzo4;
    }
    description.replace(QLatin1Char('\t'), QLatin1Char(' '));
    const int row = m_grid.AddRow(QStringLiteral("\t\t\t\t\t\t"));
    m_grid.SetCellText(row, 0, product.code);
    m_grid.SetCellText(row, 1, description);
    QStringList shown;
    for (int k = 0; k < 4; ++k) {
        m_grid.SetCellDouble(row, kFirstPriceCol + k, prices[k]);
        shown << m_grid.GetCellText(row, kFirstPriceCol + k);
    }
    m_grid.SetRowData(row, product.id);
    m_shownPrices.append(shown);
}

int CTabellaProdottiCore::ProductIndex() const
{
    return m_nCurRow >= 1 ? m_nFirst + m_nCurRow - 1 : -1;
}

void CTabellaProdottiCore::CellEnter(const GridNotifyInfo& info)
{
    m_nCurRow = info.toRow;
    m_nCurCol = info.toCol;
}

int CTabellaProdottiCore::CellLeave(GridNotifyInfo& info)
{
    // The leave step toward (0, 0) that comes before a paging message is
    // answered by the paging, which saves first.
    if (info.toRow <= 0 || info.toRow == info.fromRow)
        return 0;
    if (!SaveIfModified())
        return 1;
    return 0;
}

bool CTabellaProdottiCore::IsRowModified()
{
    if (m_nCurRow < 1 || m_nCurRow >= m_grid.GetRowCount() || m_nCurRow >= m_shownPrices.size())
        return false;
    for (int k = 0; k < 4; ++k)
        if (m_grid.GetCellText(m_nCurRow, kFirstPriceCol + k) != m_shownPrices.at(m_nCurRow).at(k))
            return true;
    return false;
}

bool CTabellaProdottiCore::SaveIfModified()
{
    return !IsRowModified() || SaveRow();
}

bool CTabellaProdottiCore::SaveRow()
{
    m_strError.clear();
    if (m_nCurRow < 1 || m_nCurRow >= m_grid.GetRowCount())
        return true;
    const qint32 productId = m_grid.GetRowData(m_nCurRow);
    CProdottiLingueSet rows(&m_db);
    try {
        if (FindLanguageRow(rows, productId, m_strCurrent)) {
            rows.Edit();
        } else {
            // The editing language has no row yet: it is made now, with the
            // default language's texts, so the prices never land in another
            // language's row.
            CProdottiLingueSet fallback(&m_db);
            const bool hasTexts = FindLanguageRow(fallback, productId, m_strDefault);
            const qint32 id = rows.GetNextID();
            rows.AddNew();
            rows.m_ID = id;
            rows.m_IDProdotto = productId;
            rows.m_CodiceLingua = m_strCurrent;
            if (hasTexts) {
                rows.m_Nome = fallback.m_Nome;
                rows.m_DescrizioneFattura = fallback.m_DescrizioneFattura;
                rows.m_DescrizioneBreve = fallback.m_DescrizioneBreve;
                rows.m_DescrizioneEstesa = fallback.m_DescrizioneEstesa;
                rows.m_UM = fallback.m_UM;
                rows.m_Sort = fallback.m_Sort;
            }
        }
        for (int k = 0; k < 4; ++k)
            rows.SetFieldValue(QLatin1String(kPriceColumns[k]), m_grid.GetCellDouble(m_nCurRow, kFirstPriceCol + k));
        rows.Update();
    } catch (const CDaoException& e) {
        m_strError = e.GetErrorMessage();
        if (rows.GetEditMode() != dbEditNone)
            rows.CancelUpdate();
        return false;
    }
    QStringList shown;
    for (int k = 0; k < 4; ++k)
        shown << m_grid.GetCellText(m_nCurRow, kFirstPriceCol + k);
    m_shownPrices[m_nCurRow] = shown;
    return true;
}

int CTabellaProdottiCore::Paging(CGridCore::PagingMessage message, int position)
{
    if (!SaveIfModified())
        return 0;
    const int count = m_products.size();
    const int lastFirst = qMax(0, count - kRowsPerPage);
    int first = m_nFirst;
    switch (message) {
    case CGridCore::MsgLineUp: first = m_nFirst - 1; break;
    case CGridCore::MsgLineDown: first = m_nFirst + 1; break;
    case CGridCore::MsgPageUp: first = m_nFirst - kRowsPerPage; break;
    case CGridCore::MsgPageDown: first = m_nFirst + kRowsPerPage; break;
    case CGridCore::MsgThumb: first = position - 1; break;
    }
    first = qBound(0, first, lastFirst);
    m_grid.SetCurCell(-1, -1);
    m_nCurRow = m_nCurCol = -1;
    if (first == m_nFirst)
        return 0;
    ShowPage(first);
    return first + 1;
}

bool CTabellaProdottiCore::CanMoveUp() const
{
    const int index = ProductIndex();
    return index > 0 && index < m_products.size();
}

bool CTabellaProdottiCore::CanMoveDown() const
{
    const int index = ProductIndex();
    return index >= 0 && index + 1 < m_products.size();
}

void CTabellaProdottiCore::TradeOrder(const Product& a, const Product& b)
{
    CProdottiGeneraleSet set(&m_db);
    set.m_strFilter = QStringLiteral("ID=?");
    for (const auto& [from, to] : {std::pair{a, b}, std::pair{b, a}}) {
        set.m_filterParams = {from.id};
        if (set.IsOpen())
            set.Requery();
        else
            set.Open();
        if (set.IsEOF())
            throw CDaoException(QStringLiteral("Prodotto %1 non trovato.").arg(from.id));
        set.Edit();
        set.m_Ordine = to.order;
        set.Update();
    }
}

// The cursor's product trades places with its neighbour in the list shown;
// typed prices are saved first, and the product stays current.
bool CTabellaProdottiCore::Move(int direction)
{
    if (direction < 0 ? !CanMoveUp() : !CanMoveDown())
        return false;
    if (!SaveIfModified())
        return false;
    const int index = ProductIndex();
    const int other = index + direction;
    const int col = m_nCurCol;
    try {
        TradeOrder(m_products.at(index), m_products.at(other));
    } catch (const CDaoException& e) {
        m_strError = e.GetErrorMessage();
        return false;
    }
    std::swap(m_products[index].order, m_products[other].order);
    m_products.swapItemsAt(index, other);
    int first = m_nFirst;
    if (other < first)
        first = other;
    else if (other >= first + kRowsPerPage)
        first = other - kRowsPerPage + 1;
    ShowPage(first);
    m_nCurRow = other - m_nFirst + 1;
    m_nCurCol = col;
    m_grid.SetCurCell(m_nCurRow, m_nCurCol);
    return true;
}
