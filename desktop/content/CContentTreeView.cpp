#include "desktop/content/CContentTreeView.h"

#include "desktop/catalogue/CCategoryDragTree.h"
#include "desktop/content/CIconButtons.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CPictureFit.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "platform/dao/CDaoException.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QSet>
#include <QToolButton>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

const CIconButtons::Look kButtons[CContentTreeView::ButtonCount] = {
    {QStyle::SP_FileDialogNewFolder, "Inserisci"}, {QStyle::SP_DialogSaveButton, "Salva"},
    {QStyle::SP_BrowserReload, "Annulla modifiche"}, {QStyle::SP_TrashIcon, "Cancella"},
    {QStyle::SP_FileDialogContentsView, "Icona"}, {QStyle::SP_ArrowUp, "Sposta su"},
    {QStyle::SP_ArrowDown, "Sposta giù"},
};

const char* const kSwitches[IContentTreeTables::kSwitchCount] = {"Attivo", "Data pubblicazione", "Stampa",
                                                                 "Segnalazione", "Voto"};

} // namespace

CContentTreeView::CContentTreeView(CDaoDatabase& database, CContentTreeCore::Kind kind, const QString& projectFolder,
                                   const QString& currentLanguage, const QString& defaultLanguage, QWidget* parent)
    : QWidget(parent), m_core(database, kind, projectFolder)
{
    const bool sections = kind == CContentTreeCore::Sezioni;
    m_pTree = new CCategoryDragTree(this);
    m_pCodice = new CValidatedEdit(this);
    m_pCodice->SetParam(0, CContentTreeCore::kCodeLength, 0, 0);
    if (sections)
        m_pCodice->SetAllowedChr(QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWYXZ1234567890"));
    m_pNome = new CValidatedEdit(this);
    m_pNome->SetParam(0, CContentTreeCore::kNameLength, 0, 0);
    m_pDescrizione = new QPlainTextEdit(this);

    auto* form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("Codice"), this), 0, 0);
    form->addWidget(m_pCodice, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("Nome"), this), 1, 0);
    form->addWidget(m_pNome, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("Descrizione"), this), 2, 0, Qt::AlignTop);
    form->addWidget(m_pDescrizione, 2, 1);
    auto* right = new QVBoxLayout;
    right->addLayout(form);
    if (sections) {
        auto* switches = new QGridLayout;
        for (int i = 0; i < IContentTreeTables::kSwitchCount; ++i) {
            m_switches[i] = new QCheckBox(QString::fromUtf8(kSwitches[i]), this);
            switches->addWidget(m_switches[i], i / 3, i % 3);
        }
        right->addLayout(switches);
    }
    QHBoxLayout* buttons = CIconButtons::Make(this, kButtons, ButtonCount, m_buttons, [this](int i) { Press(i); });
    m_buttons[Icon]->setVisible(sections);
    right->addLayout(buttons);
    right->addWidget(new QLabel(
        sections ? QStringLiteral(" Seleziona la sezione per inserire una\n sottosezione.\n\n Fai click sulla sezione "
                                  "selezionata per\n modificarla o cancellarla.")
                 : QStringLiteral(" Seleziona l'argomento per inserire un sottoargomento.\n\n Fai click sull'argomento "
                                  "selezionato per modificarlo o cancellarlo."),
        this));
    if (sections) {
        m_pIcon = new QLabel(this);
        m_pIcon->setAlignment(Qt::AlignCenter);
        m_pIcon->setMinimumSize(180, 140);
        auto* box = new QGroupBox(QStringLiteral("Icona Sezione"), this);
        auto* boxLayout = new QVBoxLayout(box);
        boxLayout->setContentsMargins(8, 16, 8, 8);
        boxLayout->addWidget(m_pIcon);
        right->addWidget(box, 1);
    } else {
        right->addStretch(1);
    }
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_pTree, 1);
    layout->addLayout(right, 1);

    m_chooseIcon = [this] {
        return QFileDialog::getOpenFileName(this, QString(), QString(),
                                            QStringLiteral("Tutti i formati supportati (*.bmp *.jpg *.gif);;Files "
                                                           "Bitmap (*.bmp);;Files Jpeg (*.jpg);;Files Gif (*.gif)"));
    };
    connect(m_pTree, &CCategoryDragTree::ItemPressed, this, &CContentTreeView::OnPressed);
    connect(m_pTree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (m_bRebuilding)
            return;
        m_core.Select(CCategoryDragTree::IdOf(item));
        ShowState();
    });
    connect(m_pTree, &CCategoryDragTree::UM_TREE_DROP, this, [this](qint32 source, qint32 target, int command) {
        Guard([&] { m_core.Drop(source, target, command); });
    });

    m_core.SetLanguages(currentLanguage, defaultLanguage);
    Guard([this] { m_core.Start(); });
}

CContentTreeView::~CContentTreeView() = default;

template <typename F>
void CContentTreeView::Guard(F&& step)
{
    try {
        step();
    } catch (const CDaoException& error) {
        CMessageBox::Show(this, error.GetErrorMessage(), QStringLiteral("Quintaro"), CMessageBox::Stop);
    }
    Rebuild();
}

// The tree as the core has it, with the open branches and the selection
// kept.
void CContentTreeView::Rebuild()
{
    m_bRebuilding = true;
    QTreeWidgetItem* selected = m_pTree->ShowNodes(m_core.Tree(), m_core.Selected());
    // The selected row opens too: a row inserted under it shows at once.
    for (QTreeWidgetItem* up = selected; up; up = up->parent())
        up->setExpanded(true);
    m_pTree->setCurrentItem(selected);
    m_bRebuilding = false;
    ShowState();
}

void CContentTreeView::ShowState()
{
    const CContentTreeCore::Fields& fields = m_core.CurrentFields();
    m_pCodice->SetValue(fields.codice);
    m_pNome->SetValue(fields.nome);
    m_pDescrizione->setPlainText(fields.descrizione);
    for (int i = 0; i < IContentTreeTables::kSwitchCount; ++i)
        if (m_switches[i])
            m_switches[i]->setChecked(fields.switches[i]);
    m_buttons[Insert]->setEnabled(m_core.CanInsert());
    for (int i : {Save, Revert, Delete, Icon})
        m_buttons[i]->setEnabled(m_core.CanEdit());
    m_buttons[MoveUp]->setEnabled(m_core.CanMoveUp());
    m_buttons[MoveDown]->setEnabled(m_core.CanMoveDown());
    ShowIcon();
}

void CContentTreeView::ShowIcon()
{
    if (!m_pIcon)
        return;
    CPictureFit::ShowIn(m_pIcon, m_core.IconPath());
}

void CContentTreeView::OnPressed(qint32 id, bool wasSelected)
{
    if (id == 0 || wasSelected)
        m_core.Click(id);
    ShowState();
}

CContentTreeCore::Fields CContentTreeView::Typed() const
{
    CContentTreeCore::Fields fields;
    m_pCodice->GetValue(fields.codice);
    m_pNome->GetValue(fields.nome);
    fields.descrizione = m_pDescrizione->toPlainText();
    for (int i = 0; i < IContentTreeTables::kSwitchCount; ++i)
        fields.switches[i] = m_switches[i] && m_switches[i]->isChecked();
    return fields;
}

void CContentTreeView::Refused(const CContentTreeCore::Refusal& refusal)
{
    CMessageBox::Show(this, refusal.strText, QStringLiteral("Validazione campi"), CMessageBox::Stop);
    if (refusal.focus == CContentTreeCore::CodiceField)
        m_pCodice->setFocus();
    else if (refusal.focus == CContentTreeCore::NomeField)
        m_pNome->setFocus();
}

void CContentTreeView::Press(int button)
{
    if (button == Insert || button == Save) {
        const CContentTreeCore::Fields typed = Typed();
        CContentTreeCore::Refusal refusal;
        try {
            refusal = button == Insert ? m_core.Insert(typed) : m_core.Save(typed);
        } catch (const CDaoException& error) {
            refusal.strText = error.GetErrorMessage();
        }
        if (refusal.IsRefused()) {
            Refused(refusal);   // what was typed stays
            return;
        }
        Rebuild();
        return;
    }
    switch (button) {
    case Revert:
        Guard([this] { m_core.Revert(); });
        return;
    case Delete:
        if (m_core.Selected() <= 0)
            return;
        if (CMessageBox::Show(this, m_core.DeleteQuestion(), m_core.DeleteCaption(), CMessageBox::Question,
                              QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes)
            Guard([this] { m_core.Delete(); });
        else
            Guard([this] { m_core.Select(0); });
        return;
    case MoveUp:
        Guard([this] { m_core.MoveUp(); });
        return;
    case MoveDown:
        Guard([this] { m_core.MoveDown(); });
        return;
    case Icon: {
        // A cancelled choice changes nothing: the old icon stays.
        const QString file = m_chooseIcon ? m_chooseIcon() : QString();
        if (file.isEmpty())
            return;
        QString error;
        if (!m_core.SetIcon(file, &error))
            CMessageBox::Show(this, error, QStringLiteral("Sezioni"), CMessageBox::Stop);
        ShowIcon();
        return;
    }
    default:
        return;
    }
}

void CContentTreeView::RefreshLanguage()
{
    if (!m_currentLanguage || !m_defaultLanguage)
        return;
    Guard([this] { m_core.RefreshLanguage(m_currentLanguage(), m_defaultLanguage()); });
}
