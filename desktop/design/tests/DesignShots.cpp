// Pictures of the graphic template editor as a merchant sees it, for a
// person to look at: scripts/screenshot-design.sh runs this under a virtual
// X server and writes the PNGs to a folder.
#include "desktop/design/CConfModelloView.h"
#include "desktop/design/CTemplateFrame.h"
#include "desktop/design/tests/GraphicProjectFixture.h"
#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "platform/testing/TempFolder.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>

#include <cstdio>

namespace {

void Settle(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

void Save(QWidget* widget, const QString& path)
{
    widget->grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp");
    CMessageBoxScript boxes;
    GraphicProjectFixture graphic;
    TempFolder temp;
    const QString project = temp.Path() + QStringLiteral("/negozio");

    CTindaApp tinda;
    tinda.m_strInstallFolder = QCoreApplication::applicationDirPath();
    tinda.m_strStartProject = project;
    if (!tinda.InitInstance())
        return 1;
    graphic.Checkpoint();
    QFile::remove(project + QStringLiteral("/db/progettografico.mdb"));
    QFile::copy(graphic.ProjectFolder() + QStringLiteral("db/progettografico.mdb"),
                project + QStringLiteral("/db/progettografico.mdb"));
    // A home page for the preview pane; the installation's starting pages
    // are not part of this picture.
    QFile home(project + QStringLiteral("/website/asp/default.asp"));
    QDir().mkpath(project + QStringLiteral("/website/asp"));
    if (home.open(QIODevice::WriteOnly))
        home.write("<html><body style=\"font-family:sans-serif\"><h1>Bottega del Lago</h1>"
                   "<p>Anteprima del sito: <%= 6 * 7 %> prodotti.</p></body></html>");
    home.close();
    CMainFrame* main = tinda.GetMainFrame();
    main->resize(1180, 760);
    main->show();
    if (!main->RunCommand(ID_PROGETTAZIONE_MODELLO)) {
        std::fprintf(stderr, "%s\n", qPrintable(boxes.LastText()));
        return 1;
    }
    auto* frame = qobject_cast<CTemplateFrame*>(main->GetMdiArea()->subWindowList().value(0));
    CConfModelloView* tree = frame->TreeView();
    tree->expandAll();
    tree->setCurrentItem(tree->FindItemById(12));
    Settle(3000);
    Save(main, out + QStringLiteral("/design-editor.png"));

    // "Stili" of the selected block opens the style dialog over the editor.
    tree->setCurrentItem(tree->FindItemById(10));
    QTimer::singleShot(1500, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            Save(dialog, out + QStringLiteral("/design-stili.png"));
            dialog->reject();
        }
    });
    main->RunCommand(ID_STILI_BLOCCO);

    // The Modifica menu open, with a block on the clipboard.
    main->RunCommand(ID_COPIA_BLOCCO);
    tree->setCurrentItem(tree->FindItemById(23));
    for (QMenu* menu : frame->Menus()) {
        main->UpdateCommands();
        menu->popup(main->mapToGlobal(QPoint(40, 30)));
        Settle(300);
        Save(menu, out + QStringLiteral("/design-menu-") + menu->title().remove(QLatin1Char('&')).toLower() +
                       QStringLiteral(".png"));
        menu->hide();
    }
    frame->close();
    Settle(200);
    Save(main, out + QStringLiteral("/design-after-close.png"));
    main->close();
    tinda.ExitInstance();
    return 0;
}
