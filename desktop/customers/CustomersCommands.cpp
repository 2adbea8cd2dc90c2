// The customers desk's commands in tinda's command table: customers and
// users, groups, access rights, interests, shipping costs,
// mailings. Linked whole into tinda (TINDA_VIEW_LIBRARIES), so these
// registrars run when the program loads.

#include "desktop/customers/CGruppiView.h"
#include "desktop/customers/CInteressiView.h"
#include "desktop/customers/CMailingView.h"
#include "desktop/customers/CPermessiView.h"
#include "desktop/customers/CSSpedizioneView.h"
#include "desktop/customers/CUtentiView.h"
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

CCommandInfo Utenti()
{
    CCommandInfo info;
    info.nId = ID_UTENTI;
    info.strPrompt = QStringLiteral("Clienti, agenti, destinatari e utenti della mailing list");
    info.strTitle = QStringLiteral("Archivio utenti");
    info.createView = [](CChildFrame&) -> QWidget* {
        return new CUtentiView(TindaApp()->m_db, CurrentLanguage(), DefaultLanguage());
    };
    return info;
}

CCommandInfo Gruppi()
{
    CCommandInfo info;
    info.nId = ID_GRUPPI;
    info.strPrompt = QStringLiteral("Gruppi di utenti con listino e sconti");
    info.strTitle = QStringLiteral("Archivio gruppi");
    info.createView = [](CChildFrame&) -> QWidget* { return new CGruppiView(TindaApp()->m_db); };
    return info;
}

CCommandInfo Permessi()
{
    CCommandInfo info;
    info.nId = ID_PERMESSI;
    info.strPrompt = QStringLiteral("Categorie, prodotti, sezioni, articoli e banner nascosti a gruppi o utenti");
    info.strTitle = QStringLiteral("Permessi visualizzazione");
    info.createView = [](CChildFrame&) -> QWidget* {
        return new CPermessiView(TindaApp()->m_db, CurrentLanguage(), DefaultLanguage());
    };
    return info;
}

CCommandInfo Interessi()
{
    CCommandInfo info;
    info.nId = ID_INTERESSI;
    info.strPrompt = QStringLiteral("Categorie di interesse degli utenti, per le mailing list");
    info.strTitle = QStringLiteral("Interessi Utenti");
    info.createView = [](CChildFrame&) -> QWidget* {
        auto* view = new CInteressiView(TindaApp()->m_db, CurrentLanguage(), DefaultLanguage());
        view->m_currentLanguage = CurrentLanguage;
        view->m_defaultLanguage = DefaultLanguage;
        return view;
    };
    return info;
}

CCommandInfo SpeseSpedizione()
{
    CCommandInfo info;
    info.nId = ID_SPESE_SPEDIZIONE;
    info.strPrompt = QStringLiteral("Spese di spedizione per destinazione, peso imballo e IVA sulle spedizioni");
    info.strTitle = QStringLiteral("Spese di spedizione");
    info.createView = [](CChildFrame&) -> QWidget* { return new CSSpedizioneView(TindaApp()->m_db); };
    return info;
}

CCommandInfo MailingList()
{
    CCommandInfo info;
    info.nId = ID_MAILING_LIST;
    info.strPrompt = QStringLiteral("Invio di mail e SMS agli utenti per categoria di interesse");
    info.strTitle = QStringLiteral("Invio mailing list");
    info.createView = [](CChildFrame&) -> QWidget* {
        CTindaApp* app = TindaApp();
        auto* view = new CMailingView(app->m_db, app->m_strProjectFolder, CurrentLanguage(), DefaultLanguage());
        view->m_currentLanguage = CurrentLanguage;
        return view;
    };
    return info;
}

const CCommandRegistrar s_customersCommands(
    {Utenti(), Gruppi(), Permessi(), Interessi(), SpeseSpedizione(), MailingList()});

} // namespace
