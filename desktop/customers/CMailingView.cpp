#include "desktop/customers/CMailingView.h"

#include "desktop/customers/CInvioMailDlg.h"
#include "desktop/customers/CMailingSmsRequests.h"
#include "desktop/customers/IMailingSms.h"
#include "desktop/shell/controls/CJobRunner.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "platform/dao/CDaoException.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

CMailingView::SmsFactory& Factory()
{
    static CMailingView::SmsFactory factory;
    return factory;
}

// The run's messages and progress, carried to the window's thread.
class RunnerUi : public CMailingInvio::IUi
{
public:
    RunnerUi(CJobRunner& runner, QWidget* window, QProgressBar* progress, QLabel* status)
        : m_runner(runner), m_window(window), m_progress(progress), m_status(status)
    {
    }

    void Message(const QString& text, const QString& caption, Icon icon) override
    {
        QWidget* window = m_window;
        m_runner.Ask([=] {
            CMessageBox::Show(window, text, caption, icon == Stop ? CMessageBox::Stop : CMessageBox::Exclamation);
            return QVariant();
        });
    }

    void Progress(int position, int count, const QString& status) override
    {
        QProgressBar* progress = m_progress;
        QLabel* label = m_status;
        m_runner.Post([=] {
            progress->setRange(0, qMax(0, count - 1));
            progress->setValue(position);
            label->setText(status);
        });
    }

private:
    CJobRunner& m_runner;
    QWidget* m_window;
    QProgressBar* m_progress;
    QLabel* m_status;
};

void FillChecks(QListWidget* list, const QList<CMailingViewCore::Check>& checks)
{
    const QSignalBlocker block(list);
    list->clear();
    for (const CMailingViewCore::Check& check : checks) {
        auto* item = new QListWidgetItem(check.strText, list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(check.bChecked ? Qt::Checked : Qt::Unchecked);
    }
}

bool ReadChecks(const QListWidget* list, QList<CMailingViewCore::Check>& checks)
{
    bool changed = false;
    for (int i = 0; i < checks.size() && i < list->count(); ++i) {
        const bool checked = list->item(i)->checkState() == Qt::Checked;
        changed = changed || checked != checks[i].bChecked;
        checks[i].bChecked = checked;
    }
    return changed;
}

} // namespace

void CMailingView::SetSmsFactory(SmsFactory factory)
{
    Factory() = std::move(factory);
}

CMailingView::CMailingView(CDaoDatabase& db, const QString& projectFolder, const QString& currentLanguage,
                           const QString& defaultLanguage, QWidget* parent)
    : QWidget(parent), m_db(db), m_core(db, projectFolder, currentLanguage, defaultLanguage)
{
    m_pTabs = new QTabWidget(this);
    m_pTabs->addTab(BuildMessaggio(), QStringLiteral("  Messaggio  "));
    m_pTabs->addTab(BuildDestinatari(), QStringLiteral("  Interessi  "));
    m_pTabs->addTab(BuildPromo(), QStringLiteral("  Promo prodotti  "));
    m_pProgress = new QProgressBar(this);
    m_pProgress->setValue(0);
    m_pStatus = new QLabel(this);
    m_pMail = new QCheckBox(QStringLiteral("Mail"), this);
    m_pMail->setChecked(true);
    m_pSms = new QCheckBox(QStringLiteral("SMS"), this);
    m_pInvio = new QPushButton(QStringLiteral("Invio"), this);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_pProgress, 1);
    bottom->addWidget(m_pMail);
    bottom->addWidget(m_pSms);
    bottom->addWidget(m_pInvio);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTabs, 1);
    layout->addWidget(m_pStatus);
    layout->addLayout(bottom);

    m_showLog = [this](const QString& log) {
        CInvioMailDlg dialog(log, this);
        dialog.exec();
    };
    connect(m_pInvio, &QPushButton::clicked, this, &CMailingView::OnInvio);
    Push();
}

CMailingView::~CMailingView()
{
    m_runner.reset();   // a run still going is cancelled and waited for
    Pull();
    m_core.WriteIni();
}

QWidget* CMailingView::BuildMessaggio()
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    const char* const labels[] = {"SMS", "Server SMTP (posta in uscita)", "Oggetto", "Email Mittente",
                                  "Firma messaggio"};
    for (int i = EditSms; i <= EditSignature; ++i) {
        m_edits[i] = new QLineEdit(page);
        form->addRow(QString::fromUtf8(labels[i]), m_edits[i]);
    }
    m_edits[EditSms]->setMaxLength(160);
    m_pBody = new QPlainTextEdit(page);
    form->addRow(QStringLiteral("Corpo del messaggio"), m_pBody);
    m_pInsertPromo = new QCheckBox(QStringLiteral("Inserisci promo prodotti"), page);
    form->addRow(QString(), m_pInsertPromo);
    return page;
}

QWidget* CMailingView::BuildDestinatari()
{
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    m_pKinds = new QListWidget(page);
    m_pInterests = new QListWidget(page);
    m_pUsers = new QListWidget(page);
    m_pShowUsers = new QPushButton(QStringLiteral("Visualizza Utenti"), page);
    grid->addWidget(m_pKinds, 0, 0);
    grid->addWidget(m_pInterests, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Utenti selezionati"), page), 0, 1, Qt::AlignBottom);
    grid->addWidget(m_pUsers, 1, 1);
    grid->addWidget(m_pShowUsers, 2, 1);
    FillChecks(m_pKinds, m_core.Kinds());
    FillChecks(m_pInterests, m_core.Interests());
    for (QListWidget* list : {m_pKinds, m_pInterests})
        connect(list, &QListWidget::itemChanged, this, &CMailingView::OnChecksChanged);
    connect(m_pShowUsers, &QPushButton::clicked, this, [this] {
        m_pUsers->clear();
        try {
            m_pUsers->addItems(m_core.ShowRecipients());
        } catch (const CDaoException& error) {
            CMessageBox::Show(this, error.GetErrorMessage(), QStringLiteral("Selezione utenti"), CMessageBox::Stop);
        }
        m_pShowUsers->setEnabled(false);
    });
    m_pShowUsers->setEnabled(false);
    return page;
}

QWidget* CMailingView::BuildPromo()
{
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    m_edits[EditUrl] = new QLineEdit(page);
    m_pFields = new QListWidget(page);
    m_pPromo = new QPlainTextEdit(page);
    m_pPromo->setReadOnly(true);
    m_pShowPromo = new QPushButton(QStringLiteral("Visualizza Promo Prodotti"), page);
    m_pShowPromo->setEnabled(false);
    grid->addWidget(new QLabel(QStringLiteral("URL scheda prodotto"), page), 0, 0);
    grid->addWidget(m_edits[EditUrl], 0, 1);
    grid->addWidget(m_pFields, 1, 0);
    grid->addWidget(m_pPromo, 1, 1);
    grid->addWidget(m_pShowPromo, 2, 1);
    grid->setColumnStretch(1, 2);
    FillChecks(m_pFields, m_core.Fields());
    connect(m_pFields, &QListWidget::itemChanged, this, [this] {
        if (ReadChecks(m_pFields, m_core.Fields())) {
            m_pPromo->clear();
            m_pShowPromo->setEnabled(true);
        }
    });
    connect(m_edits[EditUrl], &QLineEdit::textEdited, this, [this] { m_pShowPromo->setEnabled(true); });
    connect(m_pShowPromo, &QPushButton::clicked, this, [this] {
        Pull();
        if (!m_core.HasPromoProducts()) {
            CMessageBox::Show(this, QStringLiteral("Non ci sono prodotti selezionati per il mailing."),
                              QStringLiteral("Selezione prodotti"), CMessageBox::Exclamation);
            return;
        }
        m_pPromo->setPlainText(QString(m_core.BuildPromoText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        m_pShowPromo->setEnabled(false);
    });
    return page;
}

void CMailingView::OnChecksChanged()
{
    const bool kinds = ReadChecks(m_pKinds, m_core.Kinds());
    const bool interests = ReadChecks(m_pInterests, m_core.Interests());
    if (!kinds && !interests)
        return;
    m_pUsers->clear();
    const auto any = [](const QList<CMailingViewCore::Check>& checks) {
        return std::any_of(checks.begin(), checks.end(), [](const auto& c) { return c.bChecked; });
    };
    m_pShowUsers->setEnabled(any(m_core.Kinds()) && any(m_core.Interests()));
}

void CMailingView::Pull()
{
    CMailingViewCore::Messaggio& m = m_core.Message();
    m.strSms = m_edits[EditSms]->text();
    m.strServer = m_edits[EditServer]->text();
    m.strSubject = m_edits[EditSubject]->text();
    m.strSender = m_edits[EditSender]->text();
    m.strSignature = m_edits[EditSignature]->text();
    m.strBody = m_pBody->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    m.bInsertPromo = m_pInsertPromo->isChecked();
    m_core.ProductUrl() = m_edits[EditUrl]->text();
}

void CMailingView::Push()
{
    const CMailingViewCore::Messaggio& m = m_core.Message();
    m_edits[EditSms]->setText(m.strSms);
    m_edits[EditServer]->setText(m.strServer);
    m_edits[EditSubject]->setText(m.strSubject);
    m_edits[EditSender]->setText(m.strSender);
    m_edits[EditSignature]->setText(m.strSignature);
    m_pBody->setPlainText(QString(m.strBody).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_pInsertPromo->setChecked(m.bInsertPromo);
    m_edits[EditUrl]->setText(m_core.ProductUrl());
}

void CMailingView::RefreshLanguage()
{
    if (!m_currentLanguage)
        return;
    Pull();
    m_core.RefreshLanguage(m_currentLanguage());
    Push();
    if (!m_pPromo->toPlainText().isEmpty())
        m_pPromo->setPlainText(QString(m_core.BuildPromoText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

bool CMailingView::IsSending() const
{
    return m_runner && m_runner->IsRunning();
}

void CMailingView::OnInvio()
{
    if (IsSending())
        return;
    Pull();
    const bool mail = m_pMail->isChecked();
    const bool sms = m_pSms->isChecked();
    MailingJob job;
    try {
        if (!m_core.Validate(mail, sms))
            return;
        job = m_core.PrepareJob(mail, sms);
    } catch (const CDaoException& error) {
        CMessageBox::Show(this, error.GetErrorMessage(), QStringLiteral("Invio mailing list"), CMessageBox::Stop);
        return;
    }
    Push();
    if (!sms)
        m_sms = nullptr;
    else
        m_sms = Factory() ? Factory()() : std::make_unique<CMailingSmsRequests>(m_db);
    m_runner = std::make_unique<CJobRunner>();
    m_ui = std::make_unique<RunnerUi>(*m_runner, this, m_pProgress, m_pStatus);
    m_pInvio->setEnabled(false);
    connect(m_runner.get(), &CJobRunner::Finished, this, &CMailingView::OnRunEnded);
    CJobRunner* runner = m_runner.get();
    m_runner->Start([this, job, runner] {
        m_outcome = CMailingInvio::Run(job, *m_ui, m_sms.get(), &runner->CancelFlag());
    });
}

void CMailingView::OnRunEnded()
{
    m_pInvio->setEnabled(true);
    if (m_outcome.bShowLog && m_showLog)
        m_showLog(m_outcome.strLog);
    m_pStatus->clear();
    m_pProgress->setValue(0);
    emit SendFinished();
}
