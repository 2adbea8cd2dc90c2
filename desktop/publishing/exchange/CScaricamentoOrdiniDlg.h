#pragma once

#include "desktop/publishing/exchange/CExchangeDlg.h"

#include <functional>
#include <memory>

class CDaoDatabase;
class IOrderDownloadJob;
class QLabel;
class QProgressBar;
class QPushButton;

// "Scaricamento ordini da sito": runs the order download when the merchant
// presses "Avvio", on a worker thread; the download replaces the project
// database, so the application's connection is closed while it runs and
// opened again when it has ended. "Annulla" closes the dialog while idle;
// "Annulla", Escape and the close button stop a running download before
// its next request and interrupt the export script.
class CScaricamentoOrdiniDlg : public CExchangeDlg
{
    Q_OBJECT
public:
    // defaultLanguage gives the editing language orders fall back to.
    CScaricamentoOrdiniDlg(std::unique_ptr<IOrderDownloadJob> job, const QString& projectFolder, CDaoDatabase* database,
                           std::function<QString()> defaultLanguage, QWidget* parent = nullptr);
    ~CScaricamentoOrdiniDlg() override;

    void Download(DownloadCommand command, qint64 number, const QString& text) override;

    QPushButton* StartButton() const { return m_start; }
    QPushButton* CancelButton() const { return m_cancel; }
    QLabel* StatusLabel() const { return m_status; }
    QProgressBar* Bar() const { return m_bar; }

private:
    void OnStart();
    void OnEnded();
    void CancelJob() override;

    std::unique_ptr<IOrderDownloadJob> m_job;
    QString m_projectFolder;
    CDaoDatabase* m_database;
    QString m_databasePath;
    std::function<QString()> m_defaultLanguage;
    QProgressBar* m_animation;
    QLabel* m_status;
    QProgressBar* m_bar;
    QPushButton* m_start;
    QPushButton* m_cancel;
};
