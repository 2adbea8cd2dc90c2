#include "desktop/content/COpzioniMenuDlg.h"

#include "desktop/content/CIconButtons.h"
#include "desktop/content/CListEditLayout.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QToolButton>

namespace {

const CIconButtons::Look kButtons[COpzioniMenuDlg::ButtonCount] = {
    {QStyle::SP_FileDialogNewFolder, "Aggiungi opzione"}, {QStyle::SP_DialogSaveButton, "Salva opzione"},
    {QStyle::SP_TrashIcon, "Cancella opzione"},           {QStyle::SP_ArrowUp, "Sposta su"},
    {QStyle::SP_ArrowDown, "Sposta giù"},
};

} // namespace

COpzioniMenuDlg::COpzioniMenuDlg(CDaoDatabase& database, qint32 field, const QString& current,
                                 const QString& fallback, QWidget* parent)
    : QDialog(parent), m_core(database, field, current, fallback), m_pText(new CValidatedEdit(this)),
      m_pList(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("Opzioni menu a discesa"));
    m_pText->SetParam(0, COpzioniMenuCore::kTextLength, 0, 0);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Opzione"), m_pText);
    QHBoxLayout* buttons = CIconButtons::Make(this, kButtons, ButtonCount, m_buttons, [this](int i) { Press(i); });
    CListEditLayout::Build(this, form, buttons, m_pList);
    resize(320, 320);
    connect(m_pList, &QListWidget::itemClicked, this, [this] {
        m_core.Select(m_pList->currentRow());
        m_pText->SetValue(m_core.SelectedText());
        ShowState();
    });
    ShowList();
}

void COpzioniMenuDlg::ShowList()
{
    m_pList->clear();
    for (const COpzioniMenuCore::Option& option : m_core.Options()) {
        auto* item = new QListWidgetItem(option.strText, m_pList);
        item->setData(Qt::UserRole, option.nId);
    }
    m_pList->setCurrentRow(m_core.Selected());
    ShowState();
}

void COpzioniMenuDlg::ShowState()
{
    const bool selected = m_core.Selected() >= 0;
    m_buttons[AddButton]->setEnabled(!selected);
    m_buttons[SaveButton]->setEnabled(selected);
    m_buttons[DeleteButton]->setEnabled(selected);
    m_buttons[UpButton]->setEnabled(m_core.CanMoveUp());
    m_buttons[DownButton]->setEnabled(m_core.CanMoveDown());
}

void COpzioniMenuDlg::Press(int button)
{
    QString text;
    m_pText->GetValue(text);
    bool changed = false;
    switch (button) {
    case AddButton: changed = m_core.Add(text); break;
    case SaveButton: changed = m_core.Save(text); break;
    case DeleteButton: m_core.Delete(); changed = true; break;
    case UpButton: changed = m_core.MoveUp(); break;
    case DownButton: changed = m_core.MoveDown(); break;
    default: break;
    }
    if (!changed) {
        if (button == AddButton || button == SaveButton)
            m_pText->setFocus();   // the refused text stays to be mended
        return;
    }
    if (button != UpButton && button != DownButton)
        m_pText->SetValue(QString());
    ShowList();
}
