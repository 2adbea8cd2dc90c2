#pragma once

class QDialog;
class QLayout;
class QListWidget;

// The shape of the content's small list editors ("Modelli", "Opzioni menu
// a discesa"): the fields, the row of buttons, the list below them, and
// "Chiudi", which closes the dialog (every change was written at once).
class CListEditLayout
{
public:
    static void Build(QDialog* dialog, QLayout* fields, QLayout* buttons, QListWidget* list);
};
