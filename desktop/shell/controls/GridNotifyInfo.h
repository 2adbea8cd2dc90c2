#pragma once

#include <QString>

// The record a grid notification points to; it lives only during the call.
// A parent that vetoes a leave may write into fromCol the column to go back
// to (the row stays).
struct GridNotifyInfo
{
    int fromRow = 0;
    int fromCol = 0;
    int toRow = 0;
    int toCol = 0;
    QString text;
};
