#pragma once

#include "desktop/shell/controls/CJobRunner.h"
#include "exchange/IExchangeProgress.h"

#include <QDialog>

#include <atomic>
#include <functional>
#include <initializer_list>

class CDaoDatabase;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;

// What the three exchange dialogs share: they run their job on a worker
// thread (CJobRunner), watch it through IExchangeProgress, show its
// messages in the program's message boxes and ask for the site password.
// The job's reports reach the dialog queued; a message or a question is
// answered on the dialog's thread while the job waits, and a cancel ends
// that wait. "Annulla", Escape and the close button cancel a running job
// as the main window's close does; the dialog goes when the job has ended.
class CExchangeDlg : public QDialog, public IExchangeProgress
{
    Q_OBJECT
public:
    explicit CExchangeDlg(const QString& title, QWidget* parent = nullptr);
    ~CExchangeDlg() override;

    void Update(UpdateCommand, qint64, const QString&) override {}
    void Download(DownloadCommand, qint64, const QString&) override {}
    void Import(ImportCommand, qint64, const QString&) override {}
    void TransferRange(qint64) override {}
    void TransferPos(qint64) override {}
    void Message(const QString& title, const QString& text, Icon icon) override;
    bool Ask(const QString& title, const QString& text) override;

    // How the password is asked; tests answer it. Returns false on Annulla.
    static std::function<bool(const QString& userCode, QString* password)>& PasswordAsker();

    bool IsRunning() const { return m_runner.IsRunning(); }
    CJobRunner& Runner() { return m_runner; }

public slots:
    void reject() override;

protected:
    // Starts work on the worker; the dialog closes once it has returned
    // (after ended has run on the dialog's thread).
    void StartJob(std::function<void()> work, std::function<void()> ended = {});
    // What a cancel does besides the runner's flag: the job's own flag
    // and its script. Called on the dialog's thread.
    virtual void CancelJob() {}
    // Cancels a running job and waits for its worker: a dialog's
    // destructor calls it before its job goes.
    void StopJob();
    // On the worker: body gets a connection of its own to the project
    // database at path (none when path is empty); a database failure is
    // reported under title.
    void WithOwnConnection(const QString& path, const QString& title, const std::function<void(CDaoDatabase*)>& body);
    // A report of the job: on the dialog's thread, queued from a worker.
    void Show(std::function<void()> body);
    // The password for userCode, asked on the dialog's thread; empty when
    // not given or when the job was cancelled meanwhile.
    QString AskPassword(const QString& userCode);
    // A bar that shows "n di m" once it has a range.
    static QProgressBar* CountBar(QWidget* parent);
    // A busy bar in place of the animation clip, hidden until shown.
    static QProgressBar* BusyBar(QWidget* parent);
    // The buttons, right-aligned.
    static QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons);
    // "Annulla": closes the dialog while its job is idle, otherwise stops
    // the running job.
    void CancelOrClose();
    static void SetRange(QProgressBar* bar, qint64 lower, qint64 upper);

private:
    std::function<void()> m_ended;
    CJobRunner m_runner;
};
