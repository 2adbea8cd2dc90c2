#include "desktop/design/CStileMarginiDlg.h"

#include "desktop/design/CDefinizioneStiliCore.h"
#include "desktop/design/CStileCombo.h"

#include <QGridLayout>
#include <QPushButton>

CStileMarginiDlg::CStileMarginiDlg(CDefinizioneStiliCore& core, int firstAttribute, QWidget* parent)
    : CStilePagina(core, parent), m_nFirst(firstAttribute),
      m_pAllSame(new QPushButton(QStringLiteral("Tutti uguali"), this))
{
    auto* grid = new QGridLayout(this);
    const QStringList sides = CStileCombo::BorderSides();
    for (int side = 0; side < 4; ++side)
        AddNumberRow(grid, side, sides.at(side), firstAttribute + side, 4);
    grid->addWidget(m_pAllSame, 4, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(5, 1);
    connect(m_pAllSame, &QPushButton::clicked, this, &CStileMarginiDlg::OnAllSame);
}

void CStileMarginiDlg::OnAllSame()
{
    const QString top = m_core.Get(m_nFirst);
    for (int side = 1; side < 4; ++side)
        m_core.Set(m_nFirst + side, top);
    Refresh();
}
