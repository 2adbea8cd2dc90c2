// Pictures of the orders desk on a project with downloaded orders.

#include "desktop/orders/COrdiniView.h"
#include "desktop/orders/testing/OrdersFixture.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CGridCtrl.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTextStream>
#include <QThread>

namespace {

void Save(QWidget& widget, const QString& path)
{
    widget.show();
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
    widget.grab().save(path);
    QTextStream(stdout) << path << "\n";
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QDir().mkpath(out);
    OrdersFixture project;
    project.Db().Execute(QStringLiteral("UPDATE OrdiniDettaglio SET QuantitaEvasa=Quantita WHERE ID=1"));
    COrdiniView view(project.Db(), project.Folder(), QStringLiteral("it"));
    view.resize(820, 680);
    Save(view, out + QStringLiteral("/ordini-generale.png"));
    view.Tabs()->setCurrentIndex(1);
    Save(view, out + QStringLiteral("/ordini-cliente.png"));
    view.Tabs()->setCurrentIndex(3);
    Save(view, out + QStringLiteral("/ordini-stato.png"));
    view.OnViewCommand(ID_RECORD_NEXT);
    view.Tabs()->setCurrentIndex(0);
    Save(view, out + QStringLiteral("/ordini-contrassegno.png"));
    return 0;
}
