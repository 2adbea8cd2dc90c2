// The content commands as tinda runs them: registered by the library, in
// the menus, opening their editors on the open project; and the company
// page inside "Parametri aziendali".

#include "desktop/content/CBannerView.h"
#include "desktop/content/CChiSiamoDlg.h"
#include "desktop/content/CDizionarioView.h"
#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/app/testing/COpenProjectUi.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/settings/CParAziView.h"
#include "platform/dao/CDaoCriteria.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/testing/TempFolder.h"
#include "recordset/CChiSiamoSet.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

#include <gtest/gtest.h>

namespace {

TEST(ContentCommandsTest, TheDictionaryBannersAndCompanyPageOpenFromTindasMenus)
{
    TempFolder settings;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.Path());
    CMessageBoxScript boxes;
    TempFolder temp;
    const QString folder = temp.Path() + QStringLiteral("/negozio");
    for (const char* dir : {"/db", "/website"})
        QDir().mkpath(folder + QLatin1String(dir));
    const QString database = folder + QStringLiteral("/db/database.mdb");
    ASSERT_TRUE(QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/db/database.mdb"), database));
    QFile::setPermissions(database, QFile::ReadOwner | QFile::WriteOwner);

    CTindaApp app;
    app.m_strInstallFolder = QCoreApplication::applicationDirPath();
    app.SetProjectUi(std::make_unique<COpenProjectUi>(app, folder));
    ASSERT_TRUE(app.InitInstance());
    ASSERT_TRUE(app.m_bProjectOpen) << boxes.LastText().toStdString();
    CMainFrame* frame = app.GetMainFrame();
    ASSERT_TRUE(frame->GetAction(ID_DIZIONARIO));
    EXPECT_TRUE(frame->GetAction(ID_DIZIONARIO)->isEnabled());

    ASSERT_TRUE(frame->RunCommand(ID_DIZIONARIO));
    EXPECT_TRUE(dynamic_cast<CDizionarioView*>(frame->GetActiveView()));
    EXPECT_EQ(frame->GetMdiArea()->activeSubWindow()->windowTitle(), QStringLiteral("Dizionario"));
    ASSERT_TRUE(frame->CloseEditors());

    ASSERT_TRUE(frame->RunCommand(ID_BANNER));
    EXPECT_TRUE(dynamic_cast<CBannerView*>(frame->GetActiveView()));
    EXPECT_EQ(frame->GetMdiArea()->activeSubWindow()->windowTitle(), QStringLiteral("Banner"));
    ASSERT_TRUE(frame->GetAction(ID_CORRELAZIONI_BANNER));
    EXPECT_TRUE(frame->GetAction(ID_CORRELAZIONI_BANNER)->isEnabled());
    ASSERT_TRUE(frame->CloseEditors());

    const QString language = frame->GetCurrentLanguage();
    ASSERT_TRUE(frame->RunCommand(ID_PARAMETRI_AZIENDALI));
    auto* company = dynamic_cast<CParAziView*>(frame->GetActiveView());
    ASSERT_TRUE(company);
    company->ShowPage(1);
    auto* page = company->findChild<CChiSiamoDlg*>();
    ASSERT_TRUE(page);
    page->TextEdit()->setPlainText(QStringLiteral("Dal 1950"));
    ASSERT_TRUE(frame->CloseEditors());
    CChiSiamoSet rows(&app.m_db);
    rows.SetFilter(CDaoCriteria::Format(QStringLiteral("CodiceLingua='%s'"), {language}));
    rows.Open();
    ASSERT_FALSE(rows.IsEOF());
    EXPECT_EQ(rows.m_Testo, QStringLiteral("Dal 1950"));
    rows.Close();
    app.ExitInstance();
}

} // namespace
