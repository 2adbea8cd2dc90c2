// The preview command of tinda: the project's site in a window of its own,
// served by the preview web server, on a copy of the database.

#include "desktop/publishing/previewwindow/CBrowserView.h"
#include "desktop/publishing/previewwindow/CPreviewFrame.h"
#include "desktop/shell/app/CCommandRegistrar.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"

namespace {

CCommandInfo PreviewCommand()
{
    CCommandInfo info;
    info.nId = ID_ANTEPRIMA;
    info.rule = CommandRule::Project;
    info.strTitle = QStringLiteral("Anteprima");
    info.bMaximized = true;
    info.createFrame = []() -> QMdiSubWindow* {
        CTindaApp* app = TindaApp();
        return app ? CPreviewFrame::Create(*app, CBrowserView::kPreviewPort) : nullptr;
    };
    return info;
}

const CCommandRegistrar s_commands({PreviewCommand()});

} // namespace
