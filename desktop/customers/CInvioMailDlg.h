#pragma once

#include <QDialog>

class QPlainTextEdit;

// "Invio mail": the end of a mailing run with its log.
class CInvioMailDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CInvioMailDlg(const QString& log, QWidget* parent = nullptr);

    QString m_strLog;
    QPlainTextEdit* LogEdit() const { return m_pLog; }

private:
    QPlainTextEdit* m_pLog = nullptr;
};
