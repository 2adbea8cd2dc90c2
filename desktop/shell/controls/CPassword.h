#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;

// Asks for the shop account's password when none is stored. The caller
// writes the account code into m_strText before DoModal; after OK the same
// member holds the password typed, otherwise it is left as it was.
class CPassword : public QDialog
{
    Q_OBJECT
public:
    explicit CPassword(QWidget* parent = nullptr);
    ~CPassword() override;

    // QDialog::Accepted (1) on OK.
    int DoModal();

    QString m_strText;

    QLineEdit* PasswordEdit() const { return m_pPassword; }

private:
    QLabel* m_pCode = nullptr;
    QLineEdit* m_pPassword = nullptr;
};
