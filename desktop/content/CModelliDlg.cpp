#include "desktop/content/CModelliDlg.h"

#include "desktop/content/CIconButtons.h"
#include "desktop/content/CListEditLayout.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QToolButton>

namespace {

const CIconButtons::Look kButtons[CModelliDlg::ButtonCount] = {
    {QStyle::SP_FileDialogNewFolder, "Aggiungi modello"},
    {QStyle::SP_DialogSaveButton, "Salva modello"},
    {QStyle::SP_TrashIcon, "Cancella modello"},
};

} // namespace

CModelliDlg::CModelliDlg(CDaoDatabase& database, QWidget* parent)
    : QDialog(parent), m_core(database), m_pCodice(new CValidatedEdit(this)),
      m_pDescrizione(new CValidatedEdit(this)), m_pList(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("Modelli"));
    m_pCodice->SetParam(0, CModelliCore::kCodeLength, 0, 0);
    m_pDescrizione->SetParam(0, CModelliCore::kDescriptionLength, 0, 0);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Codice"), m_pCodice);
    form->addRow(QStringLiteral("Descrizione"), m_pDescrizione);
    QHBoxLayout* buttons = CIconButtons::Make(this, kButtons, ButtonCount, m_buttons, [this](int i) { Press(i); });
    CListEditLayout::Build(this, form, buttons, m_pList);
    resize(360, 340);
    connect(m_pList, &QListWidget::itemClicked, this, [this] {
        m_core.Select(m_pList->currentRow());
        Push();
    });
    ShowList();
    Push();
}

void CModelliDlg::ShowList()
{
    m_pList->clear();
    for (const CModelliCore::Entry& entry : m_core.Templates()) {
        auto* item = new QListWidgetItem(entry.strText, m_pList);
        item->setData(Qt::UserRole, entry.nId);
    }
    m_pList->setCurrentRow(-1);
}

void CModelliDlg::Push()
{
    m_pCodice->SetValue(m_core.CurrentFields().codice);
    m_pDescrizione->SetValue(m_core.CurrentFields().descrizione);
    m_buttons[AddButton]->setEnabled(m_core.CanAdd());
    m_buttons[ChangeButton]->setEnabled(m_core.CanChange());
    m_buttons[DeleteButton]->setEnabled(m_core.CanChange());
}

void CModelliDlg::Press(int button)
{
    CModelliCore::Fields typed;
    m_pCodice->GetValue(typed.codice);
    m_pDescrizione->GetValue(typed.descrizione);
    CModelliCore::Refusal refusal;
    switch (button) {
    case AddButton: refusal = m_core.Add(typed); break;
    case ChangeButton: refusal = m_core.Change(typed); break;
    case DeleteButton: m_core.Delete(); break;
    default: break;
    }
    if (refusal.IsRefused()) {
        CMessageBox::Show(this, refusal.strText, QStringLiteral("Validazione campi"), CMessageBox::Stop);
        (refusal.focus == CModelliCore::CodiceField ? m_pCodice : m_pDescrizione)->setFocus();
        return;
    }
    ShowList();
    Push();
}
