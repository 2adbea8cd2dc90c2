#include "desktop/catalogue/CDefCampiCustomView.h"

#include "desktop/catalogue/CCategoryTree.h"
#include "desktop/catalogue/CDefCampiCustomViewCore.h"
#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CRecordTree.h"
#include "desktop/shell/controls/CTreePopupDlg.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

CDefCampiCustomView::CDefCampiCustomView(CDaoDatabase& db, const QString& currentLanguage,
                                         const QString& defaultLanguage, QWidget* parent)
    : CGridEditorView([&db](CGridCore& grid) { return std::make_unique<CDefCampiCustomViewCore>(db, grid); },
                      CloseGrid, parent),
      m_db(db)
{
    m_pCategory = new CValidatedEdit(this);
    m_pCategory->SetParam(0, -1, 0, 0);
    m_pCategory->SetReadOnly(1);
    m_pCategory->SetValue(CCategoryTree::AllCategoriesText());
    m_pCategory->setMinimumWidth(300);
    m_pChoose = new QToolButton(this);
    m_pChoose->setText(QStringLiteral("..."));
    auto* chooser = new QHBoxLayout;
    chooser->addWidget(new QLabel(QStringLiteral("Categorie"), this));
    chooser->addWidget(m_pCategory);
    chooser->addWidget(m_pChoose);
    chooser->addStretch();
    static_cast<QVBoxLayout*>(layout())->insertLayout(0, chooser);
    Grid()->setMinimumHeight(15 * 20 + 4);

    m_pPopup = new CTreePopupDlg(this);
    FillTree(currentLanguage, defaultLanguage);
    connect(m_pChoose, &QToolButton::clicked, this, [this] { m_pPopup->ShowOver(m_pCategory); });
    connect(m_pPopup, &CTreePopupDlg::UM_TREE_POPUP_SELECT, this,
            [this] { ChooseCategory(m_pPopup->GetSelectedData(), m_pPopup->GetSelectedText()); });
    Start([this] { Core().Fill(); });
}

CDefCampiCustomViewCore& CDefCampiCustomView::Core()
{
    return static_cast<CDefCampiCustomViewCore&>(Editor());
}

void CDefCampiCustomView::ChooseCategory(qint32 id, const QString& text)
{
    if (Core().ChooseCategory(id)) {
        m_pCategory->SetValue(text);
        DeleteButton()->setEnabled(false);
        return;
    }
    Grid()->SetCurCell(Core().CurRow(), Core().FailedCol());
    Grid()->setFocus();
}

void CDefCampiCustomView::FillTree(const QString& currentLanguage, const QString& defaultLanguage)
{
    m_pPopup->Tree()->clear();
    const QVector<TreeNode> nodes = CRecordTree::Categories(m_db, currentLanguage, defaultLanguage);
    CRecordTree::Fill(m_pPopup->Tree(), nodes);
    const qint32 chosen = Core().Category();
    QVector<TreeNode> copy = nodes;
    if (const TreeNode* node = CRecordTree::Find(copy, chosen))
        m_pCategory->SetValue(node->text);
}

void CDefCampiCustomView::RefreshLanguage()
{
    if (m_currentLanguage && m_defaultLanguage)
        FillTree(m_currentLanguage(), m_defaultLanguage());
}
