#include "desktop/customers/CCreditoSMSDlg.h"

#include "desktop/customers/CCreditoSMSCore.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include <memory>

CCreditoSMSDlg::CCreditoSMSDlg(CDaoDatabase& db, QWidget* parent) : QDialog(parent), m_pText(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Credito SMS"));
    m_pText->setMinimumWidth(320);
    m_pText->setWordWrap(true);
    m_pText->setTextFormat(Qt::PlainText);   // the server's reply is shown as text, never as markup
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pText);
    layout->addWidget(buttons);

    CCreditoSMSCore core;
    if (!core.Load(db))
        return;
    auto text = std::make_shared<QString>();
    QThread* worker = QThread::create([settings = core.Settings(), text] { *text = CCreditoSMSCore::Request(settings); });
    QPointer<CCreditoSMSDlg> self(this);
    connect(worker, &QThread::finished, worker, [worker, self, text] {
        if (self) {
            self->m_pText->setText(*text);
            emit self->Answered();
        }
        worker->deleteLater();
    });
    worker->start();
}

QString CCreditoSMSDlg::Text() const { return m_pText->text(); }
