// The orders view on 10,000 downloaded orders of three lines each: the
// time from the command (the view made) to the first order shown, and of
// one step to the next order, min / median / max of three runs. Target:
// under 300 ms each.

#include "desktop/orders/COrdiniView.h"
#include "desktop/orders/COrdiniViewCore.h"
#include "desktop/orders/testing/OrdersFixture.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "bench/figures/CBenchFigures.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace {

constexpr int kOrders = 10000;
CBenchFigures g_figures;

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

void BM_OrdersViewOpensAndPages(benchmark::State& state)
{
    Project project;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        COrdiniView view(project.Db(), project.Folder(), QStringLiteral("it"));
        view.show();
        QApplication::processEvents();
        const double openMs = timer.nsecsElapsed() / 1e6;
        timer.restart();
        view.OnViewCommand(ID_RECORD_NEXT);
        QApplication::processEvents();
        const double stepMs = timer.nsecsElapsed() / 1e6;
        g_figures.Add("open", openMs);
        g_figures.Add("step", stepMs);
        if (view.Core().IsEmpty() || view.Core().Righe().isEmpty())
            state.SkipWithError("no order shown");
        state.counters["open_ms"] = openMs;
        state.counters["step_ms"] = stepMs;
    }
}

BENCHMARK(BM_OrdersViewOpensAndPages)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\n%d orders, min / median / max\n", kOrders);
    g_figures.PrintSeries("view opened", "open", "%.1f", "ms (target < 300)");
    g_figures.PrintSeries("next order", "step", "%.1f", "ms (target < 300)");
    return 0;
}
