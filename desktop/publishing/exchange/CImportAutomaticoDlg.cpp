#include "desktop/publishing/exchange/CImportAutomaticoDlg.h"

#include "exchange/IExchangeJobs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CImportAutomaticoDlg::CImportAutomaticoDlg(std::unique_ptr<IImportJob> job, const QString& projectFolder,
                                           QWidget* parent)
    : CExchangeDlg(QStringLiteral("Import automatico"), parent),
      m_job(std::move(job)),
      m_status(new QLabel(this)),
      m_bar(CountBar(this)),
      m_cancel(new QPushButton(QStringLiteral("Annulla"), this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_bar);
    layout->addLayout(ButtonRow({m_cancel}));
    setMinimumWidth(420);
    connect(m_cancel, &QPushButton::clicked, this, &CImportAutomaticoDlg::CancelOrClose);
    m_job->InitVarImport(this, projectFolder);
    m_status->clear();
}

CImportAutomaticoDlg::~CImportAutomaticoDlg() { StopJob(); }

void CImportAutomaticoDlg::CancelJob() { m_job->Cancel(); }

// The dialog's own modal loop is the only one: the import runs apart and
// reports queued, and the dialog closes itself when it has ended. A loop
// ended from outside (the program quitting) still leaves no worker behind.
void CImportAutomaticoDlg::RunTask()
{
    StartJob([this] { m_job->StartImport(0, 0); });
    exec();
    StopJob();
}

void CImportAutomaticoDlg::Import(ImportCommand command, qint64 number, const QString& text)
{
    if (command == IMPUI_PUMP)
        return;
    Show([this, command, number, text] {
        switch (command) {
        case IMPUI_TEXT: m_status->setText(text); break;
        case IMPUI_RANGE: SetRange(m_bar, 0, number); break;
        case IMPUI_POS: m_bar->setValue(int(number)); break;
        case IMPUI_PUMP: break;
        }
    });
}
