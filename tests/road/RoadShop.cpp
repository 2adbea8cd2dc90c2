#include "tests/road/RoadShop.h"

#include "platform/dao/CDaoDatabase.h"
#include "platform/testing/CTestDatabaseFile.h"
#include "server/host/testing/CHttpTestClient.h"

#include <QDir>
#include <QProcess>

#include <stdexcept>

RoadShop::RoadShop()
{
    QDir().mkpath(m_temp.FilePath("archivi"));
    QDir().mkpath(m_temp.FilePath("host/db"));
    WriteConfig();
    QByteArray output;
    if (CQtr50dProcess::Run({"--config", Config(), "--add-shop", "negozio", "negozio"}, &output) != 0)
        throw std::runtime_error("--add-shop failed: " + output.toStdString());
    QProcess password;
    password.start(CQtr50dProcess::Program(), {"--config", Config(), "--set-password", "negozio"});
    password.write("pa&ss=1\n");
    password.closeWriteChannel();
    if (!password.waitForFinished(30000) || password.exitCode() != 0)
        throw std::runtime_error("--set-password failed: " + password.readAllStandardError().toStdString());
}

RoadShop::~RoadShop() { Stop(); }

void RoadShop::WriteConfig() const
{
    m_temp.WriteFile("qtr50d.ini", QStringLiteral("[server]\n"
                                                  "listen=127.0.0.1\n"
                                                  "port=%1\n"
                                                  "threads=2\n"
                                                  "[archives]\n"
                                                  "path=archivi\n"
                                                  "db=host/db\n"
                                                  "[hosts]\n"
                                                  "negozio=127.0.0.1 localhost\n"
                                                  "[mail]\n"
                                                  "server=127.0.0.1\n"
                                                  "port=%2\n"
                                                  "[sms]\n"
                                                  "gateway=%3\n"
                                                  "user=gtorvel\n"
                                                  "password=gufeno\n"
                                                  "timeout=10\n"
                                                  "[payment]\n"
                                                  "bank=%4\n"
                                                  "[logs]\n"
                                                  "error=error.log\n")
                                       .arg(m_port)
                                       .arg(m_mailPort ? m_mailPort : 25)
                                       .arg(m_smsGateway, m_bank)
                                       .toUtf8());
}

void RoadShop::Start()
{
    WriteConfig();
    m_server = std::make_unique<CQtr50dProcess>();
    if (!m_server->Start(Config()))
        throw std::runtime_error("qtr50d did not start: " + m_server->StandardError().toStdString());
    m_port = m_server->Port();
}

void RoadShop::Stop()
{
    if (m_server)
        m_server->Terminate();
    m_server.reset();
}

QVariant RoadShop::Value(const QString& sql, const QVariantList& params) const
{
    return CTestDatabaseFile::FirstValue(ShopDatabase(), sql, params);
}

void RoadShop::Execute(const QString& sql, const QVariantList& params) const
{
    CDaoDatabase db;
    db.Open(ShopDatabase());
    db.Execute(sql, params);
    db.Close();
}

void RoadShop::ExecuteOnHost(const QString& sql, const QVariantList& params) const
{
    CDaoDatabase db;
    db.Open(m_temp.FilePath("host/db/database.mdb"));
    db.Execute(sql, params);
    db.Close();
}

QVariant RoadShop::HostValue(const QString& sql, const QVariantList& params) const
{
    return CTestDatabaseFile::FirstValue(m_temp.FilePath("host/db/database.mdb"), sql, params);
}

QString RoadShop::Page(const QString& pathAndQuery) const
{
    CHttpTestClient visitor(m_port);
    return QString::fromUtf8(visitor.Get(pathAndQuery.toUtf8()).body);
}

int RoadShop::Status(const QString& pathAndQuery) const
{
    CHttpTestClient visitor(m_port);
    return visitor.Get(pathAndQuery.toUtf8()).status;
}
