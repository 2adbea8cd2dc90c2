// The members' login refused, on SQLite: a wrong password for a user ID
// that exists and any password for one that does not. Both must cost the
// same (a hash is checked either way), so that the time of a refusal tells
// nobody which user IDs exist; and a login refused during a pause after
// failed logins must cost next to nothing (no page thread waits). Prints
// the mean time of each, min / median / max of the runs.

#include "server/core/QtrTentativiAccesso.h"
#include "server/core/testing/CQtrTestShop.h"
#include "server/members/AreaRiservata.h"

#include "platform/password/CPasswordHash.h"
#include "bench/figures/CBenchReporter.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <cstdio>
#include <memory>

namespace {

std::unique_ptr<CQtrTestShop> g_shop;

CQtrTestShop& Shop()
{
    if (!g_shop) {
        g_shop = std::make_unique<CQtrTestShop>(CAdoConnection::SQLite);
        g_shop->Insert("Clienti", {{"ID", 10}, {"UserID", "anna"}, {"Password", CPasswordHash::Hash("Lago-2024")},
                                   {"TipoUtente", 1}, {"IDGruppo", 0}, {"IDAgente", 0}});
        g_shop->Host().Session().SetValue("DbPath", g_shop->DbFolder());
    }
    return *g_shop;
}

bool Accesso(const QString& user, int n)
{
    auto page = Shop().NewPage();
    page->TestRequest().SetMethod("POST");
    page->TestRequest().AddForm("UserID", user);
    page->TestRequest().AddForm("Password", "no");
    // Each try from an address of its own, so only the pause under test acts.
    page->TestRequest().SetServerVariable("REMOTE_ADDR", QStringLiteral("10.%1.%2.1").arg(n / 250).arg(n % 250));
    return page->Create<AreaRiservata>("QTR50.AreaRiservata")->ValidazioneUtente();
}

void Refusal(benchmark::State& state, const QString& user, bool paused)
{
    int n = 0;
    for (auto _ : state) {
        if (!paused)
            QtrTentativiAccesso::Membri().Dimentica();
        benchmark::DoNotOptimize(Accesso(user, paused ? 0 : ++n));
    }
}

void BM_KnownUserWrongPassword(benchmark::State& state) { Refusal(state, "anna", false); }
void BM_UnknownUser(benchmark::State& state) { Refusal(state, "nessuno", false); }
void BM_PausedUser(benchmark::State& state)
{
    QtrTentativiAccesso::Membri().Dimentica();
    for (int i = 0; i < 5; ++i)
        Accesso("anna", 100000 + i);
    Refusal(state, "anna", true);
}

BENCHMARK(BM_KnownUserWrongPassword)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_UnknownUser)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_PausedUser)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::vector<char*> arguments = CBenchReporter::Arguments(argc, argv);
    int count = int(arguments.size()) - 1;
    benchmark::Initialize(&count, arguments.data());
    CBenchFigures figures;
    CBenchReporter reporter(figures, [](const benchmark::BenchmarkReporter::Run& run, CBenchFigures& kept) {
        kept.Add(CBenchReporter::BaseName(run), CBenchReporter::SecondsPerIteration(run) * 1e3);
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    g_shop.reset();
    std::printf("\nmean time of a refusal, min / median / max\n");
    figures.PrintSeries("known user, wrong password", "BM_KnownUserWrongPassword", "%.2f", "ms");
    figures.PrintSeries("unknown user", "BM_UnknownUser", "%.2f", "ms");
    figures.PrintSeries("during a pause", "BM_PausedUser", "%.3f", "ms");
    figures.PrintRatio("unknown : known user", "BM_UnknownUser", "BM_KnownUserWrongPassword");
    return 0;
}
