#pragma once

#include <QColor>
#include <QString>

// One cell of the grid, also the template of a column. Kinds: 0 fixed,
// 1 text (read-only), 2 edit, 3 check box, 4 drop-down list. Formats are
// those of CValueFormat.
struct GridCell
{
    enum Kind : quint8 { Fixed = 0, TextKind = 1, Edit = 2, Check = 3, Combo = 4 };
    enum Align : quint8 { Left = 0, Centre = 1, Right = 2 };

    static QColor WindowTextColor() { return QColor(0, 0, 0); }
    static QColor WindowColor() { return QColor(255, 255, 255); }
    static QColor ButtonFaceColor() { return QColor(240, 240, 240); }

    quint8 kind = Fixed;
    QString text;
    quint8 alignment = Left;
    QColor textColor = WindowTextColor();
    QColor bkColor = WindowColor();
    quint8 format = 0;
    qint32 width = 0;
    qint32 decimals = 0;
    quint8 check = 0;
    qint32 itemData = 0;
};
