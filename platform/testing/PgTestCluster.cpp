#include "platform/testing/PgTestCluster.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

namespace {

const char* const kBin = "/usr/lib/postgresql/15/bin";

int FreePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

// PostgreSQL refuses to run as root: as root its programs run as postgres.
QString AsServerUser(const QString& command)
{
    if (::geteuid() != 0)
        return command;
    return QStringLiteral("runuser -u postgres -- ") + command;
}

int Shell(const QString& command)
{
    return std::system(command.toLocal8Bit().constData());
}

} // namespace

PgTestCluster& PgTestCluster::Instance()
{
    static PgTestCluster cluster;
    return cluster;
}

PgTestCluster::PgTestCluster()
{
    if (!Start())
        Stop();
}

PgTestCluster::~PgTestCluster() { Stop(); }

bool PgTestCluster::Start()
{
    if (!QFileInfo(QStringLiteral("%1/initdb").arg(QLatin1String(kBin))).isExecutable()) {
        m_error = QStringLiteral("PostgreSQL 15 non installato (%1)").arg(QLatin1String(kBin));
        return false;
    }
    QByteArray pattern = QDir::tempPath().toLocal8Bit() + "/qtrpg-XXXXXX";
    if (!::mkdtemp(pattern.data())) {
        m_error = QStringLiteral("Cartella temporanea non creata");
        return false;
    }
    m_folder = QString::fromLocal8Bit(pattern);
    if (::geteuid() == 0) {
        if (const passwd* user = ::getpwnam("postgres"); !user || ::chown(pattern.constData(), user->pw_uid, user->pw_gid) != 0) {
            m_error = QStringLiteral("Utente postgres mancante");
            return false;
        }
    }
    const QString data = m_folder + QStringLiteral("/data");
    const QString quiet = QStringLiteral(" > %1/setup.log 2>&1").arg(m_folder);
    if (Shell(AsServerUser(QStringLiteral("%1/initdb -D %2 -U postgres -A trust -E UTF8 --no-locale --no-sync")
                               .arg(QLatin1String(kBin), data))
              + quiet)
        != 0) {
        m_error = QStringLiteral("initdb non riuscito (vedi %1/setup.log)").arg(m_folder);
        return false;
    }
    for (int attempt = 0; attempt < 5 && m_port == 0; ++attempt) {
        const int port = FreePort();
        const QString options = QStringLiteral("-c listen_addresses=127.0.0.1 -p %1 -c unix_socket_directories=%2 "
                                               "-c fsync=off -c max_connections=200")
                                    .arg(port)
                                    .arg(m_folder);
        if (Shell(AsServerUser(QStringLiteral("%1/pg_ctl -w -D %2 -l %3/server.log -o \"%4\" start")
                                   .arg(QLatin1String(kBin), data, m_folder, options))
                  + quiet)
            == 0)
            m_port = port;
    }
    if (m_port == 0) {
        m_error = QStringLiteral("pg_ctl start non riuscito (vedi %1/server.log)").arg(m_folder);
        return false;
    }
    // Stops the cluster when this process ends, however it ends.
    Shell(QStringLiteral("sh -c 'while kill -0 %1 2>/dev/null; do sleep 1; done; %2 >/dev/null 2>&1; rm -rf %3' "
                         ">/dev/null 2>&1 &")
              .arg(::getpid())
              .arg(AsServerUser(QStringLiteral("%1/pg_ctl -D %2 -m fast stop").arg(QLatin1String(kBin), data)),
                   m_folder));
    return true;
}

void PgTestCluster::Stop()
{
    if (m_folder.isEmpty())
        return;
    if (m_port != 0)
        Shell(AsServerUser(QStringLiteral("%1/pg_ctl -D %2/data -m fast stop").arg(QLatin1String(kBin), m_folder))
              + QStringLiteral(" >/dev/null 2>&1"));
    QDir(m_folder).removeRecursively();
    m_folder.clear();
    m_port = 0;
}

QString PgTestCluster::ConnectionString(const QString& database) const
{
    return QStringLiteral("host=127.0.0.1 port=%1 dbname=%2 user=postgres").arg(m_port).arg(database);
}

QString PgTestCluster::CreateDatabase(const QString& prefix)
{
    if (!IsRunning())
        return QString();
    const QString name = QStringLiteral("%1_%2").arg(prefix.toLower()).arg(++m_databases);
    const QString connection = QStringLiteral("qtr-pgtest-admin");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
        db.setHostName(QStringLiteral("127.0.0.1"));
        db.setPort(m_port);
        db.setDatabaseName(QStringLiteral("postgres"));
        db.setUserName(QStringLiteral("postgres"));
        if (!db.open()) {
            m_error = db.lastError().text();
        } else {
            QSqlQuery query(db);
            if (!query.exec(QStringLiteral("CREATE DATABASE %1").arg(name)))
                m_error = query.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return IsRunning() ? name : QString();
}
