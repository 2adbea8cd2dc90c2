#include "desktop/publishing/templateupload/CAggiornamentoModelloDlg.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "platform/dao/CDaoException.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kNoTemplate = QStringLiteral("Nessun modello grafico selezionato.");
const QString kNoPassword = QStringLiteral("Per aggiornare il sito è necessario specificare la password.");
const QString kDone = QStringLiteral("Aggiornamento effettuato con successo.");

} // namespace

QString CAggiornamentoModelloDlg::NotDoneText()
{
    return QStringLiteral("Aggiornamento non completato.\nATTENZIONE: nello stato attuale il sito potrebbe non "
                          "funzionare correttamente.\nE' necessario ripetere l'operazione.");
}

CAggiornamentoModelloDlg::CAggiornamentoModelloDlg(const QString& projectFolder, CDaoDatabase* database,
                                                   QWidget* parent)
    : CExchangeDlg(CTemplateUpload::Title(), parent),
      m_upload(projectFolder),
      m_animation(BusyBar(this)),
      m_status(new QLabel(this)),
      m_fileBar(CountBar(this)),
      m_transferBar(CountBar(this)),
      m_start(new QPushButton(QStringLiteral("Avvio"), this)),
      m_cancel(new QPushButton(QStringLiteral("Annulla"), this))
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_animation);
    layout->addWidget(m_status);
    layout->addWidget(m_fileBar);
    layout->addWidget(m_transferBar);
    layout->addLayout(ButtonRow({m_start, m_cancel}));
    setMinimumWidth(460);
    m_status->setMinimumHeight(m_status->fontMetrics().height());
    connect(m_start, &QPushButton::clicked, this, &CAggiornamentoModelloDlg::OnStart);
    connect(m_cancel, &QPushButton::clicked, this, &CAggiornamentoModelloDlg::CancelOrClose);
    try {
        m_upload.Load(database);
        m_loaded = true;
    } catch (const CDaoException& e) {
        m_start->setEnabled(false);
        m_status->setText(e.GetErrorMessage());
    }
}

int CAggiornamentoModelloDlg::RunModal()
{
    if (!m_upload.HasTemplate()) {
        CMessageBox::Show(parentWidget(), kNoTemplate, CTemplateUpload::Title(), CMessageBox::Stop);
        return Rejected;
    }
    return exec();
}

void CAggiornamentoModelloDlg::OnStart()
{
    if (IsRunning() || !m_loaded)
        return;
    CTemplateUpload::Settings& settings = m_upload.GetSettings();
    if (settings.password.isEmpty()) {
        QString typed;
        if (PasswordAsker()(settings.userCode, &typed))
            settings.password = typed;
    }
    if (settings.password.isEmpty()) {
        CMessageBox::Show(this, kNoPassword, CTemplateUpload::Title(), CMessageBox::Stop);
        CMessageBox::Show(this, NotDoneText(), CTemplateUpload::Title(), CMessageBox::Exclamation);
        QDialog::reject();
        return;
    }
    m_start->setEnabled(false);
    m_animation->show();
    StartJob([this] {
        m_result = m_upload.Run(this, Runner().CancelFlag());
        Show([this] { m_animation->hide(); });
        if (m_result == CTemplateUpload::Result::Done)
            Message(CTemplateUpload::Title(), kDone, Information);
        else
            Message(CTemplateUpload::Title(), NotDoneText(), Exclamation);
    });
}

void CAggiornamentoModelloDlg::Update(UpdateCommand command, qint64 number, const QString& text)
{
    Show([this, command, number, text] {
        switch (command) {
        case UPDUI_TABLE_RANGE: SetRange(m_fileBar, 1, number); break;
        case UPDUI_TABLE_TEXT: m_status->setText(text); break;
        case UPDUI_TABLE_POS: m_fileBar->setValue(int(number)); break;
        default: break;
        }
    });
}

void CAggiornamentoModelloDlg::TransferRange(qint64 total) { Show([this, total] { SetRange(m_transferBar, 1, total); }); }

void CAggiornamentoModelloDlg::TransferPos(qint64 position)
{
    Show([this, position] { m_transferBar->setValue(int(position)); });
}
