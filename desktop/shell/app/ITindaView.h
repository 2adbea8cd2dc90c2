#pragma once

#include <QString>

class CGridCore;

// What an editor view offers its frame and the main frame. Every operation
// has a harmless default, so a plain view implements nothing; the close
// rule tells the child frame which of the operations guard the view's
// pending edit (CCloseProtocol).
class ITindaView
{
public:
    enum CloseRule
    {
        ClosePlain,          // closes without questions
        CloseInsertGuarded,  // form that refuses to close while inserting (products, articles, users)
        CloseRecordStrict,   // form: a failed SaveRecord keeps it open
        CloseRecordLenient,  // form: a modified record is saved, the view closes whatever the result
        CloseRowLenient,     // grid: a modified row is saved, the view closes whatever the result
        CloseGrid,           // grid: a failed SaveNewRow or SaveRow keeps it open on the pending cell
        CloseGridLanguages,  // as CloseGrid, then at least one language must be active
        CloseFormWithGrid,   // form with a field grid and a guarded insertion (forms)
    };

    virtual ~ITindaView() = default;

    virtual CloseRule GetCloseRule() const { return ClosePlain; }
    // Caption of the "annullare l'inserimento" warning of a guarded form.
    virtual QString GetInsertCaption() const { return QString(); }
    virtual bool IsInsertingRecord() const { return false; }
    // Mode 1 skips the modified test on close.
    virtual int GetRecordMode() const { return 0; }

    virtual bool IsRecordModified() { return false; }
    virtual bool SaveRecord() { return true; }
    virtual bool IsNewRowPending() const { return false; }
    virtual bool SaveNewRow() { return true; }
    virtual bool IsRowModified() { return false; }
    virtual bool SaveRow() { return true; }
    virtual bool IsFieldRowPending() const { return false; }
    virtual bool SaveFieldGrid() { return true; }

    // The grid, row and column of the pending edit, where the frame puts the
    // grid's current cell when a save fails.
    virtual CGridCore* GetPendingGrid() { return nullptr; }
    virtual int GetPendingRow() const { return -1; }
    virtual int GetPendingCol() const { return -1; }

    // The editing language of the main frame is about to change: a view
    // saves what was typed in the language being left, or refuses, and the
    // language stays as it was.
    virtual bool CanChangeLanguage() { return true; }
    // The editing language of the main frame changed.
    virtual void RefreshLanguage() {}

    // Commands the view handles itself (record buttons, invoices,
    // correlations): whether one is enabled or checked now, and running it.
    // A view whose answers change calls CMainFrame::UpdateCommands.
    virtual bool IsViewCommandEnabled(int id) { (void)id; return false; }
    virtual bool IsViewCommandChecked(int id) { (void)id; return false; }
    virtual void OnViewCommand(int id) { (void)id; }
};
