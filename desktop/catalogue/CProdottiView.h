#pragma once

#include "desktop/catalogue/CProdottiViewCore.h"
#include "desktop/shell/app/ITindaView.h"

#include <QWidget>

#include <functional>

class CCheckTreePopupDlg;
class CProdottiColoriDlg;
class CProdottiCustomDlg;
class CProdottiFilesDlg;
class CProdottiGeneraleDlg;
class CProdottiImmagineDlg;
class CProdottiPrezziDlg;
class CProdottiTaglieDlg;
class CProdottoFotoFrame;
class CValidatedEdit;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QTreeWidgetItem;

// "Scheda" of the products: the product card with its code, summary,
// picture, category popup and seven pages. The rules are
// CProdottiViewCore; this widget copies its controls into the core's form
// before each action and shows the core's state after it. A variants
// window is the same card on the variants of one base product.
class CProdottiView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    CProdottiView(CDaoDatabase& database, const QString& projectFolder, const QString& currentLanguage,
                  const QString& defaultLanguage, qint32 baseProduct = 0, QWidget* parent = nullptr);
    ~CProdottiView() override;

    CProdottiViewCore& Core() { return m_core; }
    CDaoDatabase& Database() { return m_db; }


    // The main frame's languages and its selection of the default one;
    // the opening of a variants window (base product, caption).
    std::function<QString()> m_currentLanguage;
    std::function<QString()> m_defaultLanguage;
    std::function<void()> m_selectDefaultLanguage;
    std::function<void(qint32 base, const QString& caption)> m_openVariants;

    // The picture shown changed (the image page edited it): redraw.
    void ImageChanged();
    // Copies the controls into the core's form and shows the core's state.
    void Pull();
    void Refresh();
    void ShowTab(int tab);

    // The controls, for the pages and the tests.
    CValidatedEdit* CodiceEdit() const { return m_pCodice; }
    CProdottiGeneraleDlg* GeneralePage() const { return m_pGenerale; }
    CProdottiPrezziDlg* PrezziPage() const { return m_pPrezzi; }
    CProdottiImmagineDlg* ImmaginePage() const { return m_pImmagine; }
    CProdottiColoriDlg* ColoriPage() const { return m_pColori; }
    CProdottiTaglieDlg* TagliePage() const { return m_pTaglie; }
    CProdottiCustomDlg* CustomPage() const { return m_pCustom; }
    CProdottiFilesDlg* FilesPage() const { return m_pFiles; }
    CProdottoFotoFrame* FotoFrame() const { return m_pFoto; }
    CCheckTreePopupDlg* CategoryPopup() const { return m_pPopup; }
    QPushButton* CategoryButton() const { return m_pCategorie; }
    QLabel* SummaryLabel() const { return m_pSummary; }
    QTabBar* Tabs() const { return m_pTabs; }
    QWidget* Page(int tab) const;

    // ITindaView
    CloseRule GetCloseRule() const override { return CloseInsertGuarded; }
    QString GetInsertCaption() const override { return QStringLiteral("Inserimento prodotto"); }
    bool IsInsertingRecord() const override { return m_core.IsInserting(); }
    bool IsRecordModified() override;
    bool SaveRecord() override;
    bool CanChangeLanguage() override;
    void RefreshLanguage() override;
    bool IsViewCommandEnabled(int id) override;
    bool IsViewCommandChecked(int id) override;
    void OnViewCommand(int id) override;

private:
    template <typename F> void Guard(F&& step);
    void BuildCategoryTree();
    void ShowTicks();
    void OnCategoryClick(QTreeWidgetItem* item);
    void OnTabChanged(int tab);
    void ShowFailure(const CProdottiViewCore::Failure& failure);
    void OpenVariants();
    void OpenCorrelations();
    void MakePages(const QString& projectFolder);
    void LoadPages();
    int CheckPages();

    CDaoDatabase& m_db;
    CProdottiViewCore m_core;
    QString m_strCurrent;
    QString m_strDefault;
    CValidatedEdit* m_pCodice = nullptr;
    QLabel* m_pSummary = nullptr;
    QPushButton* m_pCategorie = nullptr;
    CProdottoFotoFrame* m_pFoto = nullptr;
    QTabBar* m_pTabs = nullptr;
    QStackedWidget* m_pPages = nullptr;
    CProdottiGeneraleDlg* m_pGenerale = nullptr;
    CProdottiPrezziDlg* m_pPrezzi = nullptr;
    CProdottiImmagineDlg* m_pImmagine = nullptr;
    CProdottiColoriDlg* m_pColori = nullptr;
    CProdottiTaglieDlg* m_pTaglie = nullptr;
    CProdottiCustomDlg* m_pCustom = nullptr;
    CProdottiFilesDlg* m_pFiles = nullptr;
    int m_nLoadedShown = -1;   // the core's ShownCount the pages were loaded for
    int m_nLoadedTab = -1;     // and the tab that was current then
    CCheckTreePopupDlg* m_pPopup = nullptr;
    bool m_bRefreshing = false;
};
