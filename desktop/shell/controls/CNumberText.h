#pragma once

#include <QChar>
#include <QLocale>
#include <QString>

// The one reader and writer of the numbers a merchant types and sees, in
// the grid's cells and the validated edit fields alike.
//
// Shown: the region's decimal separator (Italian unless the program's
// settings name another region, whatever locale the process started in);
// digits are grouped only with a group separator that cannot be taken for
// a decimal point (so an Italian "2490" is never shown as "2.490", which
// would read back as 2,49).
//
// Read: the region's decimal separator or the point; group separators
// (the region's, or "'") are read where they stand every three digits
// before the decimal separator, and a text that is not a number this way
// is refused, never cut to its leading digits: "24,90", "24.90" and
// "1.234,50" are read, "1,234.50", "12a" and "1.2.3" are refused.
class CNumberText
{
public:
    // A number read: its canonical text ("-1234.5": a point, no groups, no
    // trailing zeros) or the refusal.
    struct Read
    {
        bool ok = false;
        QString canonical;
        QString error;
        double Value() const { return canonical.toDouble(); }
    };

    static const QString kNumberError;

    static void SetRegion(const QLocale& region);
    static QLocale Region();
    static QChar DecimalSeparator();
    // The separator digits are grouped with on screen; null when none.
    static QChar ShownGroupSeparator();

    // `integer`: a decimal separator is refused, and a lone point between
    // groups of three digits is read as a group separator.
    static Read Parse(const QString& text, bool integer);
    // The on-screen form of a canonical text.
    static QString Display(const QString& canonical, bool grouped);
    // A value to canonical text: integral values without decimals, others
    // with at most `decimals` places, trailing zeros dropped.
    static QString Canonical(double value, int decimals);
    // Whether ch separates groups or decimals in a typed number.
    static bool IsSeparator(QChar ch);
};
