#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The program's menu bar as a fixed layout: where each command sits and its
// text. A command shows up only once something has registered a handler for
// it (CCommandTable), so the menu never offers a window that does not exist;
// separators and popups left with nothing to show disappear.
class CTindaMenu
{
public:
    struct Item
    {
        QString strPopup;    // popup path, levels joined by "/" ("&File/Pubblicazione")
        int nId = 0;         // 0: a separator
        QString strCaption;  // text of the item, "&" before its mnemonic, "\t" before its shortcut
    };

    // The top-level popups in menu-bar order.
    static const QStringList& Popups();
    // Every item in menu order.
    static const QVector<Item>& Items();
    // The item of a command, or nullptr when the layout has none for it.
    static const Item* Find(int id);
};
