#include "desktop/shell/app/CCommandTable.h"

#include "desktop/shell/app/CTindaMenu.h"

CCommandTable& CCommandTable::Instance()
{
    // Function-local, so registrars of other libraries may run first.
    static CCommandTable table;
    return table;
}

void CCommandTable::Register(CCommandInfo info)
{
    if (const CTindaMenu::Item* item = CTindaMenu::Find(info.nId)) {
        if (info.strCaption.isEmpty())
            info.strCaption = item->strCaption;
        if (info.strPopup.isEmpty())
            info.strPopup = item->strPopup;
    }
    const int id = info.nId;
    m_commands.insert(id, std::move(info));
}

void CCommandTable::Unregister(int id)
{
    m_commands.remove(id);
}

const CCommandInfo* CCommandTable::Find(int id) const
{
    auto it = m_commands.constFind(id);
    return it == m_commands.constEnd() ? nullptr : &it.value();
}

bool CCommandTable::IsEnabled(int id, const CommandState& state) const
{
    const CCommandInfo* info = Find(id);
    return info && RuleAllows(info->rule, state);
}

bool CCommandTable::RuleAllows(CommandRule rule, const CommandState& state)
{
    switch (rule) {
    case CommandRule::Always:
        return true;
    case CommandRule::Project:
        return state.bProjectOpen && !state.bViewOpen;
    case CommandRule::NoViewOpen:
        return !state.bViewOpen;
    case CommandRule::ProjectAndCdViewer:
        return state.bProjectOpen && !state.bViewOpen && state.bCdViewer;
    case CommandRule::ActiveView:
        // Decided by the active view itself; the table has no say.
        return true;
    }
    return false;
}
