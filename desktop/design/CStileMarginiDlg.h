#pragma once

#include "desktop/design/CStilePagina.h"

class QPushButton;

// "  Margini  " and "  Riempimenti  ": four whole numbers, one per side,
// from firstAttribute on (6 for the margins, 22 for the paddings).
class CStileMarginiDlg : public CStilePagina
{
    Q_OBJECT
public:
    CStileMarginiDlg(CDefinizioneStiliCore& core, int firstAttribute, QWidget* parent = nullptr);

    QPushButton* AllSameButton() const { return m_pAllSame; }

private:
    // "Tutti uguali": "Superiore" on the other three sides.
    void OnAllSame();

    int m_nFirst;
    QPushButton* m_pAllSame;
};
