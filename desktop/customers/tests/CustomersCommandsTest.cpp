// The customers desk's commands as tinda runs them: registered by the
// library, in the menus, each opening its view on the open project under
// its title; the customers view refuses to close while inserting.

#include "desktop/customers/CGruppiView.h"
#include "desktop/customers/CInteressiView.h"
#include "desktop/customers/CMailingView.h"
#include "desktop/customers/CPermessiView.h"
#include "desktop/customers/CSSpedizioneView.h"
#include "desktop/customers/CUtentiView.h"
#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/app/testing/CTindaTestProject.h"
#include "desktop/shell/controls/CMessageBoxScript.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <gtest/gtest.h>

namespace {

template <typename View>
bool Opens(CMainFrame* frame, int id, const QString& title)
{
    if (!frame->RunCommand(id))
        return false;
    const bool ok = dynamic_cast<View*>(frame->GetActiveView())
                    && frame->GetMdiArea()->activeSubWindow()->windowTitle() == title;
    return frame->CloseEditors() && ok;
}

TEST(CustomersCommandsTest, TheCustomersDeskOpensFromTindasMenus)
{
    CTindaTestProject project;
    ASSERT_TRUE(project.Create());
    CMessageBoxScript& boxes = project.Boxes();
    project.Execute(QStringLiteral("INSERT INTO Clienti (ID, Cognome, TipoUtente) VALUES (5, 'Rossi', 1)"));

    CTindaApp app;
    ASSERT_TRUE(project.Start(app)) << boxes.LastText().toStdString();
    CMainFrame* frame = app.GetMainFrame();
    for (int id : {ID_UTENTI, ID_GRUPPI, ID_PERMESSI, ID_INTERESSI, ID_SPESE_SPEDIZIONE, ID_MAILING_LIST}) {
        ASSERT_TRUE(frame->GetAction(id)) << id;
        EXPECT_TRUE(frame->GetAction(id)->isEnabled()) << id;
    }
    EXPECT_TRUE(Opens<CGruppiView>(frame, ID_GRUPPI, QStringLiteral("Archivio gruppi")));
    EXPECT_TRUE(Opens<CPermessiView>(frame, ID_PERMESSI, QStringLiteral("Permessi visualizzazione")));
    EXPECT_TRUE(Opens<CInteressiView>(frame, ID_INTERESSI, QStringLiteral("Interessi Utenti")));
    EXPECT_TRUE(Opens<CSSpedizioneView>(frame, ID_SPESE_SPEDIZIONE, QStringLiteral("Spese di spedizione")));
    EXPECT_TRUE(Opens<CMailingView>(frame, ID_MAILING_LIST, QStringLiteral("Invio mailing list")));

    ASSERT_TRUE(frame->RunCommand(ID_UTENTI));
    auto* users = dynamic_cast<CUtentiView*>(frame->GetActiveView());
    ASSERT_TRUE(users);
    EXPECT_EQ(frame->GetMdiArea()->activeSubWindow()->windowTitle(), QStringLiteral("Archivio utenti"));
    EXPECT_EQ(users->Core().CurrentID(), 5);
    ASSERT_TRUE(frame->RunCommand(ID_RECORD_INSERT));
    EXPECT_TRUE(users->Core().IsInserting());
    EXPECT_FALSE(frame->CloseEditors());
    EXPECT_EQ(boxes.LastText(), QStringLiteral("ATTENZIONE: annullare l'inserimento in corso prima di uscire."));
    ASSERT_TRUE(frame->RunCommand(ID_RECORD_INSERT));   // "Confermi ?" answered Yes
    EXPECT_FALSE(users->Core().IsInserting());
    ASSERT_TRUE(frame->CloseEditors());
    app.ExitInstance();
}

} // namespace
