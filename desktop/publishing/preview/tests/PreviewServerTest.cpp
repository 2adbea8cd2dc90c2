#include "desktop/publishing/preview/CListenSocket.h"
#include "desktop/publishing/preview/testing/CPreviewTestClient.h"
#include "platform/pagehost/CResponse.h"
#include "platform/testing/TempFolder.h"

#include "platform/testing/QtPrinters.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkInterface>
#include <QTcpSocket>

#include <algorithm>
#include <memory>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Reply = CPreviewTestClient::Reply;

// A project's site served on a free loopback port, as the preview view
// configures it.
class PreviewServerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        temp.WriteFile("website/asp/stile.css", "body { color: red; }");
        temp.WriteFile("website/asp/default.asp", "<html><%= 'home' %></html>");
        temp.WriteFile("website/asp/MAIUSC.ASP", "<%= 1 %>");
        temp.WriteFile("website/asp/dati.xyz123", "?");
        temp.WriteFile("website/images/logo.gif", "GIF89a");
        temp.WriteFile("db/database.mdb", "database");
        temp.WriteFile("db/a.htm", "in db");
        temp.WriteFile("website/segreto.txt", "segreto");
        temp.WriteFile("segreto.txt", "segreto");
    }

    quint16 Start()
    {
        server.SetPort(0);
        server.SetRootDir(temp.FilePath("website/asp"));
        server.AddVirtualDir("/db", temp.FilePath("db"));
        server.AddVirtualDir("/images", temp.FilePath("website/images"));
        EXPECT_EQ(server.StartListening(), 0);
        return server.ServerPort();
    }

    TempFolder temp;
    CListenSocket server;
};

TEST_F(PreviewServerTest, StaticFilesComeWithTheirContentType)
{
    CPreviewTestClient client(Start());
    Reply css = client.Get("/stile.css");
    EXPECT_EQ(css.statusLine, "HTTP/1.1 200 OK");
    EXPECT_EQ(css.headers.value("content-type"), "text/css");
    EXPECT_EQ(css.body, "body { color: red; }");
    Reply gif = client.Get("/images/logo.gif?x=1");
    EXPECT_EQ(gif.headers.value("content-type"), "image/gif");
    EXPECT_EQ(gif.body, "GIF89a");
    // The database is the merchant's: pages find it, browsers never get it.
    EXPECT_EQ(client.Get("/db/database.mdb").status, 404);
    Reply unknown = client.Get("/dati.xyz123");
    EXPECT_EQ(unknown.status, 200);
    EXPECT_FALSE(unknown.headers.contains("content-type"));
    EXPECT_EQ(client.Get("/MAIUSC.ASP").body, "<%= 1 %>");
}

TEST_F(PreviewServerTest, LargeFilesArriveWhole)
{
    QByteArray large(3 * 1024 * 1024 + 17, 'x');
    for (qsizetype i = 0; i < large.size(); i += 1000)
        large[i] = char('a' + (i / 1000) % 26);
    temp.WriteFile("website/asp/grande.bin", large);
    CPreviewTestClient client(Start());
    EXPECT_EQ(client.Get("/grande.bin").body, large);
    EXPECT_EQ(client.Get("/stile.css").status, 200);
}

TEST_F(PreviewServerTest, RootIsTheDefaultPage)
{
    CPreviewTestClient client(Start());
    Reply reply = client.Get("/");
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.headers.value("content-type"), "text/html; charset=utf-8");
    EXPECT_EQ(reply.body, "<html>home</html>");
}

TEST_F(PreviewServerTest, PageWithIncludeAndGlobalAsa)
{
    temp.WriteFile("website/asp/global.asa",
                   "<script language=\"JScript\" runat=\"server\">\r\n"
                   "function Session_OnStart() { Session.Lingua = 'IT'; Response.Write('[global]'); }\r\n"
                   "</script>\r\n");
    temp.WriteFile("website/asp/inc/testata.inc", "<h1><%= Session('Lingua') %></h1>\n");
    temp.WriteFile("website/asp/pagina.asp", "<html>\r\n<!-- #include virtual=\"/inc/testata.inc\" -->\r\n"
                                             "<% var n = 2 * 21; %><p><%= n %></p></html>");
    CPreviewTestClient client(Start());
    EXPECT_EQ(client.Get("/pagina.asp").body, "[global]<html>\r\n<h1>IT</h1>\n<p>42</p></html>");
    EXPECT_EQ(client.Get("/pagina.asp").body, "<html>\r\n<h1>IT</h1>\n<p>42</p></html>");
    // The session is the listener's: a second connection sees it too.
    CPreviewTestClient other(server.ServerPort());
    EXPECT_EQ(other.Get("/pagina.asp").body, "<html>\r\n<h1>IT</h1>\n<p>42</p></html>");
}

TEST_F(PreviewServerTest, PostedFormIsReadThroughRequestForm)
{
    temp.WriteFile("website/asp/form.asp", "<%= Request.Form('nome') %>/<%= Request('citta') %>/"
                                           "<%= Request.ServerVariables('REQUEST_METHOD') %>");
    CPreviewTestClient client(Start());
    EXPECT_EQ(client.Post("/form.asp", "nome=Anna+Rossi&citta=L%27Aquila").body, "Anna Rossi/L'Aquila/POST");
    // Blanks after the colon of Content-Length do not matter.
    for (const QByteArray& header : {QByteArray("Content-Length:5"), QByteArray("Content-Length:   5")})
        EXPECT_EQ(client.Send("POST /form.asp HTTP/1.1\r\n" + client.HostLine() + header + "\r\n\r\nnome=").body, "//POST") << header.data();
}

TEST_F(PreviewServerTest, RedirectHasLocationAndNoBody)
{
    temp.WriteFile("website/asp/vai.asp", "testo<% Response.Redirect('/default.asp'); %>");
    CPreviewTestClient client(Start());
    Reply reply = client.Get("/vai.asp");
    EXPECT_EQ(reply.statusLine, "HTTP/1.1 302 Object moved");
    EXPECT_EQ(reply.headers.value("location"), "/default.asp");
    EXPECT_EQ(reply.headers.value("content-length"), "0");
    EXPECT_TRUE(reply.body.isEmpty());
}

TEST_F(PreviewServerTest, MissingFileIsNotFoundAndTheConnectionGoesOn)
{
    CPreviewTestClient client(Start());
    Reply reply = client.Get("/nessuno.htm");
    EXPECT_EQ(reply.statusLine, "HTTP/1.1 404 File Not Found");
    EXPECT_EQ(reply.headers.value("content-length"), "0");
    EXPECT_EQ(client.Get("/stile.css").status, 200);
}

TEST_F(PreviewServerTest, ScriptErrorIsShownInThePageWithItsLine)
{
    temp.WriteFile("website/asp/errore.asp", "<p>prima</p>\r\n<%\r\nvar a = 1;\r\nnonDefinita(a);\r\n%>dopo");
    CPreviewTestClient client(Start());
    EXPECT_EQ(client.Get("/errore.asp").body,
              "<p>prima</p>\r\n<p>Errore alla riga 4 di /errore.asp: ReferenceError: nonDefinita is not "
              "defined</p>");
}

class PreviewServerTargets : public PreviewServerTest, public ::testing::WithParamInterface<const char*>
{};

TEST_P(PreviewServerTargets, TargetsLeavingTheirFolderAreNotFound)
{
    CPreviewTestClient client(Start());
    EXPECT_EQ(client.Get(GetParam()).status, 404);
}

INSTANTIATE_TEST_SUITE_P(Mends, PreviewServerTargets,
                         ::testing::Values("/../segreto.txt", "/%2e%2e/segreto.txt", "/%2E%2E%2Fsegreto.txt",
                                           "/db/../../segreto.txt", "/images/..%2f..%2fsegreto.txt",
                                           "/..%5csegreto.txt", "/dbx/a.htm", "/db"));

TEST_F(PreviewServerTest, VirtualFolderMatchesOnlyWholeSteps)
{
    temp.WriteFile("website/asp/dbx/a.htm", "root dbx");
    CPreviewTestClient client(Start());
    temp.WriteFile("website/images/a.htm", "in images");
    EXPECT_EQ(client.Get("/dbx/a.htm").body, "root dbx");
    EXPECT_EQ(client.Get("/images/a.htm").body, "in images");
}

struct RefusalCase
{
    const char* name;
    QByteArray request;
    int status;
};

class PreviewServerRefusals : public PreviewServerTest, public ::testing::WithParamInterface<RefusalCase>
{};

TEST_P(PreviewServerRefusals, OversizedOrUnreadableRequestsGetAnErrorAndTheConnectionEnds)
{
    CPreviewTestClient client(Start());
    Reply reply = client.Send(GetParam().request);
    EXPECT_EQ(reply.status, GetParam().status);
    EXPECT_TRUE(client.WaitForClose());
}

INSTANTIATE_TEST_SUITE_P(
    Mends, PreviewServerRefusals,
    ::testing::Values(RefusalCase{"HugeHeaders", "GET / HTTP/1.1\r\nX: " + QByteArray(70 * 1024, 'a'), 431},
                      RefusalCase{"HugeBody", "POST /form.asp HTTP/1.1\r\nContent-Length: 99999999\r\n\r\nabc", 413},
                      RefusalCase{"BadLength", "POST /form.asp HTTP/1.1\r\nContent-Length: tre\r\n\r\n", 400},
                      RefusalCase{"OtherMethod", "DELETE / HTTP/1.1\r\n\r\n", 501}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PreviewServerTest, ListensOnTheLoopbackOnly)
{
    Start();
    EXPECT_EQ(server.ServerAddress(), QHostAddress(QHostAddress::LocalHost));
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (address.isLoopback() || address.protocol() != QAbstractSocket::IPv4Protocol)
            continue;
        QTcpSocket outside;
        outside.connectToHost(address, server.ServerPort());
        EXPECT_FALSE(outside.waitForConnected(2000)) << address.toString().toStdString();
    }
    CPreviewTestClient client(server.ServerPort());
    EXPECT_TRUE(client.IsConnected());
}

TEST_F(PreviewServerTest, ConnectionsClosedByTheBrowserAreRemoved)
{
    const quint16 port = Start();
    {
        CPreviewTestClient first(port);
        CPreviewTestClient second(port);
        EXPECT_EQ(first.Get("/stile.css").status, 200);
        EXPECT_EQ(second.Get("/stile.css").status, 200);
        EXPECT_EQ(server.ConnectionCount(), 2);
        first.Close();
        second.Close();
    }
    QElapsedTimer timer;
    timer.start();
    while (server.ConnectionCount() > 0 && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(server.ConnectionCount(), 0);
}

struct HostCase
{
    const char* name;
    QByteArray hostLine;   // "%1" stands for the port
    int status;
};

class PreviewServerHosts : public PreviewServerTest, public ::testing::WithParamInterface<HostCase>
{};

// A web page that points its own name at 127.0.0.1 makes the browser send
// that name: such requests get nothing of the merchant's site.
TEST_P(PreviewServerHosts, OnlyRequestsNamingThePreviewAreAnswered)
{
    const quint16 port = Start();
    CPreviewTestClient client(port);
    QByteArray hostLine = GetParam().hostLine;
    hostLine.replace("%1", QByteArray::number(port));
    EXPECT_EQ(client.Send("GET /stile.css HTTP/1.1\r\n" + hostLine + "\r\n").status, GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(Mends, PreviewServerHosts,
                         ::testing::Values(HostCase{"Address", "Host: 127.0.0.1:%1\r\n", 200},
                                           HostCase{"Localhost", "Host: LocalHost:%1\r\n", 200},
                                           HostCase{"OtherName", "Host: negozio.example:%1\r\n", 400},
                                           HostCase{"NameEndingLikeIt", "Host: x127.0.0.1:%1\r\n", 400},
                                           HostCase{"OtherPort", "Host: 127.0.0.1:1\r\n", 400},
                                           HostCase{"NoPort", "Host: localhost\r\n", 400},
                                           HostCase{"Missing", "", 400}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PreviewServerTest, ARedirectTargetCannotAddHeaders)
{
    temp.WriteFile("website/asp/vai.asp", "<% Response.Redirect(Request('u')); %>");
    CPreviewTestClient client(Start());
    const Reply reply = client.Get("/vai.asp?u=/default.asp%0d%0aSet-Cookie:+rubato=1");
    EXPECT_EQ(reply.status, 200);
    EXPECT_FALSE(reply.headers.contains("set-cookie"));
    EXPECT_FALSE(reply.headers.contains("location"));
    EXPECT_TRUE(reply.body.contains(CResponse::HeaderError().toUtf8())) << reply.body.toStdString();
}

struct ConnectionCase
{
    const char* name;
    QByteArray version;
    QByteArray connectionLine;
    bool closes;
    QByteArray replyConnection;
};

class PreviewServerConnections : public PreviewServerTest, public ::testing::WithParamInterface<ConnectionCase>
{};

TEST_P(PreviewServerConnections, CloseAsHttpSays)
{
    CPreviewTestClient client(Start());
    const Reply reply = client.Send("GET /stile.css " + GetParam().version + "\r\n" + client.HostLine()
                                    + GetParam().connectionLine + "\r\n");
    EXPECT_EQ(reply.body, "body { color: red; }");
    EXPECT_EQ(client.WaitForClose(GetParam().closes ? 5000 : 300), GetParam().closes);
    EXPECT_EQ(reply.headers.value("connection"), GetParam().replyConnection);
}

INSTANTIATE_TEST_SUITE_P(
    Mends, PreviewServerConnections,
    ::testing::Values(ConnectionCase{"Http11", "HTTP/1.1", "", false, ""},
                      ConnectionCase{"Http11Close", "HTTP/1.1", "Connection: close\r\n", true, "close"},
                      ConnectionCase{"Http10", "HTTP/1.0", "", true, "close"},
                      ConnectionCase{"Http10KeepAlive", "HTTP/1.0", "Connection: Keep-Alive\r\n", false,
                                     "keep-alive"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PreviewServerTest, IdleConnectionsAreClosed)
{
    server.SetIdleTimeout(200);
    CPreviewTestClient client(Start());
    EXPECT_EQ(client.Get("/stile.css").status, 200);
    EXPECT_TRUE(client.WaitForClose(3000));
    CPreviewTestClient silent(server.ServerPort());
    EXPECT_TRUE(silent.WaitForClose(3000));
}

// A client that pipelines a flood of requests and never reads the replies
// gets them as it reads; meanwhile everybody else is answered.
TEST_F(PreviewServerTest, AFloodOfPipelinedRequestsHoldsUpNobody)
{
    const quint16 port = Start();
    QTcpSocket flood;
    flood.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(flood.waitForConnected(2000));
    flood.setReadBufferSize(1);
    const QByteArray request = "GET /stile.css HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) + "\r\n\r\n";
    QByteArray requests;
    for (int i = 0; i < 40000; ++i)
        requests += request;
    flood.write(requests);
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 300)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    CPreviewTestClient other(port);
    EXPECT_EQ(other.Send("GET /default.asp HTTP/1.1\r\n" + other.HostLine() + "\r\n", 2000).body,
              "<html>home</html>");
    flood.abort();
}

// Connections that break off or send nonsense, by the hundred, then pages
// with several HTML blocks: each page is whole and right.
TEST_F(PreviewServerTest, PagesAreRightAfterAChurnOfBrokenConnections)
{
    temp.WriteFile("website/asp/blocchi.asp",
                   "<p>uno</p><%= Request('x') %><p>due</p><% Session.n = 1; %><p>tre</p>");
    const quint16 port = Start();
    const QByteArray host = "Host: 127.0.0.1:" + QByteArray::number(port) + "\r\n";
    for (int round = 0; round < 10; ++round) {
        std::vector<std::unique_ptr<QTcpSocket>> sockets;
        for (int i = 0; i < 40; ++i) {
            auto socket = std::make_unique<QTcpSocket>();
            socket->connectToHost(QHostAddress::LocalHost, port);
            socket->waitForConnected(1000);
            const QByteArray sends[] = {"GET /blocchi.asp?x=1 HTTP/1.1\r\n" + host + "\r\n", "NONSENSE\r\n\r\n",
                                        "GET /blocchi.asp HTTP/1.1\r\nHo", "POST /blocchi.asp HTTP/1.1\r\n" + host
                                        + "Content-Length: 100\r\n\r\nx=", QByteArray()};
            socket->write(sends[i % 5]);
            socket->flush();
            QCoreApplication::processEvents();
            sockets.push_back(std::move(socket));
        }
        sockets.clear();
        for (int p = 0; p < 10; ++p) {
            CPreviewTestClient client(port);
            const QByteArray x = QByteArray::number(round * 100 + p);
            ASSERT_EQ(client.Get("/blocchi.asp?x=" + x).body, "<p>uno</p>" + x + "<p>due</p><p>tre</p>")
                << "round " << round << ", page " << p;
        }
    }
}

// With no descriptors left, accepting fails until some are freed: the
// listener pauses for a growing while instead of spinning, and takes the
// waiting connection once it can.
TEST_F(PreviewServerTest, AcceptingBacksOffWhileNoDescriptorsAreLeft)
{
    const quint16 port = Start();
    const int client = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(client, 0);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit lowered = saved;
    lowered.rlim_cur = std::min<rlim_t>(saved.rlim_cur, 1024);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &lowered), 0);
    std::vector<int> fillers;
    for (int fd = ::dup(client); fd >= 0; fd = ::dup(client))
        fillers.push_back(fd);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int connected = ::connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address);
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    const int failures = server.AcceptFailures();
    for (const int fd : fillers)
        ::close(fd);
    ::setrlimit(RLIMIT_NOFILE, &saved);
    ASSERT_EQ(connected, 0);
    EXPECT_GE(failures, 1);
    EXPECT_LE(failures, 12);

    const QByteArray request = "GET /stile.css HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) + "\r\n\r\n";
    ASSERT_EQ(::send(client, request.constData(), size_t(request.size()), 0), request.size());
    QByteArray received;
    timer.restart();
    while (!received.contains("color: red") && timer.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        char buffer[1024];
        const ssize_t got = ::recv(client, buffer, sizeof buffer, MSG_DONTWAIT);
        if (got > 0)
            received.append(buffer, got);
    }
    ::close(client);
    EXPECT_TRUE(received.startsWith("HTTP/1.1 200 OK")) << received.toStdString();
}

// What a client sends behind a reply it does not read stays with the
// client: the server reads on only once the reply has gone.
TEST_F(PreviewServerTest, DataSentBehindAnUnreadReplyIsNotTakenIn)
{
    temp.WriteFile("website/asp/grande.bin", QByteArray(3 * 1024 * 1024, 'g'));
    const quint16 port = Start();
    QTcpSocket client;
    client.setReadBufferSize(1024);
    client.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(client.waitForConnected(2000));
    const qint64 flood = 64 * 1024 * 1024;
    client.write("GET /grande.bin HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) + "\r\n\r\n");
    client.write(QByteArray(flood, 'x'));
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_GT(client.bytesToWrite(), flood / 2);
    client.abort();
}

} // namespace

