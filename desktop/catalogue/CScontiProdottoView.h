#pragma once

#include "desktop/catalogue/CScontiProdottoViewCore.h"
#include "desktop/shell/app/ITindaView.h"
#include "desktop/shell/controls/CGridCore.h"

#include <QWidget>

class CCheckTreeCtrl;
class CGridCtrl;
class CTreePopupDlg;
class CValidatedEdit;
class QComboBox;
class QLabel;
class QListWidget;
class QRadioButton;
class QTabWidget;

// "Sconti": the discounts (for an agent, the commissions) of a customer
// group or a customer on categories and products. The rules live in
// CScontiProdottoViewCore; this widget shows the lists and the three term
// pages and forwards clicks. Ticks write at once; the terms are saved
// silently when the item, the entry or the choice changes, and on close.
class CScontiProdottoView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    // The category chooser names categories in the editing language; the
    // tree and the grid always in the default language.
    CScontiProdottoView(CDaoDatabase& database, const QString& currentLanguage, const QString& defaultLanguage,
                        QWidget* parent = nullptr);
    ~CScontiProdottoView() override;

    CScontiProdottoViewCore& Core() { return m_core; }

    CloseRule GetCloseRule() const override { return CloseRecordLenient; }
    bool IsRecordModified() override;
    bool SaveRecord() override;

    // The test's and the screenshot's handles.
    QListWidget* List() const { return m_pList; }
    CCheckTreeCtrl* Tree() const { return m_pTree; }
    QTabWidget* UpperTabs() const { return m_pUpper; }
    QTabWidget* LowerTabs() const { return m_pLower; }
    CGridCtrl* ProductGrid() const { return m_pProducts; }
    CGridCtrl* StepsGrid() const { return m_pSteps; }
    QLabel* StepsNote() const { return m_pStepsNote; }
    CValidatedEdit* DefaultPercent() const { return m_default.percent; }
    CValidatedEdit* DefaultPrice() const { return m_default.price; }
    QRadioButton* DefaultPriceRadio() const { return m_default.priceRadio; }
    QWidget* Page(int index) const { return m_pages[index]; }
    CValidatedEdit* PeriodFrom() const { return m_pPeriodoDal; }

private:
    struct PricePair
    {
        QRadioButton* percentRadio = nullptr;
        QRadioButton* priceRadio = nullptr;
        CValidatedEdit* percent = nullptr;
        CValidatedEdit* price = nullptr;
    };

    QWidget* BuildLeft();
    QWidget* BuildCategoryPage();
    QWidget* BuildProductPage();
    QWidget* BuildDefaultPage();
    QWidget* BuildPeriodPage();
    QWidget* BuildQuantityPage();
    void BuildPricePair(QWidget* page, PricePair& pair, class QGridLayout* layout, int row);
    CValidatedEdit* PercentEdit(QWidget* parent);
    void AddValidity(QWidget* page, class QGridLayout* layout, CValidatedEdit*& dal, CValidatedEdit*& al);

    CScontiProdottoViewCore::Terms Typed() const;
    void Show(const CScontiProdottoViewCore::Terms& terms);
    void ShowPair(PricePair& pair, const QString& percent, const QString& price);
    void ChoosePair(PricePair& pair, bool percent);
    void SaveSilently();
    void FillList();
    void FillTree();
    void FillGrid();
    void ShowProducts(int first);
    int PageProducts(CGridCore::PagingMessage message, int position);
    void ApplyWording();
    void ReloadPages();
    void CurrentFromUpperPage();
    void OnKind(CScontiProdottoViewCore::Kind kind);
    void OnUpperTab(int index);

    CScontiProdottoViewCore m_core;
    QString m_strCurrent;
    QString m_strDefault;
    QLabel* m_pListTitle = nullptr;
    QListWidget* m_pList = nullptr;
    QRadioButton* m_pGroups = nullptr;
    QRadioButton* m_pCustomers = nullptr;
    QTabWidget* m_pUpper = nullptr;
    CCheckTreeCtrl* m_pTree = nullptr;
    CValidatedEdit* m_pCategory = nullptr;
    CTreePopupDlg* m_pPopup = nullptr;
    qint32 m_nCategory = 0;   // 0: all categories
    QVector<qint32> m_productIds;
    int m_nFirst = 0;
    QComboBox* m_pVisualizza = nullptr;
    CGridCtrl* m_pProducts = nullptr;
    QTabWidget* m_pLower = nullptr;
    QWidget* m_pages[3] = {};
    PricePair m_default;
    PricePair m_period;
    CValidatedEdit* m_pPeriodoDal = nullptr;
    CValidatedEdit* m_pPeriodoAl = nullptr;
    CValidatedEdit* m_pQuantitaDal = nullptr;
    CValidatedEdit* m_pQuantitaAl = nullptr;
    CGridCtrl* m_pSteps = nullptr;
    QLabel* m_pStepsNote = nullptr;
    QLabel* m_pricePairLabels[2] = {};
    bool m_bFilling = false;
};
