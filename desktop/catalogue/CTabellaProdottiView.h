#pragma once

#include "desktop/catalogue/CTabellaProdottiCore.h"
#include "desktop/shell/app/ITindaView.h"

#include <QWidget>

class CTreePopupDlg;
class CDaoDatabase;
class CGridCtrl;
class CValidatedEdit;
class QComboBox;
class QToolButton;

// "Tabella prodotti": the products with their four list prices in the
// editing language, edited in place, and Move up / Move down for their
// display order. The rules are CTabellaProdottiCore's; this widget shows
// the grid and forwards the grid's notifications and the buttons to it.
// A changed row is saved when the frame closes, and a failed save keeps
// the frame open on that row.
class CTabellaProdottiView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    CTabellaProdottiView(CDaoDatabase& database, const QString& currentLanguage, const QString& defaultLanguage,
                         QWidget* parent = nullptr);
    ~CTabellaProdottiView() override;

    CTabellaProdottiCore& Core() { return m_core; }
    CGridCtrl* Grid() const { return m_pGrid; }
    QToolButton* UpButton() const { return m_pUp; }
    QToolButton* DownButton() const { return m_pDown; }
    QComboBox* DescriptionCombo() const { return m_pDescription; }
    void ChooseCategory(qint32 id, const QString& text);

    // ITindaView
    CloseRule GetCloseRule() const override { return CloseGrid; }
    bool IsRowModified() override;
    bool SaveRow() override;
    CGridCore* GetPendingGrid() override;
    int GetPendingRow() const override { return m_core.CurRow(); }
    int GetPendingCol() const override { return m_core.CurCol(); }
    bool CanChangeLanguage() override;
    void RefreshLanguage() override;

    // The main frame's languages, read when the language changes.
    std::function<QString()> m_currentLanguage;
    std::function<QString()> m_defaultLanguage;

private:
    void ConnectGrid();
    void UpdateButtons();
    void ShowError();

    CDaoDatabase& m_db;
    CGridCtrl* m_pGrid = nullptr;
    CTabellaProdottiCore m_core;
    CValidatedEdit* m_pCategory = nullptr;
    QToolButton* m_pChoose = nullptr;
    CTreePopupDlg* m_pPopup = nullptr;
    QComboBox* m_pDescription = nullptr;
    QToolButton* m_pUp = nullptr;
    QToolButton* m_pDown = nullptr;
};
