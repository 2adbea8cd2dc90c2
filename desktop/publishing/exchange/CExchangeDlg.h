#pragma once

#include "exchange/IExchangeProgress.h"

#include <QDialog>

#include <atomic>
#include <functional>
#include <initializer_list>

class QHBoxLayout;
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
    bool Ask(const QString& title, const QString& text) override;

    // How the password is asked; tests answer it. Returns false on Annulla.
    static std::function<bool(const QString& userCode, QString* password)>& PasswordAsker();

protected:
    // Runs body on the dialog's thread and waits for it.
    void OnDialogThread(const std::function<void()>& body);
    static void AskPassword(const QString& userCode, QString* password);
    static void Pump();
    // A bar that shows "n di m" once it has a range.
    static QProgressBar* CountBar(QWidget* parent);
    // A busy bar in place of the animation clip, hidden until shown.
    static QProgressBar* BusyBar(QWidget* parent);
    // The buttons, right-aligned.
    static QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons);
    // "Annulla": closes the dialog while its job is idle (flag raised),
    // otherwise raises the flag the running job reads.
    void CancelOrClose(std::atomic<int>& flag);
    static void SetRange(QProgressBar* bar, qint64 lower, qint64 upper);
};
