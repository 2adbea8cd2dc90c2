// Pages per second of a small page with one include: run in process by the
// page host (no sockets), and served by the preview server over loopback;
// beside them a static file of the same size over loopback. Then what
// keeping pages apart costs: the page's script in a new engine each time,
// in one engine hardened and put back after each script (what the page host
// does), and in one engine with no isolation at all (the yardstick). Then
// form parsing at two sizes, whose time per field should not grow. Prints
// the rates and their ratios, min / median / max of the runs. The cost of
// isolation is timed on its own (putting the engine back after each
// script), not taken as the difference of two noisy rates, which could
// come out below zero.

#include "desktop/publishing/preview/CListenSocket.h"
#include "platform/pagehost/CGlobalAsaGate.h"
#include "platform/pagehost/CPageHost.h"
#include "platform/pagehost/CRequest.h"
#include "platform/script/ScriptEngineFactory.h"
#include "platform/pagehost/CSession.h"
#include "platform/pagehost/CVirtualFolders.h"
#include "desktop/publishing/preview/testing/CPreviewTestClient.h"
#include "bench/figures/CBenchReporter.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJSEngine>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

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
    QElapsedTimer timer;
    qint64 putBack = 0;
    for (auto _ : state) {
        factory.InitializeScriptEngine();
        factory.LoadScript(kScript);
        timer.start();
        factory.UnloadScript();
        putBack += timer.nsecsElapsed();
    }
    Record(state);
    state.counters["put_back_us"] = double(putBack) / 1e3 / double(state.iterations());
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

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::vector<char*> arguments = CBenchReporter::Arguments(argc, argv);
    int count = int(arguments.size()) - 1;
    benchmark::Initialize(&count, arguments.data());
    CBenchFigures figures;
    CBenchReporter reporter(figures, [](const benchmark::BenchmarkReporter::Run& run, CBenchFigures& kept) {
        const std::string name = CBenchReporter::BaseName(run);
        const double seconds = CBenchReporter::SecondsPerIteration(run);
        if (seconds > 0) {
            kept.Add(name + " rate", 1.0 / seconds);
            kept.Add(name + " us", seconds * 1e6);
        }
        const auto putBack = run.counters.find("put_back_us");
        if (putBack != run.counters.end())
            kept.Add("put back us", putBack->second.value);
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\npage size: %lld bytes of output; min / median / max\n", static_cast<long long>(TheSite().pageBytes));
    figures.PrintSeries("page in process", "BM_PageInProcess rate", "%.0f", "pages/s");
    figures.PrintSeries("page over loopback", "BM_PageLoopback rate", "%.0f", "pages/s");
    figures.PrintSeries("static file over loopback", "BM_StaticLoopback rate", "%.0f", "files/s");
    figures.PrintRatio("in process : loopback page", "BM_PageInProcess rate", "BM_PageLoopback rate");
    figures.PrintRatio("loopback page : static file", "BM_PageLoopback rate", "BM_StaticLoopback rate");
    figures.PrintSeries("script, new engine", "BM_ScriptFreshEngine us", "%.1f", "us");
    figures.PrintSeries("script, isolated engine", "BM_ScriptIsolatedEngine us", "%.1f", "us");
    figures.PrintSeries("script, shared engine", "BM_ScriptSharedEngine us", "%.1f", "us");
    figures.PrintSeries("isolation cost per script", "put back us", "%.2f", "us (the engine put back)");
    figures.PrintRatio("isolated : new engine (rate)", "BM_ScriptIsolatedEngine rate", "BM_ScriptFreshEngine rate");
    figures.PrintRatio("form time 40000 : 4000", "BM_FormFields/40000 us", "BM_FormFields/4000 us");
    std::printf("(the form ratio is 10 when parsing is linear, 100 when quadratic)\n");
    return 0;
}
