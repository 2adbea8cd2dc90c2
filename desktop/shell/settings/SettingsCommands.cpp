// The commands that open the settings views. Linked whole into tinda
// (TINDA_VIEW_LIBRARIES), so these registrars run when the program loads.
#include "desktop/shell/app/CChildFrame.h"
#include "desktop/shell/app/CCommandRegistrar.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/settings/CLingueView.h"
#include "desktop/shell/settings/CParAziView.h"
#include "desktop/shell/settings/CParGenView.h"
#include "desktop/shell/settings/CValuteView.h"

namespace {

template <typename View>
CCommandInfo ViewCommand(int id, const char* title, const char* prompt)
{
    CCommandInfo info;
    info.nId = id;
    info.rule = CommandRule::Project;
    info.strTitle = QString::fromUtf8(title);
    info.strPrompt = QString::fromUtf8(prompt);
    info.createView = [](CChildFrame&) -> QWidget* { return new View(TindaApp()->m_db); };
    return info;
}

const CCommandRegistrar s_settingsCommands({
    ViewCommand<CParGenView>(ID_PARAMETRI_GENERALI, "Parametri generali",
                             "Account, funzionalità, pagamenti e parametri tecnici del negozio"),
    ViewCommand<CParAziView>(ID_PARAMETRI_AZIENDALI, "Parametri aziendali", "Dati e presentazione dell'azienda"),
    ViewCommand<CLingueView>(ID_LINGUE, "Lingue", "Lingue del sito"),
    ViewCommand<CValuteView>(ID_VALUTE, "Valute", "Valute del negozio"),
});

} // namespace
