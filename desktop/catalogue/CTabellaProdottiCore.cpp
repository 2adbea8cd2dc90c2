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

CTabellaProdottiCore::CTabellaProdottiCore(CDaoDatabase& database, CGridCore& grid)
    : COrderedTableCore(database, grid)
{
}

CTabellaProdottiCore::~CTabellaProdottiCore() = default;

QStringList CTabellaProdottiCore::DescriptionNames()
{
    return {QStringLiteral("Nome"), QStringLiteral("Descrizione fattura"), QStringLiteral("Descrizione breve"),
            QStringLiteral("Descrizione estesa")};
}

void CTabellaProdottiCore::SetColumns()
{
    for (int col = kFirstPriceCol; col < 6; ++col)
        m_grid.SetColumn(col, 70, GridCell::Edit, {}, GridCell::Right, CValueFormat::GroupedDecimal, 10, 6);
}

QString CTabellaProdottiCore::HeaderRow() const
{
    return QStringLiteral("Codice\tDescrizione\tPrezzo 1\tPrezzo 2\tPrezzo 3\tPrezzo 4\t");
}

void CTabellaProdottiCore::ChooseShownText(int index)
{
    m_nText = qBound(0, index, 3);
    Reload();
}

QVector<COrderedTableCore::Entry> CTabellaProdottiCore::LoadEntries(qint32 category)
{
    QVector<Entry> products;
    CProdottiGeneraleSet set(&m_db);
    if (category > 0) {
        set.m_bJoin = true;
        set.m_strFilter = QStringLiteral("IDCategoria=?");
        set.m_filterParams = {category};
    }
    set.m_strSort = QStringLiteral("Ordine");
    set.Open();
    for (; !set.IsEOF(); set.MoveNext())
        products.append(Entry{set.m_ID, set.m_Codice, set.m_Ordine});
    set.Close();
    return products;
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

void CTabellaProdottiCore::FillRow(int row, const Entry& product)
{
    CProdottiLingueSet rows(&m_db);
    const bool found = FindLanguageRow(rows, product.id, m_strCurrent) || FindLanguageRow(rows, product.id, m_strDefault);
    QString description;
    double prices[4] = {0, 0, 0, 0};
    if (found) {
        const QString texts[4] = {rows.m_Nome, rows.m_DescrizioneFattura, rows.m_DescrizioneBreve,
                                  rows.m_DescrizioneEstesa};
        description = texts[m_nText].left(kDescriptionLength);
        prices[0] = rows.m_Prezzo;
        prices[1] = rows.m_Prezzo2;
        prices[2] = rows.m_Prezzo3;
        prices[3] = rows.m_Prezzo4;
    }
    description.replace(QLatin1Char('\t'), QLatin1Char(' '));
    m_grid.SetCellText(row, 1, description);
    for (int k = 0; k < 4; ++k)
        m_grid.SetCellDouble(row, kFirstPriceCol + k, prices[k]);
}

QStringList CTabellaProdottiCore::RowState(int row)
{
    QStringList state;
    for (int k = 0; k < 4; ++k)
        state << m_grid.GetCellText(row, kFirstPriceCol + k);
    return state;
}

void CTabellaProdottiCore::WriteRow(int row, qint32 productId)
{
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
            rows.SetFieldValue(QLatin1String(kPriceColumns[k]), m_grid.GetCellDouble(row, kFirstPriceCol + k));
        rows.Update();
    } catch (const CDaoException&) {
        if (rows.GetEditMode() != dbEditNone)
            rows.CancelUpdate();
        throw;
    }
}

void CTabellaProdottiCore::TradeOrder(const Entry& a, const Entry& b)
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
