#pragma once

#include "desktop/catalogue/CCatalogueJobRunner.h"
#include "desktop/catalogue/COrdinamentoIndice.h"
#include "desktop/shell/controls/CProgressDlg.h"

class CDaoDatabase;

// "Ordinamento indice prodotti": the progress of the index ordering, with
// counts and "Annulla". The general parameters run it (registered by the
// catalogue's commands) when the merchant changes the order of the index:
//   COrdinamentoIndiceDlg::RunOrdering(parent, db, projectFolder, choice, false)
// The ordering runs on a worker thread while the dialog is shown modal;
// RunTask returns once it has ended and its copy is in place or gone.
class COrdinamentoIndiceDlg : public CProgressDlg, public ICatalogueProgress
{
    Q_OBJECT
public:
    explicit COrdinamentoIndiceDlg(QWidget* parent = nullptr);

    CCatalogueJob::Result RunTask(COrdinamentoIndice& job);

    // Runs the ordering for a choice of the general parameters; true when
    // it went through. A failure is reported here. Without cancellable
    // there is no "Annulla" (closing the main window still stops it).
    static bool RunOrdering(QWidget* parent, CDaoDatabase& database, const QString& projectFolder, int choice,
                            bool cancellable = true);

    void SetLabel(const QString& text) override;
    void SetTotal(int total) override;
    void SetDone(int done) override;

public slots:
    void reject() override;

private:
    bool m_bCancellable = true;
    CCatalogueJob::Result m_result = CCatalogueJob::Failed;
    CCatalogueJobRunner m_jobs;
};
