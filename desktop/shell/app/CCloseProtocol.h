#pragma once

#include <functional>

class ITindaView;
class QWidget;

// The close of an editor: the view's pending edit is validated and saved
// according to its close rule, and a save that fails keeps the editor open.
// The child frame runs it on its own close, the main frame for every open
// editor before the program ends.
class CCloseProtocol
{
public:
    // loadLanguages reloads the main frame's selector and tells whether a
    // language is active (the languages editor's last check).
    CCloseProtocol(QWidget* parent, std::function<bool()> loadLanguages);

    // True when the view may close.
    bool MayClose(ITindaView& view) const;

private:
    bool GuardedRecord(ITindaView& view) const;
    bool StrictRecord(ITindaView& view) const;
    bool PendingGrid(ITindaView& view) const;
    bool FormWithGrid(ITindaView& view) const;
    bool WarnInserting(ITindaView& view) const;
    bool StayOnPendingCell(ITindaView& view) const;

    QWidget* m_pParent;
    std::function<bool()> m_loadLanguages;
};
