#include "desktop/shell/controls/CProgressDlg.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CProgressDlg::CProgressDlg(QWidget* parent) : QDialog(parent)
{
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    m_pBar = new QProgressBar(this);
    m_pBar->setTextVisible(false);
    layout->addWidget(m_pBar);
    m_pCount = new QLabel(this);
    m_pCount->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_pCount);
    m_pCancel = new QPushButton(QStringLiteral("Annulla"), this);
    layout->addWidget(m_pCancel, 0, Qt::AlignCenter);
    connect(m_pCancel, &QPushButton::clicked, this, &CProgressDlg::reject);
    hide();
}

CProgressDlg::~CProgressDlg() = default;

void CProgressDlg::Show(const QString& caption, int lower, int upper)
{
    m_bCancelled = false;
    m_pBar->setRange(lower, upper);
    m_pBar->setValue(lower);
    setWindowTitle(caption);
    UpdateCount();
    if (QWidget* owner = parentWidget()) {
        adjustSize();
        const QPoint centre = owner->mapToGlobal(owner->rect().center());
        move(centre - rect().center());
    }
    show();
}

void CProgressDlg::Hide()
{
    m_pBar->setValue(m_pBar->minimum());
    UpdateCount();
    hide();
}

void CProgressDlg::SetPos(int position)
{
    m_pBar->setValue(qBound(m_pBar->minimum(), position, m_pBar->maximum()));
    UpdateCount();
}

int CProgressDlg::GetPos() const
{
    return m_pBar->value();
}

QString CProgressDlg::GetCountText() const
{
    return m_pCount->text();
}

void CProgressDlg::UpdateCount()
{
    const int done = m_pBar->value() - m_pBar->minimum();
    const int total = m_pBar->maximum() - m_pBar->minimum();
    m_pCount->setText(QStringLiteral("%1 / %2").arg(done).arg(total));
}

// Cancelling only raises the flag: the job decides when it stops and then
// hides the dialog itself.
void CProgressDlg::reject()
{
    m_bCancelled = true;
}
