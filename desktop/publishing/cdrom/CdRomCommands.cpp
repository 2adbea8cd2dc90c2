// The CD edition command of tinda: offered when the installation has the
// viewer's skeleton (cdviewer).

#include "desktop/publishing/cdrom/CCDRomView.h"
#include "desktop/shell/app/CChildFrame.h"
#include "desktop/shell/app/CCommandRegistrar.h"
#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"

namespace {

const CCommandRegistrar s_commands({
    {.nId = ID_CREAZIONE_CD_ROM,
     .rule = CommandRule::ProjectAndCdViewer,
     .strTitle = QStringLiteral("Creazione immagine CD Rom"),
     .createView =
         [](CChildFrame&) -> QWidget* {
             CTindaApp* app = TindaApp();
             auto* view = new CCDRomView(app->m_db, app->m_strProjectFolder, app->m_strInstallFolder);
             view->m_defaultLanguage = [app] {
                 return app->GetMainFrame() ? app->GetMainFrame()->GetDefaultLanguage() : QString();
             };
             return view;
         }},
});

} // namespace
