#include "desktop/catalogue/CCorrPickerCore.h"

#include "desktop/catalogue/CCorrelazioniCore.h"
#include "desktop/shell/controls/CGridCore.h"
#include "recordset/CArticoliGenSet.h"
#include "recordset/CArticoliLinSet.h"
#include "recordset/CBannerSet.h"
#include "recordset/CProdottiGeneraleSet.h"
#include "recordset/CProdottiLingueSet.h"

namespace {

// Every kind's records, without the owner when it is of that kind.
QString BaseFilter(int kind)
{
    return kind == CCorrelazioniCore::Prodotto ? QStringLiteral("IDProdottoBase=0 AND ID<>?")
                                               : QStringLiteral("ID<>?");
}

} // namespace

PickerLayout CCorrPickerCore::LayoutOf(int kind)
{
    switch (kind) {
    case CCorrelazioniCore::Prodotto:
        return PickerLayout::Prodotti();
    case CCorrelazioniCore::Articolo:
        return PickerLayout::Articoli();
    default:
        return PickerLayout::Banner();
    }
}

CCorrPickerCore::CCorrPickerCore(IPickerTicks& links, int kind, CGridCore& grid, const QString& defaultLanguage)
    : CSelPickerCore(LayoutOf(kind), grid), m_links(links), m_nKind(kind), m_strDefault(defaultLanguage)
{
    CDaoDatabase* db = &links.Database();
    switch (kind) {
    case CCorrelazioniCore::Prodotto:
        m_pProdotti = std::make_unique<CProdottiGeneraleSet>(db);
        m_pProdotti->m_strSort = QStringLiteral("Ordine");
        m_pProdottiLingue = std::make_unique<CProdottiLingueSet>(db);
        m_pProdottiLingue->Open();
        break;
    case CCorrelazioniCore::Articolo:
        m_pArticoli = std::make_unique<CArticoliGenSet>(db);
        m_pArticoli->m_strSort = QStringLiteral("Ordine");
        m_pArticoliLingue = std::make_unique<CArticoliLinSet>(db);
        m_pArticoliLingue->Open();
        break;
    default:
        m_pBanner = std::make_unique<CBannerSet>(db);
        m_pBanner->m_strSort = QStringLiteral("Codice");
        break;
    }
    const qint32 owner = links.OwnerKind() == kind ? links.OwnerId() : 0;
    Records().m_strFilter = BaseFilter(kind);
    Records().m_filterParams = {owner};
    Records().Open();
    SetRecordset(&Records());
}

CCorrPickerCore::~CCorrPickerCore() = default;

CDaoRecordset& CCorrPickerCore::Records()
{
    if (m_pProdotti)
        return *m_pProdotti;
    if (m_pArticoli)
        return *m_pArticoli;
    return *m_pBanner;
}

qint32 CCorrPickerCore::RecordId()
{
    if (m_pProdotti)
        return m_pProdotti->m_ID;
    if (m_pArticoli)
        return m_pArticoli->m_ID;
    return m_pBanner->m_ID;
}

// The texts after the tick: code and the chosen description of a product,
// the chosen text of an article, code and link of a banner.
QStringList CCorrPickerCore::RowTexts()
{
    const int view = ViewIndex();
    if (m_pProdotti) {
        QString text;
        if (m_pProdottiLingue->FindFirst(QStringLiteral("IDProdotto=? AND CodiceLingua=?"),
                                         {m_pProdotti->m_ID, m_strDefault})) {
            const QString texts[] = {m_pProdottiLingue->m_Nome, m_pProdottiLingue->m_DescrizioneFattura,
                                     m_pProdottiLingue->m_DescrizioneBreve, m_pProdottiLingue->m_DescrizioneEstesa};
            text = texts[qBound(0, view, 3)];
        }
        return {m_pProdotti->m_Codice, text};
    }
    if (m_pArticoli) {
        QString text;
        if (m_pArticoliLingue->FindFirst(QStringLiteral("IDArticolo=? AND CodiceLingua=?"),
                                         {m_pArticoli->m_ID, m_strDefault})) {
            const QString texts[] = {m_pArticoliLingue->m_Titolo, m_pArticoliLingue->m_Sottotitolo,
                                     m_pArticoliLingue->m_Testo};
            text = texts[qBound(0, view, 2)];
        }
        return {text};
    }
    return {m_pBanner->m_Codice, m_pBanner->m_Link};
}

void CCorrPickerCore::AddRecordRow(int index)
{
    QString line = QStringLiteral("\t");
    for (QString text : RowTexts())
        line += text.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '))
                + QLatin1Char('\t');
    const qint32 id = RecordId();
    const int row = Grid().AddRow(line, index);
    Grid().SetRowData(row, id);
    Grid().SetCellCheck(row, 0, m_links.IsLinked(m_nKind, id) ? 1 : 0);
}

void CCorrPickerCore::OnCellEnter(const GridNotifyInfo& info)
{
    if (info.toRow < 1 || info.toRow >= Grid().GetRowCount())
        return;
    m_links.SetLinked(m_nKind, Grid().GetRowData(info.toRow), Grid().GetCellCheck(info.toRow, 0) != 0);
}

void CCorrPickerCore::Filter(const QString& filter, const QVariantList& params)
{
    Records().m_strFilter = filter;
    Records().m_filterParams = params;
    Records().Close();   // a new filter text needs a new statement
    Records().Open();
}

void CCorrPickerCore::ApplyFilter(bool filtered, qint32 id)
{
    const qint32 owner = m_links.OwnerKind() == m_nKind ? m_links.OwnerId() : 0;
    QString filter = BaseFilter(m_nKind);
    QVariantList params{owner};
    if (filtered && m_nKind == CCorrelazioniCore::Prodotto) {
        filter += QStringLiteral(" AND ID IN (SELECT IDProdotto FROM CategorieProdotti WHERE IDCategoria=?)");
        params << id;
    } else if (filtered && m_nKind == CCorrelazioniCore::Articolo) {
        filter += QStringLiteral(" AND ID IN (SELECT IDArticolo FROM SezioniArticoli WHERE IDSezione=?)");
        params << id;
    }
    Filter(filter, params);
}
