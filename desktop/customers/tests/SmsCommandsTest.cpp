// "Credito SMS" as tinda runs it: registered by the customers desk's
// library, in the menu, opening its dialog on the open project.

#include "desktop/customers/CCreditoSMSDlg.h"
#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/app/testing/COpenProjectUi.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "platform/testing/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(SmsCommandsTest, CreditoSmsOpensItsDialogFromTheMenu)
{
    TempFolder settings;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.Path());
    CMessageBoxScript boxes;
    TempFolder temp;
    const QString folder = temp.Path() + QStringLiteral("/negozio");
    QDir().mkpath(folder + QStringLiteral("/db"));
    QDir().mkpath(folder + QStringLiteral("/website/images"));
    const QString path = folder + QStringLiteral("/db/database.mdb");
    ASSERT_TRUE(QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/db/database.mdb"), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);

    CTindaApp app;
    app.m_strInstallFolder = QCoreApplication::applicationDirPath();
    app.SetProjectUi(std::make_unique<COpenProjectUi>(app, folder));
    ASSERT_TRUE(app.InitInstance());
    ASSERT_TRUE(app.m_bProjectOpen) << boxes.LastText().toStdString();
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
