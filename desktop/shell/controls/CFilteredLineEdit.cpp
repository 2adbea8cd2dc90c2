#include "desktop/shell/controls/CFilteredLineEdit.h"

#include <QApplication>
#include <QKeyEvent>

void CFilteredLineEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed[0].isPrint()
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (printable) {
        const int start = hasSelectedText() ? selectionStart() : cursorPosition();
        const int length = hasSelectedText() ? int(selectedText().size()) : 0;
        if (!AcceptTyped(typed[0], start, length)) {
            QApplication::beep();
            emit CharacterRefused(typed[0]);
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}
