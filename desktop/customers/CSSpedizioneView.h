#pragma once

#include "desktop/shell/settings/CGridEditorView.h"

class CDaoDatabase;
class CSSpedizioneViewCore;
class CValidatedEdit;
class QComboBox;
class QLabel;

// "Spese di spedizione": the destinations' grid with the packing weight
// and the VAT on shipping above it. The rules are CSSpedizioneViewCore.
class CSSpedizioneView : public CGridEditorView
{
    Q_OBJECT
public:
    explicit CSSpedizioneView(CDaoDatabase& db, QWidget* parent = nullptr);

    CSSpedizioneViewCore& Core();
    QComboBox* Basis() const { return m_pTipo; }
    CValidatedEdit* Weight() const { return m_pPeso; }
    CValidatedEdit* Vat() const { return m_pIva; }
    QLabel* Unit() const { return m_pUnit; }

    bool IsRowModified() override;
    bool SaveRow() override;

private:
    void Pull();
    void Push();

    QComboBox* m_pTipo = nullptr;
    CValidatedEdit* m_pPeso = nullptr;
    CValidatedEdit* m_pIva = nullptr;
    QLabel* m_pUnit = nullptr;
};
