#include "desktop/design/CStileBordiDlg.h"

#include "desktop/design/CDefinizioneStiliCore.h"
#include "desktop/design/CStileColoreRiga.h"
#include "desktop/design/CStileControlli.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>
#include <QSignalBlocker>

CStileBordiDlg::CStileBordiDlg(CDefinizioneStiliCore& core, QWidget* parent)
    : CStilePagina(core, parent), m_pSide(new QComboBox(this)), m_pWidth(CStileControlli::NumberEdit(this, 2)),
      m_pStyle(CStileControlli::Combo(this, CStileCombo::BorderStyle)),
      m_pColour(new CStileColoreRiga(core.CustomColours(), this)),
      m_pAllSame(new QPushButton(QStringLiteral("Tutti uguali"), this))
{
    m_pSide->addItems(CStileCombo::BorderSides());
    auto* grid = new QGridLayout(this);
    AddLabel(grid, 0, QStringLiteral("Bordo"));
    grid->addWidget(m_pSide, 0, 1);
    AddLabel(grid, 1, QStringLiteral("Spessore"));
    grid->addWidget(m_pWidth, 1, 1);
    AddLabel(grid, 2, QStringLiteral("Stile"));
    grid->addWidget(m_pStyle, 2, 1);
    AddLabel(grid, 3, QStringLiteral("Colore"));
    grid->addWidget(m_pColour, 3, 1);
    grid->addWidget(m_pAllSame, 4, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(5, 1);

    CStileBordiCore& bordi = core.Bordi();
    connect(m_pSide, &QComboBox::activated, this, [this, &bordi](int side) {
        bordi.ChooseSide(side);
        Refresh();
    });
    connect(m_pWidth, &QLineEdit::textEdited, this, [&bordi](const QString& text) { bordi.SetWidth(text); });
    connect(m_pStyle, &QComboBox::activated, this,
            [&bordi](int index) { bordi.SetStyle(CStileCombo::ValueAt(CStileCombo::BorderStyle, index)); });
    connect(m_pColour, &CStileColoreRiga::ColourEdited, this, [&bordi](const QString& colour) { bordi.SetColour(colour); });
    connect(m_pAllSame, &QPushButton::clicked, this, [this, &bordi] {
        bordi.AllSame();
        Refresh();
    });
    Refresh();
}

void CStileBordiDlg::Refresh()
{
    const CStileBordiCore& bordi = m_core.Bordi();
    const CStileBordiCore::Controls& controls = bordi.GetControls();
    const bool chosen = bordi.ChosenSide() >= 0;
    {
        const QSignalBlocker sideBlocker(m_pSide);
        m_pSide->setCurrentIndex(bordi.ChosenSide());
    }
    CStileControlli::ShowText(m_pWidth, controls.width);
    if (chosen) {
        CStileControlli::ShowValue(m_pStyle, CStileCombo::BorderStyle, controls.style);
    } else {
        const QSignalBlocker styleBlocker(m_pStyle);
        m_pStyle->setCurrentIndex(-1);
    }
    m_pColour->ShowColour(controls.colour);
    // Without a side the controls' edits would reach no border.
    m_pWidth->setEnabled(chosen);
    m_pStyle->setEnabled(chosen);
    m_pColour->setEnabled(chosen);
    m_pAllSame->setEnabled(bordi.AllSameEnabled());
}
