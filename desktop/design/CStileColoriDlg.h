#pragma once

#include "desktop/design/CStilePagina.h"

class CStileColoreRiga;

// "  Colori  ": the text colour (attribute 5) and the background colour
// (attribute 4).
class CStileColoriDlg : public CStilePagina
{
    Q_OBJECT
public:
    explicit CStileColoriDlg(CDefinizioneStiliCore& core, QWidget* parent = nullptr);

    void Refresh() override;

    CStileColoreRiga* TextRow() const { return m_pText; }
    CStileColoreRiga* BackgroundRow() const { return m_pBackground; }

private:
    CStileColoreRiga* AddColourRow(int row, const QString& label, int attribute);

    CStileColoreRiga* m_pText;
    CStileColoreRiga* m_pBackground;
};
