#pragma once

#include <QIcon>
#include <QString>

#include <functional>

class CChildFrame;
class QMdiSubWindow;
class QWidget;

// When a command may run.
enum class CommandRule
{
    Always,              // help, About, speech: no project needed
    Project,             // a project is open and no editor is
    NoViewOpen,          // File Nuovo and Apri: no editor is open
    ProjectAndCdViewer,  // as Project, and the installation has "cdviewer"
    ActiveView,          // handled by the active editor (ITindaView::OnViewCommand)
};

// The program state the rules are judged on.
struct CommandState
{
    bool bProjectOpen = false;
    bool bViewOpen = false;
    bool bCdViewer = false;
};

// One command of the program as its owner registers it.
//
// A view command gives createView (the editor in a new CChildFrame; the
// factory may set the frame's mode words, since it runs before the frame
// is shown) or createFrame (a frame of its own, which must call
// SetViewOpen(false) once when it closes). The shell then shows the
// frame, sets strTitle and icon, maximises it when asked, and marks an
// editor open. Any other command gives run.
struct CCommandInfo
{
    int nId = 0;
    CommandRule rule = CommandRule::Project;
    QString strCaption;   // empty: the text of the menu layout (CTindaMenu)
    QString strPopup;     // empty: the place of the menu layout; none there: no menu item
    QString strPrompt;    // status-bar text

    QString strTitle;
    QIcon icon;
    bool bMaximized = false;
    std::function<QWidget*(CChildFrame& frame)> createView;
    std::function<QMdiSubWindow*()> createFrame;

    std::function<void()> run;

    bool IsViewCommand() const { return bool(createView) || bool(createFrame); }
};
