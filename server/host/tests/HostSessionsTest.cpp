// Sessions and the Application of qtr50d, over loopback against the real
// program.
#include "server/host/testing/CHostTestShop.h"
#include "platform/testing/PgTestCluster.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSet>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

// Each visitor stores its own mark the first time and reads it back after.
const QByteArray kMarkPage = R"(<%
if (Session("mark") === undefined || Session("mark") === null || Session("mark") === "")
    Session.mark = Request.QueryString("mark");
%>mark=<%= Session("mark") %>;started=<%= Session("started") %>)";

const QByteArray kGlobalAsa = R"(<SCRIPT LANGUAGE="JavaScript" RUNAT="Server">
function Application_OnStart() {
    Application.starts = Number(Application("starts") || 0) + 1;
}
function Session_OnStart() {
    Application.Lock();
    Application.sessions = Number(Application("sessions") || 0) + 1;
    Application.UnLock();
    Session.started = "yes";
}
</SCRIPT>
)";

const QByteArray kCounterPage = R"(<%
Application.Lock();
var n = Number(Application("counter") || 0) + 1;
Application.counter = n;
Application.UnLock();
%>n=<%= n %>)";

QByteArray Value(const QByteArray& body, const QByteArray& name)
{
    const QRegularExpression pattern(QString::fromLatin1(name) + QStringLiteral("=([^;<]*)"));
    return pattern.match(QString::fromUtf8(body)).captured(1).toUtf8();
}

enum class StateEngine { SQLite, PostgreSQL };

void PrintTo(StateEngine engine, std::ostream* out) { *out << (engine == StateEngine::SQLite ? "SQLite" : "PostgreSQL"); }

// Sessions and the Application on either engine: a SQLite file of the
// server, or the shop's PostgreSQL database when db/sqlserver.ini names one.
class HostSessionsTest : public ::testing::TestWithParam<StateEngine>
{
protected:
    void SetUp() override
    {
        if (GetParam() == StateEngine::PostgreSQL) {
            PgTestCluster& cluster = PgTestCluster::Instance();
            ASSERT_TRUE(cluster.IsRunning()) << cluster.Error().toStdString();
            pgDatabase = cluster.CreateDatabase(QStringLiteral("sessions"));
            shop.WriteFile("/db/sqlserver.ini", cluster.ConnectionString(pgDatabase).toUtf8() + "\n");
        }
        shop.WriteFile("/global.asa", kGlobalAsa);
        shop.WriteFile("/mark.asp", kMarkPage);
        shop.WriteFile("/counter.asp", kCounterPage);
        shop.WriteFile("/stats.asp", "starts=<%= Application(\"starts\") %>;sessions=<%= Application(\"sessions\") %>");
    }

    // Runs a statement on the database that keeps the Sessions; returns the
    // first value it reads, if any.
    QVariant RunOnState(const QString& sql)
    {
        QVariant first;
        {
            QSqlDatabase db;
            if (GetParam() == StateEngine::SQLite) {
                db = QSqlDatabase::addDatabase("QSQLITE", "state");
                db.setDatabaseName(shop.SiteFolder() + "/db/sessions.sqlite");
            } else {
                db = QSqlDatabase::addDatabase("QPSQL", "state");
                db.setHostName("127.0.0.1");
                db.setPort(PgTestCluster::Instance().Port());
                db.setUserName("postgres");
                db.setDatabaseName(pgDatabase);
            }
            EXPECT_TRUE(db.open());
            QSqlQuery query(db);
            EXPECT_TRUE(query.exec(sql));
            if (query.next())
                first = query.value(0);
            query.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase("state");
        return first;
    }

    // How many Sessions are stored; none while the table was never made.
    int StoredSessions()
    {
        const QString made = GetParam() == StateEngine::SQLite
                                 ? "SELECT COUNT(*) FROM sqlite_master WHERE name = 'QtrSessioni'"
                                 : "SELECT COUNT(*) FROM pg_tables WHERE tablename = 'qtrsessioni'";
        return RunOnState(made).toInt() ? RunOnState("SELECT COUNT(*) FROM QtrSessioni").toInt() : 0;
    }

    CHostTestShop shop;
    QString pgDatabase;
};

TEST_P(HostSessionsTest, SixtyFourVisitorsAtOnceEachSeeOnlyTheirOwnSession)
{
    // All of them come from 127.0.0.1.
    shop.Set("limits/max_connections_per_address", "0");
    ASSERT_TRUE(shop.Start());
    constexpr int kVisitors = 64;
    std::vector<QByteArray> first(kVisitors), second(kVisitors), cookies(kVisitors);
    std::vector<std::thread> visitors;
    for (int i = 0; i < kVisitors; ++i) {
        visitors.emplace_back([&, i] {
            CHttpTestClient visitor = shop.Visitor();
            first[i] = visitor.Get("/mark.asp?mark=v" + QByteArray::number(i)).body;
            // The second request asks for another mark: the Session keeps the first.
            second[i] = visitor.Get("/mark.asp?mark=other").body;
            cookies[i] = visitor.Cookies().value("QTR50SESSION");
        });
    }
    for (std::thread& visitor : visitors)
        visitor.join();
    QSet<QByteArray> ids;
    for (int i = 0; i < kVisitors; ++i) {
        const QByteArray mark = "v" + QByteArray::number(i);
        EXPECT_EQ(Value(first[i], "mark"), mark) << i;
        EXPECT_EQ(Value(second[i], "mark"), mark) << i;
        EXPECT_EQ(Value(second[i], "started"), "yes") << i;
        EXPECT_EQ(cookies[i].size(), 32) << i;
        ids.insert(cookies[i]);
    }
    EXPECT_EQ(ids.size(), kVisitors);
    CHttpTestClient reader = shop.Visitor();
    const QByteArray stats = reader.Get("/stats.asp").body;
    EXPECT_EQ(Value(stats, "starts"), "1");
    // One Session_OnStart per visitor; the reader's own page keeps nothing.
    EXPECT_EQ(Value(stats, "sessions"), QByteArray::number(kVisitors + 1));
}

// A read, a pause and a write of the same Session value by ten requests at
// once: none is lost, because one Session's requests take turns.
TEST_P(HostSessionsTest, RequestsOfOneSessionRunOneAtATime)
{
    shop.WriteFile("/slowcount.asp", R"(<%
var n = Number(Session("n") || 0);
var until = Date.now() + 30; while (Date.now() < until) {}
Session.n = n + 1;
%>n=<%= Session("n") %>;)");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient first = shop.Visitor();
    first.Get("/slowcount.asp");
    const QMap<QByteArray, QByteArray> cookies = first.Cookies();
    std::vector<std::thread> requests;
    for (int i = 0; i < 10; ++i) {
        requests.emplace_back([&] {
            CHttpTestClient same(shop.Port());
            same.Cookies() = cookies;
            same.Get("/slowcount.asp");
        });
    }
    for (std::thread& request : requests)
        request.join();
    EXPECT_EQ(Value(first.Get("/slowcount.asp").body, "n"), "12");
}

TEST_P(HostSessionsTest, ASessionOutlivesARestartAndAnUnknownIdentifierIsNotTakenOn)
{
    ASSERT_TRUE(shop.Start());
    CHttpTestClient visitor = shop.Visitor();
    visitor.Get("/mark.asp?mark=kept");
    const QByteArray id = visitor.Cookies().value("QTR50SESSION");
    ASSERT_EQ(shop.Server().Terminate(), 0);
    ASSERT_TRUE(shop.Start());
    CHttpTestClient after(shop.Port());
    after.Cookies() = visitor.Cookies();
    EXPECT_EQ(Value(after.Get("/mark.asp?mark=new").body, "mark"), "kept");

    // A made-up identifier gets a new Session under a new identifier.
    CHttpTestClient forger(shop.Port());
    forger.Cookies().insert("QTR50SESSION", QByteArray(32, 'a'));
    EXPECT_EQ(Value(forger.Get("/mark.asp?mark=forged").body, "mark"), "forged");
    EXPECT_NE(forger.Cookies().value("QTR50SESSION"), QByteArray(32, 'a'));
    EXPECT_NE(forger.Cookies().value("QTR50SESSION"), id);
}

// RenewID is what the members' login calls: the values stay, the
// identifier known before the login names nothing after it.
TEST_P(HostSessionsTest, RenewIDKeepsTheValuesUnderANewIdentifierAndAbandonEndsTheSession)
{
    shop.WriteFile("/id.asp", "id=<%= Session.SessionID %>;");
    shop.WriteFile("/renew.asp", "<% Session.RenewID(); %>");
    shop.WriteFile("/logout.asp", "<% Session.Abandon(); %>");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient visitor = shop.Visitor();
    visitor.Get("/mark.asp?mark=before");
    const QByteArray before = visitor.Cookies().value("QTR50SESSION");
    EXPECT_EQ(Value(visitor.Get("/id.asp").body, "id"), before);

    const CHttpTestReply renewed = visitor.Get("/renew.asp");
    const QByteArray after = visitor.Cookies().value("QTR50SESSION");
    EXPECT_NE(after, before);
    EXPECT_TRUE(renewed.Header("Set-Cookie").contains("; HttpOnly; SameSite=Lax"));
    EXPECT_EQ(Value(visitor.Get("/mark.asp?mark=other").body, "mark"), "before");
    CHttpTestClient thief(shop.Port());
    thief.Cookies().insert("QTR50SESSION", before);
    EXPECT_EQ(Value(thief.Get("/mark.asp?mark=thief").body, "mark"), "thief");

    const CHttpTestReply out = visitor.Get("/logout.asp");
    EXPECT_TRUE(out.Header("Set-Cookie").startsWith("QTR50SESSION=; expires=Thu, 01 Jan 1970")) << out.Header("Set-Cookie").constData();
    CHttpTestClient returning(shop.Port());
    returning.Cookies().insert("QTR50SESSION", after);
    EXPECT_EQ(Value(returning.Get("/mark.asp?mark=anew").body, "mark"), "anew");
}

// The database server drops every connection (a restart, a failover): the
// request that finds out fails, the next is served, and nothing is lost.
TEST_P(HostSessionsTest, AfterTheDatabaseDropsItsConnectionsTheNextRequestIsServed)
{
    if (GetParam() == StateEngine::SQLite)
        GTEST_SKIP() << "a SQLite file has no connection to drop";
    shop.Set("server/threads", "1");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient visitor = shop.Visitor();
    visitor.Get("/mark.asp?mark=kept");
    RunOnState(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                              "WHERE datname = '%1' AND pid <> pg_backend_pid()").arg(pgDatabase));
    const CHttpTestReply first = visitor.Get("/mark.asp?mark=other");
    EXPECT_TRUE(first.status == 200 || first.status == 500) << first.status;
    const CHttpTestReply second = visitor.Get("/mark.asp?mark=other");
    EXPECT_EQ(second.status, 200);
    EXPECT_EQ(Value(second.body, "mark"), "kept");
}

TEST_P(HostSessionsTest, AnIdleSessionExpires)
{
    shop.Set("limits/session_timeout", "1");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient visitor = shop.Visitor();
    visitor.Get("/mark.asp?mark=old");
    ASSERT_EQ(shop.Server().Terminate(), 0);
    // Two minutes later, as far as the stored Session can tell.
    RunOnState("UPDATE QtrSessioni SET UltimoAccesso = UltimoAccesso - 120");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient after(shop.Port());
    after.Cookies() = visitor.Cookies();
    EXPECT_EQ(Value(after.Get("/mark.asp?mark=fresh").body, "mark"), "fresh");
}

// A page that leaves its Session as it found it writes nothing while the
// stored time of access is recent; a change is written at once, and an
// older time of access is brought up to date.
TEST_P(HostSessionsTest, APageThatOnlyReadsItsSessionWritesItWhenItsTimeIsOld)
{
    ASSERT_TRUE(shop.Start());
    CHttpTestClient visitor = shop.Visitor();
    visitor.Get("/mark.asp?mark=first");
    const QString access = "SELECT UltimoAccesso FROM QtrSessioni";
    const qint64 written = RunOnState(access).toLongLong();
    RunOnState(QString("UPDATE QtrSessioni SET UltimoAccesso = %1").arg(written - 5));
    EXPECT_EQ(Value(visitor.Get("/mark.asp").body, "mark"), "first");
    EXPECT_EQ(RunOnState(access).toLongLong(), written - 5) << "read only, written 5 s ago";

    RunOnState(QString("UPDATE QtrSessioni SET UltimoAccesso = %1").arg(written - 300));
    EXPECT_EQ(Value(visitor.Get("/mark.asp").body, "mark"), "first");
    EXPECT_GE(RunOnState(access).toLongLong(), written) << "read only, written 5 minutes ago";

    shop.WriteFile("/change.asp", "<% Session.mark = 'second'; %>");
    RunOnState(QString("UPDATE QtrSessioni SET UltimoAccesso = %1").arg(written - 5));
    visitor.Get("/change.asp");
    EXPECT_GE(RunOnState(access).toLongLong(), written);
    EXPECT_EQ(Value(visitor.Get("/mark.asp").body, "mark"), "second");
}

TEST_P(HostSessionsTest, SessionValuesKeepTheirType)
{
    shop.WriteFile("/store.asp", R"(<%
Session.number = 12.5; Session.flag = true; Session.text = "12.5"; Session.when = new Date(2024, 2, 5, 9, 7, 2);
%>)");
    shop.WriteFile("/read.asp", R"(<%= typeof Session("number") %>,<%= Session("number") + 1 %>,<%= typeof Session("flag") %>,<%= Session("flag") === true %>,<%= typeof Session("text") %>,<%= Session("when").getFullYear() %>-<%= Session("when").getMonth() + 1 %>-<%= Session("when").getDate() %>)");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient visitor = shop.Visitor();
    visitor.Get("/store.asp");
    EXPECT_EQ(visitor.Get("/read.asp").body, "number,13.5,boolean,true,string,2024-3-5");
}

TEST_P(HostSessionsTest, ApplicationCounterTakenUnderLockIsExactUnderEightThreads)
{
    shop.Set("server/threads", "8");
    ASSERT_TRUE(shop.Start());
    constexpr int kThreads = 8;
    constexpr int kEach = 25;
    std::vector<QList<int>> given(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kEach; ++i) {
                CHttpTestClient visitor = shop.Visitor();
                given[t].append(Value(visitor.Get("/counter.asp").body, "n").toInt());
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    QSet<int> all;
    for (const QList<int>& list : given)
        for (int n : list)
            all.insert(n);
    EXPECT_EQ(all.size(), kThreads * kEach);
    EXPECT_TRUE(all.contains(1));
    EXPECT_TRUE(all.contains(kThreads * kEach));
}

TEST_P(HostSessionsTest, APageThatForgetsUnLockDoesNotHoldTheApplication)
{
    shop.WriteFile("/forget.asp", "<% Application.Lock(); Application.x = 1; %>forgot");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient visitor = shop.Visitor();
    EXPECT_EQ(visitor.Get("/forget.asp").body, "forgot");
    EXPECT_EQ(Value(visitor.Get("/counter.asp").body, "n"), "1");
}

// Session_OnStart sets "started": a page that stores nothing beyond it
// keeps no row and sends no cookie, however often it is asked for; the
// first page that stores a value of the visitor's keeps his Session.
TEST_P(HostSessionsTest, AVisitorWhoOnlyBrowsesLeavesNoRowAndOneWhoStoresDoes)
{
    shop.WriteFile("/browse.asp", "started=<%= Session(\"started\") %>;");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient browser = shop.Visitor();
    for (int i = 0; i < 3; ++i) {
        const CHttpTestReply reply = browser.Get("/browse.asp");
        EXPECT_EQ(Value(reply.body, "started"), "yes");
        EXPECT_TRUE(reply.Header("Set-Cookie").isEmpty()) << reply.Header("Set-Cookie").constData();
    }
    EXPECT_EQ(StoredSessions(), 0);

    CHttpTestClient writer = shop.Visitor();
    writer.Get("/browse.asp");
    EXPECT_EQ(StoredSessions(), 0);
    EXPECT_EQ(Value(writer.Get("/mark.asp?mark=mine").body, "mark"), "mine");
    EXPECT_EQ(StoredSessions(), 1);
    EXPECT_EQ(writer.Cookies().value("QTR50SESSION").size(), 32);
    EXPECT_EQ(Value(writer.Get("/mark.asp?mark=other").body, "mark"), "mine");
}

// A Session_OnStart that sets a cookie (as the shop's own numbers each
// visitor): the visitor's Session is kept in memory, not stored, and his
// next pages find it there without starting it again; the first page that
// stores something of his own stores it under the same identifier. A
// browser that sends no cookies back starts a Session each time, as before.
TEST_P(HostSessionsTest, AVisitorWhoOnlyBrowsesStartsHisSessionOnceWhenTheStartSetsACookie)
{
    shop.WriteFile("/global.asa", R"(<SCRIPT LANGUAGE="JavaScript" RUNAT="Server">
function Session_OnStart() {
    Application.Lock();
    var n = Number(Application("sessions") || 0) + 1;
    Application.sessions = n;
    Application.UnLock();
    Session.started = "visitor" + n;
    Response.Cookies.numero = String(n);
}
</SCRIPT>
)");
    shop.WriteFile("/browse.asp", "started=<%= Session(\"started\") %>;");
    shop.WriteFile("/renew.asp", "<% Session.RenewID(); %>renewed");
    ASSERT_TRUE(shop.Start());
    CHttpTestClient browser = shop.Visitor();
    EXPECT_EQ(Value(browser.Get("/browse.asp").body, "started"), "visitor1");
    const QByteArray id = browser.Cookies().value("QTR50SESSION");
    EXPECT_EQ(id.size(), 32);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Value(browser.Get("/browse.asp").body, "started"), "visitor1") << i;
    EXPECT_EQ(Value(shop.Visitor().Get("/stats.asp").body, "sessions"), "2");   // the stats page's own visitor
    EXPECT_EQ(StoredSessions(), 0);

    EXPECT_EQ(Value(browser.Get("/mark.asp?mark=mine").body, "mark"), "mine");
    EXPECT_EQ(StoredSessions(), 1);
    EXPECT_EQ(browser.Cookies().value("QTR50SESSION"), id);
    const CHttpTestReply again = browser.Get("/mark.asp?mark=other");
    EXPECT_EQ(Value(again.body, "mark"), "mine");
    EXPECT_EQ(Value(again.body, "started"), "visitor1");

    // A kept Session's identifier, which the browser holds, is replaced
    // when a page asks (after a login).
    CHttpTestClient signing = shop.Visitor();
    signing.Get("/browse.asp");
    const QByteArray before = signing.Cookies().value("QTR50SESSION");
    EXPECT_EQ(signing.Get("/renew.asp").body, "renewed");
    EXPECT_EQ(before.size(), 32);
    EXPECT_NE(signing.Cookies().value("QTR50SESSION"), before);
    EXPECT_EQ(Value(signing.Get("/browse.asp").body, "started"), "visitor3");

    CHttpTestClient forgetful = shop.Visitor();
    for (int i = 0; i < 2; ++i) {
        forgetful.Cookies().clear();
        forgetful.Get("/browse.asp");
    }
    EXPECT_EQ(Value(shop.Visitor().Get("/stats.asp").body, "sessions"), "6");
}

// With room for three Sessions, a fourth and a fifth visitor who store
// something push out the two that were idle longest; the others keep
// theirs.
TEST_P(HostSessionsTest, TheStoreKeepsItsLimitAndTheLongestIdleSessionsGoFirst)
{
    shop.Set("limits/max_sessions", "3");
    ASSERT_TRUE(shop.Start());
    std::vector<CHttpTestClient> visitors;
    for (int i = 0; i < 5; ++i) {
        // Each earlier visitor has been idle ten seconds longer.
        if (i > 0)
            RunOnState("UPDATE QtrSessioni SET UltimoAccesso = UltimoAccesso - 10");
        visitors.push_back(shop.Visitor());
        visitors.back().Get("/mark.asp?mark=v" + QByteArray::number(i));
    }
    EXPECT_EQ(StoredSessions(), 3);
    for (int i = 4; i >= 2; --i)
        EXPECT_EQ(Value(visitors[i].Get("/mark.asp?mark=again").body, "mark"), "v" + QByteArray::number(i)) << i;
    EXPECT_EQ(Value(visitors[0].Get("/mark.asp?mark=again").body, "mark"), "again");
}

// New visitors are numbered from the Application's counter while another
// page holds the Application's lock: none of them waits for it, and none
// gets a number another has.
TEST_P(HostSessionsTest, NewVisitorsAreNumberedWithoutWaitingForTheApplicationLock)
{
    shop.Set("server/threads", "4");
    shop.Set("limits/max_connections_per_address", "0");
    // This global.asa's Session_OnStart takes the lock itself.
    shop.WriteFile("/global.asa", "<SCRIPT LANGUAGE=\"JavaScript\" RUNAT=\"Server\">\n</SCRIPT>\n");
    shop.WriteFile("/identify.asp", R"(<%
var g = Server.CreateObject("QTR50.Generale");
g.IdentificaUtente();
g.Free();
%>visitor=<%= Session("OkQTRIDSession") %>;)");
    shop.WriteFile("/hold.asp", R"(<%
Application.Lock();
var until = Date.now() + 4000; while (Date.now() < until) {}
Application.UnLock();
%>held)");
    ASSERT_TRUE(shop.Start());
    std::atomic<bool> held{false};
    std::thread holder([&] {
        CHttpTestClient visitor = shop.Visitor();
        visitor.Get("/hold.asp");
        held = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    constexpr int kThreads = 3;
    constexpr int kEach = 10;
    std::vector<QList<QByteArray>> numbers(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kEach; ++i)
                numbers[t].append(Value(shop.Visitor().Get("/identify.asp").body, "visitor"));
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_FALSE(held.load()) << "the new visitors waited for the page holding the lock";
    holder.join();
    // Fourteen digits of date and time, then the counter.
    QSet<int> counters;
    for (const QList<QByteArray>& list : numbers)
        for (const QByteArray& number : list)
            counters.insert(number.mid(14).toInt());
    EXPECT_EQ(counters.size(), kThreads * kEach);
    EXPECT_TRUE(counters.contains(0));
    EXPECT_TRUE(counters.contains(kThreads * kEach - 1));
}

INSTANTIATE_TEST_SUITE_P(Engines, HostSessionsTest, ::testing::Values(StateEngine::SQLite, StateEngine::PostgreSQL),
                         [](const ::testing::TestParamInfo<StateEngine>& info) {
                             return info.param == StateEngine::SQLite ? "SQLite" : "PostgreSQL";
                         });

} // namespace
