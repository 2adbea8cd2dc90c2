#include "desktop/catalogue/CTabelleTaglieDlg.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

struct ButtonLook
{
    QStyle::StandardPixmap icon;
    const char* tip;
};

const ButtonLook kButtons[CTabelleTaglieDlg::ButtonCount] = {
    {QStyle::SP_FileDialogNewFolder, "Inserisci tabella"}, {QStyle::SP_DialogSaveButton, "Salva tabella"},
    {QStyle::SP_TrashIcon, "Cancella tabella"},           {QStyle::SP_FileDialogNewFolder, "Inserisci taglia"},
    {QStyle::SP_DialogSaveButton, "Salva taglia"},        {QStyle::SP_TrashIcon, "Cancella taglia"},
};

} // namespace

CTabelleTaglieDlg::CTabelleTaglieDlg(CDaoDatabase& db, QWidget* parent) : QDialog(parent), m_core(db)
{
    setWindowTitle(QStringLiteral("Tabelle Taglie"));
    for (int i = 0; i < ButtonCount; ++i) {
        m_buttons[i] = new QToolButton(this);
        m_buttons[i]->setIcon(style()->standardIcon(kButtons[i].icon));
        m_buttons[i]->setIconSize(QSize(16, 16));
        m_buttons[i]->setToolTip(QString::fromUtf8(kButtons[i].tip));
        connect(m_buttons[i], &QToolButton::clicked, this, [this, i] { OnButton(i); });
    }
    m_pName = new CValidatedEdit(this);
    m_pName->SetParam(0, CTabelleTaglieCore::kNameLength, 0, 0);
    m_pTables = new QListWidget(this);
    m_pSizeArea = new QGroupBox(QStringLiteral("Dettaglio Taglie"), this);
    m_pSize = new CValidatedEdit(m_pSizeArea);
    m_pSize->SetParam(0, CTabelleTaglieCore::kSizeLength, 0, 0);
    m_pSizes = new QListWidget(m_pSizeArea);

    auto* left = new QGridLayout;
    left->addWidget(new QLabel(QStringLiteral("Nome tabella"), this), 0, 0);
    left->addWidget(m_pName, 0, 1);
    auto* tableButtons = new QHBoxLayout;
    for (int i : {InsertTable, SaveTable, DeleteTable})
        tableButtons->addWidget(m_buttons[i]);
    tableButtons->addStretch();
    left->addLayout(tableButtons, 1, 1);
    left->addWidget(m_pTables, 2, 0, 1, 2);

    auto* right = new QGridLayout(m_pSizeArea);
    right->addWidget(new QLabel(QStringLiteral("Taglia"), m_pSizeArea), 0, 0);
    right->addWidget(m_pSize, 0, 1);
    auto* sizeButtons = new QHBoxLayout;
    for (int i : {InsertSize, SaveSize, DeleteSize}) {
        m_buttons[i]->setParent(m_pSizeArea);
        sizeButtons->addWidget(m_buttons[i]);
    }
    sizeButtons->addStretch();
    right->addLayout(sizeButtons, 1, 1);
    right->addWidget(m_pSizes, 2, 0, 1, 2);

    auto* close = new QDialogButtonBox(this);
    close->addButton(QStringLiteral("Chiudi"), QDialogButtonBox::RejectRole);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addWidget(m_pSizeArea, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(close);

    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pTables, &QListWidget::itemClicked, this, &CTabelleTaglieDlg::OnTableClicked);
    connect(m_pSizes, &QListWidget::itemClicked, this, &CTabelleTaglieDlg::OnSizeClicked);
    ShowTables();
    ShowSizes();
    ShowControls();
}

void CTabelleTaglieDlg::done(int result)
{
    QString name;
    m_pName->GetValue(name);
    // An empty name keeps the dialog open rather than lose the sizes typed.
    if (Refused(m_core.Close(name)))
        return;
    QDialog::done(result);
}

void CTabelleTaglieDlg::OnButton(int button)
{
    QString name;
    m_pName->GetValue(name);
    QString size;
    m_pSize->GetValue(size);
    CTabelleTaglieCore::Field refused = CTabelleTaglieCore::NoField;
    switch (button) {
    case InsertTable: refused = m_core.InsertTable(name); break;
    case SaveTable: refused = m_core.SaveTable(name); break;
    case DeleteTable: m_core.DeleteTable(); break;
    case InsertSize: refused = m_core.InsertSize(size); break;
    case SaveSize: refused = m_core.SaveSize(size); break;
    case DeleteSize: m_core.DeleteSize(); break;
    default: break;
    }
    if (Refused(refused))
        return;
    if (button <= DeleteTable) {
        ShowTables();
        m_pName->SetValue(m_core.Name());
    }
    m_pSize->SetValue(QString());
    ShowSizes();
    ShowControls();
    if (button == InsertSize)
        m_pSize->setFocus();
}

void CTabelleTaglieDlg::OnTableClicked()
{
    const QListWidgetItem* item = m_pTables->currentItem();
    if (!item)
        return;
    m_core.SelectTable(item->data(Qt::UserRole).toInt());
    m_pName->SetValue(m_core.Name());
    m_pSize->SetValue(QString());
    ShowSizes();
    ShowControls();
}

void CTabelleTaglieDlg::OnSizeClicked()
{
    m_core.SelectSize(m_pSizes->currentRow());
    if (m_core.SelectedSize() >= 0)
        m_pSize->SetValue(m_core.Sizes().at(m_core.SelectedSize()));
    ShowControls();
}

bool CTabelleTaglieDlg::Refused(CTabelleTaglieCore::Field field)
{
    if (field == CTabelleTaglieCore::NoField)
        return false;
    CMessageBox::Show(this, QStringLiteral("Campo obbligatorio!"), QStringLiteral("Validazione campi"),
                      CMessageBox::Stop);
    (field == CTabelleTaglieCore::NameField ? m_pName : m_pSize)->setFocus();
    return true;
}

void CTabelleTaglieDlg::ShowTables()
{
    m_pTables->clear();
    for (const CTabelleTaglieCore::Entry& entry : m_core.Tables()) {
        auto* item = new QListWidgetItem(entry.strDescrizione, m_pTables);
        item->setData(Qt::UserRole, entry.nId);
        if (entry.nId == m_core.SelectedTable())
            m_pTables->setCurrentItem(item);
    }
    if (m_core.SelectedTable() == 0)
        m_pTables->setCurrentRow(-1);
}

void CTabelleTaglieDlg::ShowSizes()
{
    m_pSizes->clear();
    m_pSizes->addItems(m_core.Sizes());
    m_pSizes->setCurrentRow(m_core.SelectedSize());
}

void CTabelleTaglieDlg::ShowControls()
{
    const CTabelleTaglieCore::Controls& controls = m_core.GetControls();
    m_buttons[InsertTable]->setEnabled(controls.bInsertTable);
    m_buttons[SaveTable]->setEnabled(controls.bSaveTable);
    m_buttons[DeleteTable]->setEnabled(controls.bDeleteTable);
    m_pSizeArea->setEnabled(controls.bSizeArea);
    m_buttons[InsertSize]->setEnabled(controls.bInsertSize);
    m_buttons[SaveSize]->setEnabled(controls.bSaveSize);
    m_buttons[DeleteSize]->setEnabled(controls.bDeleteSize);
}
