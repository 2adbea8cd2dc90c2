#include "desktop/publishing/exchange/CAggiornamentoDatiDlg.h"

#include "exchange/IExchangeJobs.h"
#include "platform/dao/CDaoDatabase.h"
#include "exchange/QtrUpdDatiState.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CAggiornamentoDatiDlg::CAggiornamentoDatiDlg(std::unique_ptr<ISiteUploadJob> job, const QString& projectFolder,
                                             CDaoDatabase* database, QWidget* parent)
    : CExchangeDlg(QStringLiteral("Aggiornamento Dati Sito"), parent),
      m_job(std::move(job)),
      m_projectFolder(projectFolder),
      m_databasePath(database ? database->GetName() : QString()),
      m_message(new QLabel(this)),
      m_animation(BusyBar(this)),
      m_tableLabel(new QLabel(QStringLiteral("Aggiornamento tabella"), this)),
      m_tableBar(CountBar(this)),
      m_recordLabel(new QLabel(QStringLiteral("Aggiornamento record"), this)),
      m_recordBar(CountBar(this)),
      m_start(new QPushButton(QStringLiteral("Avvio"), this)),
      m_cancel(new QPushButton(QStringLiteral("Annulla"), this))
{
    m_message->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_message);
    layout->addWidget(m_animation);
    layout->addWidget(m_tableLabel);
    layout->addWidget(m_tableBar);
    layout->addWidget(m_recordLabel);
    layout->addWidget(m_recordBar);
    layout->addLayout(ButtonRow({m_start, m_cancel}));
    setMinimumWidth(460);
    connect(m_start, &QPushButton::clicked, this, &CAggiornamentoDatiDlg::OnStart);
    connect(m_cancel, &QPushButton::clicked, this, &CAggiornamentoDatiDlg::CancelOrClose);

    m_job->InitVar(this, projectFolder, database);
    m_job->Init();
    m_tableLabel->clear();
    m_recordLabel->clear();
}

CAggiornamentoDatiDlg::~CAggiornamentoDatiDlg()
{
    StopJob();
    m_job->ChiudiDatabase();
}

void CAggiornamentoDatiDlg::OnStart()
{
    if (IsRunning())
        return;
    m_start->setEnabled(false);
    StartJob([this] {
        WithOwnConnection(m_databasePath, QStringLiteral("Aggiornamento dati sito"), [this](CDaoDatabase* own) {
            m_job->InitVar(this, m_projectFolder, own);
            m_job->Start();
        });
    });
}

void CAggiornamentoDatiDlg::CancelJob() { m_job->Cancel(); }

void CAggiornamentoDatiDlg::Update(UpdateCommand command, qint64 number, const QString& text)
{
    // The job reads the password right after asking: it is asked while
    // the job waits. The job never needs the pump: it runs apart.
    if (command == UPDUI_ASK_PASSWORD) {
        const QString typed = AskPassword(UserCodeUpd);
        if (!typed.isEmpty())
            PasswordUpd = typed;
        return;
    }
    if (command == UPDUI_PUMP)
        return;
    Show([this, command, number, text] {
        switch (command) {
        case UPDUI_DISABLE_START: m_start->setEnabled(false); break;
        case UPDUI_ENABLE_START: m_start->setEnabled(true); break;
        case UPDUI_SHOW_MESSAGE: m_message->show(); break;
        case UPDUI_SET_MESSAGE: m_message->setText(text); break;
        case UPDUI_SHOW_ANIMATION:
            m_message->hide();
            m_animation->show();
            break;
        case UPDUI_HIDE_ANIMATION: m_animation->hide(); break;
        case UPDUI_TABLE_RANGE: SetRange(m_tableBar, 0, number); break;
        case UPDUI_TABLE_TEXT: m_tableLabel->setText(text); break;
        case UPDUI_TABLE_POS: m_tableBar->setValue(int(number)); break;
        case UPDUI_RECORD_RANGE: SetRange(m_recordBar, 1, number); break;
        case UPDUI_RECORD_TEXT: m_recordLabel->setText(text); break;
        case UPDUI_RECORD_POS: m_recordBar->setValue(int(number)); break;
        case UPDUI_PUMP:
        case UPDUI_ASK_PASSWORD: break;
        }
    });
}

void CAggiornamentoDatiDlg::TransferRange(qint64 total) { Show([this, total] { SetRange(m_recordBar, 1, total); }); }

void CAggiornamentoDatiDlg::TransferPos(qint64 position) { Show([this, position] { m_recordBar->setValue(int(position)); }); }
