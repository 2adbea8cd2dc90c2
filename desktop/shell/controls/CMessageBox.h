#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// Every question, warning and refusal of the desktop program goes through
// this one helper, so tests can answer the box instead of a person: while an
// answerer is installed nothing is shown and its reply is returned.
class CMessageBox
{
public:
    enum Icon { NoIcon, Stop, Question, Exclamation, Information };

    // What a box would have shown; handed to the answerer.
    struct Request
    {
        QString text;
        QString caption;
        Icon icon = NoIcon;
        QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    };

    using Answerer = std::function<QMessageBox::StandardButton(const Request&)>;

    // Shows the box modally (or asks the answerer) and returns the button
    // chosen. Escape or closing the window gives the box's escape button.
    static QMessageBox::StandardButton Show(QWidget* parent, const QString& text,
                                            const QString& caption, Icon icon = NoIcon,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok);

    // Installs the answerer that replaces the real box; an empty one restores
    // the real box. Returns the one installed before.
    static Answerer SetAnswerer(Answerer answerer);
};
