#include "desktop/publishing/exchange/CExchangeDlg.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CPassword.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoException.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>

CExchangeDlg::CExchangeDlg(const QString& title, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(title);
    setModal(true);
    m_runner.OnCancel([this] { CancelJob(); });
    connect(&m_runner, &CJobRunner::Finished, this, [this] {
        if (m_ended)
            m_ended();
        QDialog::reject();
    });
}

CExchangeDlg::~CExchangeDlg() { StopJob(); }

// The job reports to this dialog: it ends before the dialog goes.
void CExchangeDlg::StopJob()
{
    if (m_runner.IsRunning()) {
        m_runner.Cancel();
        m_runner.Wait();
    }
}

void CExchangeDlg::StartJob(std::function<void()> work, std::function<void()> ended)
{
    m_ended = std::move(ended);
    m_runner.Start(std::move(work));
}

// A connection belongs to the thread that opened it.
void CExchangeDlg::WithOwnConnection(const QString& path, const QString& title,
                                     const std::function<void(CDaoDatabase*)>& body)
{
    CDaoDatabase own;
    try {
        if (!path.isEmpty())
            own.Open(path);
        body(path.isEmpty() ? nullptr : &own);
    } catch (const CDaoException& e) {
        Message(title, e.GetErrorMessage(), Error);
    }
}

void CExchangeDlg::Show(std::function<void()> body) { m_runner.Post(std::move(body)); }

void CExchangeDlg::Message(const QString& title, const QString& text, Icon icon)
{
    m_runner.Ask([this, title, text, icon] {
        const CMessageBox::Icon boxIcon = icon == Information ? CMessageBox::Information
                                          : icon == Error     ? CMessageBox::Stop
                                                              : CMessageBox::Exclamation;
        CMessageBox::Show(this, text, title, boxIcon);
        return QVariant();
    });
}

bool CExchangeDlg::Ask(const QString& title, const QString& text)
{
    // A closing window answers nothing: the question then counts as a no.
    return m_runner
        .Ask([this, title, text] {
            return QVariant(CMessageBox::Show(this, text, title, CMessageBox::Question,
                                              QMessageBox::Yes | QMessageBox::No)
                            == QMessageBox::Yes);
        })
        .toBool();
}

std::function<bool(const QString&, QString*)>& CExchangeDlg::PasswordAsker()
{
    static std::function<bool(const QString&, QString*)> asker = [](const QString& userCode, QString* password) {
        CPassword dialog;
        dialog.m_strText = userCode;
        if (dialog.DoModal() != QDialog::Accepted)
            return false;
        *password = dialog.m_strText;
        return true;
    };
    return asker;
}

QString CExchangeDlg::AskPassword(const QString& userCode)
{
    return m_runner
        .Ask([userCode] {
            QString typed;
            return PasswordAsker()(userCode, &typed) ? QVariant(typed) : QVariant();
        })
        .toString();
}

QProgressBar* CExchangeDlg::CountBar(QWidget* parent)
{
    auto* bar = new QProgressBar(parent);
    bar->setRange(0, 1);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

QProgressBar* CExchangeDlg::BusyBar(QWidget* parent)
{
    auto* bar = new QProgressBar(parent);
    bar->setRange(0, 0);
    bar->setTextVisible(false);
    bar->hide();
    return bar;
}

QHBoxLayout* CExchangeDlg::ButtonRow(std::initializer_list<QPushButton*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : buttons)
        row->addWidget(button);
    return row;
}

void CExchangeDlg::CancelOrClose()
{
    if (m_runner.IsRunning())
        m_runner.Cancel();
    else
        QDialog::reject();
}

// Escape and the close button come here: while the job runs they cancel
// it, as "Annulla" does, and the dialog stays until the job has ended.
void CExchangeDlg::reject() { CancelOrClose(); }

void CExchangeDlg::SetRange(QProgressBar* bar, qint64 lower, qint64 upper)
{
    bar->setRange(int(lower), int(qMax(lower, upper)));
    // "%m" would count the steps of a range that starts at 1.
    bar->setFormat(QStringLiteral("%v di %1").arg(upper));
    bar->setTextVisible(upper > 0);
}
