// The orders view on 10,000 downloaded orders of three lines each: the
// time from the command (the view made) to the first order shown, and of
// one step to the next order, cold (the first view on a database just
// opened) and warm (another view right after, on the same connection).
// Beside it the yardstick: plain QSqlQuery reading what the view needs to
// show an order and step on (the orders' keys, the order's row, its lines
// and its customer), the fastest honest way. Each is run several times;
// min, median and max are printed, with the ratio of the medians.
// Target: under 300 ms each.

#include "desktop/orders/COrdiniView.h"
#include "desktop/orders/COrdiniViewCore.h"
#include "desktop/orders/testing/OrdersFixture.h"
#include "desktop/shell/app/TindaCommandIds.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kOrders = 10000;
constexpr int kRuns = 5;

struct Project : OrdersFixture
{
    Project()
    {
        Db().BeginTrans();
        for (int i = 0; i < kOrders; ++i) {
            const qint32 id = 1000000100 + i;
            Db().Execute(QStringLiteral("INSERT INTO Ordini (ID, NumOrdine, IDCliente, Nome, Cognome, Data, Ora, "
                                        "CodiceLingua, SpeseSpedizione, IVASpedizioni, TipoPagamento, Stati) "
                                        "VALUES (?, ?, 10, 'Mario', 'Rossi', '2024-03-10 00:00:00', "
                                        "'1899-12-30 10:15:00', 'it', 7.5, 22, 'Bonifico', "
                                        "'10/03/2024#10:15#Ricevuto|')"),
                         {id, QStringLiteral("202403%1").arg(id)});
            for (int line = 0; line < 3; ++line)
                Db().Execute(QStringLiteral("INSERT INTO OrdiniDettaglio (ID, IDOrdine, CodiceProdotto, Descrizione, "
                                            "Prezzo, Quantita, QuantitaEvasa, Iva, IDColore) "
                                            "VALUES (?, ?, 'P1', 'Prodotto', 12.5, 2, 1, 22, 7)"),
                             {100 + i * 3 + line, id});
        }
        Db().CommitTrans();
    }
};

struct Times
{
    std::vector<double> open, step;
};

struct Figures
{
    double min, median, max;
};

Figures Of(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2], ms.back()};
}

double Elapsed(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

// The view as the command makes it: shown, first order filled in; then
// the record button "next".
void TimeView(CDaoDatabase& db, const QString& folder, Times& times)
{
    std::unique_ptr<COrdiniView> view;
    times.open.push_back(Elapsed([&] {
        view = std::make_unique<COrdiniView>(db, folder, QStringLiteral("it"));
        view->show();
        QApplication::processEvents();
    }));
    times.step.push_back(Elapsed([&] {
        view->OnViewCommand(ID_RECORD_NEXT);
        QApplication::processEvents();
    }));
    if (view->Core().IsEmpty() || view->Core().Righe().isEmpty())
        std::fprintf(stderr, "no order shown\n");
}

int ReadOrder(QSqlDatabase db, qint32 id)
{
    int values = 0;
    QSqlQuery order(db);
    order.prepare(QStringLiteral("SELECT * FROM Ordini WHERE ID=?"));
    order.addBindValue(id);
    order.exec();
    qint32 customer = 0;
    if (order.next()) {
        customer = order.value(QStringLiteral("IDCliente")).toInt();
        for (int c = 0; c < order.record().count(); ++c)
            values += !order.value(c).isNull();
    }
    QSqlQuery lines(db);
    lines.prepare(QStringLiteral("SELECT * FROM OrdiniDettaglio WHERE IDOrdine=? ORDER BY ID"));
    lines.addBindValue(id);
    lines.exec();
    while (lines.next())
        values += lines.record().count();
    QSqlQuery client(db);
    client.prepare(QStringLiteral("SELECT * FROM Clienti WHERE ID=?"));
    client.addBindValue(customer);
    client.exec();
    while (client.next())
        values += client.record().count();
    return values;
}

void TimeYardstick(QSqlDatabase db, Times& times)
{
    std::vector<qint32> keys;
    times.open.push_back(Elapsed([&] {
        QSqlQuery ids(db);
        ids.setForwardOnly(true);
        ids.exec(QStringLiteral("SELECT ID FROM Ordini ORDER BY ID"));
        while (ids.next())
            keys.push_back(ids.value(0).toInt());
        ReadOrder(db, keys.front());
    }));
    times.step.push_back(Elapsed([&] { ReadOrder(db, keys.at(1)); }));
}

void Print(const char* what, const std::vector<double>& view, const std::vector<double>& yardstick)
{
    const Figures v = Of(view);
    const Figures y = Of(yardstick);
    std::printf("%-12s view %7.1f %7.1f %7.1f   yardstick %6.2f %6.2f %6.2f   ratio %6.1f\n", what, v.min, v.median,
                v.max, y.min, y.median, y.max, v.median / y.median);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    Project project;
    const QString file = project.Db().GetName();
    project.Db().Close();

    Times coldView, warmView, coldYard, warmYard;
    for (int run = 0; run < kRuns; ++run) {
        // Cold: a connection just opened, its page cache empty.
        CDaoDatabase db;
        db.Open(file);
        TimeView(db, project.Folder(), coldView);
        TimeView(db, project.Folder(), warmView);
        db.Close();

        const QString name = QStringLiteral("yardstick%1").arg(run);
        {
            QSqlDatabase plain = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            plain.setDatabaseName(file);
            plain.open();
            TimeYardstick(plain, coldYard);
            TimeYardstick(plain, warmYard);
            plain.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
    project.Db().Open(file);

    std::printf("\n%d orders of 3 lines, %d runs, ms: min median max (target < 300 ms)\n", kOrders, kRuns);
    Print("open cold", coldView.open, coldYard.open);
    Print("open warm", warmView.open, warmYard.open);
    Print("next cold", coldView.step, coldYard.step);
    Print("next warm", warmView.step, warmYard.step);
    const bool met = Of(coldView.open).max < 300 && Of(coldView.step).max < 300;
    std::printf("%s\n", met ? "target met" : "TARGET MISSED");
    return 0;
}
