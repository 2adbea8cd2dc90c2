// The catalogue's commands in tinda's command table: the product price
// table, the category tree, the discounts and the custom field definitions (editors), the bulk
// price update, the text import and the size tables (dialogs); and the index ordering the general
// parameters run.

#include "desktop/catalogue/CAggiornamentoListiniDlg.h"
#include "desktop/catalogue/CCategorieView.h"
#include "desktop/catalogue/CDefCampiCustomView.h"
#include "desktop/catalogue/CImportDatiDlg.h"
#include "desktop/catalogue/COrdinamentoIndiceDlg.h"
#include "desktop/catalogue/CProdottiView.h"
#include "desktop/catalogue/CScontiProdottoView.h"
#include "desktop/catalogue/CTabellaProdottiView.h"
#include "desktop/catalogue/CTabelleTaglieDlg.h"
#include "desktop/shell/app/CChildFrame.h"
#include "desktop/shell/app/CCommandRegistrar.h"
#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/settings/CParGenViewCore.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString CurrentLanguage()
{
    return TindaApp()->GetMainFrame()->GetCurrentLanguage();
}

QString DefaultLanguage()
{
    return TindaApp()->GetMainFrame()->GetDefaultLanguage();
}

CCommandInfo TabellaProdotti()
{
    CCommandInfo info;
    info.nId = ID_TABELLA_PRODOTTI;
    info.strPrompt = QStringLiteral("Prezzi e ordine dei prodotti in tabella");
    info.strTitle = QStringLiteral("Tabella prodotti");
    info.createView = [](CChildFrame&) -> QWidget* {
        auto* view = new CTabellaProdottiView(TindaApp()->m_db, CurrentLanguage(), DefaultLanguage());
        view->m_currentLanguage = CurrentLanguage;
        view->m_defaultLanguage = DefaultLanguage;
        return view;
    };
    return info;
}

CCommandInfo Categorie()
{
    CCommandInfo info;
    info.nId = ID_CATEGORIE;
    info.strPrompt = QStringLiteral("Albero delle categorie dei prodotti");
    info.strTitle = QStringLiteral("Categorie prodotti");
    info.createView = [](CChildFrame&) -> QWidget* {
        CTindaApp* app = TindaApp();
        auto* view = new CCategorieView(app->m_db, app->m_strProjectFolder, CurrentLanguage(), DefaultLanguage());
        view->m_currentLanguage = CurrentLanguage;
        view->m_defaultLanguage = DefaultLanguage;
        return view;
    };
    return info;
}

QWidget* MakeProdottiView(CChildFrame& frame)
{
    CTindaApp* app = TindaApp();
    auto* view = new CProdottiView(app->m_db, app->m_strProjectFolder, CurrentLanguage(), DefaultLanguage(),
                                   frame.m_nBaseProductID);
    view->m_currentLanguage = CurrentLanguage;
    view->m_defaultLanguage = DefaultLanguage;
    view->m_selectDefaultLanguage = [] { TindaApp()->GetMainFrame()->SelectDefaultLanguage(); };
    // A variants window is one more card, on the variants of the shown product.
    view->m_openVariants = [](qint32 base, const QString& caption) {
        CCommandInfo info;
        info.nId = ID_VARIANTI;
        info.strTitle = caption;
        info.createView = [base](CChildFrame& variants) -> QWidget* {
            variants.m_nBaseProductID = base;
            return MakeProdottiView(variants);
        };
        TindaApp()->GetMainFrame()->OpenView(info);
    };
    return view;
}

CCommandInfo Prodotti()
{
    CCommandInfo info;
    info.nId = ID_ARCHIVIO_PRODOTTI;
    info.strPrompt = QStringLiteral("Scheda dei prodotti: testi, prezzi, immagine, colori, taglie, campi custom e files");
    info.strTitle = QStringLiteral("Scheda prodotti");
    info.createView = MakeProdottiView;
    return info;
}

// Handled by the open product card.
CCommandInfo CardCommand(int id, const QString& caption, const QString& prompt)
{
    CCommandInfo info;
    info.nId = id;
    info.rule = CommandRule::ActiveView;
    info.strCaption = caption;
    info.strPopup = caption.isEmpty() ? QString() : QStringLiteral("Ca&talogo/Prodotti");
    info.strPrompt = prompt;
    return info;
}

CCommandInfo Sconti()
{
    CCommandInfo info;
    info.nId = ID_SCONTI;
    info.strPrompt = QStringLiteral("Sconti e provvigioni di gruppi e clienti su categorie e prodotti");
    info.strTitle = QStringLiteral("Sconti");
    info.createView = [](CChildFrame&) -> QWidget* {
        return new CScontiProdottoView(TindaApp()->m_db, CurrentLanguage(), DefaultLanguage());
    };
    return info;
}

CCommandInfo DefinizioneCampiCustom()
{
    CCommandInfo info;
    info.nId = ID_DEFINIZIONE_CAMPI_CUSTOM;
    info.strPrompt = QStringLiteral("Campi custom dei prodotti, per categoria");
    info.strTitle = QStringLiteral("Definizione campi custom");
    info.createView = [](CChildFrame&) -> QWidget* {
        auto* view = new CDefCampiCustomView(TindaApp()->m_db, CurrentLanguage(), DefaultLanguage());
        view->m_currentLanguage = CurrentLanguage;
        view->m_defaultLanguage = DefaultLanguage;
        return view;
    };
    return info;
}

CCommandInfo AggiornamentoListini()
{
    CCommandInfo info;
    info.nId = ID_AGGIORNAMENTO_LISTINI;
    info.strPrompt = QStringLiteral("Variazione percentuale dei listini");
    info.run = [] {
        CTindaApp* app = TindaApp();
        CAggiornamentoListiniDlg dialog(app->m_db, app->m_strProjectFolder, CurrentLanguage(), DefaultLanguage(),
                                        app->GetMainFrame());
        dialog.exec();
    };
    return info;
}

CCommandInfo ImportDati()
{
    CCommandInfo info;
    info.nId = ID_IMPORT_DATI_ESTERNI;
    info.strCaption = QStringLiteral("&Import dati esterni");
    info.strPopup = QStringLiteral("Ca&talogo");
    info.strPrompt = QStringLiteral("Import dei prodotti da un file di testo");
    info.run = [] {
        CTindaApp* app = TindaApp();
        CImportDatiDlg dialog(app->m_db, app->m_strProjectFolder, CurrentLanguage(), DefaultLanguage(),
                              app->GetMainFrame());
        dialog.exec();
    };
    return info;
}

CCommandInfo TabelleTaglie()
{
    CCommandInfo info;
    info.nId = ID_TABELLE_TAGLIE;
    info.strCaption = QStringLiteral("Tabelle taglie");
    info.strPopup = QStringLiteral("Ca&talogo/Prodotti");
    info.strPrompt = QStringLiteral("Tabelle delle taglie dei prodotti");
    info.run = [] {
        CTindaApp* app = TindaApp();
        CTabelleTaglieDlg dialog(app->m_db, app->GetMainFrame());
        dialog.exec();
    };
    return info;
}

// The general parameters store a new index order right after this, so the
// keys are rewritten without an "Annulla" that would leave them behind.
bool RunIndexOrdering(CDaoDatabase& database, int mode)
{
    // The project folder holds db/database.mdb.
    QDir project = QFileInfo(database.GetName()).dir();
    project.cdUp();
    CTindaApp* app = TindaApp();
    return COrdinamentoIndiceDlg::RunOrdering(app ? app->GetMainFrame() : nullptr, database, project.path(), mode,
                                              false);
}

struct IndexOrderingRegistration
{
    IndexOrderingRegistration() { CParGenViewCore::SetIndexOrdering(RunIndexOrdering); }
};

const IndexOrderingRegistration s_indexOrdering;

const CCommandRegistrar s_catalogueCommands(
    {Prodotti(),
     CardCommand(ID_VARIANTI, QStringLiteral("Gestione varianti"),
                 QStringLiteral("Consente l'inserimento di varianti del prodotto base.")),
     CardCommand(ID_CORRELAZIONI_PRODOTTI, QString(), QStringLiteral("Correlazioni del prodotto")), TabellaProdotti(),
     Categorie(), Sconti(), DefinizioneCampiCustom(), AggiornamentoListini(), ImportDati(), TabelleTaglie()});

} // namespace
