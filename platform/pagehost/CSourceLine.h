#pragma once

#include <QString>

// Where a line of an expanded page came from: the site path of the page or
// included file and the line in it.
struct CSourceLine
{
    QString file;
    int line = 0;
};
