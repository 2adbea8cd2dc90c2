// qtr50d against hostile clients over loopback: requests a proxy could read
// otherwise, redirects off the site, heads of many values, connections held
// half open or closed early, one Session's flood, a full queue, bodies
// beyond their page's limit. Each case is bounded in count and time.
#include "server/host/testing/CHostTestShop.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <QThread>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace {

const QByteArray kHidden = "GET /hidden.asp HTTP/1.1\r\nHost: a\r\n\r\n";

QByteArray ManyValues(int count)
{
    QByteArray query;
    for (int i = 0; i < count; ++i)
        query += (i ? "&v" : "v") + QByteArray::number(i) + '=' + QByteArray::number(i);
    return query;
}

struct HostileCase
{
    const char* name;
    QByteArray request;
    int status;
    QByteArray location;   // expected Location, if any
};

void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.name; }

class HostHostileRequestTest : public ::testing::TestWithParam<HostileCase>
{
};

// Answered at once with its status, one reply only (nothing smuggled behind
// it is answered), and a refused request ends its connection.
TEST_P(HostHostileRequestTest, IsAnsweredOnceAtOnce)
{
    CHostTestShop shop;
    shop.WriteFile("/ok.asp", "ok");
    shop.WriteFile("/hidden.asp", "hidden-page");
    shop.WriteFile("/images/a.gif", "GIF89a");
    ASSERT_TRUE(shop.Start());
    QElapsedTimer clock;
    clock.start();
    const CHttpTestReply reply = shop.Visitor().Raw(GetParam().request, 5000);
    EXPECT_LT(clock.elapsed(), 4000) << "no answer, or the connection was kept";
    EXPECT_EQ(reply.status, GetParam().status);
    EXPECT_FALSE(reply.body.contains("HTTP/1.1 2")) << reply.body.constData();
    EXPECT_FALSE(reply.body.contains("hidden-page")) << reply.body.constData();
    if (!GetParam().location.isNull())
        EXPECT_EQ(reply.Header("Location"), GetParam().location);
    EXPECT_EQ(shop.Visitor().Get("/ok.asp").body, "ok");
}

const QByteArray kChunkedThenHidden = "0\r\n\r\n" + kHidden;

INSTANTIATE_TEST_SUITE_P(
    Requests, HostHostileRequestTest,
    ::testing::Values(
        HostileCase{"RedirectOfDoubleSlashStaysOnTheSite", "GET //images HTTP/1.1\r\nHost: a\r\nConnection: close\r\n\r\n",
                    301, "/images/"},
        HostileCase{"RedirectOfEncodedSlashesStaysOnTheSite",
                    "GET /%2F%2Fimages HTTP/1.1\r\nHost: a\r\nConnection: close\r\n\r\n", 301, "/images/"},
        HostileCase{"RedirectOfAFolder", "GET /images HTTP/1.1\r\nHost: a\r\nConnection: close\r\n\r\n", 301,
                    "/images/"},
        HostileCase{"FifteenHundredQueryValues",
                    "GET /ok.asp?" + ManyValues(1500) + " HTTP/1.1\r\nHost: a\r\nConnection: close\r\n\r\n", 200, {}},
        HostileCase{"TenThousandEmptyQueryValues",
                    "GET /ok.asp?" + QByteArray(10000, '&') + " HTTP/1.1\r\nHost: a\r\nConnection: close\r\n\r\n",
                    200, {}},
        HostileCase{"ContentLengthWithChunked",
                    "POST /ok.asp HTTP/1.1\r\nHost: a\r\nContent-Length: "
                        + QByteArray::number(kChunkedThenHidden.size())
                        + "\r\nTransfer-Encoding: chunked\r\n\r\n" + kChunkedThenHidden,
                    400, {}},
        HostileCase{"TwoDifferentContentLengths",
                    "POST /ok.asp HTTP/1.1\r\nHost: a\r\nContent-Length: 0\r\nContent-Length: "
                        + QByteArray::number(kHidden.size()) + "\r\n\r\n" + kHidden,
                    400, {}},
        HostileCase{"ContentLengthNotANumber",
                    "POST /ok.asp HTTP/1.1\r\nHost: a\r\nContent-Length: +5\r\n\r\nabcde" + kHidden, 400, {}},
        HostileCase{"ObfuscatedTransferEncoding",
                    "POST /ok.asp HTTP/1.1\r\nHost: a\r\nTransfer-Encoding: xchunked\r\nContent-Length: 5\r\n\r\n"
                        + kChunkedThenHidden,
                    400, {}},
        HostileCase{"TransferEncodingWithABlankBeforeItsColon",
                    "POST /ok.asp HTTP/1.1\r\nHost: a\r\nTransfer-Encoding : chunked\r\n\r\n" + kChunkedThenHidden, 400,
                    {}},
        HostileCase{"TransferEncodingList",
                    "POST /ok.asp HTTP/1.1\r\nHost: a\r\nTransfer-Encoding: identity, chunked\r\n\r\n"
                        + kChunkedThenHidden,
                    400, {}},
        HostileCase{"PlainChunkedBodyIsServed",
                    "POST /ok.asp HTTP/1.1\r\nHost: a\r\nConnection: close\r\nTransfer-Encoding: chunked\r\n\r\n"
                    "3\r\nabc\r\n0\r\n\r\n",
                    200, {}}),
    [](const ::testing::TestParamInfo<HostileCase>& info) { return std::string(info.param.name); });

// A connection from the given loopback address (127.0.0.2 is another
// visitor to the server).
std::unique_ptr<QTcpSocket> Connect(quint16 port, const char* from = "127.0.0.1")
{
    auto socket = std::make_unique<QTcpSocket>();
    socket->bind(QHostAddress(QString::fromLatin1(from)));
    socket->connectToHost(QHostAddress::LocalHost, port);
    socket->waitForConnected(2000);
    return socket;
}

int StatusFrom(QTcpSocket& socket, const QByteArray& request, int timeoutMs = 3000)
{
    socket.write(request);
    QByteArray bytes;
    QElapsedTimer clock;
    clock.start();
    while (!bytes.contains("\r\n\r\n") && clock.elapsed() < timeoutMs) {
        if (socket.waitForReadyRead(100))
            bytes += socket.readAll();
        else if (socket.state() != QAbstractSocket::ConnectedState)
            break;
    }
    bytes += socket.readAll();
    return CHttpTestClient::Parse(bytes).status;
}

const QByteArray kGet = "GET /ok.asp HTTP/1.1\r\nHost: a\r\nConnection: close\r\n\r\n";

// Forty connections of one address that keep sending a header line, never
// ending the head: the address gets its share, another address is served,
// and each held connection is closed when the time for a head is up.
TEST(HostConnectionLimitTest, HalfOpenHeadsOfOneAddressLeaveOthersServedAndEndInTime)
{
    CHostTestShop shop;
    shop.Set("limits/max_connections", "40");
    shop.Set("limits/header_timeout", "2");
    shop.WriteFile("/ok.asp", "ok");
    ASSERT_TRUE(shop.Start());
    std::vector<std::unique_ptr<QTcpSocket>> held;
    for (int i = 0; i < 40; ++i) {
        held.push_back(Connect(shop.Port()));
        held.back()->write("GET /ok.asp HTTP/1.1\r\nHost: a\r\n");
        held.back()->flush();
    }
    QThread::msleep(300);
    auto other = Connect(shop.Port(), "127.0.0.2");
    EXPECT_EQ(StatusFrom(*other, kGet), 200);

    // A header line every half second for five seconds: none of them may
    // keep its connection beyond the time for a head.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 5000) {
        for (auto& socket : held) {
            socket->write("X-Still: here\r\n");
            socket->flush();
        }
        QThread::msleep(500);
        for (auto& socket : held)
            socket->waitForReadyRead(1);
    }
    int open = 0;
    for (auto& socket : held)
        open += socket->state() == QAbstractSocket::ConnectedState ? 1 : 0;
    EXPECT_EQ(open, 0);
}

// A trusted proxy brings every visitor: the per-address cap is not its.
TEST(HostConnectionLimitTest, ATrustedProxyHasNoPerAddressCap)
{
    CHostTestShop shop;
    shop.Set("limits/max_connections_per_address", "1");
    shop.Set("server/trusted_proxies", "127.0.0.1");
    shop.WriteFile("/ok.asp", "ok");
    ASSERT_TRUE(shop.Start());
    auto first = Connect(shop.Port());
    first->write("GET /ok.asp HTTP/1.1\r\nHost: a\r\n");
    first->flush();
    auto second = Connect(shop.Port());
    EXPECT_EQ(StatusFrom(*second, kGet), 200);
    // Anyone else has one connection.
    auto other = Connect(shop.Port(), "127.0.0.2");
    other->write("GET /ok.asp HTTP/1.1\r\nHost: a\r\n");
    other->flush();
    QThread::msleep(200);
    auto otherAgain = Connect(shop.Port(), "127.0.0.2");
    EXPECT_EQ(StatusFrom(*otherAgain, kGet, 1500), 0);
}

// Connections that send a few bytes and close must not keep their slots
// until the idle timeout: with the server's 20 slots taken by 60 such
// connections, a visitor is served within moments.
TEST(HostConnectionLimitTest, ConnectionsClosedByTheClientFreeTheirSlotAtOnce)
{
    CHostTestShop shop;
    shop.Set("limits/max_connections", "20");
    shop.Set("limits/max_connections_per_address", "0");
    shop.WriteFile("/ok.asp", "ok");
    ASSERT_TRUE(shop.Start());
    for (int i = 0; i < 60; ++i) {
        auto socket = Connect(shop.Port());
        socket->write("GET /ok.a");
        socket->flush();
        socket->abort();
    }
    QElapsedTimer clock;
    clock.start();
    int status = 0;
    while (status != 200 && clock.elapsed() < 3000) {
        status = shop.Visitor().Raw(kGet, 500).status;
        if (status != 200)
            QThread::msleep(100);
    }
    EXPECT_EQ(status, 200) << "still locked out after " << clock.elapsed() << " ms";
}

// Two page threads; one Session sends six requests for a page that runs a
// while. They run one after the other, and another visitor is answered
// while they still wait, not after them.
TEST(HostSessionQueueTest, ASessionsWaitingRequestsHoldNoPageThread)
{
    CHostTestShop shop;
    shop.Set("server/threads", "2");
    shop.WriteFile("/busy.asp", "<% Session.n = 1; var end = Date.now() + 400; while (Date.now() < end) {} %>busy");
    shop.WriteFile("/ok.asp", "ok");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient owner = shop.Visitor();
    ASSERT_EQ(owner.Get("/ok.asp").status, 200);
    ASSERT_EQ(owner.Get("/busy.asp").body, "busy");
    ASSERT_FALSE(owner.Cookies().isEmpty());
    std::atomic<int> finished{0};
    std::vector<std::thread> flood;
    for (int i = 0; i < 6; ++i)
        flood.emplace_back([&, cookies = owner.Cookies()] {
            CHttpTestClient same(shop.Port());
            same.Cookies() = cookies;
            if (same.Get("/busy.asp").body == "busy")
                ++finished;
        });
    QThread::msleep(150);
    const CHttpTestReply other = shop.Visitor().Get("/ok.asp");
    const int finishedBeforeOther = finished.load();
    for (std::thread& thread : flood)
        thread.join();
    EXPECT_EQ(other.body, "ok");
    EXPECT_LE(finishedBeforeOther, 2);
    EXPECT_EQ(finished.load(), 6);
}

// One page thread and room for two waiting pages: the rest are refused at
// once with 503, and the server goes on.
TEST(HostSessionQueueTest, AFullQueueAnswers503)
{
    CHostTestShop shop;
    shop.Set("server/threads", "1");
    shop.Set("limits/max_queued_requests", "2");
    shop.WriteFile("/slow.asp", "<% var end = Date.now() + 500; while (Date.now() < end) {} %>slow");
    shop.WriteFile("/ok.asp", "ok");
    ASSERT_TRUE(shop.Start());
    std::atomic<int> served{0};
    std::atomic<int> refused{0};
    std::vector<std::thread> visitors;
    for (int i = 0; i < 6; ++i)
        visitors.emplace_back([&] {
            const CHttpTestReply reply = CHttpTestClient(shop.Port()).Get("/slow.asp");
            if (reply.status == 200)
                ++served;
            else if (reply.status == 503 && reply.Header("Retry-After") == "5")
                ++refused;
        });
    for (std::thread& thread : visitors)
        thread.join();
    EXPECT_GE(refused.load(), 1);
    EXPECT_GE(served.load(), 1);
    EXPECT_EQ(served.load() + refused.load(), 6);
    EXPECT_EQ(shop.Visitor().Get("/ok.asp").body, "ok");
}

// A shop page takes a small body; only the file upload page a large one.
TEST(HostBodyLimitTest, OnlyTheFileUploadPageTakesALargeBody)
{
    CHostTestShop shop;
    shop.WriteFile("/ok.asp", "ok");
    shop.WriteFile("/updatefiles51.asp", "taken");
    ASSERT_TRUE(shop.Start());
    const QByteArray twoMegabytes(2 * 1024 * 1024, 'x');
    EXPECT_EQ(shop.Visitor().Post("/ok.asp", "application/octet-stream", twoMegabytes).status, 413);
    EXPECT_EQ(shop.Visitor().Post("/ok.asp", "application/octet-stream", QByteArray(1000, 'x')).body, "ok");
    EXPECT_EQ(shop.Visitor().Post("/updatefiles51.asp", "application/octet-stream", twoMegabytes).body, "taken");
    EXPECT_EQ(shop.Visitor().Post("/UpdateFiles51.asp?x=1", "application/octet-stream", twoMegabytes).body, "taken");
}

} // namespace
