#pragma once

#include "desktop/orders/CStatiPredefinitiCore.h"

#include <QDialog>

class CValidatedEdit;
class QComboBox;
class QListWidget;
class QToolButton;

// "Gestione stati predefiniti": the order states in the editing language,
// added, renamed and deleted at once, and the states chosen for an order
// received and shipped, stored when the dialog closes.
class CStatiPredefinitiDlg : public QDialog
{
    Q_OBJECT
public:
    CStatiPredefinitiDlg(CDaoDatabase& db, const QString& currentLanguage, const QString& defaultLanguage,
                         QWidget* parent = nullptr);

    CStatiPredefinitiCore& Core() { return m_core; }
    QListWidget* List() const { return m_pList; }
    CValidatedEdit* TextField() const { return m_pText; }
    QComboBox* Received() const { return m_pRicevuto; }
    QComboBox* Shipped() const { return m_pEvaso; }

    void OnAdd();
    void OnSave();
    void OnDelete();
    void done(int result) override;

private:
    void FillStates();
    void SelectState();
    void ClearSelection();
    static void SelectData(QComboBox* combo, qint32 id);

    CStatiPredefinitiCore m_core;
    CValidatedEdit* m_pText;
    QListWidget* m_pList;
    QToolButton* m_pAdd;
    QToolButton* m_pSave;
    QToolButton* m_pDelete;
    QComboBox* m_pRicevuto;
    QComboBox* m_pEvaso;
};
