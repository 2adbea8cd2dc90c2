#pragma once

// The record commands of tinda's menus and toolbar (first, previous, next,
// last, insert, save, delete, filter, undo) as an editor's core answers
// them, without widgets. Every record editor runs them the same way: a
// command that is not enabled does nothing, insert and filter show as
// checked while they are on. A core says when each is enabled and does
// the steps; an editor without insertion or filter leaves those steps as
// they are here.
class CRecordCommands
{
public:
    virtual ~CRecordCommands() = default;

    virtual bool IsCommandEnabled(int id) const = 0;
    bool IsCommandChecked(int id) const;
    void OnCommand(int id);

    virtual void MoveFirst() = 0;
    virtual void MovePrev() = 0;
    virtual void MoveNext() = 0;
    virtual void MoveLast() = 0;
    virtual void Undo() = 0;
    virtual void Delete() = 0;
    virtual void ToggleInsert() {}
    virtual bool SaveNew() { return false; }
    virtual void Filter() {}

protected:
    virtual bool IsInsertOn() const { return false; }
    virtual bool IsFilterOn() const { return false; }
    // An enabled command of the editor's own (correlations and the like).
    virtual void OnOtherCommand(int id) { (void)id; }
};
