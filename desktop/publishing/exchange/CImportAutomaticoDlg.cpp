#include "desktop/publishing/exchange/CImportAutomaticoDlg.h"

#include "exchange/IExchangeJobs.h"

#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

CImportAutomaticoDlg::CImportAutomaticoDlg(std::unique_ptr<IImportJob> job, const QString& projectFolder,
                                           QWidget* parent)
    : CExchangeDlg(QStringLiteral("Import automatico"), parent),
      m_job(std::move(job)),
      m_status(new QLabel(this)),
      m_bar(CountBar(this)),
      m_cancel(new QPushButton(QStringLiteral("Annulla"), this))
{
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_bar);
    layout->addLayout(ButtonRow({m_cancel}));
    setMinimumWidth(420);
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_job->Cancel(); });
    m_job->InitVarImport(this, projectFolder);
    m_status->clear();
}

CImportAutomaticoDlg::~CImportAutomaticoDlg() = default;

void CImportAutomaticoDlg::RunTask()
{
    QEventLoop loop;
    QThread* worker = QThread::create([this] { m_job->StartImport(0, 0); });
    connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec();
    worker->wait();
    delete worker;
}

void CImportAutomaticoDlg::Import(ImportCommand command, qint64 number, const QString& text)
{
    // The pump is the dialog's own event loop here: the job runs apart.
    if (command == IMPUI_PUMP)
        return;
    OnDialogThread([&] {
        switch (command) {
        case IMPUI_TEXT: m_status->setText(text); break;
        case IMPUI_RANGE: SetRange(m_bar, 0, number); break;
        case IMPUI_POS: m_bar->setValue(int(number)); break;
        case IMPUI_PUMP: break;
        }
    });
}
