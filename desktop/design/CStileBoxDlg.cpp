#include "desktop/design/CStileBoxDlg.h"

#include <QGridLayout>

CStileBoxDlg::CStileBoxDlg(CDefinizioneStiliCore& core, QWidget* parent) : CStilePagina(core, parent)
{
    auto* grid = new QGridLayout(this);
    AddLengthRow(grid, 0, QStringLiteral("Larghezza"), 0);
    AddLengthRow(grid, 1, QStringLiteral("Altezza"), 1);
    AddComboRow(grid, 2, QStringLiteral("Allineamento orizzontale"), 2, CStileCombo::HorizontalAlign);
    AddComboRow(grid, 3, QStringLiteral("Allineamento verticale"), 3, CStileCombo::VerticalAlign);
    AddComboRow(grid, 4, QStringLiteral("Float"), 33, CStileCombo::Float);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(5, 1);
}
