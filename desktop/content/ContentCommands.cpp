// The site content's commands in tinda's command table: the articles with
// their table and correlations, the sections, the site's forms, the forum
// and chat topics, the forum's posts, the dictionary of the visitors'
// texts, the banners and their correlations; and the "Chi siamo" page of
// the company parameters. Linked whole into tinda (TINDA_VIEW_LIBRARIES),
// so these registrars run when the program loads.

#include "desktop/catalogue/CCorrelazioniCore.h"
#include "desktop/catalogue/CCorrelazioniDlg.h"
#include "desktop/content/CArgomentiView.h"
#include "desktop/content/CArticoliAvanzateDlg.h"
#include "desktop/content/CArticoliView.h"
#include "desktop/content/CBannerView.h"
#include "desktop/content/CModelliDlg.h"
#include "desktop/content/CModuliView.h"
#include "desktop/content/CSelezioneArticoloDlg.h"
#include "desktop/content/CSezioniView.h"
#include "desktop/content/CTabellaArticoliView.h"
#include "desktop/content/CChiSiamoDlg.h"
#include "desktop/content/CDizionarioView.h"
#include "desktop/content/CForumView.h"
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

CCommandInfo Articoli()
{
    CCommandInfo info;
    info.nId = ID_ARTICOLI;
    info.rule = CommandRule::Project;
    info.strPrompt = QStringLiteral("Gestione articoli.");
    info.strTitle = QStringLiteral("Articoli");
    info.createView = [](CChildFrame&) -> QWidget* {
        CTindaApp* app = TindaApp();
        auto* view = new CArticoliView(app->m_db, app->m_strProjectFolder, CurrentLanguage(), DefaultLanguage());
        view->m_currentLanguage = CurrentLanguage;
        view->m_defaultLanguage = DefaultLanguage;
        view->m_selectDefaultLanguage = [] { TindaApp()->GetMainFrame()->SelectDefaultLanguage(); };
        view->Core().m_openCorrelations = [view](qint32 id, const QString& code) {
            CCorrelazioniDlg(TindaApp()->m_db, CCorrelazioniCore::Articolo, id, code, CurrentLanguage(),
                             DefaultLanguage(), view)
                .exec();
        };
        CArticoliAvanzateDlg* page = view->AvanzatePage();
        page->m_editTemplates = [view] { CModelliDlg(TindaApp()->m_db, view).exec(); };
        page->m_pickReply = [view](qint32 section) -> qint32 {
            CSelezioneArticoloDlg picker(TindaApp()->m_db, section, CurrentLanguage(), DefaultLanguage(), view);
            return picker.exec() == QDialog::Accepted ? picker.ChosenArticle() : -1;
        };
        return view;
    };
    return info;
}

CCommandInfo TabellaArticoli()
{
    CCommandInfo info;
    info.nId = ID_TABELLA_ARTICOLI;
    info.strPrompt = QStringLiteral("Visualizza articoli in forma tabellare");
    info.strTitle = QStringLiteral("Tabella articoli");
    info.createView = [](CChildFrame&) -> QWidget* {
        auto* view = new CTabellaArticoliView(TindaApp()->m_db, CurrentLanguage(), DefaultLanguage());
        view->m_currentLanguage = CurrentLanguage;
        view->m_defaultLanguage = DefaultLanguage;
        return view;
    };
    return info;
}

CCommandInfo Sezioni()
{
    CCommandInfo info;
    info.nId = ID_SEZIONI;
    info.strPrompt = QStringLiteral("Gestione sezioni del sito");
    info.strTitle = QStringLiteral("Sezioni");
    info.createView = [](CChildFrame&) -> QWidget* {
        CTindaApp* app = TindaApp();
        auto* view = new CSezioniView(app->m_db, app->m_strProjectFolder, CurrentLanguage(), DefaultLanguage());
        view->m_currentLanguage = CurrentLanguage;
        view->m_defaultLanguage = DefaultLanguage;
        return view;
    };
    return info;
}

CCommandInfo Argomenti(int id, bool chat)
{
    CCommandInfo info;
    info.nId = id;
    info.strPrompt = chat ? QStringLiteral("Argomenti della chat") : QStringLiteral("Argomenti del forum");
    info.strTitle = chat ? QStringLiteral("Argomenti chat") : QStringLiteral("Argomenti forum");
    info.createView = [chat](CChildFrame& frame) -> QWidget* {
        frame.m_bChat = chat;
        CTindaApp* app = TindaApp();
        auto* view = new CArgomentiView(app->m_db, frame.m_bChat, app->m_strProjectFolder, CurrentLanguage(),
                                        DefaultLanguage());
        view->m_currentLanguage = CurrentLanguage;
        view->m_defaultLanguage = DefaultLanguage;
        return view;
    };
    return info;
}

CCommandInfo Moduli()
{
    CCommandInfo info;
    info.nId = ID_MODULI;
    info.strPrompt = QStringLiteral("Moduli del sito e i loro campi");
    info.strTitle = QStringLiteral("Moduli");
    info.createView = [](CChildFrame&) -> QWidget* {
        auto* view = new CModuliView(TindaApp()->m_db, CurrentLanguage(), DefaultLanguage());
        view->m_currentLanguage = CurrentLanguage;
        view->m_defaultLanguage = DefaultLanguage;
        view->m_selectDefaultLanguage = [] { TindaApp()->GetMainFrame()->SelectDefaultLanguage(); };
        return view;
    };
    return info;
}

CCommandInfo InterventiForum()
{
    CCommandInfo info;
    info.nId = ID_INTERVENTI_FORUM;
    info.strPrompt = QStringLiteral("Moderazione degli interventi del forum");
    info.strTitle = QStringLiteral("Interventi Forum");
    info.createView = [](CChildFrame&) -> QWidget* { return new CForumView(TindaApp()->m_db, DefaultLanguage()); };
    return info;
}

// Handled by the open articles editor.
CCommandInfo CorrelazioniArticoli()
{
    CCommandInfo info;
    info.nId = ID_CORRELAZIONI_ARTICOLI;
    info.rule = CommandRule::ActiveView;
    info.strPrompt = QStringLiteral("Gestione correlazioni articolo.");
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
    Articoli(),
    TabellaArticoli(),
    CorrelazioniArticoli(),
    Sezioni(),
    Argomenti(ID_ARGOMENTI_FORUM, false),
    Argomenti(ID_ARGOMENTI_CHAT, true),
    Moduli(),
    InterventiForum(),
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
