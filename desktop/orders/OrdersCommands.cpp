// The orders desk's commands in tinda's command table: the orders view
// the two order texts and the card gateway's password files.

#include "desktop/orders/COTPSellaView.h"
#include "desktop/orders/COrderTextView.h"
#include "desktop/orders/COrdiniView.h"
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

CCommandInfo ArchivioOrdini()
{
    CCommandInfo info;
    info.nId = ID_ARCHIVIO_ORDINI;
    info.strPrompt = QStringLiteral("Ordini ricevuti dal sito: evasione, stati, fatture");
    info.strTitle = QStringLiteral("Archivio ordini");
    info.createView = [](CChildFrame&) -> QWidget* {
        CTindaApp* app = TindaApp();
        auto* view = new COrdiniView(app->m_db, app->m_strProjectFolder, DefaultLanguage());
        view->m_currentLanguage = CurrentLanguage;
        return view;
    };
    return info;
}

CCommandInfo OtpBancaSella()
{
    CCommandInfo info;
    info.nId = ID_OTP_BANCA_SELLA;
    info.strPrompt = QStringLiteral("Caricamento dei file di password della banca per i pagamenti con carta");
    info.strTitle = QStringLiteral("OTP Banca Sella");
    info.createView = [](CChildFrame&) -> QWidget* { return new COTPSellaView(TindaApp()->m_db); };
    return info;
}

// Answered by the open orders view.
CCommandInfo InvoiceCommand(int id, const QString& prompt)
{
    CCommandInfo info;
    info.nId = id;
    info.rule = CommandRule::ActiveView;
    info.strPrompt = prompt;
    return info;
}

// The same view on either text; the frame's flag says which.
CCommandInfo OrderText(int id, bool notifica, const QString& title, const QString& prompt)
{
    CCommandInfo info;
    info.nId = id;
    info.strPrompt = prompt;
    info.strTitle = title;
    info.createView = [notifica](CChildFrame& frame) -> QWidget* {
        frame.m_bNotificaCliente = notifica;
        auto* view = new COrderTextView(TindaApp()->m_db,
                                        notifica ? COrderTextViewCore::NotificaCliente
                                                 : COrderTextViewCore::CondizioniVendita,
                                        CurrentLanguage(), DefaultLanguage());
        view->m_currentLanguage = CurrentLanguage;
        return view;
    };
    return info;
}

const CCommandRegistrar s_ordersCommands(
    {ArchivioOrdini(), OtpBancaSella(), InvoiceCommand(ID_EMETTI_FATTURA, QStringLiteral("Emissione fattura ordine corrente.")),
     InvoiceCommand(ID_CANCELLA_FATTURA, QStringLiteral("Cancella fattura corrente.")),
     OrderText(ID_CONDIZIONI_VENDITA, false, QStringLiteral("Testo condizioni di vendita"),
               QStringLiteral("Condizioni di vendita del sito, per lingua")),
     OrderText(ID_NOTIFICA_CLIENTE, true, QStringLiteral("Testo notifica cliente"),
               QStringLiteral("Testo aggiunto alla mail di conferma dell'ordine al cliente, per lingua"))});

} // namespace
