#include "desktop/shell/app/CRecordCommands.h"

#include "desktop/shell/app/TindaCommandIds.h"

bool CRecordCommands::IsCommandChecked(int id) const
{
    if (id == ID_RECORD_INSERT)
        return IsInsertOn();
    if (id == ID_RECORD_FILTER)
        return IsFilterOn();
    return false;
}

void CRecordCommands::OnCommand(int id)
{
    if (!IsCommandEnabled(id))
        return;
    switch (id) {
    case ID_RECORD_FIRST: MoveFirst(); break;
    case ID_RECORD_PREV: MovePrev(); break;
    case ID_RECORD_NEXT: MoveNext(); break;
    case ID_RECORD_LAST: MoveLast(); break;
    case ID_RECORD_INSERT: ToggleInsert(); break;
    case ID_RECORD_SAVE: SaveNew(); break;
    case ID_RECORD_DELETE: Delete(); break;
    case ID_RECORD_FILTER: Filter(); break;
    case ID_RECORD_UNDO: Undo(); break;
    default: OnOtherCommand(id); break;
    }
}
