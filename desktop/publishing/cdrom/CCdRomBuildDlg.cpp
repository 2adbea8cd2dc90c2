#include "desktop/publishing/cdrom/CCdRomBuildDlg.h"

#include <QLabel>
#include <QLayout>

namespace {

const QString kCaption = QStringLiteral("Creazione CD Rom");

} // namespace

// The builder's reports, passed to the dialog on its own thread.
class CCdRomBuildDlg::Queued : public ICatalogueProgress
{
public:
    Queued(CJobRunner& runner, ICatalogueProgress& shown) : m_runner(runner), m_shown(shown) {}
    void SetLabel(const QString& text) override { m_runner.Post([this, text] { m_shown.SetLabel(text); }); }
    void SetTotal(int total) override { m_runner.Post([this, total] { m_shown.SetTotal(total); }); }
    void SetDone(int done) override { m_runner.Post([this, done] { m_shown.SetDone(done); }); }

private:
    CJobRunner& m_runner;
    ICatalogueProgress& m_shown;
};

CCdRomBuildDlg::CCdRomBuildDlg(QWidget* parent) : CProgressDlg(parent), m_pStatus(new QLabel(this))
{
    setWindowTitle(kCaption);
    if (layout())
        layout()->addWidget(m_pStatus);
    m_runner.OnCancel([this] {
        if (m_pBuilder)
            m_pBuilder->RequestStop();
    });
    connect(&m_runner, &CJobRunner::Finished, this, [this] {
        Hide();
        done(QDialog::Accepted);
    });
}

CCdImageBuilder::Result CCdRomBuildDlg::RunTask(CCdImageBuilder& builder)
{
    m_pBuilder = &builder;
    m_result = CCdImageBuilder::Failed;
    Queued queued(m_runner, *this);
    m_runner.Start([this, &queued] { m_result = m_pBuilder->Run(queued); });
    setModal(true);
    Show(kCaption, 0, 0);
    exec();
    m_runner.Wait();
    m_pBuilder = nullptr;
    return m_result;
}

void CCdRomBuildDlg::reject()
{
    CProgressDlg::reject();
    if (m_runner.IsRunning())
        m_runner.Cancel();
}

QString CCdRomBuildDlg::StatusText() const
{
    return m_pStatus->text();
}

void CCdRomBuildDlg::SetLabel(const QString& text)
{
    m_pStatus->setText(text);
}

void CCdRomBuildDlg::SetTotal(int total)
{
    Show(kCaption, 0, total);
}

void CCdRomBuildDlg::SetDone(int done)
{
    SetPos(done);
}
