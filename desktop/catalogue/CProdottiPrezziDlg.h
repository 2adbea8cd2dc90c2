#pragma once

#include "desktop/catalogue/ProdottoForm.h"

#include <QWidget>

class CValidatedEdit;
class QCheckBox;
class QRadioButton;

// "Prezzi", the second page of the product card: the four price lists,
// VAT, weight, unit, packs, availability and the offer, a percentage or a
// promotional price in a period. The offer's switches follow
// CProdottiViewCore::EnableOffer; the card reads and writes the fields.
class CProdottiPrezziDlg : public QWidget
{
    Q_OBJECT
public:
    explicit CProdottiPrezziDlg(QWidget* parent = nullptr);

    void Pull(ProdottoForm& form) const;
    void Push(const ProdottoForm& form);
    void SetFilterMode(bool on);
    void SetEditingEnabled(bool on);
    QWidget* Control(int id) const;
    // Checks every number and date as leaving its field does; false after
    // the field's own message ("Numero non corretto!"), the focus on it.
    bool ValidateEntries();

    CValidatedEdit* m_pPrezzi[4] = {};
    CValidatedEdit* m_pPrezzoPromozione = nullptr;
    CValidatedEdit* m_pIva = nullptr;
    CValidatedEdit* m_pPeso = nullptr;
    CValidatedEdit* m_pUM = nullptr;
    CValidatedEdit* m_pConfezioni = nullptr;
    CValidatedEdit* m_pDisponibilita = nullptr;
    CValidatedEdit* m_pSconto = nullptr;
    CValidatedEdit* m_pValiditaDal = nullptr;
    CValidatedEdit* m_pValiditaAl = nullptr;
    QCheckBox* m_pOfferta = nullptr;
    QRadioButton* m_pPercentuale = nullptr;
    QRadioButton* m_pPromozione = nullptr;

private:
    void ShowOffer(const ProdottoForm& form);
    void OnOfferta();
    void OnKind(int kind);

    bool m_bFilterMode = false;
    bool m_bEnabled = true;
    bool m_bPushing = false;
};
