#include "desktop/content/CArticoliView.h"

#include "desktop/content/CArticoliAvanzateDlg.h"
#include "desktop/content/CArticoliFilesDlg.h"
#include "desktop/content/CArticoliLinkDlg.h"
#include "desktop/content/CArticoliTestoDlg.h"
#include "desktop/shell/controls/CCheckTreeCtrl.h"
#include "desktop/shell/controls/CCheckTreePopupDlg.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CRecordTree.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "desktop/shell/controls/CValueFormat.h"
#include "platform/dao/CDaoException.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

const char* const kTabCaptions[CArticoliViewCore::TabCount] = {"Generale", "Avanzate", "Link", "Files"};
const char* const kCheckCaptions[CArticoliView::CheckCount] = {"Attivo", "Novità", "Mailing",
                                                               "Stampa", "Segnalazione", "Voto"};
const char* const kDateCaptions[CArticoliView::DateCount] = {"Data pubblicazione", "Dalla data", "Alla data"};

int StateOf(const QCheckBox* box)
{
    switch (box->checkState()) {
    case Qt::Checked: return ArticoloForm::Checked;
    case Qt::PartiallyChecked: return ArticoloForm::Indeterminate;
    default: return ArticoloForm::Unchecked;
    }
}

void SetState(QCheckBox* box, int state)
{
    box->setCheckState(state == ArticoloForm::Checked         ? Qt::Checked
                       : state == ArticoloForm::Indeterminate ? Qt::PartiallyChecked
                                                              : Qt::Unchecked);
}

// A date field shows the day only: the stored time stays while the day
// typed is the stored one's.
QDateTime DateIn(const CValidatedEdit* edit, const QDateTime& stored)
{
    if (edit->text().trimmed().isEmpty())
        return QDateTime();
    QDateTime value;
    edit->GetValue(value);
    if (stored.isValid() && value.date() == stored.date())
        return stored;
    return value;
}

} // namespace

CArticoliView::CArticoliView(CDaoDatabase& database, const QString& projectFolder, const QString& currentLanguage,
                             const QString& defaultLanguage, QWidget* parent)
    : QWidget(parent),
      m_db(database),
      m_core(database, projectFolder),
      m_strCurrent(currentLanguage),
      m_strDefault(defaultLanguage)
{
    m_pCodice = new CValidatedEdit(this);
    m_pCodice->SetParam(0, CArticoliViewCore::kCodeLength, 1, 0);
    m_pCodice->SetAllowedChr(QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWYXZ1234567890"));
    m_pSezioni = new QPushButton(QStringLiteral("Sezioni"), this);
    m_pSezioni->setCheckable(true);
    auto* left = new QGridLayout;
    left->addWidget(new QLabel(QStringLiteral("Codice"), this), 0, 0);
    left->addWidget(m_pCodice, 0, 1);
    left->addWidget(m_pSezioni, 0, 2);
    for (int i = 0; i < CheckCount; ++i) {
        m_checks[i] = new QCheckBox(QString::fromUtf8(kCheckCaptions[i]), this);
        left->addWidget(m_checks[i], 1 + i % 3, i < 3 ? 0 : 1);
    }
    m_checks[Mailing]->setEnabled(false);
    for (int i = Stampa; i <= Voto; ++i)
        m_checks[i]->setTristate(true);
    for (int i = 0; i < DateCount; ++i) {
        m_dates[i] = new CValidatedEdit(this);
        m_dates[i]->SetParam(CValueFormat::Date, 8, 0, 0);
        left->addWidget(new QLabel(QString::fromUtf8(kDateCaptions[i]), this), 4 + i, 0);
        left->addWidget(m_dates[i], 4 + i, 1, 1, 2);
    }
    m_pPreview = new QPlainTextEdit(this);
    m_pPreview->setReadOnly(true);
    left->addWidget(m_pPreview, 7, 0, 1, 3);
    left->setRowStretch(7, 1);

    m_pTabs = new QTabBar(this);
    m_pTabs->setExpanding(false);
    for (const char* caption : kTabCaptions)
        m_pTabs->addTab(QString::fromUtf8(caption));
    m_pPages = new QStackedWidget(this);
    m_pPages->setFrameShape(QFrame::StyledPanel);
    m_pTesto = new CArticoliTestoDlg(m_pPages);
    m_pAvanzate = new CArticoliAvanzateDlg(m_core, m_pPages);
    m_pLink = new CArticoliLinkDlg(database, projectFolder, m_pPages);
    m_pFiles = new CArticoliFilesDlg(database, projectFolder, m_pPages);
    for (QWidget* page : {static_cast<QWidget*>(m_pTesto), static_cast<QWidget*>(m_pAvanzate),
                          static_cast<QWidget*>(m_pLink), static_cast<QWidget*>(m_pFiles)})
        m_pPages->addWidget(page);
    auto* right = new QVBoxLayout;
    right->addWidget(m_pTabs);
    right->addWidget(m_pPages, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 2);
    layout->addLayout(right, 3);

    m_pPopup = new CCheckTreePopupDlg(this);
    m_pPopup->setWindowTitle(QStringLiteral("Selezione sezioni"));
    m_pPopup->resize(300, 320);
    m_pPopup->hide();
    m_pPopup->Tree()->setHeaderHidden(true);
    connect(m_pSezioni, &QPushButton::toggled, this, [this](bool on) {
        if (on) {
            // Right edge on the button's right edge, one pixel below it.
            const QPoint corner = m_pSezioni->mapTo(this, QPoint(m_pSezioni->width(), m_pSezioni->height() + 1));
            m_pPopup->SetPosition(QPoint(qMax(0, corner.x() - m_pPopup->width()), corner.y()));
            m_pPopup->raise();
        }
        m_pPopup->setVisible(on);
    });
    connect(m_pPopup, &CCheckTreePopupDlg::UM_TREE_STATE_CLICK, this,
            [this](QTreeWidgetItem* item) { OnSectionClick(item); });
    connect(m_pTabs, &QTabBar::currentChanged, this, [this](int tab) { OnTabChanged(tab); });

    m_core.SetLanguages(currentLanguage, defaultLanguage);
    m_core.m_focusCode = [this] { m_pCodice->setFocus(); };
    m_core.m_selectDefaultLanguage = [this] {
        if (m_selectDefaultLanguage)
            m_selectDefaultLanguage();
        m_strCurrent = m_strDefault;
        BuildSectionTree();
    };
    BuildSectionTree();
    Guard([this] { m_core.Start(); });
    m_pAvanzate->FillTemplates();
    m_pAvanzate->FillForms();
    Refresh();
}

CArticoliView::~CArticoliView() = default;

template <typename F>
void CArticoliView::Guard(F&& step)
{
    try {
        step();
    } catch (const CDaoException& error) {
        CMessageBox::Show(this, error.GetErrorMessage(), QStringLiteral("Articoli"), CMessageBox::Stop);
    }
    Refresh();
}

void CArticoliView::BuildSectionTree()
{
    CCheckTreeCtrl* tree = m_pPopup->Tree();
    tree->clear();
    std::function<void(const QVector<TreeNode>&, QTreeWidgetItem*)> add = [&](const QVector<TreeNode>& level,
                                                                               QTreeWidgetItem* parent) {
        for (const TreeNode& node : level) {
            if (node.id == 0) {   // "Tutte le sezioni" is no section to tick
                add(node.children, parent);
                continue;
            }
            QTreeWidgetItem* item = tree->AddItem(parent, node.text, node.id, false);
            // The box shows the stored link: a click never toggles it by itself.
            item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
            add(node.children, item);
        }
    };
    add(CRecordTree::Sections(m_db, m_strCurrent, m_strDefault), nullptr);
    tree->expandAll();
}

void CArticoliView::ShowTicks()
{
    const QSet<qint32>& ticked = m_core.Ticked();
    for (QTreeWidgetItemIterator it(m_pPopup->Tree()); *it; ++it) {
        const bool on = ticked.contains((*it)->data(0, Qt::UserRole).toInt());
        (*it)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
    }
}

void CArticoliView::Pull()
{
    if (m_bRefreshing)
        return;
    ArticoloForm& form = m_core.Form();
    m_pCodice->GetValue(form.codice);
    int* states[CheckCount] = {&form.attivo, &form.novita, &form.mailing,
                               &form.stampa, &form.segnalazione, &form.voto};
    for (int i = 0; i < CheckCount; ++i)
        *states[i] = StateOf(m_checks[i]);
    QDateTime* dates[DateCount] = {&form.dataPubblicazione, &form.dallaData, &form.allaData};
    for (int i = 0; i < DateCount; ++i)
        *dates[i] = DateIn(m_dates[i], *dates[i]);
    m_pTesto->Pull(form);
    m_pAvanzate->Pull();
}

void CArticoliView::Refresh()
{
    m_bRefreshing = true;
    const ArticoloForm& form = m_core.Form();
    const bool entering = m_core.GetFilterMode() == CArticoliViewCore::FilterEntering;
    const bool enabled = m_core.IsEditingEnabled();
    m_pCodice->SetValue(form.codice);
    m_pCodice->setEnabled(enabled || entering);
    const int states[CheckCount] = {form.attivo, form.novita, form.mailing, form.stampa, form.segnalazione, form.voto};
    for (int i = 0; i < CheckCount; ++i) {
        if (i <= Mailing)
            m_checks[i]->setTristate(entering);
        SetState(m_checks[i], states[i]);
        if (i != Mailing)
            m_checks[i]->setEnabled(i <= Novita ? enabled || entering : enabled && !entering);
    }
    const QDateTime dates[DateCount] = {form.dataPubblicazione, form.dallaData, form.allaData};
    for (int i = 0; i < DateCount; ++i) {
        if (dates[i].isValid())
            m_dates[i]->SetValue(dates[i]);
        else
            m_dates[i]->SetValue(QString());
        m_dates[i]->setEnabled(enabled && !entering);
    }
    m_pPreview->setPlainText(m_core.Preview());
    m_pTesto->Push(form);
    m_pTesto->SetEditingEnabled(enabled && !entering);
    m_pAvanzate->Push();
    m_pAvanzate->SetEditingEnabled(enabled && !entering);
    m_pSezioni->setEnabled(enabled || entering);
    ShowTicks();
    if (m_pTabs->currentIndex() != m_core.CurrentTab()) {
        m_pTabs->setCurrentIndex(m_core.CurrentTab());
        m_pPages->setCurrentIndex(m_core.CurrentTab());
    }
    LoadPages();
    m_bRefreshing = false;
}

// The list pages follow the article shown.
void CArticoliView::LoadPages()
{
    if (m_nLoadedShown == m_core.ShownCount())
        return;
    m_nLoadedShown = m_core.ShownCount();
    for (CArticoliAllegatiDlg* page : {static_cast<CArticoliAllegatiDlg*>(m_pLink),
                                       static_cast<CArticoliAllegatiDlg*>(m_pFiles)}) {
        page->SetLanguages(m_core.CurrentLanguage(), m_core.DefaultLanguage());
        page->SetArticle(m_core.CurrentID());
    }
}

void CArticoliView::OnTabChanged(int tab)
{
    if (m_bRefreshing)
        return;
    Pull();
    bool changed = false;
    Guard([&] { changed = m_core.SelectTab(tab); });
    if (!changed) {
        m_bRefreshing = true;
        m_pTabs->setCurrentIndex(m_core.CurrentTab());
        m_bRefreshing = false;
        return;
    }
    m_pPages->setCurrentIndex(tab);
}

void CArticoliView::OnSectionClick(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const qint32 id = item->data(0, Qt::UserRole).toInt();
    Pull();
    Guard([&] { m_core.ClickSection(id); });
}

bool CArticoliView::IsRecordModified()
{
    Pull();
    return m_core.IsRecordModified();
}

bool CArticoliView::SaveRecord()
{
    Pull();
    bool saved = false;
    Guard([&] { saved = m_core.SaveRecord(); });
    return saved;
}

bool CArticoliView::CanChangeLanguage()
{
    Pull();
    bool left = false;
    Guard([&] { left = m_core.LeaveLanguage(); });
    return left;
}

void CArticoliView::RefreshLanguage()
{
    Pull();
    if (m_currentLanguage)
        m_strCurrent = m_currentLanguage();
    if (m_defaultLanguage)
        m_strDefault = m_defaultLanguage();
    BuildSectionTree();
    m_nLoadedShown = -1;
    Guard([this] { m_core.RefreshLanguage(m_strCurrent, m_strDefault); });
}

bool CArticoliView::IsViewCommandEnabled(int id)
{
    return m_core.IsCommandEnabled(id);
}

bool CArticoliView::IsViewCommandChecked(int id)
{
    return m_core.IsCommandChecked(id);
}

void CArticoliView::OnViewCommand(int id)
{
    Pull();
    Guard([&] { m_core.OnCommand(id); });
}
