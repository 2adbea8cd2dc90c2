#include "desktop/design/CStileFontDlg.h"

#include <QGridLayout>

CStileFontDlg::CStileFontDlg(CDefinizioneStiliCore& core, QWidget* parent) : CStilePagina(core, parent)
{
    auto* grid = new QGridLayout(this);
    AddComboRow(grid, 0, QStringLiteral("Famiglia"), 29, CStileCombo::FontFamily);
    AddComboRow(grid, 1, QStringLiteral("Stile"), 30, CStileCombo::FontStyle);
    AddComboRow(grid, 2, QStringLiteral("Grassetto"), 31, CStileCombo::FontWeight);
    AddLengthRow(grid, 3, QStringLiteral("Dimensione"), 32);
    AddComboRow(grid, 4, QStringLiteral("Decorazione"), 34, CStileCombo::Decoration);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(5, 1);
}
