#include "desktop/shell/projects/CSincronizzazioneDlg.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CSincronizzazioneDlg::CSincronizzazioneDlg(const QString& lockPath, QWidget* parent)
    : QDialog(parent), m_strLockPath(lockPath), m_wait(lockPath)
{
    setWindowTitle(QStringLiteral("Sincronizzazione in corso..."));
    auto* layout = new QVBoxLayout(this);
    // A running bar in place of the animation: it only says "busy".
    auto* busy = new QProgressBar(this);
    busy->setRange(0, 0);
    busy->setTextVisible(false);
    layout->addWidget(busy);
    m_pClose = new QPushButton(QStringLiteral("Chiudi Quintaro"), this);
    layout->addWidget(m_pClose, 0, Qt::AlignCenter);
    connect(m_pClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(&m_wait, &CSyncLockWait::Released, this, &QDialog::accept);
}

CSincronizzazioneDlg::~CSincronizzazioneDlg() = default;

int CSincronizzazioneDlg::DoModal()
{
    m_wait.Start();
    return exec();
}

void CSincronizzazioneDlg::done(int result)
{
    // Once closed by the user the wait must not close it again.
    m_wait.Stop();
    QDialog::done(result);
}
