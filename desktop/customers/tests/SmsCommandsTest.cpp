// "Credito SMS" as tinda runs it: registered by the customers desk's
// library, in the menu, opening its dialog on the open project.

#include "desktop/customers/CCreditoSMSDlg.h"
#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/app/testing/CTindaTestProject.h"
#include "desktop/shell/controls/CMessageBoxScript.h"

#include <QAction>
#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(SmsCommandsTest, CreditoSmsOpensItsDialogFromTheMenu)
{
    CTindaTestProject project;
    ASSERT_TRUE(project.Create());
    CMessageBoxScript& boxes = project.Boxes();

    CTindaApp app;
    ASSERT_TRUE(project.Start(app)) << boxes.LastText().toStdString();
    CMainFrame* frame = app.GetMainFrame();
    ASSERT_TRUE(frame->GetAction(ID_CREDITO_SMS));
    EXPECT_TRUE(frame->GetAction(ID_CREDITO_SMS)->isEnabled());

    // The new project has no shop account yet: the dialog opens with an
    // empty line and asks nothing.
    QString title;
    QString line = QStringLiteral("not shown");
    QTimer::singleShot(300, [&] {
        if (auto* dialog = qobject_cast<CCreditoSMSDlg*>(QApplication::activeModalWidget())) {
            title = dialog->windowTitle();
            line = dialog->Text();
            dialog->accept();
        }
    });
    ASSERT_TRUE(frame->RunCommand(ID_CREDITO_SMS));
    EXPECT_EQ(title, QStringLiteral("Credito SMS"));
    EXPECT_EQ(line, QString());
    EXPECT_TRUE(boxes.Shown().isEmpty());
    app.ExitInstance();
}

} // namespace
