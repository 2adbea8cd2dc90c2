// The orders desk's commands in tinda's command table: the orders view
// and the record buttons it answers.

#include "desktop/orders/COrdiniView.h"
#include "desktop/shell/app/CChildFrame.h"
#include "desktop/shell/app/CCommandRegistrar.h"
#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"

namespace {

CCommandInfo ArchivioOrdini()
{
    CCommandInfo info;
    info.nId = ID_ARCHIVIO_ORDINI;
    info.strPrompt = QStringLiteral("Ordini ricevuti dal sito: evasione, stati, fatture");
    info.strTitle = QStringLiteral("Archivio ordini");
    info.createView = [](CChildFrame&) -> QWidget* {
        CTindaApp* app = TindaApp();
        return new COrdiniView(app->m_db, app->m_strProjectFolder, app->GetMainFrame()->GetDefaultLanguage());
    };
    return info;
}

const CCommandRegistrar s_ordersCommands({ArchivioOrdini()});

} // namespace
