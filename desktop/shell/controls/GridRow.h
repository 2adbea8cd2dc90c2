#pragma once

#include "desktop/shell/controls/GridCell.h"

#include <QVector>

// One row of the grid: its height, a value free for the caller and one cell
// per column.
struct GridRow
{
    qint32 height = 0;
    qint32 itemData = 0;
    QVector<GridCell> cells;
};
