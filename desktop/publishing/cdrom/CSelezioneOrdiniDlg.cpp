#include "desktop/publishing/cdrom/CSelezioneOrdiniDlg.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CSelezioneOrdiniDlg::CSelezioneOrdiniDlg(const QList<CCDRomViewCore::Order>& orders, const QPoint& anchor,
                                         QWidget* parent)
    : QDialog(parent), m_pList(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("Selezione ordini"));
    for (const CCDRomViewCore::Order& order : orders) {
        auto* item = new QListWidgetItem(order.text, m_pList);
        item->setData(Qt::UserRole, order.id);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* clear = buttons->addButton(QStringLiteral("Annulla selezione"), QDialogButtonBox::ResetRole);
    QPushButton* ok = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    connect(clear, &QPushButton::clicked, this, &CSelezioneOrdiniDlg::OnClearSelection);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pList);
    layout->addWidget(buttons);
    adjustSize();
    move(anchor.x() - width(), anchor.y());
}

QList<qint32> CSelezioneOrdiniDlg::SelectedOrders() const
{
    QList<qint32> ids;
    for (int i = 0; i < m_pList->count(); ++i)
        if (m_pList->item(i)->checkState() == Qt::Checked)
            ids.append(m_pList->item(i)->data(Qt::UserRole).toInt());
    return ids;
}

void CSelezioneOrdiniDlg::OnClearSelection()
{
    for (int i = 0; i < m_pList->count(); ++i)
        m_pList->item(i)->setCheckState(Qt::Unchecked);
}
