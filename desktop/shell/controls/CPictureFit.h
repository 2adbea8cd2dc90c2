#pragma once

#include <QString>

class QLabel;

// A record's picture shown in an editor's picture box: as it is when it
// fits, else scaled down to the box with its proportions kept; an empty
// box when there is no picture or it can't be read.
class CPictureFit
{
public:
    static void ShowIn(QLabel* box, const QString& path);
};
