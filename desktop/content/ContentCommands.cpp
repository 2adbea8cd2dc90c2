// The site content's commands in tinda's command table: the dictionary of
// the visitors' texts. Linked whole into tinda (TINDA_VIEW_LIBRARIES), so
// these registrars run when the program loads.

#include "desktop/content/CDizionarioView.h"
#include "desktop/shell/app/CChildFrame.h"
#include "desktop/shell/app/CCommandRegistrar.h"
#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"

namespace {

QString CurrentLanguage()
{
    return TindaApp()->GetMainFrame()->GetCurrentLanguage();
}

QString DefaultLanguage()
{
    return TindaApp()->GetMainFrame()->GetDefaultLanguage();
}

CCommandInfo Dizionario()
{
    CCommandInfo info;
    info.nId = ID_DIZIONARIO;
    info.strPrompt = QStringLiteral("Testi del sito per i visitatori, per lingua");
    info.strTitle = QStringLiteral("Dizionario");
    info.createView = [](CChildFrame&) -> QWidget* {
        auto* view = new CDizionarioView(TindaApp()->m_db, CurrentLanguage(), DefaultLanguage());
        view->m_currentLanguage = CurrentLanguage;
        view->m_defaultLanguage = DefaultLanguage;
        return view;
    };
    return info;
}

const CCommandRegistrar s_contentCommands({
    Dizionario(),
});

} // namespace
