#pragma once

#include "desktop/shell/projects/CProjectUpgrade.h"
#include "desktop/shell/projects/IUpgradeProgress.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// "Aggiornamento progetto": shows the table and record reached by the
// upgrade, which runs on this thread and lets events through between
// rows, so "Annulla" is heard at the next row.
class CAggiornamentoProgettoDlg : public QDialog, public IUpgradeProgress
{
    Q_OBJECT
public:
    explicit CAggiornamentoProgettoDlg(QWidget* parent = nullptr);
    ~CAggiornamentoProgettoDlg() override;

    // Shows the dialog (modeless), runs the upgrade, hides it.
    CProjectUpgrade::Result RunTask(CProjectUpgrade& upgrade);

    void SetTableLabel(const QString& text) override;
    void SetTableRange(int lower, int upper) override;
    void SetTablePos(int position) override;
    void SetRecordLabel(const QString& text) override;
    void SetRecordRange(int lower, int upper) override;
    void SetRecordPos(int position) override;
    bool PumpMessages() override;

    bool m_bCancelled = false;
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
};
