#include "desktop/catalogue/CCatalogueJobRunner.h"

// The job's reports, passed to the dialog on its own thread.
class CCatalogueJobRunner::Queued : public ICatalogueProgress
{
public:
    Queued(CJobRunner& runner, ICatalogueProgress& shown) : m_runner(runner), m_shown(shown) {}

    void SetLabel(const QString& text) override
    {
        m_runner.Post([this, text] { m_shown.SetLabel(text); });
    }
    void SetTotal(int total) override
    {
        m_runner.Post([this, total] { m_shown.SetTotal(total); });
    }
    void SetDone(int done) override
    {
        m_runner.Post([this, done] { m_shown.SetDone(done); });
    }

private:
    CJobRunner& m_runner;
    ICatalogueProgress& m_shown;
};

CCatalogueJobRunner::CCatalogueJobRunner(ICatalogueProgress& shown, QObject* parent)
    : QObject(parent), m_shown(shown), m_pQueued(std::make_unique<Queued>(m_runner, shown))
{
    m_runner.OnCancel([this] {
        if (m_pJob)
            m_pJob->RequestStop();
    });
    connect(&m_runner, &CJobRunner::Finished, this, &CCatalogueJobRunner::OnWorkerEnded);
}

CCatalogueJobRunner::~CCatalogueJobRunner()
{
    if (m_runner.IsRunning()) {
        m_runner.Cancel();
        m_runner.Wait();
    }
    if (m_pJob)
        m_pJob->Finish(CCatalogueJob::Cancelled);
}

bool CCatalogueJobRunner::Start(CCatalogueJob& job)
{
    if (IsRunning() || !job.Prepare())
        return false;
    m_pJob = &job;
    m_worked = CCatalogueJob::Failed;
    m_runner.Start([this] { m_worked = m_pJob->Work(*m_pQueued); });
    return true;
}

void CCatalogueJobRunner::OnWorkerEnded()
{
    CCatalogueJob* job = std::exchange(m_pJob, nullptr);
    if (!job)
        return;
    emit Finished(job->Finish(m_worked));
}
