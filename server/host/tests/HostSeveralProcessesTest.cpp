// Two qtr50d processes serving one shop on PostgreSQL behind nginx, all on
// loopback: Sessions and the Application live in the database, so it does
// not matter which process answers.
#include "server/host/testing/CHostTestShop.h"
#include "platform/testing/PgTestCluster.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QThread>

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>
#include <vector>

namespace {

const char* const kNginx = "/usr/sbin/nginx";

quint16 FreePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    quint16 port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

// nginx as the load balancer of docs/deploy.md, cut to what the test needs:
// round robin over the two processes, the forwarded headers, and a header
// naming the process that answered.
class CNginxBalancer
{
public:
    bool Start(const QString& folder, quint16 port, const QList<quint16>& upstreams)
    {
        m_folder = folder;
        QString servers;
        for (quint16 upstream : upstreams)
            servers += QStringLiteral("        server 127.0.0.1:%1;\n").arg(upstream);
        const QString conf = QStringLiteral(R"(user root;
worker_processes 1;
daemon off;
pid %1/nginx.pid;
error_log %1/nginx-error.log;
events { worker_connections 256; }
http {
    access_log off;
    client_body_temp_path %1/body;
    proxy_temp_path %1/proxy;
    fastcgi_temp_path %1/fastcgi;
    uwsgi_temp_path %1/uwsgi;
    scgi_temp_path %1/scgi;
    upstream qtr50d {
%2        keepalive 16;
    }
    server {
        listen 127.0.0.1:%3;
        location / {
            proxy_pass http://qtr50d;
            proxy_http_version 1.1;
            proxy_set_header Connection "";
            proxy_set_header Host $http_host;
            proxy_set_header X-Forwarded-For $proxy_add_x_forwarded_for;
            proxy_set_header X-Forwarded-Proto $scheme;
            add_header X-Upstream $upstream_addr always;
        }
    }
}
)")
                                 .arg(folder, servers)
                                 .arg(port);
        QFile file(folder + QStringLiteral("/nginx.conf"));
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(conf.toUtf8());
        file.close();
        m_process.start(QString::fromLatin1(kNginx),
                        {QStringLiteral("-p"), folder, QStringLiteral("-c"), folder + QStringLiteral("/nginx.conf")});
        if (!m_process.waitForStarted(5000))
            return false;
        for (int i = 0; i < 100; ++i) {
            if (CHttpTestClient(port).Get("/ok.asp").status == 200)
                return true;
            QThread::msleep(50);
        }
        return false;
    }

    ~CNginxBalancer()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        ::kill(pid_t(m_process.processId()), SIGQUIT);
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }

private:
    QString m_folder;
    QProcess m_process;
};

QByteArray Value(const QByteArray& body, const QByteArray& name)
{
    const QRegularExpression pattern(QString::fromLatin1(name) + QStringLiteral("=([^;<]*)"));
    return pattern.match(QString::fromUtf8(body)).captured(1).toUtf8();
}

class HostSeveralProcessesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!QFileInfo(QString::fromLatin1(kNginx)).isExecutable())
            GTEST_SKIP() << "nginx is not installed";
        PgTestCluster& cluster = PgTestCluster::Instance();
        ASSERT_TRUE(cluster.IsRunning()) << cluster.Error().toStdString();
        const QString database = cluster.CreateDatabase(QStringLiteral("host"));
        shop.WriteFile("/db/sqlserver.ini", cluster.ConnectionString(database).toUtf8() + "\n");
        shop.WriteFile("/ok.asp", "ok");
        shop.WriteFile("/global.asa", R"(<SCRIPT LANGUAGE="JavaScript" RUNAT="Server">
function Application_OnStart() { Application.starts = Number(Application("starts") || 0) + 1; }
</SCRIPT>
)");
        shop.WriteFile("/visit.asp", R"(<% Session.visits = Number(Session("visits") || 0) + 1; %>visits=<%= Session("visits") %>;)");
        shop.WriteFile("/counter.asp", R"(<%
Application.Lock();
var n = Number(Application("counter") || 0) + 1;
Application.counter = n;
Application.UnLock();
%>n=<%= n %>;starts=<%= Application("starts") %>;)");
        shop.Set("server/trusted_proxies", "127.0.0.1");
        const QString config = shop.WriteConfig();
        for (auto& process : processes) {
            process = std::make_unique<CQtr50dProcess>();
            ASSERT_TRUE(process->Start(config));
        }
        port = FreePort();
        ASSERT_TRUE(nginx.Start(shop.TempPath(QString()), port, {processes[0]->Port(), processes[1]->Port()}));
    }

    CHostTestShop shop;
    std::unique_ptr<CQtr50dProcess> processes[2];
    CNginxBalancer nginx;
    quint16 port = 0;
};

TEST_F(HostSeveralProcessesTest, AVisitorsSessionSurvivesRequestsAlternatingBetweenTheProcesses)
{
    CHttpTestClient visitor(port);
    QSet<QByteArray> upstreams;
    for (int i = 1; i <= 10; ++i) {
        const CHttpTestReply reply = visitor.Get("/visit.asp");
        EXPECT_EQ(Value(reply.body, "visits"), QByteArray::number(i));
        upstreams.insert(reply.Header("X-Upstream"));
    }
    EXPECT_EQ(upstreams.size(), 2);
}

TEST_F(HostSeveralProcessesTest, ApplicationCountersUnderLockAreNeverGivenTwice)
{
    constexpr int kThreads = 8;
    constexpr int kEach = 25;
    std::vector<QList<QByteArray>> given(kThreads);
    std::vector<QSet<QByteArray>> upstreams(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kEach; ++i) {
                const CHttpTestReply reply = CHttpTestClient(port).Get("/counter.asp");
                given[t].append(Value(reply.body, "n") + "/" + Value(reply.body, "starts"));
                upstreams[t].insert(reply.Header("X-Upstream"));
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    QSet<QByteArray> all;
    QSet<QByteArray> servedBy;
    for (int t = 0; t < kThreads; ++t) {
        for (const QByteArray& n : given[t]) {
            EXPECT_TRUE(n.endsWith("/1")) << n.constData();   // Application_OnStart ran once for both
            all.insert(n);
        }
        servedBy.unite(upstreams[t]);
    }
    EXPECT_EQ(all.size(), kThreads * kEach);
    EXPECT_TRUE(all.contains("1/1"));
    EXPECT_TRUE(all.contains(QByteArray::number(kThreads * kEach) + "/1"));
    EXPECT_EQ(servedBy.size(), 2);
}

} // namespace
