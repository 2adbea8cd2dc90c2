#include "desktop/catalogue/COrdinamentoIndiceDlg.h"

#include "desktop/shell/controls/CMessageBox.h"

#include <QCoreApplication>
#include <QPushButton>

namespace {

const QString kCaption = QStringLiteral("Ordinamento indice prodotti");

} // namespace

COrdinamentoIndiceDlg::COrdinamentoIndiceDlg(QWidget* parent) : CProgressDlg(parent)
{
    setWindowTitle(kCaption);
}

CCatalogueJob::Result COrdinamentoIndiceDlg::RunTask(COrdinamentoIndice& job)
{
    m_pJob = &job;
    setModal(true);
    Show(kCaption, 0, 0);
    const CCatalogueJob::Result result = job.Run(*this);
    Hide();
    m_pJob = nullptr;
    return result;
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

void COrdinamentoIndiceDlg::SetLabel(const QString&) {}

void COrdinamentoIndiceDlg::SetTotal(int total)
{
    // Show starts a new count; a cancel already asked for has reached the
    // job at the last pump.
    Show(kCaption, 0, total);
}

void COrdinamentoIndiceDlg::SetDone(int done)
{
    SetPos(done);
}

void COrdinamentoIndiceDlg::PumpMessages()
{
    QCoreApplication::processEvents();
    if (m_bCancellable && IsCancelled() && m_pJob)
        m_pJob->RequestStop();
}
