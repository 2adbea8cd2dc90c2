#include "desktop/orders/CStatiPredefinitiDlg.h"

#include "desktop/shell/controls/CValidatedEdit.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QListWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QComboBox* SortedCombo(QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setInsertPolicy(QComboBox::InsertAlphabetically);
    return combo;
}

void AddSorted(QComboBox* combo, const QString& text, qint32 id)
{
    int at = 0;
    while (at < combo->count() && combo->itemText(at).compare(text, Qt::CaseInsensitive) <= 0)
        ++at;
    combo->insertItem(at, text, id);
}

} // namespace

CStatiPredefinitiDlg::CStatiPredefinitiDlg(CDaoDatabase& db, const QString& currentLanguage,
                                           const QString& defaultLanguage, QWidget* parent)
    : QDialog(parent), m_core(db, currentLanguage, defaultLanguage), m_pText(new CValidatedEdit(this)),
      m_pList(new QListWidget(this)), m_pAdd(new QToolButton(this)), m_pSave(new QToolButton(this)),
      m_pDelete(new QToolButton(this)), m_pRicevuto(SortedCombo(this)), m_pEvaso(SortedCombo(this))
{
    setWindowTitle(QStringLiteral("Gestione stati predefiniti"));
    m_pText->SetParam(0, 100, 0, 0);
    m_pList->setSortingEnabled(true);
    m_pAdd->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    m_pSave->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    m_pDelete->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    for (QToolButton* button : {m_pAdd, m_pSave, m_pDelete})
        button->setIconSize(QSize(16, 16));

    auto* edit = new QHBoxLayout;
    edit->addWidget(new QLabel(QStringLiteral("Testo"), this));
    edit->addWidget(m_pText);
    edit->addWidget(m_pAdd);
    edit->addWidget(m_pSave);
    edit->addWidget(m_pDelete);
    auto* group = new QGroupBox(QStringLiteral("Stati notevoli"), this);
    auto* choices = new QFormLayout(group);
    choices->addRow(QStringLiteral("Testo ordine ricevuto"), m_pRicevuto);
    choices->addRow(QStringLiteral("Testo ordine evaso"), m_pEvaso);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(edit);
    layout->addWidget(m_pList);
    layout->addWidget(group);
    layout->addWidget(buttons);

    connect(m_pAdd, &QToolButton::clicked, this, &CStatiPredefinitiDlg::OnAdd);
    connect(m_pSave, &QToolButton::clicked, this, &CStatiPredefinitiDlg::OnSave);
    connect(m_pDelete, &QToolButton::clicked, this, &CStatiPredefinitiDlg::OnDelete);
    connect(m_pList, &QListWidget::itemSelectionChanged, this, &CStatiPredefinitiDlg::SelectState);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    FillStates();
    ClearSelection();
}

void CStatiPredefinitiDlg::SelectData(QComboBox* combo, qint32 id)
{
    combo->setCurrentIndex(combo->findData(id));
}

void CStatiPredefinitiDlg::FillStates()
{
    const QList<CStatiPredefinitiCore::State> states = m_core.States();
    m_pList->clear();
    for (QComboBox* combo : {m_pRicevuto, m_pEvaso}) {
        combo->clear();
        // With no states the combos stay empty, not even "--- Non Attivo".
        if (!states.isEmpty())
            combo->addItem(QStringLiteral("--- Non Attivo"), 0);
    }
    for (const auto& [id, text] : states) {
        auto* item = new QListWidgetItem(text);
        item->setData(Qt::UserRole, id);
        m_pList->addItem(item);
        AddSorted(m_pRicevuto, text, id);
        AddSorted(m_pEvaso, text, id);
    }
    SelectData(m_pRicevuto, m_core.Received());
    SelectData(m_pEvaso, m_core.Shipped());
}

void CStatiPredefinitiDlg::ClearSelection()
{
    m_pText->Blank();
    m_pList->clearSelection();
    m_pList->setCurrentRow(-1);
    m_pAdd->setEnabled(true);
    m_pSave->setEnabled(false);
    m_pDelete->setEnabled(false);
}

void CStatiPredefinitiDlg::SelectState()
{
    QListWidgetItem* item = m_pList->currentItem();
    if (!item || !item->isSelected())
        return;
    m_pText->SetValue(m_core.Text(item->data(Qt::UserRole).toInt()));
    m_pAdd->setEnabled(false);
    m_pSave->setEnabled(true);
    m_pDelete->setEnabled(true);
}

void CStatiPredefinitiDlg::OnAdd()
{
    QString text;
    m_pText->GetValue(text);
    const qint32 id = m_core.Add(text);
    if (id == 0) {
        m_pText->setFocus();
        return;
    }
    auto* item = new QListWidgetItem(text);
    item->setData(Qt::UserRole, id);
    m_pList->addItem(item);
    AddSorted(m_pRicevuto, text, id);
    AddSorted(m_pEvaso, text, id);
    ClearSelection();
}

void CStatiPredefinitiDlg::OnSave()
{
    QListWidgetItem* item = m_pList->currentItem();
    if (!item)
        return;
    QString text;
    m_pText->GetValue(text);
    const qint32 id = item->data(Qt::UserRole).toInt();
    if (!m_core.Save(id, text)) {
        m_pText->setFocus();
        return;
    }
    item->setText(text);
    for (QComboBox* combo : {m_pRicevuto, m_pEvaso}) {
        const int at = combo->findData(id);
        if (at >= 0)
            combo->setItemText(at, text);
    }
    ClearSelection();
}

void CStatiPredefinitiDlg::OnDelete()
{
    QListWidgetItem* item = m_pList->currentItem();
    if (item) {
        const qint32 id = item->data(Qt::UserRole).toInt();
        if (m_core.Delete(id)) {
            delete m_pList->takeItem(m_pList->row(item));
            for (QComboBox* combo : {m_pRicevuto, m_pEvaso}) {
                const bool wasSelected = combo->currentData().toInt() == id;
                if (wasSelected)
                    SelectData(combo, 0);
                combo->removeItem(combo->findData(id));
            }
        }
    }
    ClearSelection();
}

void CStatiPredefinitiDlg::done(int result)
{
    // The choice of the two states is stored whichever button closes.
    auto choice = [](QComboBox* combo) { return combo->currentIndex() < 0 ? -1 : combo->currentData().toInt(); };
    m_core.StoreChoices(choice(m_pRicevuto), choice(m_pEvaso));
    QDialog::done(result);
}
