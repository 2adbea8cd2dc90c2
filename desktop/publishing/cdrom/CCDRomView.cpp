#include "desktop/publishing/cdrom/CCDRomView.h"

#include "desktop/publishing/cdrom/CCdRomBuildDlg.h"
#include "desktop/publishing/cdrom/CSelezioneOrdiniDlg.h"
#include "desktop/shell/controls/CMessageBox.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

const QString kCaption = QStringLiteral("Creazione CD Rom");

} // namespace

CCDRomView::CCDRomView(CDaoDatabase& database, const QString& projectFolder, const QString& installFolder,
                       QWidget* parent)
    : QWidget(parent), m_core(database, projectFolder, installFolder), m_pCustomers(new QListWidget(this)),
      m_pKind(new QComboBox(this)), m_pPath(new QLabel(this)),
      m_pOrders(new QPushButton(QStringLiteral("Ordini"), this)),
      m_pDemo(new QPushButton(QStringLiteral("Demo CD"), this)),
      m_pBuild(new QPushButton(QStringLiteral("Avvio"), this))
{
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Tipo utente"), m_pKind);
    form->addRow(QStringLiteral("Utente CD-ROM"), m_pCustomers);
    m_pPath->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(QStringLiteral("Percorso immagine"), m_pPath);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pOrders);
    buttons->addStretch();
    buttons->addWidget(m_pDemo);
    buttons->addWidget(m_pBuild);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    m_pKind->addItems(CCDRomViewCore::Kinds());
    m_pDemo->setVisible(m_core.DemoOffered());
    m_pDemo->setEnabled(false);
    connect(m_pKind, &QComboBox::currentIndexChanged, this, &CCDRomView::OnUserTypeChanged);
    connect(m_pCustomers, &QListWidget::currentRowChanged, this, &CCDRomView::OnCustomerChanged);
    connect(m_pOrders, &QPushButton::clicked, this, &CCDRomView::OnSelectOrders);
    connect(m_pBuild, &QPushButton::clicked, this, &CCDRomView::BuildImage);
    connect(m_pDemo, &QPushButton::clicked, this, &CCDRomView::LaunchViewer);
    FillCustomerList();
}

void CCDRomView::FillCustomerList()
{
    m_customers = m_core.Customers(m_pKind->currentIndex());
    const QSignalBlocker quiet(m_pCustomers);
    m_pCustomers->clear();
    for (const CCDRomViewCore::Customer& customer : m_customers)
        m_pCustomers->addItem(customer.text);
    m_pCustomers->setCurrentRow(0);
    OnCustomerChanged();
}

CCDRomViewCore::Customer CCDRomView::Current() const
{
    return m_customers.value(qMax(0, m_pCustomers->currentRow()));
}

void CCDRomView::OnUserTypeChanged()
{
    m_pPath->clear();
    m_pOrders->setEnabled(CCDRomViewCore::OrdersEnabled(m_pKind->currentIndex()));
    FillCustomerList();
}

void CCDRomView::OnCustomerChanged()
{
    // An order selection belongs to the customer it was made for.
    m_selectedOrders.clear();
    m_pPath->setText(m_core.ImageFolder(Current()));
    m_pDemo->setEnabled(m_core.DemoEnabled(Current()));
}

void CCDRomView::OnSelectOrders()
{
    const QPoint anchor = m_pOrders->mapToGlobal(m_pOrders->rect().topRight());
    CSelezioneOrdiniDlg dialog(m_core.Orders(Current().id), anchor, this);
    m_selectedOrders = dialog.exec() == QDialog::Accepted ? dialog.SelectedOrders() : QList<qint32>();
}

void CCDRomView::BuildImage()
{
    for (QWidget* control : {static_cast<QWidget*>(m_pCustomers), static_cast<QWidget*>(m_pKind),
                             static_cast<QWidget*>(m_pOrders), static_cast<QWidget*>(m_pDemo),
                             static_cast<QWidget*>(m_pBuild)})
        control->setEnabled(false);
    CCdImageBuilder builder(
        m_core.MakeRequest(Current(), m_selectedOrders, m_defaultLanguage ? m_defaultLanguage() : QString()));
    CCdRomBuildDlg dialog(this);
    const CCdImageBuilder::Result result = dialog.RunTask(builder);
    m_pCustomers->setEnabled(true);
    m_pKind->setEnabled(true);
    m_pBuild->setEnabled(true);
    m_pOrders->setEnabled(CCDRomViewCore::OrdersEnabled(m_pKind->currentIndex()));
    m_pDemo->setEnabled(m_core.DemoEnabled(Current()));
    switch (result) {
    case CCdImageBuilder::Done:
        CMessageBox::Show(this, QStringLiteral("Operazione effettuata con successo."), kCaption, CMessageBox::Information);
        break;
    case CCdImageBuilder::Cancelled:
        CMessageBox::Show(this, QStringLiteral("Creazione annullata: l'immagine precedente è rimasta com'era."), kCaption,
                          CMessageBox::Exclamation);
        break;
    case CCdImageBuilder::Failed:
        CMessageBox::Show(this, builder.Error(), kCaption, CMessageBox::Stop);
        break;
    }
}

void CCDRomView::LaunchViewer()
{
    if (!m_core.LaunchViewer(Current()))
        CMessageBox::Show(this, QStringLiteral("Impossibile avviare il visualizzatore del CD: %1")
                                    .arg(CCDRomViewCore::ViewerCommand()),
                          kCaption, CMessageBox::Stop);
}
