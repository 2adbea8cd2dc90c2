// The demo shop's category page run in process by a page thread of the
// shop server (its shop worker: Session, page, reply), without sockets:
// what one page costs in CPU, for a new visitor (no cookies: his Session
// starts with the page) and for a returning one (he sends back the cookies
// his first page gave). The yardstick is the same page's bytes copied out
// of memory, the least a server could do to answer with it. Prints CPU
// time per page and pages per second, min / median / max of the runs, cold
// (the first page of a new page thread: its engine, the compiled page, the
// shop's kept rows) and warm.
//
//   bench_shop_pages [google benchmark options]
//   bench_shop_pages --profile new|returning PAGES
// runs that many pages on one warm page thread and nothing else, for a
// profiler (valgrind --tool=callgrind --toggle-collect='CShopWorker::Answer*').

#include "bench/figures/CBenchReporter.h"
#include "platform/ado/CAdoConnectionPool.h"
#include "server/core/CacheNegozio.h"
#include "server/core/Qtr50Library.h"
#include "server/demo/DemoShopMaker.h"
#include "server/host/CHostConfig.h"
#include "server/host/CHostLog.h"
#include "server/host/CHostRequest.h"
#include "server/host/CPageVisit.h"
#include "server/host/CShopSite.h"
#include "server/host/CShopWorker.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <ctime>
#include <memory>

namespace {

const QString kPage = QStringLiteral("/categoria.asp");
const QByteArray kTarget = "/categoria.asp?IDCategoria=2";

double ThreadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// The demo shop in a temporary folder, served by one shop site.
class Shop
{
public:
    Shop()
    {
        DemoShopMaker::Make(DemoShopMaker::Installed(QCoreApplication::applicationDirPath()), Folder());
        const QString ini = m_dir.filePath(QStringLiteral("qtr50d.ini"));
        QFile file(ini);
        file.open(QIODevice::WriteOnly);
        file.write("[server]\nport=8080\n[shop]\nfolder=" + Folder().toUtf8() + "\nlocale=it_IT\n");
        file.close();
        QString error;
        if (!m_config.Load(ini, error) || !m_log.Open(QString(), QString(), error))
            qFatal("%s", qPrintable(error));
        m_site = std::make_unique<CShopSite>(m_config.shops.first(), m_config.stateFolder,
                                             m_config.sessionTimeoutMinutes, m_config.maxSessions);
        m_file = QDir(Folder()).filePath(QStringLiteral("categoria.asp"));
    }
    QString Folder() const { return m_dir.filePath(QStringLiteral("shop")); }

    // A new page thread's worker for the shop.
    std::unique_ptr<CShopWorker> Worker() { return std::make_unique<CShopWorker>(*m_site, m_config, m_log); }

    CHostReply Answer(CShopWorker& worker, const QByteArray& cookies) const
    {
        CHostRequest request;
        request.method = "GET";
        request.target = kTarget;
        request.version = "HTTP/1.1";
        request.headers = {{"Host", "127.0.0.1"}, {"User-Agent", "bench"}};
        if (!cookies.isEmpty())
            request.headers.append({"Cookie", cookies});
        request.peerAddress = QStringLiteral("127.0.0.1");
        CPageVisit visit;
        visit.remoteAddress = request.peerAddress;
        visit.hostName = QStringLiteral("127.0.0.1");
        visit.serverPort = 8080;
        return worker.Answer(request, visit, m_file, kPage);
    }

    // The cookies a visitor sends back after this reply.
    static QByteArray CookiesOf(const CHostReply& reply)
    {
        QByteArray cookies;
        for (const auto& [name, value] : reply.headers)
            if (name.compare("Set-Cookie", Qt::CaseInsensitive) == 0)
                cookies += (cookies.isEmpty() ? "" : "; ") + value.left(value.indexOf(';'));
        return cookies;
    }

private:
    QTemporaryDir m_dir;
    CHostConfig m_config;
    CHostLog m_log;
    std::unique_ptr<CShopSite> m_site;
    QString m_file;
};

Shop& TheShop()
{
    static Shop shop;
    return shop;
}

bool Listed(const CHostReply& reply) { return reply.status == 200 && reply.body.contains("Servizio di piatti blu lago"); }

void Record(benchmark::State& state, double cpuSeconds)
{
    state.counters["pages/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["cpu_us"] = cpuSeconds * 1e6 / double(state.iterations());
}

// The first page of a new page thread, then the pages after it.
void Pages(benchmark::State& state, bool returning, bool cold)
{
    Shop& shop = TheShop();
    std::unique_ptr<CShopWorker> worker = cold ? nullptr : shop.Worker();
    QByteArray cookies;
    if (worker) {
        const CHostReply first = shop.Answer(*worker, {});
        cookies = returning ? Shop::CookiesOf(first) : QByteArray();
        if (!Listed(first)) {
            state.SkipWithError("the category page does not list its products");
            return;
        }
    }
    double cpu = 0;
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            worker.reset();
            worker = shop.Worker();
            state.ResumeTiming();
        }
        const double start = ThreadCpuSeconds();
        const CHostReply reply = shop.Answer(*worker, cookies);
        cpu += ThreadCpuSeconds() - start;
        if (!Listed(reply)) {
            state.SkipWithError("the category page does not list its products");
            break;
        }
    }
    Record(state, cpu);
}

void BM_NewVisitor(benchmark::State& state) { Pages(state, false, false); }
void BM_ReturningVisitor(benchmark::State& state) { Pages(state, true, false); }
void BM_NewVisitorCold(benchmark::State& state) { Pages(state, false, true); }

// The yardstick: the page's bytes, copied.
void BM_CopyOfThePage(benchmark::State& state)
{
    Shop& shop = TheShop();
    std::unique_ptr<CShopWorker> worker = shop.Worker();
    const QByteArray page = shop.Answer(*worker, {}).body;
    double cpu = 0;
    for (auto _ : state) {
        const double start = ThreadCpuSeconds();
        QByteArray copy(page.constData(), page.size());
        benchmark::DoNotOptimize(copy.data());
        cpu += ThreadCpuSeconds() - start;
    }
    Record(state, cpu);
}

// Pages for a profiler: the first page (which makes the engine) is left out
// of the count when the profiler collects inside Answer only from the
// second one on; callers divide by PAGES.
int Profile(const QString& kind, int pages)
{
    Shop& shop = TheShop();
    std::unique_ptr<CShopWorker> worker = shop.Worker();
    const CHostReply first = shop.Answer(*worker, {});
    const QByteArray cookies = kind == QLatin1String("returning") ? Shop::CookiesOf(first) : QByteArray();
    for (int i = 0; i < pages; ++i)
        if (!Listed(shop.Answer(*worker, cookies)))
            return 1;
    std::printf("%d pages for a %s visitor\n", pages, qPrintable(kind));
    return 0;
}

BENCHMARK(BM_NewVisitor)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_ReturningVisitor)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_NewVisitorCold)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_CopyOfThePage)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(0.5);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);   // the demo shop's pictures are drawn
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    Qtr50EnsureLoaded();
    CAdoConnectionPool::SetEnabled(true);
    CacheNegozio::SetEnabled(true);
    if (argc == 4 && QByteArray(argv[1]) == "--profile")
        return Profile(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt());
    std::vector<char*> arguments = CBenchReporter::Arguments(argc, argv);
    int count = int(arguments.size()) - 1;
    benchmark::Initialize(&count, arguments.data());
    CBenchFigures figures;
    CBenchReporter reporter(figures, [](const benchmark::BenchmarkReporter::Run& run, CBenchFigures& kept) {
        const std::string name = CBenchReporter::BaseName(run);
        const double seconds = CBenchReporter::SecondsPerIteration(run);
        if (seconds > 0)
            kept.Add(name + " rate", 1.0 / seconds);
        const auto cpu = run.counters.find("cpu_us");
        if (cpu != run.counters.end())
            kept.Add(name + " cpu", cpu->second.value);
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\nthe demo shop's category page, in process; min / median / max\n");
    figures.PrintSeries("new visitor, CPU", "BM_NewVisitor cpu", "%.0f", "us a page (target 700)");
    figures.PrintSeries("returning visitor, CPU", "BM_ReturningVisitor cpu", "%.0f", "us a page (target 500)");
    figures.PrintSeries("new visitor, a new page thread's first page (cold), CPU", "BM_NewVisitorCold cpu", "%.0f",
                        "us a page");
    figures.PrintSeries("new visitor", "BM_NewVisitor rate", "%.0f", "pages/s");
    figures.PrintSeries("returning visitor", "BM_ReturningVisitor rate", "%.0f", "pages/s");
    figures.PrintSeries("copy of the page", "BM_CopyOfThePage cpu", "%.2f", "us");
    figures.PrintRatio("new visitor : copy of the page (rate)", "BM_NewVisitor rate", "BM_CopyOfThePage rate");
    figures.PrintRatio("returning visitor : copy of the page (rate)", "BM_ReturningVisitor rate",
                       "BM_CopyOfThePage rate");
    return 0;
}
