#include "desktop/content/CArticoliAllegatiDlg.h"

#include "desktop/content/CIconButtons.h"
#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "platform/dao/CDaoException.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFormLayout>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const CIconButtons::Look kButtons[CArticoliAllegatiDlg::ButtonCount] = {
    {QStyle::SP_FileDialogNewFolder, "Aggiungi"},
    {QStyle::SP_DialogSaveButton, "Salva"},
    {QStyle::SP_TrashIcon, "Cancella"},
    {QStyle::SP_ArrowUp, "Sposta su"},
    {QStyle::SP_ArrowDown, "Sposta giù"},
    {QStyle::SP_DialogOpenButton, "Apri il file"},
};

} // namespace

CArticoliAllegatiDlg::CArticoliAllegatiDlg(CDaoDatabase& database, CArticoliAllegatiCore::Kind kind,
                                           const QString& projectFolder, QWidget* parent)
    : QWidget(parent), m_core(database, kind, projectFolder)
{
    const bool links = kind == CArticoliAllegatiCore::Link;
    auto* form = new QFormLayout;
    m_pTitolo = new CValidatedEdit(this);
    m_pTitolo->SetParam(0, -1, 0, 0);
    m_pDescrizione = new QPlainTextEdit(this);
    m_pDescrizione->setMaximumHeight(4 * fontMetrics().lineSpacing() + 12);
    if (links) {
        m_pUrl = new CValidatedEdit(this);
        m_pUrl->SetParam(0, CArticoliAllegatiCore::kUrlLength, 1, 0);
        m_pEsterno = new QCheckBox(QStringLiteral("Esterno"), this);
        form->addRow(QStringLiteral("Titolo"), m_pTitolo);
        form->addRow(QString(), m_pEsterno);
        form->addRow(QStringLiteral("Descrizione"), m_pDescrizione);
        form->addRow(QStringLiteral("URL"), m_pUrl);
    } else {
        m_pCodice = new CValidatedEdit(this);
        m_pCodice->SetParam(0, CArticoliAllegatiCore::kFileCodeLength, 1, 0);
        m_pCodice->SetAllowedChr(QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWYXZ1234567890"));
        form->addRow(QStringLiteral("Codice"), m_pCodice);
        form->addRow(QStringLiteral("Titolo"), m_pTitolo);
        form->addRow(QStringLiteral("Descrizione"), m_pDescrizione);
    }
    QHBoxLayout* buttons = CIconButtons::Make(this, kButtons, links ? OpenButton : ButtonCount, m_buttons,
                                              [this](int i) { Press(i); });
    m_pGrid = new CGridCtrl(this);
    m_pGrid->SetColumnCount(2);
    m_pGrid->SetColumn(0, links ? 160 : 100, GridCell::TextKind);
    m_pGrid->SetColumn(1, links ? 138 : 198, GridCell::TextKind);
    m_pGrid->AddRow(links ? QStringLiteral("Titolo\tURL\t") : QStringLiteral("Codice\tTitolo\t"));
    m_pGrid->SetFixedFirstRow(true);
    m_pGrid->SetCellAlign(0, 0, GridCell::Centre);
    m_pGrid->SetCellAlign(0, 1, GridCell::Centre);
    m_pGrid->setMinimumHeight(140);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(m_pGrid, 1);

    connect(m_pGrid, &CGridCtrl::UM_GRID_CELL_ENTER, this, [this](GridNotifyInfo* info) {
        m_core.Select(info->toRow - 1);
        Push();
        ShowButtons();
    });
    m_core.m_focus = [this](CArticoliAllegatiCore::Field field) { Focus(field); };
    m_core.m_chooseFile = [this] {
        return QFileDialog::getOpenFileName(this, QString(), QString(), QStringLiteral("Tutti i files (*.*)"));
    };
    m_core.m_openFile = [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    ShowButtons();
}

void CArticoliAllegatiDlg::SetLanguages(const QString& current, const QString& fallback)
{
    m_core.SetLanguages(current, fallback);
}

void CArticoliAllegatiDlg::SetArticle(qint32 article)
{
    m_core.SetArticle(article);
    ShowRows();
    Push();
    ShowButtons();
}

CArticoliAllegatiCore::Fields CArticoliAllegatiDlg::Pull() const
{
    CArticoliAllegatiCore::Fields fields;
    m_pTitolo->GetValue(fields.titolo);
    fields.descrizione = m_pDescrizione->toPlainText();
    if (m_pUrl)
        m_pUrl->GetValue(fields.url);
    if (m_pEsterno)
        fields.esterno = m_pEsterno->isChecked();
    if (m_pCodice)
        m_pCodice->GetValue(fields.codice);
    return fields;
}

void CArticoliAllegatiDlg::Push()
{
    const CArticoliAllegatiCore::Fields& fields = m_core.CurrentFields();
    m_pTitolo->SetValue(fields.titolo);
    m_pDescrizione->setPlainText(fields.descrizione);
    if (m_pUrl)
        m_pUrl->SetValue(fields.url);
    if (m_pEsterno)
        m_pEsterno->setChecked(fields.esterno);
    if (m_pCodice)
        m_pCodice->SetValue(fields.codice);
}

void CArticoliAllegatiDlg::ShowRows()
{
    m_pGrid->SetCurCell(-1, -1);
    m_pGrid->DeleteAllRows();
    for (const CArticoliAllegatiCore::Row& row : m_core.Rows()) {
        const int line = m_pGrid->AddRow(QStringLiteral("\t\t"));
        m_pGrid->SetCellText(line, 0, row.first);
        m_pGrid->SetCellText(line, 1, row.second);
        m_pGrid->SetRowData(line, row.nId);
    }
    if (m_core.Selected() >= 0)
        m_pGrid->SetCurCell(m_core.Selected() + 1, 0);
}

void CArticoliAllegatiDlg::ShowButtons()
{
    const CArticoliAllegatiCore::Buttons state = m_core.ButtonState();
    const bool on[ButtonCount] = {state.add, state.save, state.remove, state.up, state.down, state.open};
    for (int i = 0; i < ButtonCount; ++i)
        if (m_buttons[i])
            m_buttons[i]->setEnabled(on[i]);
}

void CArticoliAllegatiDlg::Focus(CArticoliAllegatiCore::Field field)
{
    QWidget* target = field == CArticoliAllegatiCore::UrlField      ? static_cast<QWidget*>(m_pUrl)
                      : field == CArticoliAllegatiCore::CodiceField ? static_cast<QWidget*>(m_pCodice)
                                                                    : static_cast<QWidget*>(m_pTitolo);
    if (target)
        target->setFocus();
}

void CArticoliAllegatiDlg::Press(int button)
{
    bool changed = false;
    try {
        switch (button) {
        case AddButton: changed = m_core.Add(Pull()); break;
        case SaveButton: changed = m_core.Save(Pull()); break;
        case DeleteButton: m_core.Delete(); changed = true; break;
        case UpButton: changed = m_core.MoveUp(); break;
        case DownButton: changed = m_core.MoveDown(); break;
        case OpenButton: m_core.Open(); changed = true; break;
        default: break;
        }
    } catch (const CDaoException& error) {
        CMessageBox::Show(this, error.GetErrorMessage(), QStringLiteral("Articoli"), CMessageBox::Stop);
    }
    // A refusal keeps what was typed; everything else shows the list again.
    if (changed) {
        ShowRows();
        Push();
    }
    ShowButtons();
    if (changed && m_buttons[button] && (button == UpButton || button == DownButton))
        m_buttons[button]->setFocus();
}
