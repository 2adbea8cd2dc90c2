// The site content's commands in tinda's command table: the dictionary of
// the visitors' texts, the banners and their correlations; and the "Chi
// siamo" page of the company parameters. Linked whole into tinda
// (TINDA_VIEW_LIBRARIES), so these registrars run when the program loads.

#include "desktop/catalogue/CCorrelazioniCore.h"
#include "desktop/catalogue/CCorrelazioniDlg.h"
#include "desktop/content/CBannerView.h"
#include "desktop/content/CChiSiamoDlg.h"
#include "desktop/content/CDizionarioView.h"
#include "desktop/shell/app/CChildFrame.h"
#include "desktop/shell/app/CCommandRegistrar.h"
#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/settings/CParAziView.h"

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

CCommandInfo Banner()
{
    CCommandInfo info;
    info.nId = ID_BANNER;
    info.strPrompt = QStringLiteral("Banner del sito: tipo, link, periodo, comparse e file");
    info.strTitle = QStringLiteral("Banner");
    info.createView = [](CChildFrame&) -> QWidget* {
        auto* view = new CBannerView(TindaApp()->m_db, TindaApp()->m_strProjectFolder);
        view->m_openCorrelations = [view](qint32 id, const QString& code) {
            CCorrelazioniDlg(TindaApp()->m_db, CCorrelazioniCore::Banner, id, code, CurrentLanguage(),
                             DefaultLanguage(), view)
                .exec();
        };
        return view;
    };
    return info;
}

// Handled by the open banners editor.
CCommandInfo CorrelazioniBanner()
{
    CCommandInfo info;
    info.nId = ID_CORRELAZIONI_BANNER;
    info.rule = CommandRule::ActiveView;
    info.strPrompt = QStringLiteral("Correlazioni del banner");
    return info;
}

const CCommandRegistrar s_contentCommands({
    Dizionario(),
    Banner(),
    CorrelazioniBanner(),
});

const bool s_chiSiamoPage = [] {
    CParAziView::SetChiSiamoFactory([](QWidget* parent) -> QWidget* {
        CTindaApp* app = TindaApp();
        auto* page = new CChiSiamoDlg(app->m_db, app->m_strProjectFolder, CurrentLanguage(), parent);
        page->m_currentLanguage = CurrentLanguage;
        return page;
    });
    return true;
}();

} // namespace
