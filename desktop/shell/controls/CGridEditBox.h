#pragma once

#include "desktop/shell/controls/CFilteredLineEdit.h"

class CGridEdit;

// The window of the grid's in-cell editor. It filters keystrokes by the
// cell's format and mirrors what is typed into the CGridEdit that holds the
// editing rules; the grid closes it when the cell is left.
class CGridEditBox : public CFilteredLineEdit
{
    Q_OBJECT
public:
    CGridEditBox(CGridEdit& edit, QWidget* parent);

protected:
    bool AcceptTyped(QChar ch, int selStart, int selLength) const override;

private:
    CGridEdit& m_edit;
};
