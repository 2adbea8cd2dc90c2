#include "desktop/customers/CInvioMailDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CInvioMailDlg::CInvioMailDlg(const QString& log, QWidget* parent) : QDialog(parent), m_strLog(log)
{
    setWindowTitle(QStringLiteral("Invio mail"));
    m_pLog = new QPlainTextEdit(this);
    m_pLog->setReadOnly(true);
    m_pLog->setPlainText(QString(m_strLog).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Invio completato."), this));
    layout->addWidget(m_pLog, 1);
    layout->addWidget(buttons);
    resize(520, 320);
}
