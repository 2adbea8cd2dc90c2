#pragma once

#include <QLineEdit>

// A line edit that asks before a typed character goes in; a refused one
// beeps and is dropped. Editing keys (backspace, TAB, arrows) always pass.
class CFilteredLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    // A typed character was refused (and dropped).
    void CharacterRefused(QChar ch);

protected:
    // Whether `ch`, typed at `selStart` over `selLength` selected
    // characters, may join the text.
    virtual bool AcceptTyped(QChar ch, int selStart, int selLength) const = 0;
    void keyPressEvent(QKeyEvent* event) override;
};
