#include "desktop/catalogue/CProdottiCustomDlg.h"

#include "desktop/shell/controls/CGridCtrl.h"

#include <QScrollBar>
#include <QVBoxLayout>

CProdottiCustomDlg::CProdottiCustomDlg(CDaoDatabase& db, QWidget* parent)
    : QWidget(parent), m_pGrid(new CGridCtrl(this)), m_core(db, *m_pGrid)
{
    m_core.InitGrid();
    int width = 0;
    for (int col = 0; col < m_pGrid->GetColumnCount(); ++col)
        width += m_pGrid->GetColumnWidth(col);
    m_pGrid->setFixedWidth(width + 2 * m_pGrid->frameWidth() + m_pGrid->verticalScrollBar()->sizeHint().width() + 1);
    m_pGrid->setMinimumHeight(10 * 20 + 4);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pGrid, 1, Qt::AlignLeft);
}

CProdottiCustomDlg::~CProdottiCustomDlg() = default;

void CProdottiCustomDlg::LoadCustomValues()
{
    m_core.LoadCustomValues();
}

QString CProdottiCustomDlg::GetCustomValuesText()
{
    return m_core.GetCustomValuesText();
}

QString CProdottiCustomDlg::GetCustomValuesWords()
{
    return m_core.GetCustomValuesWords();
}

bool CProdottiCustomDlg::ValidateCustomValues()
{
    const bool valid = m_core.ValidateCustomValues();
    if (!valid)
        m_pGrid->setFocus();
    return valid;
}
