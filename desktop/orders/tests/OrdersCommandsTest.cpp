// The orders desk's commands as tinda runs them: registered by the
// library, in the menus, opening their views on the open project.

#include "desktop/orders/COTPSellaView.h"
#include "desktop/orders/COrderTextView.h"
#include "desktop/orders/COrdiniView.h"
#include "desktop/orders/COrdiniViewCore.h"
#include "desktop/shell/app/CChildFrame.h"
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

TEST(OrdersCommandsTest, TheOrdersDeskOpensFromTindasMenus)
{
    CTindaTestProject project;
    ASSERT_TRUE(project.Create());
    CMessageBoxScript& boxes = project.Boxes();
    project.Execute(QStringLiteral("INSERT INTO Ordini (ID, NumOrdine, IDCliente, Nome) VALUES (1000000001, 'N1', 0, 'Ada')"));

    CTindaApp app;
    ASSERT_TRUE(project.Start(app)) << boxes.LastText().toStdString();
    CMainFrame* frame = app.GetMainFrame();
    for (int id : {ID_ARCHIVIO_ORDINI, ID_CONDIZIONI_VENDITA, ID_NOTIFICA_CLIENTE, ID_OTP_BANCA_SELLA}) {
        ASSERT_TRUE(frame->GetAction(id)) << id;
        EXPECT_TRUE(frame->GetAction(id)->isEnabled()) << id;
    }

    ASSERT_TRUE(frame->RunCommand(ID_ARCHIVIO_ORDINI));
    auto* orders = dynamic_cast<COrdiniView*>(frame->GetActiveView());
    ASSERT_TRUE(orders);
    EXPECT_EQ(orders->Core().CurrentID(), 1000000001);
    EXPECT_EQ(frame->GetMdiArea()->activeSubWindow()->windowTitle(), QStringLiteral("Archivio ordini"));
    ASSERT_TRUE(frame->GetAction(ID_EMETTI_FATTURA));
    ASSERT_TRUE(frame->CloseEditors());

    ASSERT_TRUE(frame->RunCommand(ID_NOTIFICA_CLIENTE));
    EXPECT_TRUE(dynamic_cast<COrderTextView*>(frame->GetActiveView()));
    EXPECT_EQ(frame->GetMdiArea()->activeSubWindow()->windowTitle(), QStringLiteral("Testo notifica cliente"));
    ASSERT_TRUE(frame->CloseEditors());

    ASSERT_TRUE(frame->RunCommand(ID_OTP_BANCA_SELLA));
    EXPECT_TRUE(dynamic_cast<COTPSellaView*>(frame->GetActiveView()));
    ASSERT_TRUE(frame->CloseEditors());
    app.ExitInstance();
}

} // namespace
