#include "desktop/catalogue/CProdottiView.h"

#include "desktop/catalogue/CCorrelazioniDlg.h"
#include "desktop/catalogue/CProdottiColoriDlg.h"
#include "desktop/catalogue/CProdottiCustomDlg.h"
#include "desktop/catalogue/CProdottiFilesDlg.h"
#include "desktop/catalogue/CProdottiGeneraleDlg.h"
#include "desktop/catalogue/CProdottiImmagineDlg.h"
#include "desktop/catalogue/CProdottiTaglieDlg.h"
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
    for (int tab = 0; tab < CProdottiViewCore::TabCount; ++tab)
        m_pTabs->addTab(QString::fromUtf8(kTabCaptions[tab]));
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
    try {
        m_core.Start();
    } catch (const CDaoException& error) {
        CMessageBox::Show(this, error.GetErrorMessage(), QStringLiteral("Scheda prodotto"), CMessageBox::Stop);
    }
    // The pages take the picture widths the start read.
    MakePages(projectFolder);
    Refresh();
}

void CProdottiView::MakePages(const QString& projectFolder)
{
    m_pGenerale = new CProdottiGeneraleDlg(m_pPages);
    m_pPrezzi = new CProdottiPrezziDlg(m_pPages);
    CProdottoFoto& foto = m_core.Foto();
    m_pImmagine = new CProdottiImmagineDlg(foto.ShownImage(), foto.ReferenceImage(), foto.ChangedFlag(), m_pPages);
    m_pImmagine->SetRedraw([this] { ImageChanged(); });
    m_pColori = new CProdottiColoriDlg(
        m_db, projectFolder, CProdottiColoriCore::Widths{m_core.DimFoto(), m_core.DimThumbnail(), m_core.DimColori()},
        m_pPages);
    m_pTaglie = new CProdottiTaglieDlg(m_db, m_core.Taglie(), m_pPages);
    m_pCustom = new CProdottiCustomDlg(m_db, m_pPages);
    m_pFiles = new CProdottiFilesDlg(projectFolder, m_pPages);
    m_pFiles->SetFolder(m_core.FilesFolder());
    for (QWidget* page : std::initializer_list<QWidget*>{m_pGenerale, m_pPrezzi, m_pImmagine, m_pColori, m_pTaglie,
                                                         m_pCustom, m_pFiles})
        m_pPages->addWidget(page);
    m_core.m_customText = [this] {
        return m_pCustom->IsInitialised() ? m_pCustom->GetCustomValuesText() : m_core.CampiCustom();
    };
    m_core.m_checkPages = [this] { return CheckPages(); };
}

// A number that does not read, or a custom value holding "|" (which would
// shift every later pair): the page says so.
int CProdottiView::CheckPages()
{
    if (!m_pPrezzi->ValidateEntries())
        return CProdottiViewCore::TabPrezzi;
    return m_pCustom->ValidateCustomValues() ? -1 : CProdottiViewCore::TabCustom;
}

// The custom page follows every product shown; colours, sizes and files
// load when their tab is in front.
void CProdottiView::LoadPages()
{
    const bool shown = m_core.ShownCount() != m_nLoadedShown;
    const int tab = m_core.CurrentTab();
    const bool entered = tab != m_nLoadedTab;
    m_nLoadedShown = m_core.ShownCount();
    m_nLoadedTab = tab;
    const qint32 product = m_core.CurrentID();
    if (shown) {
        m_pCustom->SetCategories(m_core.CustomCategories());
        m_pCustom->SetCampiCustom(m_core.CampiCustom());
        m_pCustom->LoadCustomValues();
    }
    if (!shown && !entered)
        return;
    if (tab == CProdottiViewCore::TabColori)
        m_pColori->LoadColours(product);
    else if (tab == CProdottiViewCore::TabTaglie)
        m_pTaglie->LoadSizes();
    else if (tab == CProdottiViewCore::TabFiles)
        m_pFiles->FillFileList(product);
}

CProdottiView::~CProdottiView() = default;

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
                QTreeWidgetItem* item = tree->AddItem(parent, node.text, node.id, false);
                // The box shows the stored link: a click never toggles it by itself.
                item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
                add(node.children, item);
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
    LoadPages();
    m_bRefreshing = false;
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
    const int previous = m_core.CurrentTab();
    bool changed = false;
    Guard([&] { changed = m_core.SelectTab(tab); });
    if (!changed)
        return;
    // Adjustments not applied are dropped on leaving the image page.
    if (previous == CProdottiViewCore::TabImmagine)
        m_pImmagine->LeavePage();
    if (tab == CProdottiViewCore::TabImmagine)
        m_pImmagine->EnterPage();
    m_pPages->setCurrentIndex(tab);
    ImageChanged();
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
    // The card is shown again after the click: what was typed goes first.
    Pull();
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

bool CProdottiView::CanChangeLanguage()
{
    Pull();
    bool left = false;
    Guard([&] { left = m_core.LeaveLanguage(); });
    return left;
}

void CProdottiView::RefreshLanguage()
{
    Pull();
    if (m_currentLanguage)
        m_strCurrent = m_currentLanguage();
    if (m_defaultLanguage)
        m_strDefault = m_defaultLanguage();
    BuildCategoryTree();
    Guard([this] { m_core.RefreshLanguage(m_strCurrent, m_strDefault); });
}

bool CProdottiView::IsViewCommandEnabled(int id)
{
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
    if (m_core.CurrentID() <= 0)
        return;
    CCorrelazioniDlg dialog(m_db, 1, m_core.CurrentID(), m_core.Form().codice, m_strCurrent, m_strDefault, this);
    dialog.exec();
}
