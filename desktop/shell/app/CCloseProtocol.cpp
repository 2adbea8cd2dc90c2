#include "desktop/shell/app/CCloseProtocol.h"

#include "desktop/shell/app/ITindaView.h"
#include "desktop/shell/controls/CGridCore.h"
#include "desktop/shell/controls/CMessageBox.h"

namespace {
const char* const kInsertWarning = "ATTENZIONE: annullare l'inserimento in corso prima di uscire.";
}

CCloseProtocol::CCloseProtocol(QWidget* parent, std::function<bool()> loadLanguages)
    : m_pParent(parent), m_loadLanguages(std::move(loadLanguages))
{
}

bool CCloseProtocol::MayClose(ITindaView& view) const
{
    switch (view.GetCloseRule()) {
    case ITindaView::ClosePlain:
        return true;
    case ITindaView::CloseInsertGuarded:
        return GuardedRecord(view);
    case ITindaView::CloseRecordStrict:
        return StrictRecord(view);
    case ITindaView::CloseRecordLenient:
        if (view.IsRecordModified())
            view.SaveRecord();
        return true;
    case ITindaView::CloseRowLenient:
        if (view.IsRowModified())
            view.SaveRow();
        return true;
    case ITindaView::CloseGrid:
        return PendingGrid(view);
    case ITindaView::CloseGridLanguages:
        if (!PendingGrid(view))
            return false;
        if (m_loadLanguages && !m_loadLanguages()) {
            CMessageBox::Show(m_pParent,
                              QStringLiteral("ATTENZIONE: attivare almeno una lingua prima di uscire."),
                              QStringLiteral("Gestione lingue"), CMessageBox::Exclamation);
            return false;
        }
        return true;
    case ITindaView::CloseFormWithGrid:
        return FormWithGrid(view);
    }
    return true;
}

bool CCloseProtocol::GuardedRecord(ITindaView& view) const
{
    if (view.IsInsertingRecord())
        return WarnInserting(view);
    if (view.GetRecordMode() != 1 && !StrictRecord(view))
        return false;
    // A save may leave the view inserting (it moved on to a new record).
    if (view.IsInsertingRecord())
        return WarnInserting(view);
    return true;
}

bool CCloseProtocol::StrictRecord(ITindaView& view) const
{
    return !(view.IsRecordModified() && !view.SaveRecord());
}

bool CCloseProtocol::PendingGrid(ITindaView& view) const
{
    if (view.IsNewRowPending() && !view.SaveNewRow())
        return StayOnPendingCell(view);
    if (view.IsRowModified() && !view.SaveRow())
        return StayOnPendingCell(view);
    return true;
}

bool CCloseProtocol::FormWithGrid(ITindaView& view) const
{
    if (view.IsFieldRowPending() && !view.SaveFieldGrid())
        return StayOnPendingCell(view);
    if (view.IsInsertingRecord())
        return WarnInserting(view);
    if (!StrictRecord(view))
        return false;
    if (view.IsInsertingRecord())
        return WarnInserting(view);
    return true;
}

bool CCloseProtocol::WarnInserting(ITindaView& view) const
{
    CMessageBox::Show(m_pParent, QString::fromUtf8(kInsertWarning), view.GetInsertCaption(),
                      CMessageBox::Exclamation);
    return false;
}

bool CCloseProtocol::StayOnPendingCell(ITindaView& view) const
{
    if (CGridCore* grid = view.GetPendingGrid())
        grid->SetCurCell(view.GetPendingRow(), view.GetPendingCol());
    return false;
}
