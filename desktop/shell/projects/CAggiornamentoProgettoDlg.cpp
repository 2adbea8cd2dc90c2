#include "desktop/shell/projects/CAggiornamentoProgettoDlg.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CAggiornamentoProgettoDlg::CAggiornamentoProgettoDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Aggiornamento progetto"));
    m_pTableLabel = new QLabel(QStringLiteral("Aggiornamento tabella"), this);
    m_pTables = new QProgressBar(this);
    m_pRecordLabel = new QLabel(QStringLiteral("Aggiornamento record"), this);
    m_pRecords = new QProgressBar(this);
    m_pCancel = new QPushButton(QStringLiteral("Annulla"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTableLabel);
    layout->addWidget(m_pTables);
    layout->addWidget(m_pRecordLabel);
    layout->addWidget(m_pRecords);
    layout->addWidget(m_pCancel, 0, Qt::AlignCenter);
    connect(m_pCancel, &QPushButton::clicked, this, &CAggiornamentoProgettoDlg::reject);
}

CAggiornamentoProgettoDlg::~CAggiornamentoProgettoDlg() = default;

CProjectUpgrade::Result CAggiornamentoProgettoDlg::RunTask(CProjectUpgrade& upgrade)
{
    m_bCancelled = false;
    m_pTableLabel->clear();
    m_pRecordLabel->clear();
    setModal(true);
    show();
    const CProjectUpgrade::Result result = upgrade.Run(*this);
    hide();
    return result;
}

// Closing the window is a cancel too; the dialog stays up until the
// upgrade has stopped and cleaned up.
void CAggiornamentoProgettoDlg::reject() { m_bCancelled = true; }

void CAggiornamentoProgettoDlg::SetTableLabel(const QString& text) { m_pTableLabel->setText(text); }

void CAggiornamentoProgettoDlg::SetTableRange(int lower, int upper) { m_pTables->setRange(lower, upper); }

void CAggiornamentoProgettoDlg::SetTablePos(int position) { m_pTables->setValue(position); }

void CAggiornamentoProgettoDlg::SetRecordLabel(const QString& text) { m_pRecordLabel->setText(text); }

void CAggiornamentoProgettoDlg::SetRecordRange(int lower, int upper) { m_pRecords->setRange(lower, upper); }

void CAggiornamentoProgettoDlg::SetRecordPos(int position) { m_pRecords->setValue(position); }

bool CAggiornamentoProgettoDlg::PumpMessages()
{
    QCoreApplication::processEvents();
    return m_bCancelled;
}
