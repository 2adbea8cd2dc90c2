#include "desktop/content/CDizionarioView.h"

#include "desktop/content/CIconButtons.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "platform/dao/CDaoException.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QToolButton>

namespace {

const CIconButtons::Look kButtons[CDizionarioView::ButtonCount] = {
    {QStyle::SP_FileDialogNewFolder, "Inserisci voce"},
    {QStyle::SP_DialogSaveButton, "Salva voce"},
    {QStyle::SP_TrashIcon, "Cancella voce"},
};

} // namespace

CDizionarioView::CDizionarioView(CDaoDatabase& db, const QString& currentLanguage, const QString& defaultLanguage,
                                 QWidget* parent)
    : QWidget(parent), m_core(db, currentLanguage, defaultLanguage)
{
    m_pCode = new QLineEdit(this);
    m_pCode->setMaxLength(CDizionarioViewCore::kCodeLength);
    m_pCode->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[A-Za-z0-9]*")), m_pCode));
    m_pText = new QPlainTextEdit(this);
    m_pList = new QListWidget(this);
    QHBoxLayout* buttons = CIconButtons::Make(this, kButtons, ButtonCount, m_buttons, [this](int i) { OnButton(i); });

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_pList, 0, 0, 4, 1);
    layout->addWidget(new QLabel(QStringLiteral("Codice"), this), 0, 1);
    layout->addWidget(m_pCode, 0, 2);
    layout->addLayout(buttons, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Testo"), this), 2, 1, Qt::AlignTop);
    layout->addWidget(m_pText, 2, 2, 2, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(2, 2);

    connect(m_pList, &QListWidget::itemClicked, this, &CDizionarioView::OnEntryClicked);
    ShowEntries();
    ShowFields();
}

void CDizionarioView::OnButton(int button)
{
    CDizionarioViewCore::Refusal refusal = CDizionarioViewCore::Accepted;
    try {
        switch (button) {
        case AddButton: refusal = m_core.Add(m_pCode->text(), m_pText->toPlainText()); break;
        case SaveButton: refusal = m_core.Save(m_pCode->text(), m_pText->toPlainText()); break;
        case DeleteButton: m_core.Delete(); break;
        default: break;
        }
    } catch (const CDaoException& error) {
        CMessageBox::Show(this, error.GetErrorMessage(), QStringLiteral("Quintaro"), CMessageBox::Stop);
        return;
    }
    if (refusal != CDizionarioViewCore::Accepted) {
        CMessageBox::Show(this, CDizionarioViewCore::RefusalText(refusal), CDizionarioViewCore::RefusalCaption(),
                          CMessageBox::Stop);
        m_pCode->setFocus();
        return;
    }
    ShowEntries();
    ShowFields();
}

void CDizionarioView::OnEntryClicked()
{
    if (const QListWidgetItem* item = m_pList->currentItem()) {
        m_core.Select(item->data(Qt::UserRole).toInt());
        ShowFields();
    }
}

void CDizionarioView::RefreshLanguage()
{
    if (!m_currentLanguage || !m_defaultLanguage)
        return;
    m_core.SetLanguages(m_currentLanguage(), m_defaultLanguage());
    ShowEntries();
    ShowFields();
}

void CDizionarioView::ShowEntries()
{
    m_pList->clear();
    for (const CDizionarioViewCore::Entry& entry : m_core.Entries()) {
        auto* item = new QListWidgetItem(entry.strCodice, m_pList);
        item->setData(Qt::UserRole, entry.nId);
        if (entry.nId == m_core.Selected())
            m_pList->setCurrentItem(item);
    }
    if (m_core.Selected() == 0)
        m_pList->clearSelection();
}

void CDizionarioView::ShowFields()
{
    m_pCode->setText(m_core.Code());
    m_pText->setPlainText(m_core.Text());
    const CDizionarioViewCore::Controls& controls = m_core.GetControls();
    m_buttons[AddButton]->setEnabled(controls.bAdd);
    m_buttons[SaveButton]->setEnabled(controls.bSave);
    m_buttons[DeleteButton]->setEnabled(controls.bDelete);
}
