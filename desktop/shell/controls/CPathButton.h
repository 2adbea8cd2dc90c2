#pragma once

#include <QPushButton>

class QFontMetrics;

// A button that shows a long path with its middle replaced by "...", so
// the start and the last folder stay readable. Its text is the path.
class CPathButton : public QPushButton
{
    Q_OBJECT
public:
    using QPushButton::QPushButton;

    // The path as drawn in `width` pixels: one space on either side, the
    // leading part cut short before the last component when needed.
    static QString ShortenPath(const QString& path, const QFontMetrics& metrics, int width);

protected:
    void paintEvent(QPaintEvent* event) override;
};
