#pragma once

#include <QColor>

#include <array>
#include <functional>
#include <optional>

class QWidget;

// The colour chooser of the style pages: the standard one, opened with all
// its parts and with the dialog's 16 custom colours, which it keeps as the
// merchant leaves them.
class CStileColorChooser
{
public:
    using CustomColours = std::array<QColor, 16>;
    // Stands in for the chooser (tests): given the start colour, the colour
    // chosen or nothing for Cancel.
    using Answerer = std::function<std::optional<QColor>(const QColor& start)>;

    // start is invalid when the swatch has no colour.
    static std::optional<QColor> Choose(QWidget* parent, const QColor& start, CustomColours& custom);
    // Returns the answerer installed before; an empty one restores the chooser.
    static Answerer SetAnswerer(Answerer answerer);
};
