#pragma once

#include "desktop/catalogue/COrdinamentoIndice.h"
#include "desktop/shell/controls/CProgressDlg.h"

class CDaoDatabase;

// "Ordinamento indice prodotti": the progress of the index ordering, with
// counts and "Annulla". The general parameters run it (registered by the
// catalogue's commands) when the merchant changes the order of the index:
//   COrdinamentoIndiceDlg::RunOrdering(parent, db, projectFolder, choice, false)
class COrdinamentoIndiceDlg : public CProgressDlg, public ICatalogueProgress
{
    Q_OBJECT
public:
    explicit COrdinamentoIndiceDlg(QWidget* parent = nullptr);

    CCatalogueJob::Result RunTask(COrdinamentoIndice& job);

    // Runs the ordering for a choice of the general parameters; true when
    // it went through. A failure is reported here. Without cancellable
    // there is no "Annulla": the caller stores the new choice whatever
    // happens, so the keys must follow it.
    static bool RunOrdering(QWidget* parent, CDaoDatabase& database, const QString& projectFolder, int choice,
                            bool cancellable = true);

    void SetLabel(const QString& text) override;
    void SetTotal(int total) override;
    void SetDone(int done) override;
    void PumpMessages() override;

private:
    COrdinamentoIndice* m_pJob = nullptr;
    bool m_bCancellable = true;
};
