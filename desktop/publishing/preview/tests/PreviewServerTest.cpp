#include "desktop/publishing/preview/CListenSocket.h"
#include "desktop/publishing/preview/testing/CPreviewTestClient.h"
#include "platform/testing/TempFolder.h"

#include "platform/testing/QtPrinters.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkInterface>
#include <QTcpSocket>

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
    EXPECT_EQ(client.Get("/db/database.mdb").body, "database");
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
    EXPECT_EQ(client.Get("/dbx/a.htm").body, "root dbx");
    EXPECT_EQ(client.Get("/db/a.htm").body, "in db");
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

} // namespace

namespace {
TEST_F(PreviewServerTest, ChurnThenPages)
{
    temp.WriteFile("website/asp/blocchi.asp", "<p>uno</p><%= Request('x') %><p>due</p><% Session.n = 1; %><p>tre</p>");
    const quint16 port = Start();
    for (int round = 0; round < 20; ++round) {
        std::vector<std::unique_ptr<QTcpSocket>> sockets;
        for (int i = 0; i < 60; ++i) {
            auto s = std::make_unique<QTcpSocket>();
            s->connectToHost(QHostAddress::LocalHost, port);
            s->waitForConnected(1000);
            switch (i % 4) {
            case 0: s->write("GET /blocchi.asp?x=1 HTTP/1.1\r\nHost: x\r\n\r\n"); break;
            case 1: s->write("GARBAGE\r\n\r\n"); break;
            case 2: s->write("GET /blocchi.asp HTTP/1.1\r\nHo"); break;
            case 3: break;
            }
            s->flush();
            sockets.push_back(std::move(s));
            QCoreApplication::processEvents();
        }
        for (auto& s : sockets) s->abort();
        sockets.clear();
        for (int k = 0; k < 20; ++k) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        for (int p = 0; p < 40; ++p) {
            CPreviewTestClient client(port);
            if (p % 3 == 0) { CPreviewTestClient bad(port); bad.Write("BAD\r\n\r\n"); bad.WaitForClose(); }
            const Reply r = client.Get("/blocchi.asp?x=" + QByteArray::number(p));
            ASSERT_EQ(r.body, "<p>uno</p>" + QByteArray::number(p) + "<p>due</p><p>tre</p>") << round << " " << p;
            client.Close();
            for (int k = 0; k < 3; ++k) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        }
    }
}
}
