#pragma once

#include "desktop/shell/controls/CSelPickerCore.h"

#include <memory>

class CArticoliGenSet;
class CArticoliLinSet;
class CBannerSet;
class IPickerTicks;
class CDaoRecordset;
class CProdottiGeneraleSet;
class CProdottiLingueSet;

// A page of the correlations dialog (or of the access rights) that picks
// products (base products only), articles or banners: a row is ticked
// while the link between the owner and its record exists (IPickerTicks),
// and a tick adds or removes that link at once. Texts are shown in the default language. The owner itself
// is not offered.
class CCorrPickerCore : public CSelPickerCore
{
public:
    // kind: CCorrelazioniCore::Prodotto, Articolo or Banner.
    CCorrPickerCore(IPickerTicks& links, int kind, CGridCore& grid, const QString& defaultLanguage);
    ~CCorrPickerCore() override;

    static PickerLayout LayoutOf(int kind);

    void AddRecordRow(int index) override;
    void OnCellEnter(const GridNotifyInfo& info) override;

protected:
    void ApplyFilter(bool filtered, qint32 id) override;

private:
    CDaoRecordset& Records();
    qint32 RecordId();
    QStringList RowTexts();
    void Filter(const QString& filter, const QVariantList& params);

    IPickerTicks& m_links;
    int m_nKind;
    QString m_strDefault;
    std::unique_ptr<CProdottiGeneraleSet> m_pProdotti;
    std::unique_ptr<CProdottiLingueSet> m_pProdottiLingue;
    std::unique_ptr<CArticoliGenSet> m_pArticoli;
    std::unique_ptr<CArticoliLinSet> m_pArticoliLingue;
    std::unique_ptr<CBannerSet> m_pBanner;
};
