#pragma once

#include <QStyle>

#include <functional>

class QHBoxLayout;
class QToolButton;
class QWidget;

// The row of 16 by 16 icon buttons (add, save, delete, ...) of the content
// editors, each calling back with its own index when clicked.
class CIconButtons
{
public:
    struct Look
    {
        QStyle::StandardPixmap icon;
        const char* tip;
    };

    // Makes count buttons into buttons[0..count-1]; the row ends in a stretch.
    static QHBoxLayout* Make(QWidget* parent, const Look* looks, int count, QToolButton** buttons,
                             const std::function<void(int)>& clicked);
};
