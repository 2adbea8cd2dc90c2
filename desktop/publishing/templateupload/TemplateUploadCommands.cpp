// The command "Modello grafico" under the site update: the graphic
// template upload.

#include "desktop/publishing/templateupload/CAggiornamentoModelloDlg.h"
#include "desktop/shell/app/CCommandRegistrar.h"
#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"

namespace {

const CCommandRegistrar s_commands({
    {.nId = ID_AGGIORNAMENTO_SITO_MODELLO,
     .rule = CommandRule::Project,
     .run =
         [] {
             CTindaApp* app = TindaApp();
             if (!app)
                 return;
             app->SetViewOpen(true);
             CAggiornamentoModelloDlg dialog(app->m_strProjectFolder, &app->m_db, app->GetMainFrame());
             dialog.RunModal();
             app->SetViewOpen(false);
         }},
});

} // namespace
