#pragma once

#include "desktop/publishing/exchange/CExchangeDlg.h"

#include <memory>

class IImportJob;
class QLabel;
class QProgressBar;
class QPushButton;

// "Import automatico": runs the scripted import while a project opens. The
// import runs on a worker thread while the dialog is shown modal, so the
// window stays alive and "Annulla", Escape, the close button and the main
// window's close stop even a script stuck in a loop; RunTask returns when
// the import has ended.
class CImportAutomaticoDlg : public CExchangeDlg
{
    Q_OBJECT
public:
    CImportAutomaticoDlg(std::unique_ptr<IImportJob> job, const QString& projectFolder, QWidget* parent = nullptr);
    ~CImportAutomaticoDlg() override;

    void RunTask();
    void Import(ImportCommand command, qint64 number, const QString& text) override;

    QPushButton* CancelButton() const { return m_cancel; }
    QLabel* StatusLabel() const { return m_status; }
    QProgressBar* Bar() const { return m_bar; }

private:
    void CancelJob() override;

    std::unique_ptr<IImportJob> m_job;
    QLabel* m_status;
    QProgressBar* m_bar;
    QPushButton* m_cancel;
};
