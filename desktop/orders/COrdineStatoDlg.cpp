#include "desktop/orders/COrdineStatoDlg.h"

#include "desktop/orders/COrdiniViewCore.h"
#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

namespace {

enum { ColData, ColOra, ColStato, ColumnCount };

} // namespace

COrdineStatoDlg::COrdineStatoDlg(COrdiniViewCore& core, QWidget* parent)
    : QWidget(parent), m_core(core), m_pGrid(new CGridCtrl(this)), m_pCombo(new QComboBox(this)),
      m_pText(new CValidatedEdit(this)), m_pCaption(new QLabel(QStringLiteral("Testo custom"), this)),
      m_pAdd(new QToolButton(this)), m_pDelete(new QToolButton(this)),
      m_pPagato(new QCheckBox(QStringLiteral("Pagato"), this))
{
    m_pText->SetParam(0, 100, 0, 0);
    m_pAdd->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    m_pAdd->setToolTip(QStringLiteral("Aggiungi stato"));
    m_pDelete->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    m_pDelete->setToolTip(QStringLiteral("Elimina stato"));
    m_pDelete->setEnabled(false);
    auto* predefined = new QToolButton(this);
    predefined->setText(QStringLiteral("..."));

    m_pGrid->SetColumnCount(ColumnCount);
    m_pGrid->SetColumn(ColData, 80, GridCell::Edit, QString(), GridCell::Centre, 5, 8, 0);
    m_pGrid->SetColumn(ColOra, 60, GridCell::Edit, QString(), GridCell::Centre, 7, 8, 0);
    m_pGrid->SetColumn(ColStato, 240, GridCell::Edit, QString(), GridCell::Left, 0, 100, 0);
    m_pGrid->AddRow(QStringLiteral("Data\tOra\tStato\t"));
    m_pGrid->SetFixedFirstRow(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Stati predefiniti"), this), 0, 0);
    layout->addWidget(m_pCombo, 0, 1);
    layout->addWidget(predefined, 0, 2);
    layout->addWidget(m_pCaption, 1, 0);
    layout->addWidget(m_pText, 1, 1);
    layout->addWidget(m_pAdd, 1, 2);
    layout->addWidget(m_pDelete, 1, 3);
    layout->addWidget(m_pGrid, 2, 0, 1, 4);
    layout->addWidget(m_pPagato, 3, 0);
    layout->setRowStretch(2, 1);

    connect(m_pAdd, &QToolButton::clicked, this, &COrdineStatoDlg::AddState);
    connect(m_pDelete, &QToolButton::clicked, this, &COrdineStatoDlg::DeleteState);
    connect(predefined, &QToolButton::clicked, this, [this] {
        if (m_editPredefined)
            m_editPredefined();
        m_core.ReloadConfiguration();
        FillPredefinedStates();
    });
    connect(m_pGrid, &CGridCtrl::UM_GRID_CELL_ENTER, this, [this](GridNotifyInfo*) { m_pDelete->setEnabled(true); });
    // The combo and the free text clear each other while the merchant edits.
    connect(m_pCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_bNotifyEdits && index >= 0)
            m_pText->Blank();
    });
    connect(m_pText, &QLineEdit::textEdited, this, [this] {
        if (m_bNotifyEdits)
            m_pCombo->setCurrentIndex(-1);
    });
    FillPredefinedStates();
}

void COrdineStatoDlg::FillPredefinedStates()
{
    m_bNotifyEdits = false;
    m_pCombo->clear();
    for (const auto& [id, text] : m_core.StatiPredefiniti())
        m_pCombo->addItem(text, id);
    m_pCombo->setCurrentIndex(-1);
    m_bNotifyEdits = true;
}

void COrdineStatoDlg::Show(const QString& language, bool paid, const QList<COrdineStati::Entry>& entries)
{
    m_pCaption->setText(QStringLiteral("Testo Custom (") + language + QLatin1Char(')'));
    m_pPagato->setChecked(paid);
    SetEntries(entries);
}

void COrdineStatoDlg::SetEntries(const QList<COrdineStati::Entry>& entries)
{
    m_pGrid->SetCurCell(-1, -1);
    while (m_pGrid->GetRowCount() > 1)
        m_pGrid->DeleteRow(m_pGrid->GetRowCount() - 1);
    for (const COrdineStati::Entry& e : entries)
        m_pGrid->AddRow(e.strData + QLatin1Char('\t') + e.strOra + QLatin1Char('\t') + e.strStato + QLatin1Char('\t'));
    m_pDelete->setEnabled(false);
}

QList<COrdineStati::Entry> COrdineStatoDlg::Entries() const
{
    QList<COrdineStati::Entry> entries;
    for (int row = 1; row < m_pGrid->GetRowCount(); ++row)
        entries.append({m_pGrid->GetCellText(row, ColData), m_pGrid->GetCellText(row, ColOra),
                        m_pGrid->GetCellText(row, ColStato)});
    return entries;
}

bool COrdineStatoDlg::Paid() const
{
    return m_pPagato->isChecked();
}

void COrdineStatoDlg::AddState()
{
    m_bNotifyEdits = false;
    QString text;
    m_pText->GetValue(text);
    if (m_pCombo->currentIndex() >= 0)
        text = m_core.StateText(m_pCombo->currentData().toInt());
    QList<COrdineStati::Entry> entries = Entries();
    const int current = m_pGrid->GetCurRow() > 0 ? m_pGrid->GetCurRow() - 1 : -1;
    const COrdineStati::Entry added = COrdineStati::Stamped(text, QDateTime::currentDateTime());
    entries.insert(COrdineStati::InsertPosition(current, int(entries.size())), added);
    SetEntries(entries);
    m_pText->Blank();
    m_pCombo->setCurrentIndex(-1);
    m_bNotifyEdits = true;
    m_core.OfferStateSms(added);
}

void COrdineStatoDlg::DeleteState()
{
    const int row = m_pGrid->GetCurRow();
    if (row < 1)
        return;
    if (CMessageBox::Show(this, QStringLiteral("Confermi ?"), QStringLiteral("Cancellazione stato ordine"),
                          CMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    m_pGrid->SetCurCell(-1, -1);
    m_pGrid->DeleteRow(row);
    m_pDelete->setEnabled(false);
}

void COrdineStatoDlg::AppendEntry(const COrdineStati::Entry& entry)
{
    m_bNotifyEdits = false;
    QList<COrdineStati::Entry> entries = Entries();
    entries.append(entry);
    SetEntries(entries);
    m_pGrid->SetCurCell(m_pGrid->GetRowCount() - 1, ColData);
    m_bNotifyEdits = true;
}
