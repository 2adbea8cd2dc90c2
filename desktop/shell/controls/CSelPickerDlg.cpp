#include "desktop/shell/controls/CSelPickerDlg.h"

#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CRecordTree.h"
#include "desktop/shell/controls/CTreePopupDlg.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

CSelPickerDlg::CSelPickerDlg(const PickerLayout& layout, const CoreFactory& makeCore, CDaoDatabase* db,
                             const QString& language, const QString& defaultLanguage, QWidget* parent)
    : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    auto* row = new QWidget(this);
    BuildChooser(row, layout);
    column->addWidget(row);
    m_pGrid = new CGridCtrl(this);
    int width = 0;
    for (int w : layout.columnWidths)
        width += w;
    m_pGrid->setMinimumSize(width + 24, (layout.rowsPerPage + 1) * 22);
    column->addWidget(m_pGrid, 1);

    m_core = makeCore(*m_pGrid);
    m_core->InitGrid();
    if (m_pPopup && db) {
        m_pPopup->Tree()->clear();
        const QVector<TreeNode> nodes = layout.tree == PickerLayout::SectionTree
                                            ? CRecordTree::Sections(*db, language, defaultLanguage)
                                            : CRecordTree::Categories(*db, language, defaultLanguage);
        CRecordTree::Fill(m_pPopup->Tree(), nodes);
    }
    ConnectPaging();
    m_core->ShowFirstPage();
}

CSelPickerDlg::~CSelPickerDlg() = default;

void CSelPickerDlg::BuildChooser(QWidget* row, const PickerLayout& layout)
{
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    if (layout.tree != PickerLayout::NoTree) {
        m_pEdit = new CValidatedEdit(row);
        m_pEdit->SetParam(0, -1, 0, 0);
        m_pEdit->SetReadOnly(1);
        m_pEdit->SetValue(layout.allText);
        m_pChoose = new QPushButton(QStringLiteral("..."), row);
        m_pChoose->setFixedWidth(28);
        m_pPopup = new CTreePopupDlg(this);
        connect(m_pChoose, &QPushButton::clicked, this, [this] { m_pPopup->ShowOver(m_pEdit); });
        connect(m_pPopup, &CTreePopupDlg::UM_TREE_POPUP_SELECT, this, &CSelPickerDlg::OnTreePopupSelect);
        line->addWidget(m_pEdit, 1);
        line->addWidget(m_pChoose);
    }
    if (!layout.views.isEmpty()) {
        line->addWidget(new QLabel(QStringLiteral("Visualizza"), row));
        m_pViews = new QComboBox(row);
        m_pViews->addItems(layout.views);
        connect(m_pViews, &QComboBox::currentIndexChanged, this, [this](int index) { m_core->ChooseView(index); });
        line->addWidget(m_pViews);
    }
    line->addStretch();
}

void CSelPickerDlg::ConnectPaging()
{
    CRecordPager& pager = m_core->Pager();
    m_pGrid->ConnectPaging(this, [&pager](CGridCore::PagingMessage message, int position) {
        switch (message) {
        case CGridCore::MsgLineUp: return pager.LineUp();
        case CGridCore::MsgLineDown: return pager.LineDown();
        case CGridCore::MsgPageUp: return pager.PageUp();
        case CGridCore::MsgPageDown: return pager.PageDown();
        case CGridCore::MsgThumb: return pager.Thumb(position);
        }
        return 0;
    });
    connect(m_pGrid, &CGridCtrl::UM_GRID_CELL_ENTER, this,
            [this](GridNotifyInfo* info) { m_core->OnCellEnter(*info); });
}

void CSelPickerDlg::OnTreePopupSelect()
{
    m_pEdit->SetValue(m_pPopup->GetSelectedText());
    m_core->ChooseTreeItem(m_pPopup->GetSelectedData());
}
