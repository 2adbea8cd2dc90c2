#include "desktop/publishing/exchange/CExchangeDlg.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CPassword.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>

CExchangeDlg::CExchangeDlg(const QString& title, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(title);
    setModal(true);
}

void CExchangeDlg::OnDialogThread(const std::function<void()>& body)
{
    if (QThread::currentThread() == thread())
        body();
    else
        QMetaObject::invokeMethod(this, body, Qt::BlockingQueuedConnection);
}

void CExchangeDlg::Message(const QString& title, const QString& text, Icon icon)
{
    OnDialogThread([&] {
        const CMessageBox::Icon boxIcon = icon == Information ? CMessageBox::Information
                                          : icon == Error     ? CMessageBox::Stop
                                                              : CMessageBox::Exclamation;
        CMessageBox::Show(this, text, title, boxIcon);
    });
}

bool CExchangeDlg::Ask(const QString& title, const QString& text)
{
    bool yes = false;
    OnDialogThread([&] {
        yes = CMessageBox::Show(this, text, title, CMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
              == QMessageBox::Yes;
    });
    return yes;
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

void CExchangeDlg::AskPassword(const QString& userCode, QString* password)
{
    QString typed;
    if (PasswordAsker()(userCode, &typed))
        *password = typed;
}

void CExchangeDlg::Pump() { QCoreApplication::processEvents(); }

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

void CExchangeDlg::CancelOrClose(std::atomic<int>& flag)
{
    if (flag.load() != 0)
        reject();
    else
        flag = 1;
}

void CExchangeDlg::SetRange(QProgressBar* bar, qint64 lower, qint64 upper)
{
    bar->setRange(int(lower), int(qMax(lower, upper)));
    // "%m" would count the steps of a range that starts at 1.
    bar->setFormat(QStringLiteral("%v di %1").arg(upper));
    bar->setTextVisible(upper > 0);
}
