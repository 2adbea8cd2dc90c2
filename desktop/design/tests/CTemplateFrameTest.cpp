// The template editor as the merchant opens it from tinda's menu: the
// editor's menus and tool bar in place of the main ones, the tree of the
// project's graphic project, and the shop database as it was once the
// window closes.

#include "desktop/design/CConfModelloCore.h"
#include "desktop/design/CConfModelloView.h"
#include "desktop/design/CGraphicProjectFiles.h"
#include "desktop/design/CTemplateFrame.h"
#include "desktop/design/tests/GraphicProjectFixture.h"
#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/testing/TempFolder.h"

#include <QAction>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

QByteArray Digest(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
}

QStringList Titles(QMenuBar* bar)
{
    QStringList titles;
    for (QAction* action : bar->actions())
        titles << action->text();
    return titles;
}

TEST(TemplateFrameTest, OpensOverTheProjectAndPutsEverythingBackWhenClosed)
{
    TempFolder settings;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.Path());
    CMessageBoxScript boxes;
    GraphicProjectFixture graphic;
    TempFolder temp;
    const QString project = temp.Path() + "/negozio";

    CTindaApp app;
    app.m_strInstallFolder = QCoreApplication::applicationDirPath();
    app.m_strStartProject = project;
    ASSERT_TRUE(app.InitInstance());
    ASSERT_TRUE(app.m_bProjectOpen) << boxes.LastText().toStdString();
    graphic.Checkpoint();
    QFile::remove(project + "/db/progettografico.mdb");
    ASSERT_TRUE(QFile::copy(graphic.ProjectFolder() + "db/progettografico.mdb", project + "/db/progettografico.mdb"));
    app.m_db.Checkpoint();
    const QString database = project + "/db/database.mdb";
    const QByteArray before = Digest(database);

    CMainFrame* main = app.GetMainFrame();
    const QStringList mainMenus = Titles(main->menuBar());
    ASSERT_TRUE(main->RunCommand(ID_PROGETTAZIONE_MODELLO)) << boxes.LastText().toStdString();
    auto* frame = qobject_cast<CTemplateFrame*>(main->GetMdiArea()->subWindowList().value(0));
    ASSERT_TRUE(frame) << boxes.LastText().toStdString();
    EXPECT_EQ(frame->windowTitle(), "Progettazione modello grafico");
    EXPECT_TRUE(app.m_bViewOpen);
    EXPECT_TRUE(QFile::exists(project + "/db/backup.mdb"));
    EXPECT_TRUE(main->GetTemplateToolBar()->isVisibleTo(main));
    EXPECT_FALSE(main->GetToolBar()->isVisibleTo(main));
    EXPECT_EQ(Titles(main->menuBar()), (QStringList{"&File", "&Modifica", "&Inserisci"}));

    // The tree's selection decides what the menu offers.
    CConfModelloView* tree = frame->TreeView();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    tree->setCurrentItem(tree->FindItemById(20));
    EXPECT_TRUE(main->GetAction(ID_INSERISCI_COLONNA)->isEnabled());
    EXPECT_FALSE(main->GetAction(ID_INSERISCI_BLOCCO)->isEnabled());
    EXPECT_TRUE(main->GetAction(ID_ESPORTA_PROGETTO_GRAFICO)->isEnabled());
    EXPECT_EQ(main->GetAction(ID_INSERISCI_COLONNA)->text(), "&Colonna");
    EXPECT_TRUE(main->RunCommand(ID_INSERISCI_COLONNA));
    EXPECT_EQ(tree->currentItem()->text(0), "Nuova colonna");

    // "Nuovo" asks first; No leaves the graphic project alone.
    boxes.Answer(QMessageBox::No);
    EXPECT_TRUE(main->RunCommand(ID_NUOVO_PROGETTO_GRAFICO));
    EXPECT_EQ(boxes.Shown().last().caption, "Nuovo progetto grafico");
    EXPECT_EQ(boxes.Shown().last().text,
              "ATTENZIONE: questa operazione cancella il progetto grafico corrente. Vuoi continuare?");
    EXPECT_TRUE(frame->TreeView()->Core().HasGraphicProject());

    // Import and export stop at a cancelled file dialog; export proposes
    // the archive's name.
    boxes.Answer(QMessageBox::Yes);
    bool asked = false;
    frame->m_chooseImportFile = [&] {
        asked = true;
        return QString();
    };
    EXPECT_TRUE(main->RunCommand(ID_IMPORTA_PROGETTO_GRAFICO));
    EXPECT_TRUE(asked);
    EXPECT_EQ(boxes.Shown().last().caption, "Importa progetto grafico");
    QString proposed = "(not asked)";
    frame->m_chooseExportFile = [&](const QString& name) {
        proposed = name;
        return QString();
    };
    EXPECT_TRUE(main->RunCommand(ID_ESPORTA_ANTEPRIMA));
    EXPECT_EQ(proposed, CGraphicProjectFiles(app.m_strInstallFolder + "/", app.m_strProjectFolder).ProposedArchiveName());
    EXPECT_TRUE(tree->Core().HasGraphicProject());
    EXPECT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_NE(tree->FindItemById(51), nullptr) << "the column inserted above";

    // What the previewed pages write is gone when the editor closes.
    {
        CDaoDatabase db;
        db.Open(database);
        db.Execute("INSERT INTO Ordini (ID, NumOrdine, IDCliente, Nome) VALUES (1000000077, 'T7', 0, 'Prova')");
        db.Close();
    }
    ASSERT_TRUE(frame->close());
    EXPECT_FALSE(app.m_bViewOpen);
    EXPECT_EQ(Digest(database), before);
    EXPECT_FALSE(QFile::exists(project + "/db/backup.mdb"));
    EXPECT_TRUE(main->GetToolBar()->isVisibleTo(main));
    EXPECT_FALSE(main->GetTemplateToolBar()->isVisibleTo(main));
    EXPECT_EQ(Titles(main->menuBar()), mainMenus);
    EXPECT_TRUE(main->GetAction(ID_PROGETTAZIONE_MODELLO)->isEnabled());
    app.ExitInstance();
}

} // namespace
