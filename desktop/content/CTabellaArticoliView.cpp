#include "desktop/content/CTabellaArticoliView.h"

#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CRecordTree.h"
#include "desktop/shell/controls/CTreePopupDlg.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("Tabella articoli");

} // namespace

CTabellaArticoliView::CTabellaArticoliView(CDaoDatabase& database, const QString& currentLanguage,
                                           const QString& defaultLanguage, QWidget* parent)
    : QWidget(parent), m_db(database), m_pGrid(new CGridCtrl(this)), m_core(database, *m_pGrid)
{
    m_pSection = new CValidatedEdit(this);
    m_pSection->SetParam(0, -1, 0, 0);
    m_pSection->SetReadOnly(1);
    m_pChoose = new QToolButton(this);
    m_pChoose->setText(QStringLiteral("..."));
    m_pText = new QComboBox(this);
    m_pText->addItems(CTabellaArticoliCore::TextNames());
    m_pUp = new QToolButton(this);
    m_pUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    m_pUp->setIconSize(QSize(16, 16));
    m_pUp->setToolTip(QStringLiteral("Sposta su"));
    m_pDown = new QToolButton(this);
    m_pDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    m_pDown->setIconSize(QSize(16, 16));
    m_pDown->setToolTip(QStringLiteral("Sposta giù"));

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Sezione"), this));
    top->addWidget(m_pSection, 1);
    top->addWidget(m_pChoose);
    top->addSpacing(20);
    top->addWidget(new QLabel(QStringLiteral("Visualizza"), this));
    top->addWidget(m_pText);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pUp);
    buttons->addWidget(m_pDown);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_pGrid, 1);
    layout->addLayout(buttons);
    m_pGrid->setMinimumSize(560, 12 * 20 + 24);

    m_pPopup = new CTreePopupDlg(this);
    CRecordTree::Fill(m_pPopup->Tree(), CRecordTree::Sections(m_db, currentLanguage, defaultLanguage));
    m_pSection->SetValue(QStringLiteral("Tutte le sezioni"));
    m_core.SetLanguages(currentLanguage, defaultLanguage);
    m_core.Start();
    ConnectGrid();
    UpdateButtons();

    connect(m_pChoose, &QToolButton::clicked, this, [this] { m_pPopup->ShowOver(m_pSection); });
    connect(m_pPopup, &CTreePopupDlg::UM_TREE_POPUP_SELECT, this,
            [this] { ChooseSection(m_pPopup->GetSelectedData(), m_pPopup->GetSelectedText()); });
    connect(m_pText, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_core.ChooseText(index);
        UpdateButtons();
    });
    connect(m_pUp, &QToolButton::clicked, this, [this] {
        if (!m_core.MoveUp() && !m_core.Error().isEmpty())
            ShowError();
        UpdateButtons();
    });
    connect(m_pDown, &QToolButton::clicked, this, [this] {
        if (!m_core.MoveDown() && !m_core.Error().isEmpty())
            ShowError();
        UpdateButtons();
    });
}

CTabellaArticoliView::~CTabellaArticoliView() = default;

void CTabellaArticoliView::ConnectGrid()
{
    connect(m_pGrid, &CGridCtrl::UM_GRID_CELL_LEAVE, this, [this](GridNotifyInfo* info, int* result) {
        *result = m_core.CellLeave(*info);
        if (*result)
            ShowError();
    });
    connect(m_pGrid, &CGridCtrl::UM_GRID_CELL_ENTER, this, [this](GridNotifyInfo* info) {
        m_core.CellEnter(*info);
        UpdateButtons();
    });
    const auto paging = [this](CGridCore::PagingMessage message, int position, int* result) {
        const bool hadRow = m_core.CurRow() >= 0;
        *result = m_core.Paging(message, position);
        if (hadRow && m_core.CurRow() >= 0)
            ShowError();   // the row could not be saved: the page stays
        UpdateButtons();
    };
    connect(m_pGrid, &CGridCtrl::UM_GRID_LINE_UP, this, [paging](int* r) { paging(CGridCore::MsgLineUp, 0, r); });
    connect(m_pGrid, &CGridCtrl::UM_GRID_LINE_DOWN, this, [paging](int* r) { paging(CGridCore::MsgLineDown, 0, r); });
    connect(m_pGrid, &CGridCtrl::UM_GRID_PAGE_UP, this, [paging](int* r) { paging(CGridCore::MsgPageUp, 0, r); });
    connect(m_pGrid, &CGridCtrl::UM_GRID_PAGE_DOWN, this, [paging](int* r) { paging(CGridCore::MsgPageDown, 0, r); });
    connect(m_pGrid, &CGridCtrl::UM_GRID_THUMB, this, [paging](int position, int* r) {
        paging(CGridCore::MsgThumb, position, r);
    });
}

void CTabellaArticoliView::ChooseSection(qint32 id, const QString& text)
{
    if (!m_core.IsRowModified() || SaveRow()) {
        m_pSection->SetValue(text);
        m_core.ChooseSection(id);
    }
    UpdateButtons();
}

void CTabellaArticoliView::UpdateButtons()
{
    m_pUp->setEnabled(m_core.CanMoveUp());
    m_pDown->setEnabled(m_core.CanMoveDown());
}

void CTabellaArticoliView::ShowError()
{
    if (!m_core.Error().isEmpty())
        CMessageBox::Show(this, m_core.Error(), kCaption, CMessageBox::Stop);
}

bool CTabellaArticoliView::IsRowModified()
{
    return m_core.IsRowModified();
}

bool CTabellaArticoliView::SaveRow()
{
    if (m_core.SaveRow())
        return true;
    ShowError();
    return false;
}

CGridCore* CTabellaArticoliView::GetPendingGrid()
{
    return m_pGrid;
}

// A typed row is saved before the texts change language.
bool CTabellaArticoliView::CanChangeLanguage()
{
    return !m_core.IsRowModified() || SaveRow();
}

void CTabellaArticoliView::RefreshLanguage()
{
    if (!m_currentLanguage || !m_defaultLanguage)
        return;
    if (m_core.IsRowModified() && !SaveRow())
        return;
    m_core.SetLanguages(m_currentLanguage(), m_defaultLanguage());
    m_core.Reload();
    UpdateButtons();
}
