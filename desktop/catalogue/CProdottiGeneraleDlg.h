#pragma once

#include "desktop/catalogue/ProdottoForm.h"

#include <QWidget>

class CValidatedEdit;
class QCheckBox;
class QLabel;
class QPlainTextEdit;

// "Generale", the first page of the product card: name, bar code, the
// three descriptions and the three flags, and the position of the shown
// product. It holds controls only: the card reads and writes them.
class CProdottiGeneraleDlg : public QWidget
{
    Q_OBJECT
public:
    explicit CProdottiGeneraleDlg(QWidget* parent = nullptr);

    void Pull(ProdottoForm& form) const;
    void Push(const ProdottoForm& form);
    void SetPosition(const QString& text);
    // While a filter is entered the flags take a third state, "any value",
    // and only the bar code stays open.
    void SetFilterMode(bool on);
    void SetEditingEnabled(bool on);
    // The control of a field (CProdottiViewCore::Control), for the focus.
    QWidget* Control(int id) const;

    CValidatedEdit* m_pNome = nullptr;
    CValidatedEdit* m_pCodiceABarre = nullptr;
    CValidatedEdit* m_pDescrizioneFattura = nullptr;
    QPlainTextEdit* m_pDescrizioneBreve = nullptr;
    QPlainTextEdit* m_pDescrizioneEstesa = nullptr;
    QCheckBox* m_pAttivo = nullptr;
    QCheckBox* m_pNovita = nullptr;
    QCheckBox* m_pMailing = nullptr;
    QLabel* m_pPosition = nullptr;

private:
    bool m_bFilterMode = false;
};
