#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "exchange/tests/ExchangeProject.h"
#include "platform/testing/QtPrinters.h"
#include "platform/testing/TempFolder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

namespace {

// tinda starts on a project whose outside data waits for import; the
// merchant says Yes and, while the import's script is stuck in a loop,
// closes the main window. The import stops, the opening stops, the start
// answers that the program ends, and the project's lock is free again.
TEST(AutomaticImportAtStart, ClosingTheMainWindowStopsTheImportAndEndsTheProgram)
{
    TempFolder settingsFolder;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.Path());
    ExchangeProject project;
    QDir().mkpath(project.Folder() + "/website");
    project.CopySample("gprodotti.txt", project.Exchange() + "/gprodotti.txt");
    project.WriteScript("import.js", "function ApriSessioneImport() { return QTR.InizializzaFiles(); }\n"
                                     "function ImportaRecord() {\n"
                                     "    QTR.ScriviNuovoFileExport('iniziato.txt', 'x');\n"
                                     "    while (true) {}\n"
                                     "}\n");
    const QByteArray before = project.DatabaseBytes();
    CMessageBoxScript boxes;   // Yes to the offer of the import

    CTindaApp app;
    app.m_strInstallFolder = QCoreApplication::applicationDirPath();
    app.m_strStartProject = project.Folder();
    bool closed = false;
    auto* timer = new QTimer(&app);
    QObject::connect(timer, &QTimer::timeout, &app, [&] {
        if (closed || !QFile::exists(project.Exchange() + "/iniziato.txt"))
            return;
        closed = true;
        app.GetMainFrame()->close();
    });
    timer->start(20);

    EXPECT_FALSE(app.InitInstance());
    EXPECT_TRUE(closed);
    EXPECT_FALSE(app.m_bProjectOpen);
    EXPECT_TRUE(app.GetMainFrame()->IsClosed());
    // The program is ending: the import's own last word is not shown.
    EXPECT_EQ(boxes.LastText(), "Sono disponibili dati esterni da importare\n\nVuoi farlo ora?");
    EXPECT_EQ(project.DatabaseBytes(), before);
    EXPECT_FALSE(QFile::exists(project.Folder() + "/db/tempdb.mdb"));
    QLockFile lock(project.Folder() + "/db/tinda.lock");
    EXPECT_TRUE(lock.tryLock(0));
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(window->isVisible()) << window->windowTitle().toStdString();
}

} // namespace
