#pragma once

#include "desktop/design/CStilePagina.h"

class CStileColoreRiga;
class CValidatedEdit;
class QComboBox;
class QPushButton;

// "  Bordi  ": one side at a time, chosen in "Bordo", with its width, style
// and colour; "Tutti uguali" gives the four sides the chosen one's values.
class CStileBordiDlg : public CStilePagina
{
    Q_OBJECT
public:
    explicit CStileBordiDlg(CDefinizioneStiliCore& core, QWidget* parent = nullptr);

    void Refresh() override;

    QComboBox* SideCombo() const { return m_pSide; }
    CValidatedEdit* WidthEdit() const { return m_pWidth; }
    QComboBox* StyleCombo() const { return m_pStyle; }
    CStileColoreRiga* ColourRow() const { return m_pColour; }
    QPushButton* AllSameButton() const { return m_pAllSame; }

private:
    QComboBox* m_pSide;
    CValidatedEdit* m_pWidth;
    QComboBox* m_pStyle;
    CStileColoreRiga* m_pColour;
    QPushButton* m_pAllSame;
};
