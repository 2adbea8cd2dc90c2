#pragma once

#include "desktop/catalogue/CProdottiColoriCore.h"

#include <QWidget>

class CClickListCtrl;
class CValidatedEdit;
class QCheckBox;
class QLabel;
class QPushButton;
class QToolButton;

// Tab page "Colori" of the product card: the product's colours as a list of
// thumbnails, the fields of the colour clicked, and the pictures chosen for
// it. The card creates it when the tab is shown and calls LoadColours with
// the product's ID (again from ShowRecord while it is current). The rules
// are CProdottiColoriCore.
class CProdottiColoriDlg : public QWidget
{
    Q_OBJECT
public:
    CProdottiColoriDlg(CDaoDatabase& db, const QString& projectFolder, const CProdottiColoriCore::Widths& widths,
                       QWidget* parent = nullptr);

    void LoadColours(qint32 productId);
    CProdottiColoriCore& Core() { return m_core; }

    CClickListCtrl* List() const { return m_pList; }
    CValidatedEdit* Codice() const { return m_pCodice; }
    CValidatedEdit* Descrizione() const { return m_pDescrizione; }
    QCheckBox* Attivo() const { return m_pAttivo; }
    QToolButton* AddButton() const { return m_pAdd; }
    QToolButton* ModifyButton() const { return m_pModify; }
    QToolButton* DeleteButton() const { return m_pDelete; }

private:
    void OnListClick(int row);
    void OnChoose(CProdottiColoriCore::Picture kind);
    void OnAdd();
    void OnModify();
    void OnDelete();
    CProdottiColoriCore::Fields Typed() const;
    void ShowFields(const CProdottiColoriCore::Fields& fields);
    void ShowItems();
    void ShowButtons();
    void ShowPreviews();
    // Shows a refusal; true when there was one.
    bool Refused(const CProdottiColoriCore::Refusal& refusal);

    CProdottiColoriCore m_core;
    CClickListCtrl* m_pList = nullptr;
    CValidatedEdit* m_pCodice = nullptr;
    CValidatedEdit* m_pDescrizione = nullptr;
    QCheckBox* m_pAttivo = nullptr;
    QPushButton* m_pFoto = nullptr;
    QPushButton* m_pDettaglio = nullptr;
    QToolButton* m_pAdd = nullptr;
    QToolButton* m_pModify = nullptr;
    QToolButton* m_pDelete = nullptr;
    QLabel* m_pFotoPreview = nullptr;
    QLabel* m_pDettaglioPreview = nullptr;
};
