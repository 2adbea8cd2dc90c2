#pragma once

#include "desktop/shell/controls/CJobRunner.h"
#include "desktop/shell/projects/CProjectUpgrade.h"
#include "desktop/shell/projects/IUpgradeProgress.h"

#include <QDialog>

#include <atomic>

class QLabel;
class QProgressBar;
class QPushButton;

// "Aggiornamento progetto": shows the table and record reached by the
// upgrade, which runs on a worker thread while the dialog is shown modal;
// "Annulla", Escape and the close button are heard at the next row.
class CAggiornamentoProgettoDlg : public QDialog, public IUpgradeProgress
{
    Q_OBJECT
public:
    explicit CAggiornamentoProgettoDlg(QWidget* parent = nullptr);
    ~CAggiornamentoProgettoDlg() override;

    // Shows the dialog, runs the upgrade, hides it once it has ended.
    CProjectUpgrade::Result RunTask(CProjectUpgrade& upgrade);

    void SetTableLabel(const QString& text) override;
    void SetTableRange(int lower, int upper) override;
    void SetTablePos(int position) override;
    void SetRecordLabel(const QString& text) override;
    void SetRecordRange(int lower, int upper) override;
    void SetRecordPos(int position) override;
    bool IsCancelled() override;

    std::atomic<bool> m_bCancelled{false};
    QPushButton* CancelButton() const { return m_pCancel; }
    QLabel* TableLabel() const { return m_pTableLabel; }
    QLabel* RecordLabel() const { return m_pRecordLabel; }

public slots:
    void reject() override;

private:
    QLabel* m_pTableLabel = nullptr;
    QLabel* m_pRecordLabel = nullptr;
    QProgressBar* m_pTables = nullptr;
    QProgressBar* m_pRecords = nullptr;
    QPushButton* m_pCancel = nullptr;
    CJobRunner m_runner;
};
