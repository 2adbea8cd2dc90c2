#include "desktop/catalogue/COrdinamentoIndiceDlg.h"

#include "desktop/shell/controls/CMessageBox.h"

#include <QPushButton>

namespace {

const QString kCaption = QStringLiteral("Ordinamento indice prodotti");

} // namespace

COrdinamentoIndiceDlg::COrdinamentoIndiceDlg(QWidget* parent) : CProgressDlg(parent), m_jobs(*this)
{
    setWindowTitle(kCaption);
    connect(&m_jobs, &CCatalogueJobRunner::Finished, this, [this](CCatalogueJob::Result result) {
        m_result = result;
        Hide();
        done(QDialog::Accepted);
    });
}

CCatalogueJob::Result COrdinamentoIndiceDlg::RunTask(COrdinamentoIndice& job)
{
    m_result = CCatalogueJob::Failed;
    if (!m_jobs.Start(job))
        return CCatalogueJob::Failed;
    setModal(true);
    Show(kCaption, 0, 0);
    exec();
    return m_result;
}

bool COrdinamentoIndiceDlg::RunOrdering(QWidget* parent, CDaoDatabase& database, const QString& projectFolder,
                                        int choice, bool cancellable)
{
    COrdinamentoIndice job(database, projectFolder, choice);
    COrdinamentoIndiceDlg dialog(parent);
    dialog.CancelButton()->setVisible(cancellable);
    dialog.m_bCancellable = cancellable;
    switch (dialog.RunTask(job)) {
    case CCatalogueJob::Done:
        return true;
    case CCatalogueJob::Cancelled:
        CMessageBox::Show(parent, QStringLiteral("Ordinamento annullato: l'indice dei prodotti è rimasto com'era."),
                          kCaption, CMessageBox::Exclamation);
        return false;
    case CCatalogueJob::Failed:
        CMessageBox::Show(parent, job.Error(), kCaption, CMessageBox::Stop);
        return false;
    }
    return false;
}

// "Annulla", Escape and the close button stop a cancellable ordering; the
// dialog goes when the job has ended.
void COrdinamentoIndiceDlg::reject()
{
    CProgressDlg::reject();
    if (m_bCancellable && m_jobs.IsRunning())
        m_jobs.Cancel();
}

void COrdinamentoIndiceDlg::SetLabel(const QString&) {}

void COrdinamentoIndiceDlg::SetTotal(int total)
{
    Show(kCaption, 0, total);
}

void COrdinamentoIndiceDlg::SetDone(int done)
{
    SetPos(done);
}
