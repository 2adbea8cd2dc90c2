#include "desktop/shell/controls/CIDCategorieDlg.h"

#include "desktop/shell/controls/CRecordTree.h"

#include <QDialogButtonBox>
#include <QTreeWidget>
#include <QVBoxLayout>

CIDCategorieDlg::CIDCategorieDlg(CDaoDatabase& db, const QString& language, const QString& defaultLanguage,
                                 QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("ID Categorie"));
    m_pTree = new QTreeWidget(this);
    m_pTree->setHeaderHidden(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTree);
    layout->addWidget(buttons);
    CRecordTree::Fill(m_pTree, CRecordTree::CategoryIds(db, language, defaultLanguage));
    resize(360, 420);
}
