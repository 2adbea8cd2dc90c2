#include "desktop/customers/CPermessiView.h"

#include "desktop/catalogue/CCorrPickerCore.h"
#include "desktop/shell/controls/CCheckTreeCtrl.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CSelPickerDlg.h"
#include "platform/dao/CDaoException.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

template <typename F>
void Guarded(QWidget* parent, F&& step)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        step();
    } catch (const CDaoException& error) {
        QApplication::restoreOverrideCursor();
        CMessageBox::Show(parent, error.GetErrorMessage(), QStringLiteral("Permessi visualizzazione"),
                          CMessageBox::Stop);
        return;
    }
    QApplication::restoreOverrideCursor();
}

} // namespace

CPermessiView::CPermessiView(CDaoDatabase& db, const QString& currentLanguage, const QString& defaultLanguage,
                             QWidget* parent)
    : QWidget(parent), m_core(db, currentLanguage, defaultLanguage)
{
    m_pGroups = new QRadioButton(QStringLiteral("Gruppi"), this);
    m_pUsers = new QRadioButton(QStringLiteral("Utenti"), this);
    m_pUsers->setChecked(true);
    m_pCaption = new QLabel(this);
    m_pList = new QListWidget(this);
    m_pTabs = new QTabWidget(this);
    m_pCategorie = MakeTree(CPermessiViewCore::Categoria);
    m_pSezioni = MakeTree(CPermessiViewCore::Sezione);
    m_pTabs->addTab(m_pCategorie, QStringLiteral("  Categorie  "));
    m_pTabs->addTab(MakePicker(CPermessiViewCore::Prodotto, currentLanguage, defaultLanguage),
                    QStringLiteral("  Prodotti  "));
    m_pTabs->addTab(m_pSezioni, QStringLiteral("  Sezioni  "));
    m_pTabs->addTab(MakePicker(CPermessiViewCore::Articolo, currentLanguage, defaultLanguage),
                    QStringLiteral("  Articoli  "));
    m_pTabs->addTab(MakePicker(CPermessiViewCore::Banner, currentLanguage, defaultLanguage),
                    QStringLiteral("  Banner  "));

    auto* left = new QVBoxLayout;
    auto* radios = new QHBoxLayout;
    radios->addWidget(m_pGroups);
    radios->addWidget(m_pUsers);
    left->addLayout(radios);
    left->addWidget(m_pCaption);
    left->addWidget(m_pList, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(m_pTabs, 3);

    connect(m_pGroups, &QRadioButton::clicked, this, &CPermessiView::OnSide);
    connect(m_pUsers, &QRadioButton::clicked, this, &CPermessiView::OnSide);
    connect(m_pList, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = m_pList->selectedItems();
        Guarded(this, [&] { m_core.Select(selected.isEmpty() ? -1 : selected.first()->data(Qt::UserRole).toInt()); });
        RebuildPage();
    });
    connect(m_pTabs, &QTabWidget::currentChanged, this, [this] { RebuildPage(); });
    ShowList();
    RebuildPage();
}

CCheckTreeCtrl* CPermessiView::MakeTree(int kind)
{
    auto* tree = new CCheckTreeCtrl(this);
    tree->setHeaderHidden(true);
    connect(tree, &CCheckTreeCtrl::UM_TREE_STATE_CLICK, this, [this, tree, kind](QTreeWidgetItem* item) {
        Guarded(this, [&] { m_core.ClickTreeNode(kind, item->data(0, Qt::UserRole).toInt()); });
        ShowStates(tree, kind);
    });
    return tree;
}

CSelPickerDlg* CPermessiView::MakePicker(int kind, const QString& currentLanguage, const QString& defaultLanguage)
{
    const auto makeCore = [this, kind, defaultLanguage](CGridCore& grid) -> std::unique_ptr<CSelPickerCore> {
        return std::make_unique<CCorrPickerCore>(m_core, kind, grid, defaultLanguage);
    };
    CDaoDatabase* db = &m_core.Database();
    CSelPickerDlg* page = nullptr;
    if (kind == CPermessiViewCore::Prodotto)
        page = new CSelProdottiDlg(makeCore, db, currentLanguage, defaultLanguage, this);
    else if (kind == CPermessiViewCore::Articolo)
        page = new CSelArticoliDlg(makeCore, db, currentLanguage, defaultLanguage, this);
    else
        page = new CSelBannerDlg(makeCore, this);
    m_pickers[kind] = page;
    return page;
}

void CPermessiView::ShowList()
{
    m_pCaption->setText(m_core.ListCaption());
    const QSignalBlocker block(m_pList);
    m_pList->clear();
    for (const CPermessiViewCore::Entry& entry : m_core.List()) {
        auto* item = new QListWidgetItem(entry.strText, m_pList);
        item->setData(Qt::UserRole, entry.nID);
    }
}

void CPermessiView::OnSide()
{
    Guarded(this, [&] {
        m_core.SetSide(m_pGroups->isChecked() ? CPermessiViewCore::Groups : CPermessiViewCore::Users);
    });
    ShowList();
    RebuildPage();
}

void CPermessiView::FillTree(CCheckTreeCtrl* tree, int kind, const QVector<TreeNode>& nodes, QTreeWidgetItem* parent)
{
    for (const TreeNode& node : nodes) {
        QTreeWidgetItem* item = tree->AddItem(parent, node.text, node.id, !m_core.IsHidden(kind, node.id));
        // The box shows what is stored; only the click's handler changes it.
        item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
        FillTree(tree, kind, node.children, item);
    }
}

void CPermessiView::ShowStates(CCheckTreeCtrl* tree, int kind)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        (*it)->setCheckState(0, m_core.IsHidden(kind, (*it)->data(0, Qt::UserRole).toInt()) ? Qt::Unchecked
                                                                                              : Qt::Checked);
}

void CPermessiView::RebuildPage()
{
    // Nothing is written for no group or customer: the pages wait, empty
    // or read-only, until one is selected.
    const bool selected = m_core.Current() >= 0;
    for (int tab = 0; tab < TabCount; ++tab)
        m_pTabs->widget(tab)->setEnabled(selected);
    const int tab = m_pTabs->currentIndex();
    Guarded(this, [&] {
        if (tab == TabCategorie || tab == TabSezioni) {
            const int kind = tab == TabCategorie ? CPermessiViewCore::Categoria : CPermessiViewCore::Sezione;
            CCheckTreeCtrl* tree = Tree(kind);
            tree->clear();
            FillTree(tree, kind, m_core.Tree(kind), nullptr);
            tree->expandAll();
        } else if (m_pickers[tab]) {
            m_pickers[tab]->Core().ShowFirstPage();
        }
    });
}
