#include "desktop/design/CStileColoriDlg.h"

#include "desktop/design/CDefinizioneStiliCore.h"
#include "desktop/design/CStileColoreRiga.h"

#include <QGridLayout>

namespace {

constexpr int kTextColour = 5;
constexpr int kBackgroundColour = 4;

} // namespace

CStileColoriDlg::CStileColoriDlg(CDefinizioneStiliCore& core, QWidget* parent) : CStilePagina(core, parent)
{
    auto* grid = new QGridLayout(this);
    m_pText = AddColourRow(0, QStringLiteral("Testo"), kTextColour);
    m_pBackground = AddColourRow(1, QStringLiteral("Sfondo"), kBackgroundColour);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(2, 1);
}

CStileColoreRiga* CStileColoriDlg::AddColourRow(int row, const QString& label, int attribute)
{
    auto* grid = static_cast<QGridLayout*>(layout());
    AddLabel(grid, row, label);
    auto* colour = new CStileColoreRiga(m_core.CustomColours(), this);
    grid->addWidget(colour, row, 1);
    connect(colour, &CStileColoreRiga::ColourEdited, this,
            [this, attribute](const QString& value) { m_core.Set(attribute, value); });
    return colour;
}

void CStileColoriDlg::Refresh()
{
    m_pText->ShowColour(m_core.Get(kTextColour));
    m_pBackground->ShowColour(m_core.Get(kBackgroundColour));
}
