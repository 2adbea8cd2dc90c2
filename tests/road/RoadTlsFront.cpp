#include "tests/road/RoadTlsFront.h"

#include <QDeadlineTimer>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <stdexcept>

namespace {

quint16 FreePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        throw std::runtime_error("no free port");
    return probe.serverPort();
}

void Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw std::runtime_error((program + " failed: " + QString::fromUtf8(process.readAllStandardError())).toStdString());
}

} // namespace

RoadTlsFront::RoadTlsFront(quint16 backendPort)
{
    MakeCertificate();
    TrustCertificate();
    m_port = FreePort();
    WriteConfig(backendPort);
    m_nginx.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_nginx.start(QStringLiteral("/usr/sbin/nginx"),
                  {"-p", m_dir.Path(), "-c", m_dir.FilePath("nginx.conf"), "-e", m_dir.FilePath("error.log")});
    if (!m_nginx.waitForStarted(10000))
        throw std::runtime_error("nginx did not start");
    WaitUntilListening();
}

RoadTlsFront::~RoadTlsFront()
{
    m_nginx.terminate();
    if (!m_nginx.waitForFinished(5000))
        m_nginx.kill();
    m_nginx.waitForFinished(5000);
}

void RoadTlsFront::MakeCertificate()
{
    Run(QStringLiteral("openssl"), {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                                    "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1", "-keyout",
                                    m_dir.FilePath("key.pem"), "-out", m_dir.FilePath("cert.pem")});
}

void RoadTlsFront::TrustCertificate() const
{
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.addCaCertificates(m_dir.FilePath("cert.pem"));
    QSslConfiguration::setDefaultConfiguration(configuration);
}

void RoadTlsFront::WriteConfig(quint16 backendPort) const
{
    const QString dir = m_dir.Path();
    m_dir.WriteFile("nginx.conf", QStringLiteral(
        "daemon off;\n"
        "master_process off;\n"
        "pid %1/nginx.pid;\n"
        "events { worker_connections 64; }\n"
        "http {\n"
        "  access_log off;\n"
        "  client_body_temp_path %1/body;\n"
        "  proxy_temp_path %1/proxy;\n"
        "  fastcgi_temp_path %1/fastcgi;\n"
        "  uwsgi_temp_path %1/uwsgi;\n"
        "  scgi_temp_path %1/scgi;\n"
        "  server {\n"
        "    listen 127.0.0.1:%2 ssl;\n"
        "    ssl_certificate %1/cert.pem;\n"
        "    ssl_certificate_key %1/key.pem;\n"
        "    client_max_body_size 64m;\n"
        "    location / {\n"
        "      proxy_pass http://127.0.0.1:%3;\n"
        "      proxy_set_header Host 127.0.0.1:%3;\n"
        "      proxy_set_header X-Forwarded-Proto https;\n"
        "    }\n"
        "  }\n"
        "}\n").arg(dir).arg(m_port).arg(backendPort).toUtf8());
}

void RoadTlsFront::WaitUntilListening() const
{
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, m_port);
        if (probe.waitForConnected(200))
            return;
        QThread::msleep(50);
    }
    throw std::runtime_error("nginx is not listening");
}
