#include "platform/testing/PgTestCluster.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
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
    static PgTestCluster cluster(true);
    return cluster;
}

PgTestCluster::PgTestCluster(bool open)
{
    if (!open)
        return;
    if (Attach(StateFile()))
        return;
    if (!Start(::getpid()))
        Stop();
}

PgTestCluster::~PgTestCluster()
{
    if (!m_shared)
        Stop();
}

QString PgTestCluster::StateFile()
{
    const QString file = qEnvironmentVariable("QTR_PGTEST_STATE");
    if (!file.isEmpty())
        return file;
#ifdef QTR_PGTEST_STATE
    return QStringLiteral(QTR_PGTEST_STATE);
#else
    return QString();
#endif
}

// The run's cluster, when the state file names one that answers.
bool PgTestCluster::Attach(const QString& stateFile)
{
    if (stateFile.isEmpty() || !QFileInfo::exists(stateFile))
        return false;
    const QSettings state(stateFile, QSettings::IniFormat);
    m_port = state.value(QStringLiteral("port")).toInt();
    if (m_port == 0 || !Admin(QStringLiteral("SELECT 1"))) {
        m_port = 0;
        m_error.clear();
        return false;
    }
    m_shared = true;
    return true;
}

QString PgTestCluster::StartShared(const QString& stateFile, qint64 watchPid)
{
    PgTestCluster cluster(false);   // not the instance: it must outlive this process
    if (!cluster.Start(watchPid)) {
        const QString error = cluster.Error();
        cluster.Stop();
        return error;
    }
    QSettings state(stateFile, QSettings::IniFormat);
    state.setValue(QStringLiteral("port"), cluster.m_port);
    state.setValue(QStringLiteral("folder"), cluster.m_folder);
    state.sync();
    if (state.status() != QSettings::NoError) {
        cluster.Stop();
        return QStringLiteral("File di stato non scritto: %1").arg(stateFile);
    }
    cluster.m_shared = true;   // the destructor leaves it running
    return QString();
}

QString PgTestCluster::StopShared(const QString& stateFile)
{
    if (!QFileInfo::exists(stateFile))
        return QString();
    const QSettings state(stateFile, QSettings::IniFormat);
    const QString folder = state.value(QStringLiteral("folder")).toString();
    QFile::remove(stateFile);
    if (folder.isEmpty() || !QFileInfo(folder + QStringLiteral("/data")).isDir())
        return QStringLiteral("Nessun cluster in %1").arg(stateFile);
    Shell(AsServerUser(QStringLiteral("%1/pg_ctl -D %2/data -m fast stop").arg(QLatin1String(kBin), folder))
          + QStringLiteral(" >/dev/null 2>&1"));
    QDir(folder).removeRecursively();
    return QString();
}

bool PgTestCluster::Start(qint64 watchPid)
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
    // Stops the cluster when the watched process ends, however it ends.
    Shell(QStringLiteral("sh -c 'while kill -0 %1 2>/dev/null; do sleep 1; done; %2 >/dev/null 2>&1; rm -rf %3' "
                         ">/dev/null 2>&1 &")
              .arg(watchPid)
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

// Runs one statement on the cluster's own database; false, with the error
// kept, when it fails.
bool PgTestCluster::Admin(const QString& sql)
{
    static int connections = 0;
    const QString connection = QStringLiteral("qtr-pgtest-admin-%1").arg(++connections);
    bool ok = false;
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
            ok = query.exec(sql);
            if (!ok)
                m_error = query.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

QString PgTestCluster::CreateDatabase(const QString& prefix)
{
    if (!IsRunning())
        return QString();
    // Several test processes share the run's cluster: the process ID keeps
    // their names apart.
    const QString name = QStringLiteral("%1_%2_%3")
                             .arg(prefix.toLower())
                             .arg(QCoreApplication::applicationPid())
                             .arg(++m_databases);
    return Admin(QStringLiteral("CREATE DATABASE %1").arg(name)) ? name : QString();
}

void PgTestCluster::DropDatabase(const QString& database)
{
    if (!IsRunning() || database.isEmpty())
        return;
    // A database left behind costs only space until the cluster goes: it
    // never stops the next test.
    Admin(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(database));
    m_error.clear();
}
