#include "desktop/content/CModuliView.h"

#include "desktop/content/CIconButtons.h"
#include "desktop/content/COpzioniMenuDlg.h"
#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "platform/dao/CDaoException.h"

#include <QFormLayout>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const CIconButtons::Look kButtons[CModuliView::ButtonCount] = {
    {QStyle::SP_FileDialogNewFolder, "Aggiungi campo"}, {QStyle::SP_TrashIcon, "Cancella campo"},
    {QStyle::SP_FileDialogListView, "Opzioni del menu a discesa"}, {QStyle::SP_ArrowUp, "Sposta su"},
    {QStyle::SP_ArrowDown, "Sposta giù"},
};

} // namespace

CModuliView::CModuliView(CDaoDatabase& database, const QString& currentLanguage, const QString& defaultLanguage,
                         QWidget* parent)
    : QWidget(parent), m_pGrid(new CGridCtrl(this)), m_core(database, *m_pGrid)
{
    m_pCodice = new CValidatedEdit(this);
    m_pCodice->SetParam(0, CModuliViewCore::kCodeLength, 1, 0);
    m_pCodice->SetAllowedChr(QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWYXZ1234567890"));
    m_pNome = new CValidatedEdit(this);
    m_pNome->SetParam(0, 50, 0, 0);
    m_pEmail = new CValidatedEdit(this);
    m_pEmail->SetParam(0, 80, 0, 0);
    m_pOggetto = new CValidatedEdit(this);
    m_pOggetto->SetParam(0, 100, 0, 0);
    m_pDescrizione = new QPlainTextEdit(this);
    m_pDescrizione->setMaximumHeight(5 * fontMetrics().lineSpacing() + 12);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Codice"), m_pCodice);
    form->addRow(QStringLiteral("Nome"), m_pNome);
    form->addRow(QStringLiteral("Descrizione"), m_pDescrizione);
    form->addRow(QStringLiteral("Email"), m_pEmail);
    form->addRow(QStringLiteral("Oggetto"), m_pOggetto);
    QHBoxLayout* buttons = CIconButtons::Make(this, kButtons, ButtonCount, m_buttons, [this](int i) { Press(i); });
    m_pGrid->setMinimumSize(430, 200);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(m_pGrid, 1);

    m_pendingRow = [this] { return m_core.Fields().IsNewRowPending(); };
    connect(m_pGrid, &CGridCtrl::UM_GRID_CELL_LEAVE, this, [this](GridNotifyInfo* info, int* result) {
        *result = m_core.Fields().OnCellLeave(*info);
        ShowButtons();
    });
    connect(m_pGrid, &CGridCtrl::UM_GRID_CELL_ENTER, this, [this](GridNotifyInfo* info) {
        m_core.Fields().OnCellEnter(*info);
        ShowButtons();
    });
    m_editOptions = [this, &database](qint32 field) {
        COpzioniMenuDlg(database, field, m_core.CurrentLanguage(), m_core.DefaultLanguage(), this).exec();
    };
    m_core.SetLanguages(currentLanguage, defaultLanguage);
    m_core.m_focus = [this](CModuliViewCore::Field field) { Focus(field); };
    m_core.m_selectDefaultLanguage = [this] {
        if (m_selectDefaultLanguage)
            m_selectDefaultLanguage();
    };
    Guard([this] { m_core.Start(); });
}

template <typename F>
void CModuliView::Guard(F&& step)
{
    try {
        step();
    } catch (const CDaoException& error) {
        CMessageBox::Show(this, error.GetErrorMessage(), QStringLiteral("Moduli"), CMessageBox::Stop);
    }
    Refresh();
}

void CModuliView::Pull()
{
    if (m_bRefreshing)
        return;
    CModuliViewCore::Form& form = m_core.GetForm();
    m_pCodice->GetValue(form.codice);
    m_pNome->GetValue(form.nome);
    m_pEmail->GetValue(form.email);
    m_pOggetto->GetValue(form.oggetto);
    form.descrizione = m_pDescrizione->toPlainText();
}

void CModuliView::Refresh()
{
    m_bRefreshing = true;
    const CModuliViewCore::Form& form = m_core.GetForm();
    m_pCodice->SetValue(form.codice);
    m_pNome->SetValue(form.nome);
    m_pEmail->SetValue(form.email);
    m_pOggetto->SetValue(form.oggetto);
    if (m_pDescrizione->toPlainText() != form.descrizione)
        m_pDescrizione->setPlainText(form.descrizione);
    const bool enabled = m_core.IsEditingEnabled();
    for (QWidget* widget : {static_cast<QWidget*>(m_pCodice), static_cast<QWidget*>(m_pNome),
                            static_cast<QWidget*>(m_pEmail), static_cast<QWidget*>(m_pOggetto),
                            static_cast<QWidget*>(m_pDescrizione)})
        widget->setEnabled(enabled);
    // Fields belong to a saved form: none while a new one is typed.
    m_pGrid->setEnabled(!m_core.IsInserting() && m_core.CurrentID() > 0);
    ShowButtons();
    m_bRefreshing = false;
}

void CModuliView::ShowButtons()
{
    CModuliCampiCore& fields = m_core.Fields();
    const bool form = !m_core.IsInserting() && m_core.CurrentID() > 0;
    m_buttons[AddField]->setEnabled(form);
    m_buttons[DeleteField]->setEnabled(form && fields.CanDelete());
    if (fields.IsNewRowPending())
        return;
    m_buttons[Options]->setEnabled(form && fields.CanEditOptions());
    m_buttons[UpField]->setEnabled(form && fields.CanMoveUp());
    m_buttons[DownField]->setEnabled(form && fields.CanMoveDown());
}

void CModuliView::Focus(CModuliViewCore::Field field)
{
    switch (field) {
    case CModuliViewCore::CodiceField: m_pCodice->setFocus(); break;
    case CModuliViewCore::NomeField: m_pNome->setFocus(); break;
    case CModuliViewCore::EmailField: m_pEmail->setFocus(); break;
    case CModuliViewCore::OggettoField: m_pOggetto->setFocus(); break;
    default: break;
    }
}

void CModuliView::Press(int button)
{
    CModuliCampiCore& fields = m_core.Fields();
    try {
        switch (button) {
        case AddField:
            if (m_core.CurrentID() > 0 && !m_core.IsInserting()) {
                fields.AddRow();
                for (int i : {Options, UpField, DownField})
                    m_buttons[i]->setEnabled(false);
            }
            break;
        case DeleteField: fields.DeleteRow(); break;
        case Options:
            if (fields.CanEditOptions() && m_editOptions)
                m_editOptions(fields.CurrentField());
            break;
        case UpField: fields.MoveUp(); break;
        case DownField: fields.MoveDown(); break;
        default: break;
        }
    } catch (const CDaoException& error) {
        CMessageBox::Show(this, error.GetErrorMessage(), QStringLiteral("Moduli"), CMessageBox::Stop);
    }
    if (button != AddField)
        ShowButtons();
    m_pGrid->viewport()->update();
}

bool CModuliView::IsRecordModified()
{
    Pull();
    return m_core.IsRecordModified();
}

bool CModuliView::SaveRecord()
{
    Pull();
    bool saved = false;
    Guard([&] { saved = m_core.SaveRecord(); });
    return saved;
}

bool CModuliView::SaveFieldGrid()
{
    return m_core.Fields().SaveNewRow();
}

CGridCore* CModuliView::GetPendingGrid()
{
    return m_pGrid;
}

int CModuliView::GetPendingRow() const
{
    return const_cast<CModuliView*>(this)->m_core.Fields().CurRow();
}

int CModuliView::GetPendingCol() const
{
    return const_cast<CModuliView*>(this)->m_core.Fields().FailedCol();
}

void CModuliView::RefreshLanguage()
{
    if (!m_currentLanguage || !m_defaultLanguage)
        return;
    Guard([this] { m_core.RefreshLanguage(m_currentLanguage(), m_defaultLanguage()); });
}

bool CModuliView::IsViewCommandEnabled(int id)
{
    return m_core.IsCommandEnabled(id);
}

bool CModuliView::IsViewCommandChecked(int id)
{
    return m_core.IsCommandChecked(id);
}

void CModuliView::OnViewCommand(int id)
{
    Pull();
    // A field row typed is saved before the form changes; a refusal stays.
    if (id != ID_RECORD_SAVE && id != ID_RECORD_INSERT && m_core.Fields().IsNewRowPending()
        && !m_core.Fields().SaveNewRow()) {
        m_pGrid->SetCurCell(m_core.Fields().CurRow(), m_core.Fields().FailedCol());
        return;
    }
    Guard([&] { m_core.OnCommand(id); });
}
