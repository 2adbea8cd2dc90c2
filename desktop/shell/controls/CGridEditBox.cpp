#include "desktop/shell/controls/CGridEditBox.h"

#include "desktop/shell/controls/CGridEdit.h"

CGridEditBox::CGridEditBox(CGridEdit& edit, QWidget* parent)
    : CFilteredLineEdit(parent), m_edit(edit)
{
    setFrame(false);
    setText(m_edit.GetWindowText());
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_edit.SetWindowText(text); });
}

bool CGridEditBox::AcceptTyped(QChar ch, int selStart, int selLength) const
{
    return m_edit.AcceptChar(ch, selStart, selLength);
}
