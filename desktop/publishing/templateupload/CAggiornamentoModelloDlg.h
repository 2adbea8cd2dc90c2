#pragma once

#include "desktop/publishing/exchange/CExchangeDlg.h"
#include "desktop/publishing/templateupload/CTemplateUpload.h"

class CDaoDatabase;
class QLabel;
class QProgressBar;
class QPushButton;

// "Aggiornamento modello grafico sito": sends the project's pages and
// images to the shop when the merchant presses "Avvio", on a worker
// thread, with the file being sent in the status line, the folder's count
// on the file bar and the file's bytes on the transfer bar. "Annulla"
// closes the idle dialog and stops a running upload after the current
// file; the dialog goes once the result has been told.
class CAggiornamentoModelloDlg : public CExchangeDlg
{
    Q_OBJECT
public:
    // Reads the account and the active languages from database.
    CAggiornamentoModelloDlg(const QString& projectFolder, CDaoDatabase* database, QWidget* parent = nullptr);

    // "Nessun modello grafico selezionato." when the project has no
    // website/asp/default.asp (Rejected, nothing sent), else the dialog.
    int RunModal();

    void Update(UpdateCommand command, qint64 number, const QString& text) override;
    void TransferRange(qint64 total) override;
    void TransferPos(qint64 position) override;

    CTemplateUpload& Upload() { return m_upload; }
    CTemplateUpload::Result LastResult() const { return m_result; }
    QPushButton* StartButton() const { return m_start; }
    QPushButton* CancelButton() const { return m_cancel; }
    QLabel* StatusLabel() const { return m_status; }
    QProgressBar* FileBar() const { return m_fileBar; }
    QProgressBar* TransferBar() const { return m_transferBar; }

    static QString NotDoneText();

private:
    void OnStart();

    CTemplateUpload m_upload;
    CTemplateUpload::Result m_result = CTemplateUpload::Result::Failed;
    bool m_loaded = false;
    QProgressBar* m_animation;
    QLabel* m_status;
    QProgressBar* m_fileBar;
    QProgressBar* m_transferBar;
    QPushButton* m_start;
    QPushButton* m_cancel;
};
