#pragma once

#include "desktop/orders/COrdineStati.h"

#include <QWidget>

#include <functional>

class CGridCtrl;
class COrdiniViewCore;
class CValidatedEdit;
class QCheckBox;
class QComboBox;
class QLabel;
class QToolButton;

// The page "  Stato ordine  ": the order's state history in a grid, the
// predefined states, a free text, add and delete, and "Pagato". The
// history stays on the page until the view saves the order.
class COrdineStatoDlg : public QWidget
{
    Q_OBJECT
public:
    COrdineStatoDlg(COrdiniViewCore& core, QWidget* parent = nullptr);

    // Opens the predefined states dialog ("..."); the combo is refilled after.
    std::function<void()> m_editPredefined;

    void Show(const QString& language, bool paid, const QList<COrdineStati::Entry>& entries);
    QList<COrdineStati::Entry> Entries() const;
    bool Paid() const;
    void FillPredefinedStates();

    // "Aggiungi": the chosen predefined state (in the order's language) or
    // the free text, stamped now, after the current row.
    void AddState();
    // "Elimina" with its question.
    void DeleteState();
    // The shipped state the view asks for once every line is shipped.
    void AppendEntry(const COrdineStati::Entry& entry);

    CGridCtrl* Grid() const { return m_pGrid; }
    QComboBox* Combo() const { return m_pCombo; }
    CValidatedEdit* FreeText() const { return m_pText; }
    QToolButton* DeleteButton() const { return m_pDelete; }

private:
    void SetEntries(const QList<COrdineStati::Entry>& entries);

    COrdiniViewCore& m_core;
    CGridCtrl* m_pGrid;
    QComboBox* m_pCombo;
    CValidatedEdit* m_pText;
    QLabel* m_pCaption;
    QToolButton* m_pAdd;
    QToolButton* m_pDelete;
    QCheckBox* m_pPagato;
    bool m_bNotifyEdits = true;
};
