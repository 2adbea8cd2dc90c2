#include "desktop/catalogue/CProdottiTaglieDlg.h"

#include "desktop/catalogue/CTabelleTaglieDlg.h"
#include "desktop/shell/controls/CCellMatrix.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

CProdottiTaglieDlg::CProdottiTaglieDlg(CDaoDatabase& db, TaglieProdotto& sizes, QWidget* parent)
    : QWidget(parent), m_db(db), m_core(db, sizes)
{
    m_runTablesDialog = [this] {
        CTabelleTaglieDlg dialog(m_db, this);
        dialog.exec();
    };
    m_pHasTable = new QCheckBox(QStringLiteral("Tabella taglie"), this);
    m_pTables = new QComboBox(this);
    m_pTables->setMinimumWidth(220);
    m_pTablesButton = new QPushButton(QStringLiteral("Gestione Tabelle Taglie"), this);
    auto* frame = new QGroupBox(QStringLiteral("Taglie in vendita"), this);
    m_pMatrix = new CCellMatrix(frame);
    m_pMatrix->setMinimumSize(320, 120);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(m_pMatrix);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_pHasTable, 0, 0);
    layout->addWidget(m_pTables, 0, 1);
    layout->addWidget(m_pTablesButton, 0, 2);
    layout->setColumnStretch(3, 1);
    layout->addWidget(frame, 1, 0, 1, 4);
    layout->setRowStretch(1, 1);

    connect(m_pTables, &QComboBox::activated, this, &CProdottiTaglieDlg::OnTableChosen);
    connect(m_pHasTable, &QCheckBox::clicked, this, &CProdottiTaglieDlg::OnHasTable);
    connect(m_pMatrix, &CCellMatrix::UM_CELLS_SELECTED, this, &CProdottiTaglieDlg::OnCellsSelected);
    connect(m_pTablesButton, &QPushButton::clicked, this, &CProdottiTaglieDlg::OnGestioneTabelle);
}

void CProdottiTaglieDlg::LoadSizes()
{
    m_core.LoadSizes();
    FillTables();
}

void CProdottiTaglieDlg::FillTables()
{
    m_pTables->clear();
    for (const CProdottiTaglieCore::Entry& entry : m_core.Entries())
        m_pTables->addItem(entry.strDescrizione, entry.nId);
    Show();
}

void CProdottiTaglieDlg::Show()
{
    const CProdottiTaglieCore::State& state = m_core.GetState();
    m_pHasTable->setChecked(state.bHasTable);
    m_pTables->setEnabled(state.bComboEnabled);
    m_pTables->setCurrentIndex(state.nComboIndex);
    m_pMatrix->SetCells(state.strCells, state.nSelStart, state.nSelEnd);
}

void CProdottiTaglieDlg::OnTableChosen(int index)
{
    m_core.SelectTable(index);
    Show();
}

void CProdottiTaglieDlg::OnHasTable(bool checked)
{
    m_core.SetHasTable(checked);
    Show();
}

void CProdottiTaglieDlg::OnCellsSelected()
{
    m_core.SelectionChanged(m_pMatrix->GetSelStart(), m_pMatrix->GetSelEnd());
}

void CProdottiTaglieDlg::OnGestioneTabelle()
{
    if (m_runTablesDialog)
        m_runTablesDialog();
    m_core.AfterTablesDialog();
    FillTables();
}
