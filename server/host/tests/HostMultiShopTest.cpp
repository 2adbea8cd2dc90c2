// Many shops in one qtr50d: one folder per shop under the archives path,
// each with its account in the host database's Utenti, chosen by host name.
#include "server/host/testing/CHttpTestClient.h"
#include "server/host/testing/CQtr50dProcess.h"
#include "platform/testing/TempFolder.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

class HostMultiShopTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* shop : {"rosa", "verde"}) {
            QDir().mkpath(temp.FilePath(QStringLiteral("archivi/%1/db").arg(shop)));
            QFile::copy(QCoreApplication::applicationDirPath() + "/db/database.mdb",
                        temp.FilePath(QStringLiteral("archivi/%1/db/database.mdb").arg(shop)));
            temp.WriteFile(QStringLiteral("archivi/%1/default.asp").arg(shop),
                           QByteArray("shop=") + shop + ";<% Session.x = 1; %>");
        }
        QDir().mkpath(temp.FilePath("host/db"));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "utenti");
            db.setDatabaseName(temp.FilePath("host/db/database.mdb"));
            ASSERT_TRUE(db.open());
            QSqlQuery query(db);
            ASSERT_TRUE(query.exec("CREATE TABLE Utenti (CodiceUtente TEXT, Password TEXT, Directory TEXT)"));
            ASSERT_TRUE(query.exec("INSERT INTO Utenti VALUES ('r1', 'x', 'rosa')"));
            ASSERT_TRUE(query.exec("INSERT INTO Utenti VALUES ('v1', 'x', 'verde')"));
            db.close();
        }
        QSqlDatabase::removeDatabase("utenti");
    }

    QString Config(const QByteArray& hosts)
    {
        temp.WriteFile("qtr50d.ini", "[server]\nport=0\nthreads=2\n[archives]\npath=archivi\ndb=host/db\n[hosts]\n" + hosts
                                         + "[logs]\nerror=error.log\n");
        return temp.FilePath("qtr50d.ini");
    }

    TempFolder temp;
};

TEST_F(HostMultiShopTest, TheHostNameChoosesTheShopAndEachKeepsItsOwnSessions)
{
    CQtr50dProcess server;
    ASSERT_TRUE(server.Start(Config("rosa=www.rosa.test rosa.test\nverde=www.verde.test\n")));
    CHttpTestClient visitor(server.Port());
    EXPECT_EQ(visitor.Raw("GET / HTTP/1.1\r\nHost: www.rosa.test\r\nConnection: close\r\n\r\n").body, "shop=rosa;");
    EXPECT_EQ(visitor.Raw("GET / HTTP/1.1\r\nHost: ROSA.test:8080\r\nConnection: close\r\n\r\n").body, "shop=rosa;");
    EXPECT_EQ(visitor.Raw("GET / HTTP/1.1\r\nHost: www.verde.test\r\nConnection: close\r\n\r\n").body, "shop=verde;");
    EXPECT_EQ(visitor.Raw("GET / HTTP/1.1\r\nHost: www.nero.test\r\nConnection: close\r\n\r\n").status, 404);
    EXPECT_TRUE(QFile::exists(temp.FilePath("archivi/rosa/db/sessions.sqlite")));
    EXPECT_TRUE(QFile::exists(temp.FilePath("archivi/verde/db/sessions.sqlite")));
    EXPECT_EQ(server.Terminate(), 0);
}

TEST_F(HostMultiShopTest, CheckReportsAShopFolderWithoutAnAccount)
{
    QDir().mkpath(temp.FilePath("archivi/nero/db"));
    QFile::copy(temp.FilePath("archivi/rosa/db/database.mdb"), temp.FilePath("archivi/nero/db/database.mdb"));
    QByteArray output;
    EXPECT_EQ(CQtr50dProcess::Run({"--config", Config("rosa=www.rosa.test\nnero=www.nero.test\n"), "--check"}, &output),
              1);
    EXPECT_TRUE(output.contains("ok rosa")) << output.constData();
    EXPECT_TRUE(output.contains("ERRORE nero: nessun account in Utenti")) << output.constData();
}

} // namespace
