#include "desktop/shell/settings/CGridEditorView.h"

#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/settings/CGridRowEditor.h"

#include <QHBoxLayout>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

CGridEditorView::CGridEditorView(const EditorFactory& makeEditor, CloseRule rule, QWidget* parent)
    : QWidget(parent), m_rule(rule)
{
    m_pGrid = new CGridCtrl(this);
    m_pAdd = new QToolButton(this);
    m_pAdd->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    m_pAdd->setIconSize(QSize(16, 16));
    m_pAdd->setToolTip(QStringLiteral("Inserisci"));
    m_pDelete = new QToolButton(this);
    m_pDelete->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    m_pDelete->setIconSize(QSize(16, 16));
    m_pDelete->setToolTip(QStringLiteral("Cancella"));
    m_pDelete->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pAdd);
    buttons->addWidget(m_pDelete);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_pGrid, 1, Qt::AlignLeft);

    m_editor = makeEditor(*m_pGrid);
    connect(m_pGrid, &CGridCtrl::UM_GRID_CELL_ENTER, this, [this](GridNotifyInfo* info) {
        m_editor->OnCellEnter(*info);
        m_pDelete->setEnabled(true);
    });
    connect(m_pGrid, &CGridCtrl::UM_GRID_CELL_LEAVE, this,
            [this](GridNotifyInfo* info, int* result) { *result = m_editor->OnCellLeave(*info); });
    connect(m_pAdd, &QToolButton::clicked, this, &CGridEditorView::OnAdd);
    connect(m_pDelete, &QToolButton::clicked, this, &CGridEditorView::OnDelete);
}

CGridEditorView::~CGridEditorView() = default;

void CGridEditorView::Start(const std::function<void()>& fill)
{
    fill();
    int width = 0;
    for (int col = 0; col < m_pGrid->GetColumnCount(); ++col)
        width += m_pGrid->GetColumnWidth(col);
    // The grid is as wide as its columns; rows grow downwards.
    const int frame = 2 * m_pGrid->frameWidth() + m_pGrid->verticalScrollBar()->sizeHint().width();
    m_pGrid->setFixedWidth(width + frame + 1);
}

void CGridEditorView::OnAdd()
{
    m_editor->AddRow();
    m_pGrid->setFocus();
}

void CGridEditorView::OnDelete()
{
    if (m_editor->DeleteRow())
        m_pDelete->setEnabled(false);
}

bool CGridEditorView::IsNewRowPending() const
{
    return m_editor->IsNewRowPending();
}

bool CGridEditorView::SaveNewRow()
{
    return m_editor->SaveNewRow();
}

bool CGridEditorView::IsRowModified()
{
    return m_editor->IsRowModified();
}

bool CGridEditorView::SaveRow()
{
    return m_editor->SaveRow();
}

CGridCore* CGridEditorView::GetPendingGrid()
{
    return m_pGrid;
}

int CGridEditorView::GetPendingRow() const
{
    return m_editor->CurRow();
}

int CGridEditorView::GetPendingCol() const
{
    return m_editor->FailedCol();
}
