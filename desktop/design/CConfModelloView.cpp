#include "desktop/design/CConfModelloView.h"

#include "desktop/design/CBlockIcons.h"
#include "desktop/design/CConfModelloCore.h"
#include "desktop/design/CDefinizioneStiliDlg.h"
#include "desktop/design/CModificaColoriDlg.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CFunzionalitaDlg.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CProgressDlg.h"
#include "desktop/shell/settings/CImpostazioneParametriDlg.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTreeWidgetItemIterator>
#include <QSet>

namespace {

using Core = CConfModelloCore;

// The menu IDs of the commands that follow a flag of the core.
struct FlagCommand
{
    int id;
    Core::Command command;
};

const FlagCommand kFlagCommands[] = {
    {ID_INSERISCI_BLOCCO, Core::InsertBlock},
    {ID_INSERISCI_BLOCCO_CONDIZIONATO, Core::InsertConditional},
    {ID_INSERISCI_TABELLA, Core::InsertTable},
    {ID_INSERISCI_COLONNA, Core::InsertColumn},
    {ID_INSERISCI_FUNZIONALITA, Core::InsertFeature},
    {ID_DUPLICA_BLOCCO, Core::Duplicate},
    {ID_COPIA_BLOCCO, Core::Copy},
    {ID_TAGLIA_BLOCCO, Core::Cut},
    {ID_ELIMINA_BLOCCO, Core::Delete},
    {ID_INCOLLA_BLOCCO, Core::Paste},
    {ID_INCOLLA_RIFERIMENTO, Core::PasteReference},
    {ID_STILI_BLOCCO, Core::Styles},
    {ID_PARAMETRI_BLOCCO, Core::Parameters},
    {ID_SPOSTA_SU, Core::MoveUp},
    {ID_SPOSTA_GIU, Core::MoveDown},
};

const FlagCommand* FlagOf(int id)
{
    for (const FlagCommand& entry : kFlagCommands)
        if (entry.id == id)
            return &entry;
    return nullptr;
}

qint32 IdOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, Qt::UserRole).toInt() : 0;
}

} // namespace

CConfModelloView::CConfModelloView(std::unique_ptr<CConfModelloCore> core, CDaoDatabase& shop, QWidget* parent)
    : QTreeWidget(parent), m_core(std::move(core)), m_shop(shop), m_pProgress(new CProgressDlg(this))
{
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setIconSize(QSize(16, 16));
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setSelectionMode(QAbstractItemView::SingleSelection);
    m_core->m_progressShow = [this](const QString& caption, int count) { m_pProgress->Show(caption, 1, count); };
    m_core->m_progressStep = [this](int position) {
        m_pProgress->SetPos(position);
        // Repaints only: no command may start while one runs.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    m_core->m_progressHide = [this] { m_pProgress->Hide(); };
    InstallDialogs();
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { OnCurrentItemChanged(current); });
    connect(this, &QTreeWidget::itemChanged, this, &CConfModelloView::OnItemChanged);
    FillTree();
}

CConfModelloView::~CConfModelloView() = default;

void CConfModelloView::InstallDialogs()
{
    m_chooseFeature = [this]() -> qint32 {
        CFunzionalitaDlg dialog(m_core->CatalogueDatabase(), this);
        return dialog.exec() == QDialog::Accepted ? dialog.GetResult() : 0;
    };
    m_editStyles = [this](bool* pageAffected) {
        CDefinizioneStiliDlg dialog(m_core->ProjectDatabase(), m_shop, m_core->CurrentBlock(),
                                    m_core->ProjectFolder(), m_core->StyleClipboard(), this);
        const bool accepted = dialog.exec() == QDialog::Accepted;
        *pageAffected = dialog.PerLanguageBackgroundChanged();
        return accepted;
    };
    m_editParameters = [this] {
        CImpostazioneParametriDlg dialog(m_core->ProjectDatabase(), m_shop, m_core->CurrentBlock(),
                                         m_core->ProjectFolder(), this);
        return dialog.exec() == QDialog::Accepted;
    };
    m_editColours = [this] {
        CModificaColoriDlg dialog(m_core->ProjectDatabase(), m_core->ProjectFolder(), this);
        dialog.exec();
        return dialog.ChangedClasses();
    };
}

// ---- the tree ----------------------------------------------------------------

void CConfModelloView::FillTree()
{
    m_bFilling = true;
    clear();
    AddChildren(invisibleRootItem(), 0);
    m_bFilling = false;
    m_core->Select(0);
    if (topLevelItemCount() > 0) {
        setCurrentItem(topLevelItem(0));
        topLevelItem(0)->setExpanded(true);
    }
    emit FlagsChanged();
}

void CConfModelloView::AddChildren(QTreeWidgetItem* item, qint32 parentId)
{
    for (const Core::Node& node : m_core->Children(parentId)) {
        auto* child = new QTreeWidgetItem(item);
        child->setText(0, node.name);
        child->setIcon(0, CBlockIcons::ForKind(node.kind));
        child->setData(0, Qt::UserRole, node.id);
        Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
        if (m_core->CanEditName(node.id))
            flags |= Qt::ItemIsEditable;
        child->setFlags(flags);
        AddChildren(child, node.id);
    }
}

QTreeWidgetItem* CConfModelloView::FindItemById(qint32 id) const
{
    for (QTreeWidgetItemIterator it(const_cast<CConfModelloView*>(this)); *it; ++it)
        if (IdOf(*it) == id)
            return *it;
    return nullptr;
}

// The tree is read again after every change, so it always shows the blocks
// in the order their pages have them; the open branches stay open.
void CConfModelloView::Refill(qint32 selectId)
{
    QSet<qint32> expanded;
    for (QTreeWidgetItemIterator it(this); *it; ++it)
        if ((*it)->isExpanded())
            expanded.insert(IdOf(*it));
    m_bFilling = true;
    clear();
    AddChildren(invisibleRootItem(), 0);
    for (QTreeWidgetItemIterator it(this); *it; ++it)
        if (expanded.contains(IdOf(*it)))
            (*it)->setExpanded(true);
    m_bFilling = false;
    if (QTreeWidgetItem* item = FindItemById(selectId)) {
        for (QTreeWidgetItem* up = item->parent(); up; up = up->parent())
            up->setExpanded(true);
        setCurrentItem(item);
        scrollToItem(item);
    }
    m_core->Select(IdOf(currentItem()));
    emit FlagsChanged();
}

void CConfModelloView::OnCurrentItemChanged(QTreeWidgetItem* current)
{
    if (m_bFilling)
        return;
    m_core->Select(IdOf(current));
    emit FlagsChanged();
}

void CConfModelloView::OnItemChanged(QTreeWidgetItem* item, int column)
{
    if (m_bFilling || column != 0)
        return;
    const qint32 id = IdOf(item);
    if (item->text(0) == m_core->Find(id).name)
        return;
    m_core->Rename(id, item->text(0));
    // A refused name goes back; references show their block's new name.
    // Later, not inside the item's own change: the tree is made again.
    QMetaObject::invokeMethod(this, [this, id] { Refill(id); }, Qt::QueuedConnection);
}

// ---- commands ----------------------------------------------------------------

bool CConfModelloView::IsCommandEnabled(int id) const
{
    if (id == ID_COLORI)
        return m_core->HasGraphicProject();
    const FlagCommand* flag = FlagOf(id);
    return flag && m_core->IsEnabled(flag->command);
}

bool CConfModelloView::OnCommand(int id)
{
    if (!IsCommandEnabled(id))
        return false;
    switch (id) {
    case ID_INSERISCI_BLOCCO: Refill(m_core->OnInsertBlock(1)); break;
    case ID_INSERISCI_TABELLA: Refill(m_core->OnInsertBlock(2)); break;
    case ID_INSERISCI_COLONNA: Refill(m_core->OnInsertBlock(3)); break;
    case ID_INSERISCI_BLOCCO_CONDIZIONATO: Refill(m_core->OnInsertConditionalBlock()); break;
    case ID_INSERISCI_FUNZIONALITA: {
        const qint32 chosen = m_chooseFeature();
        if (chosen != 0)
            Refill(m_core->OnInsertFeature(chosen));
        break;
    }
    case ID_DUPLICA_BLOCCO:
        m_core->OnDuplicate();
        Refill(m_core->CurrentBlock());
        break;
    case ID_COPIA_BLOCCO: m_core->OnCopyBlock(); break;
    case ID_TAGLIA_BLOCCO: m_core->OnCutBlock(); break;
    case ID_INCOLLA_BLOCCO:
        m_core->OnPasteBlock();
        Refill(m_core->CurrentBlock());
        break;
    case ID_INCOLLA_RIFERIMENTO:
        m_core->OnPasteReference();
        Refill(m_core->CurrentBlock());
        break;
    case ID_ELIMINA_BLOCCO: OnDeleteBlock(); break;
    case ID_SPOSTA_SU: Refill(m_core->OnMoveUp()); break;
    case ID_SPOSTA_GIU: Refill(m_core->OnMoveDown()); break;
    case ID_STILI_BLOCCO: OnStyles(); break;
    case ID_PARAMETRI_BLOCCO: OnParameters(); break;
    case ID_COLORI: OnColours(); break;
    default: return false;
    }
    const QStringList failed = m_core->TakeFailedFiles();
    if (!failed.isEmpty())
        CMessageBox::Show(this,
                          QStringLiteral("Impossibile scrivere i seguenti file del sito:\n") +
                              failed.join(QLatin1Char('\n')),
                          QStringLiteral("Progettazione modello grafico"), CMessageBox::Stop);
    emit FlagsChanged();
    return true;
}

void CConfModelloView::OnDeleteBlock()
{
    if (CMessageBox::Show(this,
                          QStringLiteral("ATTENZIONE: questa operazione elimina il nodo e tutti i suoi figli. "
                                         "Vuoi continuare?"),
                          QStringLiteral("Cancellazione nodo"), CMessageBox::Exclamation,
                          QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    Refill(m_core->OnDeleteBlock());
}

void CConfModelloView::OnStyles()
{
    bool pageAffected = false;
    if (m_editStyles(&pageAffected))
        m_core->OnStylesAccepted(pageAffected);
}

void CConfModelloView::OnParameters()
{
    if (m_editParameters())
        m_core->OnParametersAccepted();
}

void CConfModelloView::OnColours()
{
    m_core->OnColoursChanged(m_editColours());
}
