// Pages per second of a small page with one include: run in process by the
// page host (no sockets), and served by the preview server over loopback;
// beside them a static file of the same size over loopback. Then what
// keeping pages apart costs: the page's script in a new engine each time,
// in one engine hardened and put back after each script (what the page host
// does), and in one engine with no isolation at all (the yardstick). Then
// form parsing at two sizes, whose time per field should not grow. Prints
// the rates and their ratios.

#include "desktop/publishing/preview/CListenSocket.h"
#include "platform/pagehost/CGlobalAsaGate.h"
#include "platform/pagehost/CPageHost.h"
#include "platform/pagehost/CRequest.h"
#include "platform/script/ScriptEngineFactory.h"
#include "platform/pagehost/CSession.h"
#include "platform/pagehost/CVirtualFolders.h"
#include "desktop/publishing/preview/testing/CPreviewTestClient.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJSEngine>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

std::map<std::string, double> g_rates;

const QByteArray kInclude = "<div class=\"testata\"><h1><%= Session('Negozio') %></h1></div>\n";
const QByteArray kPage = "<html>\r\n<head><title>Prova</title></head>\r\n<body>\r\n"
                         "<!-- #include virtual=\"/inc/testata.inc\" -->\r\n"
                         "<% Session.Negozio = 'Bottega'; var righe = ['uno', 'due', 'tre']; %>\r\n"
                         "<ul><% for (var i = 0; i < righe.length; ++i) { %><li><%= righe[i] %></li><% } %></ul>\r\n"
                         "<p><%= Request.QueryString('id') %></p>\r\n</body>\r\n</html>\r\n";

// The site in a temporary folder: the page, its include and a static file
// as long as the page's output.
class Site
{
public:
    Site()
    {
        Write("inc/testata.inc", kInclude);
        Write("pagina.asp", kPage);
        folders.SetRootDir(Root());
        CGlobalAsaGate noGlobalAsa(false);
        CPageHost host(folders, session, noGlobalAsa);
        host.Answer(kRequest);
        const QByteArray body = host.Answer(kRequest).body;
        Write("statico.htm", body);
        pageBytes = body.size();
    }
    QString Root() const { return dir.path() + "/asp"; }

    static inline const QByteArray kRequest = "GET /pagina.asp?id=7 HTTP/1.1\r\nHost: x\r\n\r\n";
    QTemporaryDir dir;
    CVirtualFolders folders;
    CSession session;
    qsizetype pageBytes = 0;

private:
    void Write(const QString& relative, const QByteArray& content)
    {
        const QString path = Root() + "/" + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(content);
    }
};

Site& TheSite()
{
    static Site site;
    return site;
}

void Record(benchmark::State& state)
{
    state.counters["pages/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_PageInProcess(benchmark::State& state)
{
    Site& site = TheSite();
    CGlobalAsaGate noGlobalAsa(false);
    CPageHost host(site.folders, site.session, noGlobalAsa);
    for (auto _ : state) {
        CHttpReply reply = host.Answer(Site::kRequest);
        benchmark::DoNotOptimize(reply.body.data());
    }
    Record(state);
}

void OverLoopback(benchmark::State& state, const QByteArray& target)
{
    Site& site = TheSite();
    CListenSocket server;
    server.SetPort(0);
    server.SetRootDir(site.Root());
    if (server.StartListening() != 0) {
        state.SkipWithError("cannot listen");
        return;
    }
    CPreviewTestClient client(server.ServerPort());
    const QByteArray request = "GET " + target + " HTTP/1.1\r\n" + client.HostLine() + "\r\n";
    for (auto _ : state) {
        const CPreviewTestClient::Reply reply = client.Send(request);
        if (reply.status != 200) {
            state.SkipWithError("no reply");
            break;
        }
    }
    Record(state);
}

void BM_PageLoopback(benchmark::State& state) { OverLoopback(state, "/pagina.asp?id=7"); }
void BM_StaticLoopback(benchmark::State& state) { OverLoopback(state, "/statico.htm"); }

// The script a page of the bench site turns into, without its objects.
const QString kScript = QStringLiteral("var righe = ['uno', 'due', 'tre'], out = '';\n"
                                       "for (var i = 0; i < righe.length; ++i) out += '<li>' + righe[i] + '</li>';\n"
                                       "var carta = '4111-1111'; Math.ultimo = carta;\n");

void BM_ScriptFreshEngine(benchmark::State& state)
{
    for (auto _ : state) {
        QJSEngine engine;
        benchmark::DoNotOptimize(engine.evaluate(kScript).isError());
    }
    Record(state);
}

void BM_ScriptIsolatedEngine(benchmark::State& state)
{
    ScriptEngineFactory factory;
    for (auto _ : state) {
        factory.InitializeScriptEngine();
        factory.LoadScript(kScript);
        factory.UnloadScript();
    }
    Record(state);
}

void BM_ScriptSharedEngine(benchmark::State& state)
{
    QJSEngine engine;
    for (auto _ : state)
        benchmark::DoNotOptimize(engine.evaluate(kScript).isError());
    Record(state);
}

void BM_FormFields(benchmark::State& state)
{
    QByteArray body;
    for (int i = 0; i < state.range(0); ++i)
        body += (i ? "&campo" : "campo") + QByteArray::number(i) + "=valore";
    const QByteArray request = "POST /p.asp HTTP/1.1\r\nContent-Length: " + QByteArray::number(body.size())
                               + "\r\n\r\n" + body;
    CRequest parsed;
    for (auto _ : state) {
        parsed.ParseRequest(request);
        benchmark::DoNotOptimize(parsed.Form("campo1"));
    }
    state.counters["fields/s"] =
        benchmark::Counter(double(state.iterations()) * double(state.range(0)), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_ScriptFreshEngine)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_ScriptIsolatedEngine)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_ScriptSharedEngine)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_FormFields)->Arg(4000)->Arg(40000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_PageInProcess)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_PageLoopback)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_StaticLoopback)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(2.0);

// Keeps each run's rate for the ratios printed at the end.
class RateReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string name = run.benchmark_name();
            const double seconds = run.GetAdjustedRealTime() / 1e6;   // microseconds per page
            if (seconds > 0)
                g_rates[name] = 1.0 / seconds;
        }
    }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RateReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto rate = [](const char* prefix) {
        for (const auto& [name, value] : g_rates)
            if (name.rfind(prefix, 0) == 0 && value > 0)
                return value;
        return 0.0;
    };
    const double inProcess = rate("BM_PageInProcess"), page = rate("BM_PageLoopback"),
                 file = rate("BM_StaticLoopback");
    std::printf("\npage size: %lld bytes of output\n", static_cast<long long>(TheSite().pageBytes));
    std::printf("%-28s %12.0f pages/s\n", "page in process", inProcess);
    std::printf("%-28s %12.0f pages/s\n", "page over loopback", page);
    std::printf("%-28s %12.0f files/s\n", "static file over loopback", file);
    if (inProcess > 0 && page > 0 && file > 0) {
        std::printf("%-28s %12.2f\n", "in process : loopback page", inProcess / page);
        std::printf("%-28s %12.2f\n", "static : page (loopback)", file / page);
    }
    const double fresh = rate("BM_ScriptFreshEngine"), isolated = rate("BM_ScriptIsolatedEngine"),
                 shared = rate("BM_ScriptSharedEngine");
    if (fresh > 0 && isolated > 0 && shared > 0) {
        std::printf("%-28s %12.1f us\n", "script, new engine", 1e6 / fresh);
        std::printf("%-28s %12.1f us\n", "script, isolated engine", 1e6 / isolated);
        std::printf("%-28s %12.1f us\n", "script, shared engine", 1e6 / shared);
        std::printf("%-28s %12.1f us\n", "isolation cost per script", 1e6 / isolated - 1e6 / shared);
        std::printf("%-28s %12.2f\n", "new : isolated engine", isolated / fresh);
    }
    const double small = rate("BM_FormFields/4000"), large = rate("BM_FormFields/40000");
    if (small > 0 && large > 0)
        std::printf("%-28s %12.2f (10 when linear, 100 when quadratic)\n", "form time 40000 : 4000", small / large);
    return 0;
}
