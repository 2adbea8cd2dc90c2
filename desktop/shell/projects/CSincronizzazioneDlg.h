#pragma once

#include "desktop/shell/projects/CSyncLockWait.h"

#include <QDialog>
#include <QString>

class QPushButton;

// "Sincronizzazione in corso...": stays up while the lock file exists and
// closes itself with Accepted when it goes; "Chiudi Quintaro" closes it
// with Rejected. The wait ends with the dialog, whichever way it closes.
class CSincronizzazioneDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CSincronizzazioneDlg(const QString& lockPath, QWidget* parent = nullptr);
    ~CSincronizzazioneDlg() override;

    // QDialog::Accepted once the lock is gone, Rejected on "Chiudi Quintaro".
    int DoModal();
    QPushButton* CloseButton() const { return m_pClose; }

    QString m_strLockPath;

protected:
    void done(int result) override;

private:
    CSyncLockWait m_wait;
    QPushButton* m_pClose = nullptr;
};
