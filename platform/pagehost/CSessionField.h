#pragma once

#include <QString>

// One session value, held as text.
struct CSessionField
{
    QString name;
    QString value;
};
