#pragma once

#include <QString>

// One error met while loading or running a script. The line is the
// script's own line (1-based); 0 when the engine could not tell.
struct ScriptError
{
    int line = 0;
    QString message;
};
