// The exchange commands of tinda: the site update, the order download, and
// the automatic import offered while a project opens.

#include "desktop/publishing/exchange/CAggiornamentoDatiDlg.h"
#include "desktop/publishing/exchange/CImportAutomaticoDlg.h"
#include "desktop/publishing/exchange/CScaricamentoOrdiniDlg.h"
#include "desktop/shell/app/CCommandRegistrar.h"
#include "desktop/shell/app/CExternalImport.h"
#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "exchange/COrderDownload.h"
#include "exchange/CScriptedImport.h"
#include "exchange/CSiteUpload.h"

namespace {

void RunWithViewOpen(const std::function<void(CTindaApp&)>& body)
{
    CTindaApp* app = TindaApp();
    if (!app)
        return;
    app->SetViewOpen(true);
    body(*app);
    app->SetViewOpen(false);
}

const CCommandRegistrar s_commands({
    {.nId = ID_AGGIORNAMENTO_SITO_DATI,
     .rule = CommandRule::Project,
     .run =
         [] {
             RunWithViewOpen([](CTindaApp& app) {
                 CAggiornamentoDatiDlg dialog(std::make_unique<CSiteUpload>(), app.m_strProjectFolder, &app.m_db,
                                              app.GetMainFrame());
                 dialog.exec();
             });
         }},
    {.nId = ID_AGGIORNAMENTO_ORDINI,
     .rule = CommandRule::Project,
     .run =
         [] {
             RunWithViewOpen([](CTindaApp& app) {
                 CMainFrame* frame = app.GetMainFrame();
                 CScaricamentoOrdiniDlg dialog(
                     std::make_unique<COrderDownload>(), app.m_strProjectFolder, &app.m_db,
                     [frame] { return frame ? frame->GetDefaultLanguage() : QString(); }, frame);
                 dialog.exec();
             });
         }},
});

const CExternalImport s_import([](const QString& projectFolder) {
    CTindaApp* app = TindaApp();
    CMainFrame* frame = app ? app->GetMainFrame() : nullptr;
    CImportAutomaticoDlg dialog(std::make_unique<CScriptedImport>(), projectFolder, frame);
    dialog.RunTask();
    return !(frame && frame->IsClosed());
});

} // namespace
