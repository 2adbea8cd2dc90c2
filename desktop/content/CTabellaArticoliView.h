#pragma once

#include "desktop/content/CTabellaArticoliCore.h"
#include "desktop/shell/app/ITindaView.h"

#include <QWidget>

class CTreePopupDlg;
class CDaoDatabase;
class CGridCtrl;
class CValidatedEdit;
class QComboBox;
class QToolButton;

// "Tabella articoli": the articles of a section with their publication
// dates and "Attivo", edited in place, and Move up / Move down for their
// order. The rules are CTabellaArticoliCore's; this widget shows the grid
// and forwards the grid's notifications and the buttons to it. A changed
// row is saved when the frame closes, and a failed save keeps the frame
// open on that row.
class CTabellaArticoliView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    CTabellaArticoliView(CDaoDatabase& database, const QString& currentLanguage, const QString& defaultLanguage,
                         QWidget* parent = nullptr);
    ~CTabellaArticoliView() override;

    CTabellaArticoliCore& Core() { return m_core; }
    CGridCtrl* Grid() const { return m_pGrid; }
    QToolButton* UpButton() const { return m_pUp; }
    QToolButton* DownButton() const { return m_pDown; }
    QComboBox* TextCombo() const { return m_pText; }
    void ChooseSection(qint32 id, const QString& text);

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
    CTabellaArticoliCore m_core;
    CValidatedEdit* m_pSection = nullptr;
    QToolButton* m_pChoose = nullptr;
    CTreePopupDlg* m_pPopup = nullptr;
    QComboBox* m_pText = nullptr;
    QToolButton* m_pUp = nullptr;
    QToolButton* m_pDown = nullptr;
};
