#include "desktop/content/CTipoBannerDlg.h"

#include "desktop/content/CIconButtons.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "platform/dao/CDaoException.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const CIconButtons::Look kButtons[CTipoBannerDlg::ButtonCount] = {
    {QStyle::SP_FileDialogNewFolder, "Inserisci tipo banner"},
    {QStyle::SP_DialogSaveButton, "Salva tipo banner"},
    {QStyle::SP_TrashIcon, "Cancella tipo banner"},
};

} // namespace

CTipoBannerDlg::CTipoBannerDlg(CDaoDatabase& db, QWidget* parent) : QDialog(parent), m_core(db)
{
    setWindowTitle(QStringLiteral("Tipo Banner"));
    m_pCode = new QLineEdit(this);
    m_pCode->setMaxLength(CTipoBannerCore::kCodeLength);
    m_pDescription = new QLineEdit(this);
    m_pDescription->setMaxLength(CTipoBannerCore::kDescriptionLength);
    m_pList = new QListWidget(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Codice"), m_pCode);
    form->addRow(QStringLiteral("Descrizione"), m_pDescription);
    form->addRow(QString(),
                 CIconButtons::Make(this, kButtons, ButtonCount, m_buttons, [this](int i) { OnButton(i); }));
    auto* close = new QDialogButtonBox(this);
    close->addButton(QStringLiteral("Chiudi"), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_pList, 1);
    layout->addWidget(close);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pList, &QListWidget::itemClicked, this, &CTipoBannerDlg::OnTypeClicked);
    Show();
}

void CTipoBannerDlg::OnButton(int button)
{
    CTipoBannerCore::Refusal refusal = CTipoBannerCore::Accepted;
    try {
        switch (button) {
        case AddButton: refusal = m_core.Add(m_pCode->text(), m_pDescription->text()); break;
        case SaveButton: refusal = m_core.Save(m_pCode->text(), m_pDescription->text()); break;
        case DeleteButton: m_core.Delete(); break;
        default: break;
        }
    } catch (const CDaoException& error) {
        CMessageBox::Show(this, error.GetErrorMessage(), QStringLiteral("Quintaro"), CMessageBox::Stop);
        return;
    }
    if (refusal != CTipoBannerCore::Accepted) {
        CMessageBox::Show(this, CTipoBannerCore::RefusalText(refusal), QStringLiteral("Validazione campi"),
                          CMessageBox::Stop);
        (CTipoBannerCore::IsCodeField(refusal) ? m_pCode : m_pDescription)->setFocus();
        return;
    }
    Show();
}

void CTipoBannerDlg::OnTypeClicked()
{
    if (const QListWidgetItem* item = m_pList->currentItem()) {
        m_core.Select(item->data(Qt::UserRole).toInt());
        Show();
    }
}

void CTipoBannerDlg::Show()
{
    m_pList->clear();
    for (const CTipoBannerCore::Entry& type : m_core.Types()) {
        auto* item = new QListWidgetItem(type.strDescrizione, m_pList);
        item->setData(Qt::UserRole, type.nId);
        if (type.nId == m_core.Selected())
            m_pList->setCurrentItem(item);
    }
    m_pCode->setText(m_core.Current().strCodice);
    m_pDescription->setText(m_core.Current().strDescrizione);
    const CTipoBannerCore::Controls& controls = m_core.GetControls();
    m_buttons[AddButton]->setEnabled(controls.bAdd);
    m_buttons[SaveButton]->setEnabled(controls.bSave);
    m_buttons[DeleteButton]->setEnabled(controls.bDelete);
}
