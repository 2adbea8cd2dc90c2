#include "desktop/shell/projects/CAggiornamentoProgettoDlg.h"

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

// The upgrade opens and closes its own connections, so it runs whole on
// the worker; the dialog's modal loop is the only one.
CProjectUpgrade::Result CAggiornamentoProgettoDlg::RunTask(CProjectUpgrade& upgrade)
{
    m_bCancelled = false;
    m_pTableLabel->clear();
    m_pRecordLabel->clear();
    setModal(true);
    CProjectUpgrade::Result result = CProjectUpgrade::Failed;
    const QMetaObject::Connection ended = connect(&m_runner, &CJobRunner::Finished, this, [this] { done(Rejected); });
    m_runner.Start([this, &upgrade, &result] { result = upgrade.Run(*this); });
    exec();
    if (m_runner.IsRunning()) {
        m_runner.Cancel();
        m_runner.Wait();
    }
    disconnect(ended);
    hide();
    return result;
}

// Closing the window is a cancel too; the dialog stays up until the
// upgrade has stopped and cleaned up.
void CAggiornamentoProgettoDlg::reject()
{
    m_bCancelled = true;
    m_runner.Cancel();
}

void CAggiornamentoProgettoDlg::SetTableLabel(const QString& text)
{
    m_runner.Post([this, text] { m_pTableLabel->setText(text); });
}

void CAggiornamentoProgettoDlg::SetTableRange(int lower, int upper)
{
    m_runner.Post([this, lower, upper] { m_pTables->setRange(lower, upper); });
}

void CAggiornamentoProgettoDlg::SetTablePos(int position)
{
    m_runner.Post([this, position] { m_pTables->setValue(position); });
}

void CAggiornamentoProgettoDlg::SetRecordLabel(const QString& text)
{
    m_runner.Post([this, text] { m_pRecordLabel->setText(text); });
}

void CAggiornamentoProgettoDlg::SetRecordRange(int lower, int upper)
{
    m_runner.Post([this, lower, upper] { m_pRecords->setRange(lower, upper); });
}

void CAggiornamentoProgettoDlg::SetRecordPos(int position)
{
    m_runner.Post([this, position] { m_pRecords->setValue(position); });
}

bool CAggiornamentoProgettoDlg::IsCancelled() { return m_runner.IsCancelled() || m_bCancelled; }
