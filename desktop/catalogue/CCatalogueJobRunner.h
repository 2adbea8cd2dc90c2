#pragma once

#include "desktop/catalogue/CCatalogueJob.h"
#include "desktop/shell/controls/CJobRunner.h"

#include <QObject>

// Runs a catalogue job for its dialog the one way long jobs run in tinda:
// Prepare here, Work on a worker thread, Finish back here; the job's
// reports reach the dialog (shown) queued, and Cancel stops it between
// items. Finished carries the result once the copy is in place or gone.
//
//   if (!m_jobs.Start(*m_pJob)) ... m_pJob->Error() ...
//   connect(&m_jobs, &CCatalogueJobRunner::Finished, this, &Dlg::OnJobEnd);
class CCatalogueJobRunner : public QObject
{
    Q_OBJECT
public:
    explicit CCatalogueJobRunner(ICatalogueProgress& shown, QObject* parent = nullptr);
    ~CCatalogueJobRunner() override;

    // False when the copy could not be made: nothing runs.
    bool Start(CCatalogueJob& job);
    bool IsRunning() const { return m_pJob != nullptr; }
    void Cancel() { m_runner.Cancel(); }
    CJobRunner& Runner() { return m_runner; }

signals:
    void Finished(CCatalogueJob::Result result);

private:
    class Queued;

    void OnWorkerEnded();

    ICatalogueProgress& m_shown;
    std::unique_ptr<Queued> m_pQueued;
    CCatalogueJob* m_pJob = nullptr;
    CCatalogueJob::Result m_worked = CCatalogueJob::Failed;
    // Last: it waits for the worker before the rest goes.
    CJobRunner m_runner;
};
