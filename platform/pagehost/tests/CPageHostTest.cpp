#include "platform/pagehost/CApplication.h"
#include "platform/pagehost/CGlobalAsaGate.h"
#include "platform/pagehost/CPageHost.h"
#include "platform/pagehost/CSession.h"
#include "platform/pagehost/CVirtualFolders.h"
#include "platform/testing/QtPrinters.h"
#include "platform/testing/TempFolder.h"

#include <gtest/gtest.h>

#include <QFile>
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
    EXPECT_EQ(session.Item("Avvii"), QVariant(qint64(1)));
}

// global.asa takes its time; pages that arrive meanwhile on other threads
// wait for it instead of running without what it sets up.
TEST_F(CPageHostTest, NoPageRunsBeforeGlobalAsaHasFinished)
{
    temp.WriteFile("asp/global.asa", "<script>\nfunction Application_OnStart() {\n"
                                     "  var t = Date.now(); while (Date.now() - t < 300) {}\n"
                                     "  Application.Pronto = true;\n}\n</script>\n");
    temp.WriteFile("asp/pronto.asp", "<%= Application('Pronto') === true %>");
    CApplication application;
    const int threads = 4;
    std::vector<QByteArray> bodies(threads);
    std::vector<std::unique_ptr<QThread>> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back(QThread::create([&, t] {
            CPageHost host(folders, session, globalAsa, &application);
            bodies[t] = host.Answer("GET /pronto.asp HTTP/1.1\r\n\r\n").body;
        }));
        workers.back()->start();
    }
    for (auto& worker : workers)
        worker->wait();
    for (int t = 0; t < threads; ++t)
        EXPECT_EQ(bodies[t], "true") << t;
}

struct HiddenFileCase
{
    const char* name;
    const char* target;
};

class CPageHostHiddenFiles : public CPageHostTest, public ::testing::WithParamInterface<HiddenFileCase>
{};

// The site's code and its database are not content.
TEST_P(CPageHostHiddenFiles, AreNeverSent)
{
    temp.WriteFile("asp/inc/testata.inc", "<% var segreto = 1; %>");
    temp.WriteFile("db/database.mdb", "database");
    folders.AddVirtualDir("/db", temp.FilePath("db"), false);
    CPageHost host(folders, session, globalAsa);
    const CHttpReply reply = host.Answer("GET " + QByteArray(GetParam().target) + " HTTP/1.1\r\n\r\n");
    EXPECT_TRUE(reply.head.startsWith("HTTP/1.1 404 ")) << reply.head.toStdString();
    EXPECT_FALSE(reply.file);
}

INSTANTIATE_TEST_SUITE_P(Mends, CPageHostHiddenFiles,
                         ::testing::Values(HiddenFileCase{"GlobalAsa", "/global.asa"},
                                           HiddenFileCase{"GlobalAsaInCapitals", "/GLOBAL.ASA"},
                                           HiddenFileCase{"IncludeFile", "/inc/testata.inc"},
                                           HiddenFileCase{"Database", "/db/database.mdb"},
                                           HiddenFileCase{"DatabaseInCapitals", "/DB/database.mdb"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CPageHostTest, PagesStillMapTheFolderThatIsNotServed)
{
    temp.WriteFile("db/.keep", "");
    temp.WriteFile("asp/dove.asp", "<%= Server.MapPath('/db') %>");
    folders.AddVirtualDir("/db", temp.FilePath("db"), false);
    CPageHost host(folders, session, globalAsa);
    EXPECT_EQ(host.Answer("GET /dove.asp HTTP/1.1\r\n\r\n").body, temp.FilePath("db").toUtf8());
}

TEST_F(CPageHostTest, ALinkLeadingOutOfTheSiteIsNotFollowed)
{
    temp.WriteFile("fuori/segreto.txt", "segreto");
    temp.WriteFile("asp/dentro/ok.txt", "ok");
    ASSERT_TRUE(QFile::link(temp.FilePath("fuori"), temp.FilePath("asp/collegamento")));
    ASSERT_TRUE(QFile::link(temp.FilePath("fuori/segreto.txt"), temp.FilePath("asp/segreto.txt")));
    ASSERT_TRUE(QFile::link(temp.FilePath("asp/dentro"), temp.FilePath("asp/interno")));
    CPageHost host(folders, session, globalAsa);
    EXPECT_TRUE(host.Answer("GET /collegamento/segreto.txt HTTP/1.1\r\n\r\n").head.startsWith("HTTP/1.1 404 "));
    EXPECT_TRUE(host.Answer("GET /segreto.txt HTTP/1.1\r\n\r\n").head.startsWith("HTTP/1.1 404 "));
    EXPECT_TRUE(host.Answer("GET /interno/ok.txt HTTP/1.1\r\n\r\n").head.startsWith("HTTP/1.1 200 "));
}

} // namespace
