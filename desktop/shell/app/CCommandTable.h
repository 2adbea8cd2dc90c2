#pragma once

#include "desktop/shell/app/CCommandInfo.h"

#include <QList>
#include <QMap>

// The program's command table: command number -> what it does and when it
// is enabled. The shell registers its own commands; each view library
// registers the commands that open its views (at load time through
// CCommandRegistrar, or by calling Register), so a command is offered
// exactly when the code behind it is part of the program.
class CCommandTable
{
public:
    // The table of the running program.
    static CCommandTable& Instance();

    // Adds or replaces the command nId; caption and menu place left empty
    // are taken from the menu layout.
    void Register(CCommandInfo info);
    void Unregister(int id);
    bool Contains(int id) const { return m_commands.contains(id); }
    // nullptr when nothing registered id.
    const CCommandInfo* Find(int id) const;
    QList<int> Ids() const { return m_commands.keys(); }

    // The rule of the command applied to state; false for an unknown id.
    bool IsEnabled(int id, const CommandState& state) const;
    static bool RuleAllows(CommandRule rule, const CommandState& state);

private:
    QMap<int, CCommandInfo> m_commands;
};
