#include "desktop/catalogue/CCorrelazioniDlg.h"

#include "desktop/catalogue/CCorrPickerCore.h"
#include "desktop/shell/controls/CCheckTreeCtrl.h"
#include "desktop/shell/controls/CSelPickerDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
// The tabs in order; the index is the record kind.
const char* const kTabs[] = {"  Categorie  ", "  Prodotti  ", "  Sezioni  ", "  Articoli  ", "  Banner  "};
}

CCorrelazioniDlg::CCorrelazioniDlg(CDaoDatabase& db, int ownerKind, qint32 ownerId, const QString& ownerName,
                                   const QString& currentLanguage, const QString& defaultLanguage, QWidget* parent)
    : QDialog(parent), m_core(db, ownerKind, ownerId, ownerName), m_pTabs(new QTabWidget(this))
{
    setWindowTitle(m_core.Caption());
    m_pCategories = MakeTree(CCorrelazioniCore::Categoria, CCorrelazioniCore::CategoryTree(db, defaultLanguage));
    m_pSections = MakeTree(CCorrelazioniCore::Sezione,
                           CCorrelazioniCore::SectionTree(db, currentLanguage, defaultLanguage));
    m_pTabs->addTab(m_pCategories, QString::fromLatin1(kTabs[0]));
    m_pTabs->addTab(MakePicker(CCorrelazioniCore::Prodotto, currentLanguage, defaultLanguage),
                    QString::fromLatin1(kTabs[1]));
    m_pTabs->addTab(m_pSections, QString::fromLatin1(kTabs[2]));
    m_pTabs->addTab(MakePicker(CCorrelazioniCore::Articolo, currentLanguage, defaultLanguage),
                    QString::fromLatin1(kTabs[3]));
    m_pTabs->addTab(MakePicker(CCorrelazioniCore::Banner, currentLanguage, defaultLanguage),
                    QString::fromLatin1(kTabs[4]));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Chiudi"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTabs, 1);
    layout->addWidget(buttons);
    connect(m_pTabs, &QTabWidget::currentChanged, this, &CCorrelazioniDlg::OnTabChanged);
    // Every tab caption stays in sight.
    m_pTabs->tabBar()->setUsesScrollButtons(false);
}

CCorrelazioniDlg::~CCorrelazioniDlg() = default;

CCheckTreeCtrl* CCorrelazioniDlg::MakeTree(int kind, const QVector<TreeNode>& nodes)
{
    auto* tree = new CCheckTreeCtrl(this);
    tree->setMinimumSize(400, 260);
    m_bFilling = true;
    FillTree(tree, kind, nodes, nullptr);
    m_bFilling = false;
    tree->expandAll();
    // The tree toggles the box itself (mouse or space bar); the link
    // follows the new state.
    connect(tree, &QTreeWidget::itemChanged, this, [this, kind](QTreeWidgetItem* item, int column) {
        if (m_bFilling || column != 0)
            return;
        const qint32 id = item->data(0, Qt::UserRole).toInt();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_core.SetLinked(kind, id, item->checkState(0) == Qt::Checked);
        QApplication::restoreOverrideCursor();
    });
    return tree;
}

void CCorrelazioniDlg::FillTree(CCheckTreeCtrl* tree, int kind, const QVector<TreeNode>& nodes,
                                QTreeWidgetItem* parent)
{
    for (const TreeNode& node : nodes) {
        QTreeWidgetItem* item = tree->AddItem(parent, node.text, node.id, m_core.IsLinked(kind, node.id));
        FillTree(tree, kind, node.children, item);
    }
}

CSelPickerDlg* CCorrelazioniDlg::MakePicker(int kind, const QString& currentLanguage, const QString& defaultLanguage)
{
    const auto makeCore = [this, kind, defaultLanguage](CGridCore& grid) -> std::unique_ptr<CSelPickerCore> {
        return std::make_unique<CCorrPickerCore>(m_core, kind, grid, defaultLanguage);
    };
    CDaoDatabase* db = &m_core.Database();
    CSelPickerDlg* page = nullptr;
    if (kind == CCorrelazioniCore::Prodotto)
        page = new CSelProdottiDlg(makeCore, db, currentLanguage, defaultLanguage, this);
    else if (kind == CCorrelazioniCore::Articolo)
        page = new CSelArticoliDlg(makeCore, db, currentLanguage, defaultLanguage, this);
    else
        page = new CSelBannerDlg(makeCore, this);
    m_pickers[kind] = page;
    return page;
}

CSelPickerDlg* CCorrelazioniDlg::Picker(int kind) const
{
    return kind >= 0 && kind < 5 ? m_pickers[kind] : nullptr;
}

void CCorrelazioniDlg::OnTabChanged(int index)
{
    if (!m_core.MayShowTab(index)) {
        const QSignalBlocker blocker(m_pTabs);
        m_pTabs->setCurrentIndex(m_nPreviousTab);
        return;
    }
    m_nPreviousTab = index;
    if (CSelPickerDlg* picker = Picker(index))
        picker->Core().ShowFirstPage();
}
