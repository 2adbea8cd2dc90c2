// The SMS commands in tinda's command table: the credit of the shop's
// account.

#include "desktop/customers/CCreditoSMSDlg.h"
#include "desktop/shell/app/CCommandRegistrar.h"
#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"

namespace {

CCommandInfo CreditoSms()
{
    CCommandInfo info;
    info.nId = ID_CREDITO_SMS;
    info.strPrompt = QStringLiteral("Credito SMS disponibile sul server del sito");
    info.run = [] {
        CTindaApp* app = TindaApp();
        CCreditoSMSDlg dialog(app->m_db, app->GetMainFrame());
        dialog.exec();
    };
    return info;
}

const CCommandRegistrar s_smsCommands({CreditoSms()});

} // namespace
