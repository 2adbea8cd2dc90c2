#pragma once

#include <QString>

// The style attributes a class of the graphic project can carry, numbered
// as AttributiCSS.IDAttributo stores them. The style dialog edits them and
// the style-sheet writer turns them into CSS; both read this one table.
// Attributes 10 to 21 are the four borders, three each (width, style,
// colour), which the writer joins into one line per side.
class CAttributiCatalogo
{
public:
    static constexpr int kCount = 35;
    static constexpr int kBackgroundImage = 26;
    static constexpr int kFirstBorder = 10;
    static constexpr int kLastBorder = 21;

    // The CSS property; empty for the border attributes and outside 0..34.
    static QString Property(int id);
    static bool IsKnown(int id) { return id >= 0 && id < kCount; }
    static bool IsBorder(int id) { return id >= kFirstBorder && id <= kLastBorder; }
    // Widths, heights, margins, paddings, background position, font size
    // and the border widths: stored bare, written with "px".
    static bool IsLength(int id);
    // A length as the style sheet wants it: trailing blanks dropped, "px"
    // added unless it ends with "%".
    static QString WithUnit(const QString& value);
    // The side property of a border group (10, 13, 16 or 19); empty otherwise.
    static QString BorderSide(int firstOfGroup);
};
