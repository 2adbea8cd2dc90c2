#pragma once

#include <QString>
#include <QStringList>

// The drop-down lists of the style dialog: each entry stands for one
// stored value by its position, the first entry for no value at all (the
// attribute's row goes at the next save).
class CStileCombo
{
public:
    enum List {
        HorizontalAlign,
        VerticalAlign,
        Float,
        BorderStyle,
        Repeat,
        FontFamily,
        FontStyle,
        FontWeight,
        Decoration,
        None = -1
    };

    static QStringList Labels(List list);
    // "" for the first entry and for a position outside the list.
    static QString ValueAt(List list, int index);
    // The entry whose value is exactly value (case counts); else the first.
    static int IndexOf(List list, const QString& value);
    // What the list makes of a stored value: the value itself when an
    // entry has it, else no value.
    static QString Normalise(List list, const QString& value) { return ValueAt(list, IndexOf(list, value)); }

    // The list that edits an attribute; None for the border styles (kept
    // per side by the border page) and for attributes without a list.
    static List ForAttribute(int attribute);

    // "Bordo": the side edited, no value of its own.
    static QStringList BorderSides();
};
