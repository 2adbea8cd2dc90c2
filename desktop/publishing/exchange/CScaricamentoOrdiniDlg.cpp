#include "desktop/publishing/exchange/CScaricamentoOrdiniDlg.h"

#include "exchange/IExchangeJobs.h"
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
    connect(m_cancel, &QPushButton::clicked, this, &CScaricamentoOrdiniDlg::OnCancel);

    m_job->InitVarDwLoad(this, projectFolder, database);
    FlagAnnullaDwn = 1;
}

CScaricamentoOrdiniDlg::~CScaricamentoOrdiniDlg() = default;

void CScaricamentoOrdiniDlg::OnStart()
{
    m_job->StartDwLoad();
    reject();
}

void CScaricamentoOrdiniDlg::OnCancel() { CancelOrClose(FlagAnnullaDwn); }

void CScaricamentoOrdiniDlg::Download(DownloadCommand command, qint64 number, const QString& text)
{
    OnDialogThread([&] {
        switch (command) {
        case DWNUI_ASK_PASSWORD: AskPassword(UserCodeDwn, &PasswordDwn); break;
        case DWNUI_SHOW_ANIMATION: m_animation->show(); break;
        case DWNUI_DISABLE_START: m_start->setEnabled(false); break;
        case DWNUI_HIDE_ANIMATION: m_animation->hide(); break;
        case DWNUI_POS: m_bar->setValue(int(number)); break;
        case DWNUI_RANGE: SetRange(m_bar, 1, number); break;
        case DWNUI_TEXT: m_status->setText(text); break;
        case DWNUI_PUMP: Pump(); break;
        case DWNUI_SET_LANGUAGE:
            if (m_defaultLanguage)
                CodiceLinguaDwn = m_defaultLanguage();
            break;
        }
    });
}
