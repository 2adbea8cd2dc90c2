#include "desktop/publishing/exchange/CScaricamentoOrdiniDlg.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "exchange/IExchangeJobs.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoException.h"
#include "exchange/QtrUpdDatiState.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CScaricamentoOrdiniDlg::CScaricamentoOrdiniDlg(std::unique_ptr<IOrderDownloadJob> job, const QString& projectFolder,
                                               CDaoDatabase* database, std::function<QString()> defaultLanguage,
                                               QWidget* parent)
    : CExchangeDlg(QStringLiteral("Scaricamento ordini da sito"), parent),
      m_job(std::move(job)),
      m_projectFolder(projectFolder),
      m_database(database),
      m_databasePath(database ? database->GetName() : QString()),
      m_defaultLanguage(std::move(defaultLanguage)),
      m_animation(BusyBar(this)),
      m_status(new QLabel(this)),
      m_bar(CountBar(this)),
      m_start(new QPushButton(QStringLiteral("Avvio"), this)),
      m_cancel(new QPushButton(QStringLiteral("Annulla"), this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_animation);
    layout->addWidget(m_status);
    layout->addWidget(m_bar);
    layout->addLayout(ButtonRow({m_start, m_cancel}));
    setMinimumWidth(420);
    connect(m_start, &QPushButton::clicked, this, &CScaricamentoOrdiniDlg::OnStart);
    connect(m_cancel, &QPushButton::clicked, this, &CScaricamentoOrdiniDlg::CancelOrClose);

    m_job->InitVarDwLoad(this, projectFolder, database);
    FlagAnnullaDwn = 1;
}

CScaricamentoOrdiniDlg::~CScaricamentoOrdiniDlg() { StopJob(); }

void CScaricamentoOrdiniDlg::OnStart()
{
    if (IsRunning())
        return;
    m_start->setEnabled(false);
    // The download puts a new file in place of the database: the
    // application's connection lets go of the old one first.
    if (m_database)
        m_database->Close();
    StartJob(
        [this] {
            WithOwnConnection(m_databasePath, QStringLiteral("Aggiornamento ordini dal sito"),
                              [this](CDaoDatabase* own) {
                                  m_job->InitVarDwLoad(this, m_projectFolder, own);
                                  m_job->StartDwLoad();
                              });
        },
        [this] { OnEnded(); });
}

void CScaricamentoOrdiniDlg::OnEnded()
{
    if (!m_database || m_database->IsOpen())
        return;
    try {
        m_database->Open(m_databasePath);
    } catch (const CDaoException& e) {
        CMessageBox::Show(this, e.GetErrorMessage(), QStringLiteral("Aggiornamento ordini dal sito"),
                          CMessageBox::Stop);
    }
}

void CScaricamentoOrdiniDlg::CancelJob() { m_job->Cancel(); }

void CScaricamentoOrdiniDlg::Download(DownloadCommand command, qint64 number, const QString& text)
{
    // What the job reads right after asking is asked while it waits.
    if (command == DWNUI_ASK_PASSWORD) {
        const QString typed = AskPassword(UserCodeDwn);
        if (!typed.isEmpty())
            PasswordDwn = typed;
        return;
    }
    if (command == DWNUI_SET_LANGUAGE) {
        const QVariant language = Runner().Ask([this] { return QVariant(m_defaultLanguage ? m_defaultLanguage() : QString()); });
        if (language.isValid())
            CodiceLinguaDwn = language.toString();
        return;
    }
    if (command == DWNUI_PUMP)
        return;
    Show([this, command, number, text] {
        switch (command) {
        case DWNUI_ASK_PASSWORD:
        case DWNUI_SET_LANGUAGE:
        case DWNUI_PUMP: break;
        case DWNUI_SHOW_ANIMATION: m_animation->show(); break;
        case DWNUI_DISABLE_START: m_start->setEnabled(false); break;
        case DWNUI_HIDE_ANIMATION: m_animation->hide(); break;
        case DWNUI_POS: m_bar->setValue(int(number)); break;
        case DWNUI_RANGE: SetRange(m_bar, 1, number); break;
        case DWNUI_TEXT: m_status->setText(text); break;
        }
    });
}
