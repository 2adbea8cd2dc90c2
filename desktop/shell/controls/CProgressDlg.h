#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The modeless progress dialog of long jobs: its user creates it hidden,
// calls Show at the start, SetPos as the work goes on and Hide at the end.
// The bar shows the count done of the total, and "Annulla" (or closing the
// window) raises a flag that the job tests between steps.
class CProgressDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CProgressDlg(QWidget* parent = nullptr);
    ~CProgressDlg() override;

    void Show(const QString& caption, int lower, int upper);
    void Hide();
    void SetPos(int position);

    bool IsCancelled() const { return m_bCancelled; }
    int GetPos() const;
    QString GetCountText() const;
    QPushButton* CancelButton() const { return m_pCancel; }

public slots:
    void reject() override;

private:
    void UpdateCount();

    QProgressBar* m_pBar = nullptr;
    QLabel* m_pCount = nullptr;
    QPushButton* m_pCancel = nullptr;
    bool m_bCancelled = false;
};
