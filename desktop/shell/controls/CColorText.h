#pragma once

#include <QColor>
#include <QString>

// Colours in the text form of the site's style sheets and templates: "#"
// and six upper-case hexadecimal digits, red, green, blue.
class CColorText
{
public:
    static QString ToString(const QColor& color);
    // Reads the three two-digit numbers after the first character; an
    // invalid colour when they are not there.
    static QColor FromString(const QString& text);
};
