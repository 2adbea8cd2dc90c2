#include "platform/pagehost/CGlobalAsaGate.h"
#include "platform/pagehost/CPageHost.h"
#include "platform/pagehost/CSession.h"
#include "platform/pagehost/CVirtualFolders.h"
#include "platform/testing/QtPrinters.h"
#include "platform/testing/TempFolder.h"

#include <gtest/gtest.h>

#include <QThread>

#include <memory>
#include <vector>

namespace {

// Pages run without any connection: a request text in, a reply out.
class CPageHostTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        temp.WriteFile("asp/conta.asp", "<% Session['n' + Request('t')] = Request('t'); %>"
                                        "<%= Request('t') %>:<%= Session('n' + Request('t')) %>");
        temp.WriteFile("asp/global.asa", "<script>\nfunction Application_OnStart() { Session.Avvii = "
                                         "(Number(Session('Avvii')) || 0) + 1; }\n</script>\n");
        folders.SetRootDir(temp.FilePath("asp"));
    }

    TempFolder temp;
    CVirtualFolders folders;
    CSession session;
    CGlobalAsaGate globalAsa{true};
};

TEST_F(CPageHostTest, RequestTextGivesTheWholeReply)
{
    CPageHost host(folders, session, globalAsa);
    const CHttpReply reply = host.Answer("GET /conta.asp?t=1 HTTP/1.1\r\n\r\n");
    EXPECT_EQ(reply.head, "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: 3\r\n\r\n");
    EXPECT_EQ(reply.body, "1:1");
    EXPECT_FALSE(reply.file);
    EXPECT_EQ(host.Answer("GET /manca.asp HTTP/1.1\r\n\r\n").head,
              "HTTP/1.1 404 File Not Found\r\nContent-Type: text/html\r\nContent-Length: 0\r\n\r\n");
}

TEST_F(CPageHostTest, PagesRunOnSeveralThreadsEachWithItsOwnHost)
{
    const int threads = 4;
    const int pagesEach = 25;
    std::vector<QStringList> bodies(threads);
    std::vector<std::unique_ptr<QThread>> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back(QThread::create([&, t] {
            CPageHost host(folders, session, globalAsa);
            for (int i = 0; i < pagesEach; ++i) {
                const QByteArray tag = QByteArray::number(t * 1000 + i);
                bodies[t].append(QString::fromUtf8(host.Answer("GET /conta.asp?t=" + tag + " HTTP/1.1\r\n\r\n").body));
            }
        }));
        workers.back()->start();
    }
    for (auto& worker : workers)
        worker->wait();
    for (int t = 0; t < threads; ++t) {
        ASSERT_EQ(bodies[t].size(), pagesEach);
        for (int i = 0; i < pagesEach; ++i) {
            const QString tag = QString::number(t * 1000 + i);
            EXPECT_EQ(bodies[t].at(i), tag + ":" + tag);
        }
    }
    EXPECT_EQ(session.Item("Avvii"), QVariant("1"));
}

} // namespace
