#include "desktop/shell/projects/CProgettiDlg.h"

#include "desktop/shell/controls/CFolderDialog.h"
#include "desktop/shell/projects/CProjectSession.h"
#include "desktop/shell/projects/CProjectShopName.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CProgettiDlg::CProgettiDlg(const QStringList& recentNewestFirst, QWidget* parent)
    : QDialog(parent), m_recent(recentNewestFirst)
{
    setWindowTitle(QStringLiteral("Progetti"));
    m_pNew = new QRadioButton(QStringLiteral("Crea nuovo progetto"), this);
    m_pOpen = new QRadioButton(QStringLiteral("Apri progetto esistente"), this);
    auto* group = new QButtonGroup(this);
    group->addButton(m_pNew, 0);
    group->addButton(m_pOpen, 1);
    m_pList = new QListWidget(this);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pNew);
    layout->addWidget(m_pOpen);
    layout->addWidget(m_pList);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &CProgettiDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(group, &QButtonGroup::idClicked, this, &CProgettiDlg::OnChoiceChanged);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, &CProgettiDlg::accept);
}

CProgettiDlg::~CProgettiDlg() = default;

int CProgettiDlg::DoModal()
{
    OnInitDialog();
    return exec();
}

void CProgettiDlg::OnInitDialog()
{
    m_pList->clear();
    m_pList->addItem(QStringLiteral("Altri progetti..."));
    // The shop's name, with its folder as the hint.
    for (const QString& folder : std::as_const(m_recent)) {
        auto* item = new QListWidgetItem(CProjectShopName::Of(folder), m_pList);
        item->setData(Qt::UserRole, folder);
        item->setToolTip(folder);
    }
    const bool anyRecent = m_pList->count() >= 2;
    m_nChoice = anyRecent ? 1 : 0;
    (anyRecent ? m_pOpen : m_pNew)->setChecked(true);
    if (anyRecent)
        m_pList->setCurrentRow(1);
    m_pList->setEnabled(anyRecent);
}

void CProgettiDlg::OnChoiceChanged()
{
    m_nChoice = m_pOpen->isChecked() ? 1 : 0;
    if (m_nChoice == 1)
        m_pList->setCurrentRow(0);
    m_pList->setEnabled(m_nChoice == 1);
}

bool CProgettiDlg::BrowseFolder(QString* folder)
{
    CFolderDialog chooser(QStringLiteral("Selezione directory"),
                          QStringLiteral("Scegli la directory relativa al progetto..."), *folder, false, this);
    if (chooser.DoModal() != 1)
        return false;
    *folder = chooser.GetPath();
    return true;
}

void CProgettiDlg::accept()
{
    m_nChoice = m_pOpen->isChecked() ? 1 : 0;
    if (m_nChoice == 1) {
        const int row = m_pList->currentRow();
        if (row <= 0) {
            // The chooser starts where new projects are made.
            QString folder = m_strFolder.isEmpty() ? CProjectSession::DefaultProjectsFolder() : m_strFolder;
            m_strFolder = BrowseFolder(&folder) ? folder : QString();
        } else {
            m_strFolder = m_pList->item(row)->data(Qt::UserRole).toString();
        }
    }
    QDialog::accept();
}
