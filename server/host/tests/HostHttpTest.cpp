// qtr50d as an HTTP server: limits, slow clients, static files, what it
// never sends, the logs, the command line and the stop on SIGTERM.
#include "server/host/testing/CHostTestShop.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QThread>

#include <atomic>
#include <thread>
#include <vector>

namespace {

struct LimitCase
{
    const char* name;
    QByteArray request;
    int status;
};

void PrintTo(const LimitCase& c, std::ostream* out) { *out << c.name; }

class HostLimitTest : public ::testing::TestWithParam<LimitCase>
{
};

TEST_P(HostLimitTest, IsAnsweredWithItsStatusAndTheServerGoesOn)
{
    CHostTestShop shop;
    shop.Set("limits/max_body_bytes", "1000");
    shop.Set("limits/max_header_bytes", "4096");
    shop.WriteFile("/ok.asp", "ok");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient visitor = shop.Visitor();
    EXPECT_EQ(visitor.Raw(GetParam().request).status, GetParam().status);
    EXPECT_EQ(visitor.Get("/ok.asp").body, "ok");
}

const QByteArray kBigHeader = "X-Big: " + QByteArray(6000, 'x') + "\r\n";
const QByteArray kManyHeaders = [] {
    QByteArray headers;
    for (int i = 0; i < 200; ++i)
        headers += "X-H" + QByteArray::number(i) + ": " + QByteArray(30, 'y') + "\r\n";
    return headers;
}();

INSTANTIATE_TEST_SUITE_P(
    Requests, HostLimitTest,
    ::testing::Values(
        LimitCase{"AnnouncedBodyTooLarge",
                  "POST /ok.asp HTTP/1.1\r\nHost: a\r\nContent-Length: 5000\r\n\r\n" + QByteArray(5000, 'b'), 413},
        LimitCase{"ChunkedBodyTooLarge",
                  "POST /ok.asp HTTP/1.1\r\nHost: a\r\nTransfer-Encoding: chunked\r\n\r\n7d0\r\n" + QByteArray(2000, 'b')
                      + "\r\n0\r\n\r\n",
                  413},
        LimitCase{"BodyWithinTheLimit",
                  "POST /ok.asp HTTP/1.1\r\nHost: a\r\nConnection: close\r\nContent-Length: 900\r\n\r\n"
                      + QByteArray(900, 'b'),
                  200},
        LimitCase{"OneHeaderTooLarge", "GET /ok.asp HTTP/1.1\r\nHost: a\r\n" + kBigHeader + "\r\n", 431},
        LimitCase{"HeadersTooLargeTogether", "GET /ok.asp HTTP/1.1\r\nHost: a\r\n" + kManyHeaders + "\r\n", 431},
        LimitCase{"UnknownMethod", "BREW /ok.asp HTTP/1.1\r\nHost: a\r\n\r\n", 501}),
    [](const ::testing::TestParamInfo<LimitCase>& info) { return std::string(info.param.name); });

// Keep-alive: several requests, pipelined, on one connection, answered in
// order; an idle connection is closed after its time; a second connection
// from an address already at its limit is refused.
TEST(HostConnectionTest, KeepsConnectionsAliveClosesIdleOnesAndLimitsThemPerAddress)
{
    CHostTestShop shop;
    shop.Set("limits/idle_timeout", "1");
    shop.Set("limits/max_connections_per_address", "1");
    shop.WriteFile("/a.asp", "A");
    shop.WriteFile("/b.asp", "B");
    ASSERT_TRUE(shop.Start());
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, shop.Port());
    ASSERT_TRUE(socket.waitForConnected(5000));
    socket.write("GET /a.asp HTTP/1.1\r\nHost: x\r\n\r\nGET /b.asp HTTP/1.1\r\nHost: x\r\n\r\n");
    QByteArray received;
    while (received.count("HTTP/1.1 200") < 2 && socket.waitForReadyRead(5000))
        received += socket.readAll();
    EXPECT_EQ(received.count("HTTP/1.1 200"), 2) << received.constData();
    EXPECT_LT(received.indexOf("\r\n\r\nA"), received.indexOf("\r\n\r\nB"));

    // The one connection this address may have is taken.
    EXPECT_EQ(CHttpTestClient(shop.Port()).Get("/a.asp").status, 0);

    // Idle beyond its second, the connection is closed by the server.
    EXPECT_TRUE(socket.waitForDisconnected(5000));
    // The server lets the address's slot go just after closing.
    QByteArray again;
    for (int i = 0; i < 50 && again.isEmpty(); ++i) {
        again = CHttpTestClient(shop.Port()).Get("/a.asp").body;
        if (again.isEmpty())
            QThread::msleep(50);
    }
    EXPECT_EQ(again, "A");
}

// One worker and one connection thread: a client that sends its request a
// byte at a time must hold neither.
TEST(HostSlowClientTest, AClientSendingAByteAtATimeDoesNotDelayOthers)
{
    CHostTestShop shop;
    shop.Set("server/threads", "1");
    shop.Set("server/io_threads", "1");
    shop.WriteFile("/ok.asp", "ok");
    ASSERT_TRUE(shop.Start());
    std::atomic<bool> slowDone{false};
    std::atomic<int> fastDoneWhileSlowWasSending{0};
    std::thread slow([&] {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, shop.Port());
        socket.waitForConnected(5000);
        const QByteArray request = "GET /ok.asp HTTP/1.1\r\nHost: slow\r\nConnection: close\r\n\r\n";
        for (const char c : request) {
            socket.write(&c, 1);
            socket.waitForBytesWritten(1000);
            QThread::msleep(60);
        }
        socket.waitForReadyRead(5000);
        slowDone = true;
    });
    QThread::msleep(200);
    for (int i = 0; i < 20; ++i) {
        CHttpTestClient visitor = shop.Visitor();
        if (visitor.Get("/ok.asp").body == "ok" && !slowDone)
            ++fastDoneWhileSlowWasSending;
    }
    slow.join();
    EXPECT_EQ(fastDoneWhileSlowWasSending.load(), 20);
}

struct RefusedCase
{
    const char* name;
    QByteArray target;
    int status;
};

void PrintTo(const RefusedCase& c, std::ostream* out) { *out << c.name; }

class HostRefusedPathTest : public ::testing::TestWithParam<RefusedCase>
{
};

// Nothing outside the site, no page source, nothing of db/ ever leaves.
TEST_P(HostRefusedPathTest, SendsNoSecret)
{
    CHostTestShop shop;
    shop.WriteFile("/default.asp", "<% var hidden = 'SOURCE-SECRET'; %>home");
    shop.WriteFile("/global.asa", "<SCRIPT RUNAT=Server>var g = 'SOURCE-SECRET';</SCRIPT>");
    shop.WriteFile("/include.inc", "SOURCE-SECRET");
    shop.WriteFile("/db/sqlserver.txt", "SOURCE-SECRET");
    shop.WriteFile("/.hidden", "SOURCE-SECRET");
    shop.WriteFile("/images/a.gif", "GIF89a");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient visitor = shop.Visitor();
    const CHttpTestReply reply = visitor.Raw("GET " + GetParam().target + " HTTP/1.1\r\nHost: a\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(reply.status, GetParam().status);
    EXPECT_FALSE(reply.body.contains("SOURCE-SECRET"));
    EXPECT_FALSE(reply.body.contains("root:"));
    EXPECT_FALSE(reply.body.contains("SQLite format"));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, HostRefusedPathTest,
    ::testing::Values(RefusedCase{"Database", "/db/database.mdb", 404},
                      RefusedCase{"DatabaseOtherCase", "/DB/Database.MDB", 404},
                      RefusedCase{"DatabaseFolderOtherFile", "/db/sqlserver.txt", 404},
                      RefusedCase{"SessionsFile", "/db/sessions.sqlite", 404},
                      RefusedCase{"GlobalAsa", "/global.asa", 404},
                      RefusedCase{"GlobalAsaOtherCase", "/GLOBAL.ASA", 404},
                      RefusedCase{"IncludeFile", "/include.inc", 404},
                      RefusedCase{"HiddenFile", "/.hidden", 404},
                      RefusedCase{"PageInOtherCaseRunsNotSent", "/DEFAULT.ASP", 200},
                      RefusedCase{"DotDot", "/../../../../etc/passwd", 404},
                      RefusedCase{"EncodedDotDot", "/%2e%2e/%2e%2e/%2e%2e/etc/passwd", 404},
                      RefusedCase{"EncodedSlash", "/images%2f..%2f..%2f..%2fetc%2fpasswd", 404},
                      RefusedCase{"DoubleEncodedDotDot", "/%252e%252e/%252e%252e/etc/passwd", 404},
                      RefusedCase{"DotDotIntoDb", "/images/../db/database.mdb", 404},
                      RefusedCase{"Backslash", "/images\\..\\db\\database.mdb", 400},
                      RefusedCase{"EncodedNul", "/default.asp%00.gif", 400},
                      RefusedCase{"AbsoluteForm", "http://a/etc/passwd", 400}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

TEST(HostStaticFileTest, IsSentWithItsTypeAndValidatorsAndAnsweredNotModified)
{
    CHostTestShop shop;
    shop.WriteFile("/images/foto prodotto.png", "\x89PNG\r\n\x1a\nxx");
    shop.WriteFile("/style.css", "body { color: red }");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient visitor = shop.Visitor();
    const CHttpTestReply css = visitor.Get("/style.css");
    EXPECT_EQ(css.status, 200);
    EXPECT_EQ(css.Header("Content-Type"), "text/css; charset=utf-8");
    EXPECT_EQ(css.body, "body { color: red }");
    const CHttpTestReply png = visitor.Get("/images/foto%20prodotto.png");
    EXPECT_EQ(png.Header("Content-Type"), "image/png");
    const QByteArray etag = css.Header("ETag");
    ASSERT_FALSE(etag.isEmpty());
    EXPECT_EQ(visitor.Get("/style.css", {{"If-None-Match", etag}}).status, 304);
    EXPECT_EQ(visitor.Get("/style.css", {{"If-None-Match", "\"other\""}}).status, 200);
    EXPECT_EQ(visitor.Get("/style.css", {{"If-Modified-Since", css.Header("Last-Modified")}}).status, 304);
    EXPECT_EQ(visitor.Get("/images").status, 301);
    EXPECT_EQ(visitor.Get("/images").Header("Location"), "/images/");
}

TEST(HostStopTest, SigtermLetsTheRequestInProgressFinishThenExitsZero)
{
    CHostTestShop shop;
    shop.WriteFile("/slow.asp", "<% var end = Date.now() + 1500; while (Date.now() < end) {} %>finished");
    ASSERT_TRUE(shop.Start());
    CHttpTestReply reply;
    std::thread visitor([&] {
        CHttpTestClient client(shop.Port());
        reply = client.Get("/slow.asp");
    });
    QThread::msleep(400);
    const qint64 pid = shop.Server().Pid();
    int exitCode = -2;
    std::thread stopper([&] { exitCode = shop.Server().Terminate(); });
    QThread::msleep(300);
    // Stopped accepting while the page still runs.
    EXPECT_EQ(CHttpTestClient(shop.Port()).Get("/slow.asp").status, 0);
    visitor.join();
    stopper.join();
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body, "finished");
    EXPECT_EQ(exitCode, 0) << pid;
}

// One page thread: the Session is kept on it before its first page opens
// the shop's database, so at the thread's end its connections are let go
// in the order that once freed the kept connections twice.
TEST(HostStopTest, SigtermAfterASessionsSecondRequestExitsZero)
{
    CHostTestShop shop;
    shop.Set("server/threads", "1");
    shop.WriteFile("/mark.asp", "<% Session.mark = 'x'; %>marked");
    shop.WriteFile("/identifica.asp",
                   "<% var g = Server.CreateObject('QTR50.Generale'); g.IdentificaUtente(); g.Free(); %>known");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient visitor = shop.Visitor();
    ASSERT_EQ(visitor.Get("/mark.asp").body, "marked");
    ASSERT_EQ(visitor.Get("/identifica.asp").body, "known") << shop.ErrorLog().constData();
    EXPECT_EQ(shop.Server().Terminate(), 0) << shop.Server().StandardError().constData();
}

// A head of more query values than the connection's memory holds records
// for is dropped by the HTTP library itself, before any answer is asked of
// the server: it is closed at once, and must not count as a request in
// progress that the stop waits for.
TEST(HostStopTest, ARequestDroppedBeforeItsAnswerDoesNotHoldTheStop)
{
    CHostTestShop shop;
    shop.Set("limits/drain_timeout", "20");
    shop.WriteFile("/ok.asp", "ok");
    ASSERT_TRUE(shop.Start());
    QElapsedTimer clock;
    clock.start();
    const QByteArray dropped = "GET /ok.asp?" + QByteArray(60000, '&') + " HTTP/1.1\r\nHost: a\r\n\r\n";
    EXPECT_NE(shop.Visitor().Raw(dropped, 5000).status, 200);
    EXPECT_LT(clock.elapsed(), 4000);
    EXPECT_EQ(shop.Visitor().Get("/ok.asp").body, "ok");
    EXPECT_EQ(shop.Server().Terminate(8000), 0);
}

TEST(HostAccessLogTest, WritesOneCombinedLinePerRequest)
{
    CHostTestShop shop;
    shop.WriteFile("/ok.asp", "ok");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient visitor = shop.Visitor();
    visitor.Get("/ok.asp?a=1", {{"Referer", "http://ref.test/"}, {"User-Agent", "Prova \"1\""}});
    visitor.Get("/missing.gif");
    ASSERT_EQ(shop.Server().Terminate(), 0);
    const QList<QByteArray> lines = shop.AccessLog().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2) << shop.AccessLog().constData();
    const QRegularExpression combined(QStringLiteral(
        R"(^127\.0\.0\.1 - - \[\d\d/\w{3}/\d{4}:\d\d:\d\d:\d\d [+-]\d{4}\] "GET /ok\.asp\?a=1 HTTP/1\.1" 200 2 "http://ref\.test/" "Prova \\"1\\""$)"));
    EXPECT_TRUE(combined.match(QString::fromUtf8(lines.at(0))).hasMatch()) << lines.at(0).constData();
    EXPECT_TRUE(lines.at(1).contains("\"GET /missing.gif HTTP/1.1\" 404 ")) << lines.at(1).constData();
}

struct CommandCase
{
    const char* name;
    QStringList arguments;
    int exitCode;
    QByteArray says;
};

void PrintTo(const CommandCase& c, std::ostream* out) { *out << c.name; }

class HostCommandLineTest : public ::testing::TestWithParam<CommandCase>
{
};

TEST_P(HostCommandLineTest, AnswersAndExits)
{
    CHostTestShop shop;
    const QString config = shop.WriteConfig();
    QStringList arguments = GetParam().arguments;
    arguments.replaceInStrings("CONFIG", config);
    arguments.replaceInStrings("MISSING", shop.TempPath("missing.ini"));
    QByteArray output;
    EXPECT_EQ(CQtr50dProcess::Run(arguments, &output), GetParam().exitCode) << output.constData();
    EXPECT_TRUE(output.contains(GetParam().says)) << output.constData();
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, HostCommandLineTest,
    ::testing::Values(CommandCase{"Help", {"--help"}, 0, "--config FILE"},
                      CommandCase{"Version", {"--version"}, 0, "qtr50d 5.0"},
                      CommandCase{"CheckGood", {"--config", "CONFIG", "--check"}, 0, "ok site"},
                      CommandCase{"MissingConfig", {"--config", "MISSING"}, 1, "non trovato"},
                      CommandCase{"NoConfig", {}, 2, "Uso: qtr50d"},
                      CommandCase{"UnknownArgument", {"--nope"}, 2, "Uso: qtr50d"}),
    [](const ::testing::TestParamInfo<CommandCase>& info) { return std::string(info.param.name); });

TEST(HostCheckTest, ReportsAShopWithoutItsDatabase)
{
    CHostTestShop shop;
    QFile::remove(shop.SiteFolder() + "/db/database.mdb");
    QByteArray output;
    EXPECT_EQ(CQtr50dProcess::Run({"--config", shop.WriteConfig(), "--check"}, &output), 1);
    EXPECT_TRUE(output.contains("ERRORE")) << output.constData();
    EXPECT_TRUE(output.contains("database.mdb")) << output.constData();
}

} // namespace
