// Pictures of the orders desk on a project with downloaded orders.

#include "desktop/orders/COrdinePrinter.h"
#include "desktop/orders/COrdineStampa.h"
#include "desktop/orders/COTPSellaView.h"
#include "desktop/orders/COrdiniView.h"
#include "desktop/orders/CStatiPredefinitiDlg.h"
#include "desktop/orders/testing/OrdersFixture.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CGridCtrl.h"

#include <QApplication>
#include <QDir>
#include <QPdfWriter>
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
    {
        CStatiPredefinitiDlg states(project.Db(), QStringLiteral("it"), QStringLiteral("it"));
        states.resize(420, 360);
        Save(states, out + QStringLiteral("/stati-predefiniti.png"));
    }
    {
        COTPSellaView otp(project.Db());
        Save(otp, out + QStringLiteral("/otp-banca-sella.png"));
    }
    // The invoice and the label of the first order, as PDF (pdftoppm turns them into pictures).
    project.Db().Execute(QStringLiteral("UPDATE Ordini SET NumeroFattura=5, DataFattura='2024-03-12 09:00:00'"));
    const std::pair<const char*, bool> documents[] = {{"/fattura.pdf", false}, {"/etichetta.pdf", true}};
    for (const auto& [name, label] : documents) {
        QPdfWriter writer(out + QLatin1String(name));
        writer.setResolution(300);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        COrdinePrinter printer(project.Folder());
        if (label)
            printer.PrintLabel(writer, COrdineStampa::Etichetta(project.Db(), OrdersFixture::kFirst));
        else
            printer.PrintInvoice(writer, COrdineStampa::Fattura(project.Db(), OrdersFixture::kFirst));
        QTextStream(stdout) << out << QLatin1String(name) << "\n";
    }
    return 0;
}
