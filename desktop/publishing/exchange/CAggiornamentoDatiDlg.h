#pragma once

#include "desktop/publishing/exchange/CExchangeDlg.h"

#include <memory>

class CDaoDatabase;
class ISiteUploadJob;
class QLabel;
class QProgressBar;
class QPushButton;

// "Aggiornamento Dati Sito": runs the site upload when the merchant
// presses "Avvio", on a worker thread with a connection of its own to the
// project database, and shows its tables and records. "Annulla" closes the
// dialog while the upload is idle; "Annulla", Escape and the close button
// ask a running one to stop at its next record.
class CAggiornamentoDatiDlg : public CExchangeDlg
{
    Q_OBJECT
public:
    CAggiornamentoDatiDlg(std::unique_ptr<ISiteUploadJob> job, const QString& projectFolder, CDaoDatabase* database,
                          QWidget* parent = nullptr);
    ~CAggiornamentoDatiDlg() override;

    void Update(UpdateCommand command, qint64 number, const QString& text) override;
    void TransferRange(qint64 total) override;
    void TransferPos(qint64 position) override;

    QPushButton* StartButton() const { return m_start; }
    QPushButton* CancelButton() const { return m_cancel; }
    QLabel* MessageLabel() const { return m_message; }
    QProgressBar* TableBar() const { return m_tableBar; }
    QProgressBar* RecordBar() const { return m_recordBar; }

private:
    void OnStart();
    void CancelJob() override;

    std::unique_ptr<ISiteUploadJob> m_job;
    QString m_projectFolder;
    QString m_databasePath;
    QLabel* m_message;
    QProgressBar* m_animation;
    QLabel* m_tableLabel;
    QProgressBar* m_tableBar;
    QLabel* m_recordLabel;
    QProgressBar* m_recordBar;
    QPushButton* m_start;
    QPushButton* m_cancel;
};
