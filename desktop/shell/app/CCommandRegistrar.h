#pragma once

#include "desktop/shell/app/CCommandTable.h"

// Registers commands while a library is loaded:
//   static CCommandRegistrar s_commands({ {...}, {...} });
// in a source file of the view library. The library must be linked whole
// into tinda (desktop/shell/app/CMakeLists.txt, TINDA_VIEW_LIBRARIES), or
// the linker drops the unreferenced registrar.
class CCommandRegistrar
{
public:
    CCommandRegistrar(std::initializer_list<CCommandInfo> commands)
    {
        for (const CCommandInfo& info : commands)
            CCommandTable::Instance().Register(info);
    }
};
