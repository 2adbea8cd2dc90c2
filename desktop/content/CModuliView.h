#pragma once

#include "desktop/content/CModuliViewCore.h"
#include "desktop/shell/app/ITindaView.h"

#include <QWidget>

#include <functional>

class CGridCtrl;
class CValidatedEdit;
class QPlainTextEdit;
class QToolButton;

// "Moduli": one site form at a time, its mail address and subject, its
// name and description in the editing language, and the grid of its
// fields. The rules are CModuliViewCore.
class CModuliView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    enum Button { AddField, DeleteField, Options, UpField, DownField, ButtonCount };

    CModuliView(CDaoDatabase& database, const QString& currentLanguage, const QString& defaultLanguage,
                QWidget* parent = nullptr);

    CModuliViewCore& Core() { return m_core; }
    CGridCtrl* Grid() const { return m_pGrid; }
    CValidatedEdit* Codice() const { return m_pCodice; }
    CValidatedEdit* Nome() const { return m_pNome; }
    CValidatedEdit* Email() const { return m_pEmail; }
    CValidatedEdit* Oggetto() const { return m_pOggetto; }
    QPlainTextEdit* Descrizione() const { return m_pDescrizione; }
    QToolButton* GetButton(int button) const { return m_buttons[button]; }
    void Press(int button);
    void Pull();
    void Refresh();

    std::function<QString()> m_currentLanguage;
    std::function<QString()> m_defaultLanguage;
    std::function<void()> m_selectDefaultLanguage;
    // Opens the options of a drop-down field.
    std::function<void(qint32 field)> m_editOptions;

    // ITindaView
    CloseRule GetCloseRule() const override { return CloseFormWithGrid; }
    QString GetInsertCaption() const override { return QStringLiteral("Inserimento modulo"); }
    bool IsInsertingRecord() const override { return m_core.IsInserting(); }
    bool IsRecordModified() override;
    bool SaveRecord() override;
    bool IsFieldRowPending() const override { return m_pendingRow(); }
    bool SaveFieldGrid() override;
    CGridCore* GetPendingGrid() override;
    int GetPendingRow() const override;
    int GetPendingCol() const override;
    void RefreshLanguage() override;
    bool IsViewCommandEnabled(int id) override;
    bool IsViewCommandChecked(int id) override;
    void OnViewCommand(int id) override;

private:
    template <typename F> void Guard(F&& step);
    void ShowButtons();
    void Focus(CModuliViewCore::Field field);

    CGridCtrl* m_pGrid;
    CModuliViewCore m_core;
    CValidatedEdit* m_pCodice = nullptr;
    CValidatedEdit* m_pNome = nullptr;
    CValidatedEdit* m_pEmail = nullptr;
    CValidatedEdit* m_pOggetto = nullptr;
    QPlainTextEdit* m_pDescrizione = nullptr;
    QToolButton* m_buttons[ButtonCount] = {};
    std::function<bool()> m_pendingRow;
    bool m_bRefreshing = false;
};
