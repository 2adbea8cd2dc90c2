#pragma once

#include "desktop/shell/app/ITindaView.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class CDaoDatabase;
class CParAziViewCore;
class CValidatedEdit;
class QTabBar;
class QVBoxLayout;

// Page "Dati aziendali": fifteen fields of the Configurazione row. It reads
// the row when it is made and writes it, when changed, when it goes.
class CParAziDatiAziendaliDlg : public QWidget
{
    Q_OBJECT
public:
    CParAziDatiAziendaliDlg(CDaoDatabase& db, QWidget* parent = nullptr);
    ~CParAziDatiAziendaliDlg() override;

    QStringList Texts() const;
    CValidatedEdit* Edit(int id) const;
    bool IsRecordModified();
    bool SaveRecord();

private:
    std::unique_ptr<CParAziViewCore> m_core;
    QVector<CValidatedEdit*> m_edits;
};

// "Parametri aziendali": the company's data and its presentation on the
// site ("Chi siamo"). Only the page of the current tab exists; leaving a
// tab, or closing the view, saves its page.
class CParAziView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    // Makes the "Chi siamo" page; the site-content editors set it. Without
    // it the tab shows an empty page.
    using PageFactory = std::function<QWidget*(QWidget* parent)>;
    static void SetChiSiamoFactory(PageFactory factory);

    explicit CParAziView(CDaoDatabase& db, QWidget* parent = nullptr);
    ~CParAziView() override;

    void ShowPage(int page);
    int CurrentPage() const;
    CParAziDatiAziendaliDlg* CompanyPage() const { return m_pCompany; }
    QTabBar* Tabs() const { return m_pTabs; }

    // ITindaView: the shown company page is saved on close, whatever the
    // save's result (its fields have no rule to break).
    CloseRule GetCloseRule() const override { return CloseRecordLenient; }
    bool IsRecordModified() override;
    bool SaveRecord() override;
    void RefreshLanguage() override;

private:
    void LeavePage();
    void CreatePage(int page);

    CDaoDatabase& m_db;
    QTabBar* m_pTabs;
    QWidget* m_pHolder;
    QVBoxLayout* m_pHolderLayout;
    QPointer<CParAziDatiAziendaliDlg> m_pCompany;
    QPointer<QWidget> m_pPresentation;
    int m_nPage = -1;
};
