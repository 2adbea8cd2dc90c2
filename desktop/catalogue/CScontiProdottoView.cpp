#include "desktop/catalogue/CScontiProdottoView.h"

#include "desktop/shell/controls/CCheckTreeCtrl.h"
#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CRecordTree.h"
#include "desktop/shell/controls/CTreePopupDlg.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "desktop/shell/controls/CValueFormat.h"
#include "platform/dao/CDaoDatabase.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

using Core = CScontiProdottoViewCore;

const QString kValidation = QStringLiteral("Validazione campi");
constexpr int kTickCol = 0;
constexpr int kProductsPerPage = 4;

void AddTicked(CCheckTreeCtrl* tree, QTreeWidgetItem* parent, const QVector<TreeNode>& nodes, const Core& core)
{
    for (const TreeNode& node : nodes) {
        QTreeWidgetItem* item = tree->AddItem(parent, node.text, node.id, core.IsTicked(Core::CategoryItem, node.id));
        // The box shows the row's existence: the view sets it, a click never toggles it by itself.
        item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
        AddTicked(tree, item, node.children, core);
    }
}

// A date field's value in the display form, read as a value so that a
// field being typed in (shown without separators) reads the same.
QString DateOf(const CValidatedEdit* edit)
{
    QDateTime date;
    edit->GetValue(date);
    return date.isValid() ? CValueFormat::FormatDate(date) : QString();
}

void ShowDate(CValidatedEdit* edit, const QString& display)
{
    const QDateTime date = CValueFormat::ReadDate(display);
    if (date.isValid())
        edit->SetValue(date);
    else
        edit->Blank();
}

} // namespace

CScontiProdottoView::CScontiProdottoView(CDaoDatabase& database, const QString& currentLanguage,
                                         const QString& defaultLanguage, QWidget* parent)
    : QWidget(parent), m_core(database, defaultLanguage), m_strCurrent(currentLanguage), m_strDefault(defaultLanguage)
{
    m_pUpper = new QTabWidget(this);
    m_pUpper->addTab(BuildCategoryPage(), QStringLiteral("  Categorie  "));
    m_pUpper->addTab(BuildProductPage(), QStringLiteral("  Prodotti  "));
    m_pLower = new QTabWidget(this);
    m_pages[0] = BuildDefaultPage();
    m_pages[1] = BuildPeriodPage();
    m_pages[2] = BuildQuantityPage();
    m_pLower->addTab(m_pages[0], QString());
    m_pLower->addTab(m_pages[1], QString());

    auto* right = new QVBoxLayout;
    right->addWidget(m_pUpper, 3);
    right->addWidget(m_pLower, 2);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(BuildLeft(), 1);
    layout->addLayout(right, 2);

    connect(m_pUpper, &QTabWidget::currentChanged, this, [this](int index) { OnUpperTab(index); });
    m_pCustomers->setChecked(true);
    FillList();
    ApplyWording();
    OnUpperTab(0);
}

CScontiProdottoView::~CScontiProdottoView() = default;

QWidget* CScontiProdottoView::BuildLeft()
{
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    m_pListTitle = new QLabel(QStringLiteral("Utenti"), box);
    m_pList = new QListWidget(box);
    m_pGroups = new QRadioButton(QStringLiteral("Gruppi"), box);
    m_pCustomers = new QRadioButton(QStringLiteral("Utenti"), box);
    layout->addWidget(m_pListTitle);
    layout->addWidget(m_pList, 1);
    layout->addWidget(m_pGroups);
    layout->addWidget(m_pCustomers);
    connect(m_pGroups, &QRadioButton::clicked, this, [this] { OnKind(Core::Gruppi); });
    connect(m_pCustomers, &QRadioButton::clicked, this, [this] { OnKind(Core::Utenti); });
    connect(m_pList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_bFilling)
            return;
        SaveSilently();
        m_core.SelectEntry(row >= 0 ? m_pList->item(row)->data(Qt::UserRole).toInt() : -1);
        ApplyWording();
        FillTree();
        FillGrid();
        ReloadPages();
    });
    return box;
}

QWidget* CScontiProdottoView::BuildCategoryPage()
{
    m_pTree = new CCheckTreeCtrl(this);
    m_pTree->setHeaderHidden(true);
    connect(m_pTree, &CCheckTreeCtrl::UM_TREE_STATE_CLICK, this, [this](QTreeWidgetItem* item) {
        const bool ticked = m_core.ToggleTick(Core::CategoryItem, item->data(0, Qt::UserRole).toInt());
        item->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
        ReloadPages();
    });
    connect(m_pTree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
        if (m_bFilling)
            return;
        SaveSilently();
        m_core.SetCurrentItem(Core::CategoryItem, current ? current->data(0, Qt::UserRole).toInt() : 0);
        ReloadPages();
    });
    return m_pTree;
}

QWidget* CScontiProdottoView::BuildProductPage()
{
    auto* page = new QWidget(this);
    auto* layout = new QGridLayout(page);
    m_pCategory = new CValidatedEdit(page);
    m_pCategory->SetParam(0, -1, 0, 0);
    m_pCategory->SetReadOnly(1);
    m_pCategory->SetValue(CRecordTree::Categories(*m_core.Database(), m_strCurrent, m_strDefault).value(0).text);
    auto* choose = new QToolButton(page);
    choose->setText(QStringLiteral("..."));
    m_pPopup = new CTreePopupDlg(this);
    CRecordTree::Fill(m_pPopup->Tree(), CRecordTree::Categories(*m_core.Database(), m_strCurrent, m_strDefault));
    connect(choose, &QToolButton::clicked, this, [this] { m_pPopup->ShowOver(m_pCategory); });
    connect(m_pPopup, &CTreePopupDlg::UM_TREE_POPUP_SELECT, this, [this] {
        SaveSilently();
        m_pCategory->SetValue(m_pPopup->GetSelectedText());
        m_nCategory = m_pPopup->GetSelectedData();
        m_core.SetCurrentItem(Core::ProductItem, 0);
        FillGrid();
        ReloadPages();
    });
    m_pVisualizza = new QComboBox(page);
    m_pVisualizza->addItems(Core::DescriptionChoices());
    m_pVisualizza->setCurrentIndex(2);
    layout->addWidget(new QLabel(QStringLiteral("Categorie"), page), 0, 0);
    auto* categoryRow = new QHBoxLayout;
    categoryRow->addWidget(m_pCategory, 1);
    categoryRow->addWidget(choose);
    layout->addLayout(categoryRow, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Visualizza"), page), 1, 0);
    layout->addWidget(m_pVisualizza, 1, 1);
    m_pProducts = new CGridCtrl(page);
    m_pProducts->SetColumnCount(3);
    m_pProducts->SetColumn(kTickCol, 30, GridCell::Check);
    m_pProducts->SetColumn(1, 100, GridCell::TextKind);
    m_pProducts->SetColumn(2, 238, GridCell::TextKind);
    m_pProducts->AddRow(QStringLiteral("\tCodice\tDescrizione\t"));
    m_pProducts->SetFixedFirstRow(true);
    m_pProducts->SetVirtualMode(true, kProductsPerPage);
    m_pProducts->ConnectPaging(
        this, [this](CGridCore::PagingMessage message, int position) { return PageProducts(message, position); });
    // The header and one page of products, no empty band under them.
    m_pProducts->setFixedHeight(m_pProducts->CellRect(0, 0).height() * (kProductsPerPage + 1) +
                                2 * m_pProducts->frameWidth() + 2);
    layout->addWidget(m_pProducts, 2, 0, 1, 2);
    layout->setRowStretch(3, 1);
    connect(m_pVisualizza, &QComboBox::currentIndexChanged, this, [this] {
        m_pProducts->SetCellText(0, 2, m_pVisualizza->currentText());
        ShowProducts(m_nFirst);
    });
    connect(m_pProducts, &CGridCtrl::UM_GRID_CELL_LEAVE, this, [this](GridNotifyInfo* info, int* result) {
        *result = 0;
        if (info->toRow != info->fromRow)
            SaveSilently();
    });
    connect(m_pProducts, &CGridCtrl::UM_GRID_CELL_ENTER, this, [this](GridNotifyInfo* info) {
        if (info->toRow < 1)
            return;
        const qint32 product = m_pProducts->GetRowData(info->toRow);
        m_core.SetTick(Core::ProductItem, product, m_pProducts->GetCellCheck(info->toRow, kTickCol) != 0);
        m_core.SetCurrentItem(Core::ProductItem, product);
        ReloadPages();
    });
    return page;
}

CValidatedEdit* CScontiProdottoView::PercentEdit(QWidget* parent)
{
    auto* edit = new CValidatedEdit(parent);
    edit->SetParam(CValueFormat::Text, Core::kPercentLength, 0, 0);
    edit->SetAllowedChr(Core::PercentCharacters());
    // A text the shop could not read is refused here, while the merchant is
    // still in the field.
    connect(edit, &CValidatedEdit::editingFinished, this, [this, edit] {
        QString text;
        edit->GetValue(text);
        const QString error = Core::CheckPercent(text);
        if (error.isEmpty())
            return;
        CMessageBox::Show(this, error, kValidation, CMessageBox::Stop);
        edit->setFocus();
    });
    return edit;
}

// "Validità dal" and "Validità al" on the first two rows of a page.
void CScontiProdottoView::AddValidity(QWidget* page, QGridLayout* layout, CValidatedEdit*& dal, CValidatedEdit*& al)
{
    const char* labels[] = {"Validità dal", "Validità al"};
    CValidatedEdit** edits[] = {&dal, &al};
    for (int row = 0; row < 2; ++row) {
        *edits[row] = new CValidatedEdit(page);
        (*edits[row])->SetParam(CValueFormat::Date, 8, 0, 0);
        layout->addWidget(new QLabel(QString::fromUtf8(labels[row]), page), row, 0);
        layout->addWidget(*edits[row], row, 1);
    }
}

void CScontiProdottoView::BuildPricePair(QWidget* page, PricePair& pair, QGridLayout* layout, int row)
{
    pair.percentRadio = new QRadioButton(page);
    pair.priceRadio = new QRadioButton(page);
    pair.percent = PercentEdit(page);
    pair.price = new CValidatedEdit(page);
    pair.price->SetParam(CValueFormat::GroupedDecimal, 10, 1, 6);
    layout->addWidget(pair.percentRadio, row, 0);
    layout->addWidget(pair.percent, row, 1);
    layout->addWidget(pair.priceRadio, row + 1, 0);
    layout->addWidget(pair.price, row + 1, 1);
    connect(pair.percentRadio, &QRadioButton::clicked, this, [this, &pair] { ChoosePair(pair, true); });
    connect(pair.priceRadio, &QRadioButton::clicked, this, [this, &pair] { ChoosePair(pair, false); });
}

QWidget* CScontiProdottoView::BuildDefaultPage()
{
    auto* page = new QWidget(this);
    auto* layout = new QGridLayout(page);
    BuildPricePair(page, m_default, layout, 0);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(2, 1);
    return page;
}

QWidget* CScontiProdottoView::BuildPeriodPage()
{
    auto* page = new QWidget(this);
    auto* layout = new QGridLayout(page);
    AddValidity(page, layout, m_pPeriodoDal, m_pPeriodoAl);
    BuildPricePair(page, m_period, layout, 2);
    layout->setRowStretch(4, 1);
    layout->setColumnStretch(2, 1);
    return page;
}

QWidget* CScontiProdottoView::BuildQuantityPage()
{
    auto* page = new QWidget(this);
    auto* layout = new QGridLayout(page);
    AddValidity(page, layout, m_pQuantitaDal, m_pQuantitaAl);
    m_pSteps = new CGridCtrl(page);
    m_pSteps->SetColumnCount(3);
    m_pSteps->SetColumn(0, 60, GridCell::Edit, {}, GridCell::Right, CValueFormat::Decimal, 5, 2);
    m_pSteps->SetColumn(1, 60, GridCell::Edit);
    m_pSteps->SetColumn(2, 100, GridCell::Edit, {}, GridCell::Right,
                        CValueFormat::GroupedDecimal, 10, 6);
    m_pSteps->SetColumnBkColor(0, QColor(255, 255, 200));
    m_pSteps->AddRow(Core::StepLimitHeader() + QStringLiteral("\t% Sconto\tPrezzo\t"));
    m_pSteps->SetFixedFirstRow(true);
    for (int n = 0; n < Core::kSteps; ++n)
        m_pSteps->AddRow(QStringLiteral("\t\t\t"));
    // A step's percent the shop could not read is refused as it is left.
    connect(m_pSteps, &CGridCtrl::UM_GRID_CELL_LEAVE, this, [this](GridNotifyInfo* info, int* result) {
        *result = 0;
        if (info->fromCol != 1 || info->fromRow < 1)
            return;
        const QString error = Core::CheckPercent(m_pSteps->GetCellText(info->fromRow, 1));
        if (error.isEmpty())
            return;
        CMessageBox::Show(this, error, kValidation, CMessageBox::Stop);
        *result = 1;
    });
    layout->addWidget(m_pSteps, 2, 0, 1, 3);
    layout->setRowStretch(2, 1);
    m_pStepsNote = new QLabel(Core::StepsNote(), page);
    m_pStepsNote->setWordWrap(true);
    layout->addWidget(m_pStepsNote, 3, 0, 1, 3);
    return page;
}

CScontiProdottoViewCore::Terms CScontiProdottoView::Typed() const
{
    Core::Terms t;
    m_default.percent->GetValue(t.strSconto);
    m_default.price->GetValue(t.strPrezzo);
    m_period.percent->GetValue(t.strScontoPeriodo);
    m_period.price->GetValue(t.strPrezzoPeriodo);
    t.strPeriodoDal = DateOf(m_pPeriodoDal);
    t.strPeriodoAl = DateOf(m_pPeriodoAl);
    t.strQuantitaDal = DateOf(m_pQuantitaDal);
    t.strQuantitaAl = DateOf(m_pQuantitaAl);
    for (int n = 0; n < Core::kSteps; ++n) {
        t.steps[n].strQuantita = m_pSteps->GetCellText(n + 1, 0);
        t.steps[n].strSconto = m_pSteps->GetCellText(n + 1, 1);
        t.steps[n].strPrezzo = m_pSteps->GetCellText(n + 1, 2);
    }
    return t;
}

void CScontiProdottoView::ChoosePair(PricePair& pair, bool percent)
{
    pair.percentRadio->setChecked(percent);
    pair.priceRadio->setChecked(!percent);
    (percent ? pair.price : pair.percent)->Blank();
    pair.percent->setEnabled(percent);
    pair.price->setEnabled(!percent);
}

void CScontiProdottoView::ShowPair(PricePair& pair, const QString& percent, const QString& price)
{
    pair.percent->SetValue(percent);
    pair.price->SetValue(price);
    for (QRadioButton* radio : {pair.percentRadio, pair.priceRadio}) {
        radio->setAutoExclusive(false);
        radio->setChecked(false);
        radio->setAutoExclusive(true);
    }
    if (!percent.isEmpty())
        pair.percentRadio->setChecked(true);
    else if (!price.isEmpty())
        pair.priceRadio->setChecked(true);
    pair.percent->setEnabled(pair.percentRadio->isChecked());
    pair.price->setEnabled(pair.priceRadio->isChecked());
}

void CScontiProdottoView::Show(const Core::Terms& t)
{
    ShowPair(m_default, t.strSconto, t.strPrezzo);
    ShowPair(m_period, t.strScontoPeriodo, t.strPrezzoPeriodo);
    ShowDate(m_pPeriodoDal, t.strPeriodoDal);
    ShowDate(m_pPeriodoAl, t.strPeriodoAl);
    ShowDate(m_pQuantitaDal, t.strQuantitaDal);
    ShowDate(m_pQuantitaAl, t.strQuantitaAl);
    for (int n = 0; n < Core::kSteps; ++n) {
        m_pSteps->SetCellText(n + 1, 0, t.steps[n].strQuantita);
        m_pSteps->SetCellText(n + 1, 1, t.steps[n].strSconto);
        m_pSteps->SetCellText(n + 1, 2, t.steps[n].strPrezzo);
    }
    m_pSteps->viewport()->update();
}

void CScontiProdottoView::ReloadPages()
{
    Show(m_core.Load());
    const bool hasRow = m_core.HasRow();
    for (QWidget* page : m_pages)
        page->setEnabled(hasRow);
}

bool CScontiProdottoView::IsRecordModified()
{
    return m_core.IsRecordModified(Typed());
}

bool CScontiProdottoView::SaveRecord()
{
    const Core::Refusal refusal = m_core.SaveRecord(Typed());
    if (!refusal.IsRefused())
        return true;
    m_pLower->setCurrentWidget(m_pages[refusal.page]);
    CMessageBox::Show(this, refusal.strText, kValidation, CMessageBox::Stop);
    return false;
}

void CScontiProdottoView::SaveSilently()
{
    if (m_core.IsRecordModified(Typed()))
        SaveRecord();
}

void CScontiProdottoView::FillList()
{
    m_bFilling = true;
    m_pList->clear();
    for (const Core::Entry& entry : m_core.Entries()) {
        auto* item = new QListWidgetItem(entry.strText, m_pList);
        item->setData(Qt::UserRole, entry.nId);
    }
    m_pList->setCurrentRow(-1);
    m_bFilling = false;
    m_pListTitle->setText(m_core.GetKind() == Core::Gruppi ? QStringLiteral("Gruppi") : QStringLiteral("Utenti"));
}

void CScontiProdottoView::FillTree()
{
    m_bFilling = true;
    m_pTree->clear();
    if (m_core.SelectedEntry() > 0) {
        QVector<TreeNode> nodes = CRecordTree::Categories(*m_core.Database(), m_strDefault, m_strDefault);
        // The first node is "Tutte le categorie": the tree shows only categories.
        if (!nodes.isEmpty() && nodes.first().id == 0)
            nodes = nodes.first().children.isEmpty() ? nodes.mid(1) : nodes.first().children + nodes.mid(1);
        AddTicked(m_pTree, nullptr, nodes, m_core);
        m_pTree->expandAll();
    }
    // No item is current until the merchant picks one.
    m_pTree->setCurrentItem(nullptr);
    m_bFilling = false;
}

void CScontiProdottoView::FillGrid()
{
    m_productIds = m_core.ProductIds(m_nCategory);
    ShowProducts(0);
}

// Four products from first on; the scroll bar stands for the whole list.
void CScontiProdottoView::ShowProducts(int first)
{
    m_nFirst = qBound(0, first, qMax(0, static_cast<int>(m_productIds.size()) - kProductsPerPage));
    m_pProducts->SetCurCell(-1, -1);
    m_pProducts->DeleteAllRows();   // the header row stays
    const int last = qMin(static_cast<int>(m_productIds.size()), m_nFirst + kProductsPerPage);
    for (int i = m_nFirst; i < last; ++i) {
        const Core::ProductLine line = m_core.ProductAt(m_productIds.at(i), m_pVisualizza->currentIndex());
        const int row = m_pProducts->AddRow(QStringLiteral("\t\t\t"));
        m_pProducts->SetCellCheck(row, kTickCol, line.bTicked ? 1 : 0);
        m_pProducts->SetCellText(row, 1, line.strCodice);
        m_pProducts->SetCellText(row, 2, line.strDescrizione);
        m_pProducts->SetRowData(row, line.nId);
    }
    m_pProducts->SetVirtualCount(m_productIds.size());
    m_pProducts->SetVirtualPos(m_nFirst + 1);
    m_pProducts->viewport()->update();
}

// Line and page moves and the thumb: the terms are saved, no product is
// current, and the new position goes back to the grid (0: nothing moved).
int CScontiProdottoView::PageProducts(CGridCore::PagingMessage message, int position)
{
    SaveSilently();
    const int first = CGridCore::PagedFirst(message, position, m_nFirst, kProductsPerPage,
                                            static_cast<int>(m_productIds.size()));
    m_core.SetCurrentItem(Core::ProductItem, 0);
    ReloadPages();
    if (first == m_nFirst)
        return 0;
    ShowProducts(first);
    return first + 1;
}

void CScontiProdottoView::ApplyWording()
{
    const Core::Wording& w = m_core.CurrentWording();
    m_pLower->setTabText(0, w.strDefaultTab);
    m_pLower->setTabText(1, w.strPeriodTab);
    if (m_pLower->count() > 2)
        m_pLower->setTabText(2, w.strQuantityTab);
    for (PricePair* pair : {&m_default, &m_period}) {
        pair->percentRadio->setText(w.strPercentLabel);
        pair->priceRadio->setText(w.strPriceLabel);
    }
    m_pSteps->SetCellText(0, 1, w.strPercentHeader);
    m_pSteps->SetCellText(0, 2, w.strPriceHeader);
}

void CScontiProdottoView::OnKind(Core::Kind kind)
{
    SaveSilently();
    m_core.SetKind(kind);
    FillList();
    FillTree();
    FillGrid();
    ReloadPages();
}

void CScontiProdottoView::OnUpperTab(int index)
{
    SaveSilently();
    const bool products = index == 1;
    m_pTree->setCurrentItem(nullptr);
    m_core.SetCurrentItem(products ? Core::ProductItem : Core::CategoryItem, 0);
    if (products && m_pLower->count() == 2)
        m_pLower->addTab(m_pages[2], QString());
    if (!products && m_pLower->count() == 3)
        m_pLower->removeTab(2);
    // Categories carry no promotional prices and no quantity steps.
    for (PricePair* pair : {&m_default, &m_period}) {
        pair->priceRadio->setVisible(products);
        pair->price->setVisible(products);
    }
    if (products)
        FillGrid();
    ApplyWording();
    m_pLower->setCurrentIndex(0);
    ReloadPages();
}
