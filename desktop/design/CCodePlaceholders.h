#pragma once

#include <QString>

// The conditional sections of a block's code, marked by a start and an end
// placeholder: kept (only the two placeholders go) or cut (the section goes
// with them). A section runs from a start placeholder to the first end
// placeholder after it; a start without an end after it, and an end with no
// start before it, stay as they are, so a badly formed section shows in the
// page instead of eating the code around it.
class CCodePlaceholders
{
public:
    static QString Keep(QString code, const QString& start, const QString& end);
    static QString Cut(QString code, const QString& start, const QString& end);
    // A yes/no parameter: value "1" keeps its sections, anything else cuts them.
    static QString Switch(const QString& code, const QString& key, const QString& value);
    // A choice parameter: the section of the chosen option (the value, a
    // 0-based decimal number; empty for none) is kept and those of every
    // other option of the comma-separated list are cut.
    static QString Choice(QString code, const QString& key, const QString& value, QString options);
    // The value read as a decimal integer the way the stored values always
    // were: leading blanks and sign, then digits, anything after ignored
    // (0 when there are none).
    static int LeadingInteger(const QString& value);
};
