#pragma once

#include "exchange/IExchangeProgress.h"

#include <QDialog>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

// What the three exchange dialogs share: they watch a job through
// IExchangeProgress, show its messages in the program's message boxes and
// ask for the site password. A report from a job running on another thread
// is handled on the dialog's thread before the call returns, as a job that
// asks for the password expects.
class CExchangeDlg : public QDialog, public IExchangeProgress
{
    Q_OBJECT
public:
    explicit CExchangeDlg(const QString& title, QWidget* parent = nullptr);

    void Update(UpdateCommand, qint64, const QString&) override {}
    void Download(DownloadCommand, qint64, const QString&) override {}
    void Import(ImportCommand, qint64, const QString&) override {}
    void TransferRange(qint64) override {}
    void TransferPos(qint64) override {}
    void Message(const QString& title, const QString& text, Icon icon) override;

    // How the password is asked; tests answer it. Returns false on Annulla.
    static std::function<bool(const QString& userCode, QString* password)>& PasswordAsker();

protected:
    // Runs body on the dialog's thread and waits for it.
    void OnDialogThread(const std::function<void()>& body);
    static void AskPassword(const QString& userCode, QString* password);
    static void Pump();
    // A bar that shows "n di m" once it has a range.
    static QProgressBar* CountBar(QWidget* parent);
    static void SetRange(QProgressBar* bar, qint64 lower, qint64 upper);
};
