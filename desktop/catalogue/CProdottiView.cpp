#include "desktop/catalogue/CProdottiView.h"

#include "desktop/catalogue/CProdottiGeneraleDlg.h"
#include "desktop/catalogue/CProdottiPrezziDlg.h"
#include "desktop/catalogue/CProdottoFotoFrame.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CCheckTreeCtrl.h"
#include "desktop/shell/controls/CCheckTreePopupDlg.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CRecordTree.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "platform/dao/CDaoException.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

const char* const kTabCaptions[CProdottiViewCore::TabCount] = {"Generale", "Prezzi", "Immagine", "Colori",
                                                                "Taglie",   "Custom", "Files"};

CProdottiView::CorrelationsOpener& Correlations()
{
    static CProdottiView::CorrelationsOpener opener;
    return opener;
}

CProdottiView::PageFactory& Factory(int tab)
{
    static CProdottiView::PageFactory factories[CProdottiViewCore::TabCount];
    return factories[tab];
}

// A page whose editor is not part of this build: an empty tab that says so.
QWidget* EmptyPage(QWidget* parent)
{
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    auto* text = new QLabel(QString::fromUtf8("Questa pagina non è ancora disponibile."), page);
    text->setAlignment(Qt::AlignCenter);
    text->setEnabled(false);
    layout->addWidget(text);
    return page;
}

} // namespace

CProdottiView::CProdottiView(CDaoDatabase& database, const QString& projectFolder, const QString& currentLanguage,
                             const QString& defaultLanguage, qint32 baseProduct, QWidget* parent)
    : QWidget(parent),
      m_db(database),
      m_core(database, projectFolder, baseProduct),
      m_strCurrent(currentLanguage),
      m_strDefault(defaultLanguage)
{
    m_pCodice = new CValidatedEdit(this);
    m_pCodice->SetParam(0, 50, 1, 0);
    m_pSummary = new QLabel(this);
    m_pSummary->setFrameShape(QFrame::StyledPanel);
    m_pSummary->setTextFormat(Qt::PlainText);
    m_pSummary->setFixedHeight(2 * fontMetrics().lineSpacing() + 10);
    m_pSummary->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_pCategorie = new QPushButton(QStringLiteral("Categorie"), this);
    m_pCategorie->setCheckable(true);
    m_pFoto = new CProdottoFotoFrame(this);
    m_pTabs = new QTabBar(this);
    m_pTabs->setExpanding(false);
    m_pPages = new QStackedWidget(this);
    m_pPages->setFrameShape(QFrame::StyledPanel);
    m_pGenerale = new CProdottiGeneraleDlg(m_pPages);
    m_pPrezzi = new CProdottiPrezziDlg(m_pPages);
    for (int tab = 0; tab < CProdottiViewCore::TabCount; ++tab) {
        m_pTabs->addTab(QString::fromUtf8(kTabCaptions[tab]));
        QWidget* page = tab == CProdottiViewCore::TabGenerale ? m_pGenerale
                        : tab == CProdottiViewCore::TabPrezzi ? m_pPrezzi
                        : Factory(tab)                        ? Factory(tab)(*this, m_pPages)
                                                               : EmptyPage(m_pPages);
        m_pPages->addWidget(page);
    }

    auto* top = new QGridLayout;
    top->addWidget(new QLabel(QStringLiteral("Codice"), this), 0, 0);
    top->addWidget(m_pCodice, 0, 1);
    top->addWidget(m_pCategorie, 0, 2);
    top->addWidget(m_pSummary, 1, 0, 1, 3);
    top->setColumnStretch(1, 1);
    top->setRowStretch(2, 1);
    auto* head = new QHBoxLayout;
    head->addLayout(top, 1);
    head->addWidget(m_pFoto);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(m_pTabs);
    layout->addWidget(m_pPages, 1);

    m_pPopup = new CCheckTreePopupDlg(this);
    m_pPopup->setWindowTitle(QStringLiteral("Selezione categorie"));
    m_pPopup->resize(300, 320);
    m_pPopup->hide();
    m_pPopup->Tree()->setHeaderHidden(true);

    connect(m_pTabs, &QTabBar::currentChanged, this, [this](int tab) { OnTabChanged(tab); });
    connect(m_pCategorie, &QPushButton::toggled, this, [this](bool on) {
        if (on) {
            const QPoint below = m_pCategorie->mapTo(this, QPoint(0, m_pCategorie->height()));
            m_pPopup->SetPosition(QPoint(qMax(0, qMin(below.x(), width() - m_pPopup->width())), below.y()));
            m_pPopup->raise();
        }
        m_pPopup->setVisible(on);
    });
    connect(m_pPopup, &CCheckTreePopupDlg::UM_TREE_STATE_CLICK, this,
            [this](QTreeWidgetItem* item) { OnCategoryClick(item); });

    m_core.SetLanguages(currentLanguage, defaultLanguage);
    m_core.m_showFailure = [this](const CProdottiViewCore::Failure& failure) { ShowFailure(failure); };
    m_core.m_selectDefaultLanguage = [this] {
        if (m_selectDefaultLanguage)
            m_selectDefaultLanguage();
        m_strCurrent = m_strDefault;
        BuildCategoryTree();
    };
    // Variants carry their base product's categories.
    m_pCategorie->setEnabled(baseProduct == 0);
    BuildCategoryTree();
    Guard([this] { m_core.Start(); });
}

CProdottiView::~CProdottiView() = default;

void CProdottiView::SetCorrelationsOpener(CorrelationsOpener opener)
{
    Correlations() = std::move(opener);
}

void CProdottiView::SetPageFactory(int tab, PageFactory factory)
{
    if (tab > CProdottiViewCore::TabPrezzi && tab < CProdottiViewCore::TabCount)
        Factory(tab) = std::move(factory);
}

template <typename F>
void CProdottiView::Guard(F&& step)
{
    try {
        step();
    } catch (const CDaoException& error) {
        CMessageBox::Show(this, error.GetErrorMessage(), QStringLiteral("Scheda prodotto"), CMessageBox::Stop);
    }
    Refresh();
}

QWidget* CProdottiView::Page(int tab) const
{
    return m_pPages->widget(tab);
}

void CProdottiView::BuildCategoryTree()
{
    CCheckTreeCtrl* tree = m_pPopup->Tree();
    tree->clear();
    const QVector<TreeNode> nodes = CRecordTree::Categories(m_db, m_strCurrent, m_strDefault);
    // The root "Tutte le categorie" is no category to tick.
    std::function<void(const QVector<TreeNode>&, QTreeWidgetItem*)> add =
        [&](const QVector<TreeNode>& level, QTreeWidgetItem* parent) {
            for (const TreeNode& node : level) {
                if (node.id == 0) {
                    add(node.children, parent);
                    continue;
                }
                add(node.children, tree->AddItem(parent, node.text, node.id, false));
            }
        };
    add(nodes, nullptr);
    tree->expandAll();
}

void CProdottiView::ShowTicks()
{
    const QSet<qint32>& ticked = m_core.Ticked();
    for (QTreeWidgetItemIterator it(m_pPopup->Tree()); *it; ++it) {
        const bool on = ticked.contains((*it)->data(0, Qt::UserRole).toInt());
        (*it)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
    }
}

void CProdottiView::Pull()
{
    if (m_bRefreshing)
        return;
    ProdottoForm& form = m_core.Form();
    m_pCodice->GetValue(form.codice);
    m_pGenerale->Pull(form);
    m_pPrezzi->Pull(form);
}

void CProdottiView::Refresh()
{
    m_bRefreshing = true;
    const ProdottoForm& form = m_core.Form();
    const bool entering = m_core.GetFilterMode() == CProdottiViewCore::FilterEntering;
    const bool enabled = m_core.IsEditingEnabled() || entering;
    m_pGenerale->SetFilterMode(entering);
    m_pPrezzi->SetFilterMode(entering);
    m_pCodice->SetValue(form.codice);
    m_pGenerale->Push(form);
    m_pPrezzi->Push(form);
    m_pGenerale->SetEditingEnabled(enabled);
    m_pPrezzi->SetEditingEnabled(enabled);
    m_pCodice->setEnabled(enabled);
    m_pGenerale->SetPosition(m_core.PositionText());
    m_pSummary->setText(m_core.Summary());
    ShowTicks();
    m_pFoto->SetImage(m_core.Foto().Image());
    if (m_pTabs->currentIndex() != m_core.CurrentTab()) {
        m_pTabs->setCurrentIndex(m_core.CurrentTab());
        m_pPages->setCurrentIndex(m_core.CurrentTab());
    }
    m_bRefreshing = false;
    emit RecordShown();
}

void CProdottiView::ImageChanged()
{
    m_pFoto->SetImage(m_core.Foto().Image());
}

void CProdottiView::ShowTab(int tab)
{
    m_pTabs->setCurrentIndex(tab);
}

void CProdottiView::OnTabChanged(int tab)
{
    if (m_bRefreshing)
        return;
    Pull();
    bool changed = false;
    Guard([&] { changed = m_core.SelectTab(tab); });
    if (changed)
        m_pPages->setCurrentIndex(tab);
}

void CProdottiView::ShowFailure(const CProdottiViewCore::Failure& failure)
{
    QWidget* control = m_pCodice;
    if (failure.page == CProdottiViewCore::TabGenerale)
        control = m_pGenerale->Control(failure.control);
    else if (failure.page == CProdottiViewCore::TabPrezzi)
        control = m_pPrezzi->Control(failure.control);
    if (m_pTabs->currentIndex() != m_core.CurrentTab()) {
        m_bRefreshing = true;
        m_pTabs->setCurrentIndex(m_core.CurrentTab());
        m_pPages->setCurrentIndex(m_core.CurrentTab());
        m_bRefreshing = false;
    }
    if (control)
        control->setFocus();
}

void CProdottiView::OnCategoryClick(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const qint32 id = item->data(0, Qt::UserRole).toInt();
    Guard([&] { m_core.ClickCategory(id); });
}

bool CProdottiView::IsRecordModified()
{
    Pull();
    return m_core.IsRecordModified();
}

bool CProdottiView::SaveRecord()
{
    Pull();
    bool saved = false;
    Guard([&] { saved = m_core.SaveRecord(); });
    return saved;
}

void CProdottiView::RefreshLanguage()
{
    if (m_currentLanguage)
        m_strCurrent = m_currentLanguage();
    if (m_defaultLanguage)
        m_strDefault = m_defaultLanguage();
    BuildCategoryTree();
    Guard([this] { m_core.RefreshLanguage(m_strCurrent, m_strDefault); });
}

bool CProdottiView::IsViewCommandEnabled(int id)
{
    if (id == ID_CORRELAZIONI_PRODOTTI && !Correlations())
        return false;
    if (id == ID_VARIANTI && !m_openVariants)
        return false;
    return m_core.IsCommandEnabled(id);
}

bool CProdottiView::IsViewCommandChecked(int id)
{
    return m_core.IsCommandChecked(id);
}

void CProdottiView::OnViewCommand(int id)
{
    Pull();
    if (id == ID_VARIANTI) {
        OpenVariants();
        return;
    }
    if (id == ID_CORRELAZIONI_PRODOTTI) {
        OpenCorrelations();
        return;
    }
    Guard([&] { m_core.OnCommand(id); });
}

void CProdottiView::OpenVariants()
{
    if (m_openVariants && m_core.CurrentID() > 0)
        m_openVariants(m_core.CurrentID(), m_core.VariantsCaption());
}

void CProdottiView::OpenCorrelations()
{
    if (Correlations() && m_core.CurrentID() > 0)
        Correlations()(this, m_db, 1, m_core.CurrentID(), m_core.Form().codice);
}
