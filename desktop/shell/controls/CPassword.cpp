#include "desktop/shell/controls/CPassword.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CPassword::CPassword(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Password"));
    auto* layout = new QFormLayout(this);
    m_pCode = new QLabel(this);
    layout->addRow(QStringLiteral("Codice utente:"), m_pCode);
    m_pPassword = new QLineEdit(this);
    m_pPassword->setEchoMode(QLineEdit::Password);
    layout->addRow(QStringLiteral("Password:"), m_pPassword);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CPassword::~CPassword() = default;

int CPassword::DoModal()
{
    m_pCode->setText(m_strText);
    m_pPassword->clear();
    m_pPassword->setFocus();
    const int result = exec();
    if (result == QDialog::Accepted)
        m_strText = m_pPassword->text();
    return result;
}
