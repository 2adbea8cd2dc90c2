#include "desktop/shell/controls/CFunzionalitaDlg.h"

#include "desktop/shell/controls/CFunzionalitaCore.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

CFunzionalitaDlg::CFunzionalitaDlg(CDaoDatabase& db, QWidget* parent)
    : QDialog(parent), m_core(std::make_unique<CFunzionalitaCore>(db))
{
    setWindowTitle(QStringLiteral("Funzionalità"));
    m_pCategories = new QListWidget(this);
    m_pFeatures = new QListWidget(this);
    m_pDescription = new CValidatedEdit(this);
    m_pDescription->SetParam(0, -1, 0, 0);
    m_pDescription->SetReadOnly(1);
    m_pAdd = new QPushButton(QStringLiteral("Aggiungi"), this);
    auto* cancel = new QPushButton(QStringLiteral("Annulla"), this);
    m_pAdd->setEnabled(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Categoria"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Elenco funzionalità nella categoria"), this), 0, 1);
    grid->addWidget(m_pCategories, 1, 0);
    grid->addWidget(m_pFeatures, 1, 1);
    grid->addWidget(m_pDescription, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pAdd);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 3, 0, 1, 2);

    for (const CFunzionalitaCore::Entry& entry : m_core->Categories()) {
        auto* item = new QListWidgetItem(entry.name, m_pCategories);
        item->setData(Qt::UserRole, entry.id);
    }
    connect(m_pCategories, &QListWidget::currentRowChanged, this, &CFunzionalitaDlg::OnCategoryChanged);
    connect(m_pFeatures, &QListWidget::currentRowChanged, this, &CFunzionalitaDlg::OnFeatureChanged);
    connect(m_pAdd, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(520, 360);
}

CFunzionalitaDlg::~CFunzionalitaDlg() = default;

qint32 CFunzionalitaDlg::GetResult() const
{
    return m_core->Result();
}

void CFunzionalitaDlg::OnCategoryChanged()
{
    QListWidgetItem* item = m_pCategories->currentItem();
    if (!item)
        return;
    m_core->SelectCategory(item->data(Qt::UserRole).toInt());
    const QSignalBlocker block(m_pFeatures);
    m_pFeatures->clear();
    for (const CFunzionalitaCore::Entry& entry : m_core->Features()) {
        auto* feature = new QListWidgetItem(entry.name, m_pFeatures);
        feature->setData(Qt::UserRole, entry.id);
    }
    m_pDescription->SetValue(m_core->Description());
    m_pAdd->setEnabled(m_core->CanAdd());
}

void CFunzionalitaDlg::OnFeatureChanged()
{
    QListWidgetItem* item = m_pFeatures->currentItem();
    if (!item)
        return;
    m_core->SelectFeature(item->data(Qt::UserRole).toInt());
    m_pDescription->SetValue(m_core->Description());
    m_pAdd->setEnabled(m_core->CanAdd());
}
