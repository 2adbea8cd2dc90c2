#include "desktop/shell/app/COrderedTableView.h"

#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/COrderedTableCore.h"
#include "desktop/shell/controls/CTreePopupDlg.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

COrderedTableView::COrderedTableView(QWidget* parent) : QWidget(parent), m_pGrid(new CGridCtrl(this))
{
}

COrderedTableView::~COrderedTableView() = default;

void COrderedTableView::Build(COrderedTableCore& core, const Texts& texts, const QVector<TreeNode>& groups,
                              const QString& currentLanguage, const QString& defaultLanguage)
{
    m_pCore = &core;
    m_strCaption = texts.caption;
    m_pGroup = new CValidatedEdit(this);
    m_pGroup->SetParam(0, -1, 0, 0);
    m_pGroup->SetReadOnly(1);
    m_pChoose = new QToolButton(this);
    m_pChoose->setText(QStringLiteral("..."));
    m_pText = new QComboBox(this);
    m_pText->addItems(core.ShownTextNames());
    m_pUp = new QToolButton(this);
    m_pUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    m_pUp->setIconSize(QSize(16, 16));
    m_pUp->setToolTip(QStringLiteral("Sposta su"));
    m_pDown = new QToolButton(this);
    m_pDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    m_pDown->setIconSize(QSize(16, 16));
    m_pDown->setToolTip(QStringLiteral("Sposta giù"));

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(texts.groupLabel, this));
    top->addWidget(m_pGroup, 1);
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
    CRecordTree::Fill(m_pPopup->Tree(), groups);
    m_pGroup->SetValue(texts.allGroups);
    core.SetLanguages(currentLanguage, defaultLanguage);
    core.Start();
    ConnectGrid();
    UpdateButtons();

    connect(m_pChoose, &QToolButton::clicked, this, [this] { m_pPopup->ShowOver(m_pGroup); });
    connect(m_pPopup, &CTreePopupDlg::UM_TREE_POPUP_SELECT, this,
            [this] { ChooseGroup(m_pPopup->GetSelectedData(), m_pPopup->GetSelectedText()); });
    connect(m_pText, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_pCore->ChooseShownText(index);
        UpdateButtons();
    });
    connect(m_pUp, &QToolButton::clicked, this, [this] {
        if (!m_pCore->MoveUp() && !m_pCore->Error().isEmpty())
            ShowError();
        UpdateButtons();
    });
    connect(m_pDown, &QToolButton::clicked, this, [this] {
        if (!m_pCore->MoveDown() && !m_pCore->Error().isEmpty())
            ShowError();
        UpdateButtons();
    });
}

void COrderedTableView::ConnectGrid()
{
    connect(m_pGrid, &CGridCtrl::UM_GRID_CELL_LEAVE, this, [this](GridNotifyInfo* info, int* result) {
        *result = m_pCore->CellLeave(*info);
        if (*result)
            ShowError();
    });
    connect(m_pGrid, &CGridCtrl::UM_GRID_CELL_ENTER, this, [this](GridNotifyInfo* info) {
        m_pCore->CellEnter(*info);
        UpdateButtons();
    });
    m_pGrid->ConnectPaging(this, [this](CGridCore::PagingMessage message, int position) {
        const bool hadRow = m_pCore->CurRow() >= 0;
        const int result = m_pCore->Paging(message, position);
        if (hadRow && m_pCore->CurRow() >= 0)
            ShowError();   // the row could not be saved: the page stays
        UpdateButtons();
        return result;
    });
}

void COrderedTableView::ChooseGroup(qint32 id, const QString& text)
{
    if (!m_pCore->IsRowModified() || SaveRow()) {
        m_pGroup->SetValue(text);
        m_pCore->ChooseGroup(id);
    }
    UpdateButtons();
}

void COrderedTableView::UpdateButtons()
{
    m_pUp->setEnabled(m_pCore->CanMoveUp());
    m_pDown->setEnabled(m_pCore->CanMoveDown());
}

void COrderedTableView::ShowError()
{
    if (!m_pCore->Error().isEmpty())
        CMessageBox::Show(this, m_pCore->Error(), m_strCaption, CMessageBox::Stop);
}

bool COrderedTableView::IsRowModified()
{
    return m_pCore->IsRowModified();
}

bool COrderedTableView::SaveRow()
{
    if (m_pCore->SaveRow())
        return true;
    ShowError();
    return false;
}

CGridCore* COrderedTableView::GetPendingGrid()
{
    return m_pGrid;
}

int COrderedTableView::GetPendingRow() const
{
    return m_pCore->CurRow();
}

int COrderedTableView::GetPendingCol() const
{
    return m_pCore->CurCol();
}

// What was typed belongs to the language shown (the prices to its row, the
// texts shown to it): the row is saved in it before another is chosen, or
// the choice is refused.
bool COrderedTableView::CanChangeLanguage()
{
    return !m_pCore->IsRowModified() || SaveRow();
}

void COrderedTableView::RefreshLanguage()
{
    if (!m_currentLanguage || !m_defaultLanguage)
        return;
    if (m_pCore->IsRowModified() && !SaveRow())
        return;
    m_pCore->SetLanguages(m_currentLanguage(), m_defaultLanguage());
    m_pCore->Reload();
    UpdateButtons();
}
