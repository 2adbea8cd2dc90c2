#include "server/host/CHostConfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QRegularExpression>
#include <QThread>

namespace {

// A number of the file, or the default when the key is absent; a key that
// is there but not a number is an error.
bool ReadNumber(const QSettings& ini, const QString& key, qint64& into, qint64 minimum, QString& error)
{
    if (!ini.contains(key))
        return true;
    bool ok = false;
    const qint64 value = ini.value(key).toString().trimmed().toLongLong(&ok);
    if (!ok || value < minimum) {
        error = QStringLiteral("Valore non valido per %1: %2").arg(key, ini.value(key).toString());
        return false;
    }
    into = value;
    return true;
}

template <typename T>
bool ReadInt(const QSettings& ini, const QString& key, T& into, qint64 minimum, QString& error)
{
    qint64 value = into;
    if (!ReadNumber(ini, key, value, minimum, error))
        return false;
    into = T(value);
    return true;
}

bool ReadBool(const QSettings& ini, const QString& key, bool& into, QString& error)
{
    if (!ini.contains(key))
        return true;
    const QString text = ini.value(key).toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1") || text == QLatin1String("yes"))
        into = true;
    else if (text == QLatin1String("false") || text == QLatin1String("0") || text == QLatin1String("no"))
        into = false;
    else {
        error = QStringLiteral("Valore non valido per %1: %2").arg(key, text);
        return false;
    }
    return true;
}

QString Absolute(const QString& base, const QString& path)
{
    return path.isEmpty() ? path : QDir::cleanPath(QDir(base).absoluteFilePath(path));
}

// A list of the file: QSettings reads "a, b" as two values.
QStringList Names(const QVariant& value)
{
    const QString text = value.userType() == QMetaType::QStringList ? value.toStringList().join(QLatin1Char(' '))
                                                                     : value.toString();
    QStringList names;
    for (const QString& name : text.split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts))
        names.append(name.toLower());
    return names;
}

} // namespace

bool CHostConfig::Load(const QString& file, QString& error)
{
    if (!QFileInfo(file).isFile()) {
        error = QStringLiteral("File di configurazione non trovato: %1").arg(file);
        return false;
    }
    QSettings ini(file, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError) {
        error = QStringLiteral("File di configurazione illeggibile: %1").arg(file);
        return false;
    }
    const QString base = QFileInfo(file).absolutePath();
    listen = ini.value(QStringLiteral("server/listen"), listen).toString().trimmed();
    if (QHostAddress(listen).isNull()) {
        error = QStringLiteral("Indirizzo non valido per server/listen: %1").arg(listen);
        return false;
    }
    int portNumber = port;
    if (!ReadInt(ini, QStringLiteral("server/port"), portNumber, 0, error)
        || !ReadInt(ini, QStringLiteral("server/threads"), threads, 0, error)
        || !ReadInt(ini, QStringLiteral("server/io_threads"), ioThreads, 0, error)
        || !ReadBool(ini, QStringLiteral("server/debug"), debug, error)
        || !ReadInt(ini, QStringLiteral("limits/max_header_bytes"), maxHeaderBytes, 1024, error)
        || !ReadInt(ini, QStringLiteral("limits/max_body_bytes"), maxBodyBytes, 0, error)
        || !ReadInt(ini, QStringLiteral("limits/max_upload_bytes"), maxUploadBytes, 0, error)
        || !ReadInt(ini, QStringLiteral("limits/header_timeout"), headerTimeoutSeconds, 1, error)
        || !ReadInt(ini, QStringLiteral("limits/max_queued_requests"), maxQueuedRequests, 1, error)
        || !ReadInt(ini, QStringLiteral("limits/max_connections"), maxConnections, 1, error)
        || !ReadInt(ini, QStringLiteral("limits/max_connections_per_address"), maxConnectionsPerAddress, 0, error)
        || !ReadInt(ini, QStringLiteral("limits/idle_timeout"), idleTimeoutSeconds, 1, error)
        || !ReadInt(ini, QStringLiteral("limits/script_timeout"), scriptTimeoutSeconds, 0, error)
        || !ReadInt(ini, QStringLiteral("limits/session_timeout"), sessionTimeoutMinutes, 1, error)
        || !ReadInt(ini, QStringLiteral("limits/max_sessions"), maxSessions, 0, error)
        || !ReadInt(ini, QStringLiteral("limits/drain_timeout"), drainSeconds, 0, error))
        return false;
    if (portNumber > 65535) {
        error = QStringLiteral("Valore non valido per server/port: %1").arg(portNumber);
        return false;
    }
    port = quint16(portNumber);
    int mailPortNumber = mailPort;
    if (!ReadInt(ini, QStringLiteral("mail/port"), mailPortNumber, 1, error))
        return false;
    if (mailPortNumber > 65535) {
        error = QStringLiteral("Valore non valido per mail/port: %1").arg(mailPortNumber);
        return false;
    }
    mailPort = quint16(mailPortNumber);
    mailServer = ini.value(QStringLiteral("mail/server"), mailServer).toString().trimmed();
    bankAddress = ini.value(QStringLiteral("payment/bank")).toString().trimmed();
    if (!ReadInt(ini, QStringLiteral("payment/orders_per_session"), cardOrdersPerSession, 1, error)
        || !ReadInt(ini, QStringLiteral("payment/orders_per_address"), cardOrdersPerAddress, 1, error)
        || !ReadInt(ini, QStringLiteral("payment/passwords_warning"), cardPasswordsWarning, 0, error))
        return false;
    smsGateway = ini.value(QStringLiteral("sms/gateway")).toString().trimmed();
    smsUser = ini.value(QStringLiteral("sms/user")).toString();
    smsPassword = ini.value(QStringLiteral("sms/password")).toString();
    if (!ReadInt(ini, QStringLiteral("sms/timeout"), smsTimeoutSeconds, 1, error))
        return false;
    for (const QString& address : Names(ini.value(QStringLiteral("server/trusted_proxies")))) {
        const QHostAddress proxy(address);
        if (proxy.isNull()) {
            error = QStringLiteral("Indirizzo non valido per server/trusted_proxies: %1").arg(address);
            return false;
        }
        trustedProxies.append(proxy);
    }

    stateFolder = Absolute(base, ini.value(QStringLiteral("server/state")).toString());
    accessLog = Absolute(base, ini.value(QStringLiteral("logs/access")).toString());
    errorLog = Absolute(base, ini.value(QStringLiteral("logs/error")).toString());

    // One shop, or the shops of an archives folder chosen by host name.
    const QString locale = ini.value(QStringLiteral("shop/locale"), QStringLiteral("it_IT")).toString();
    const QString folder = ini.value(QStringLiteral("shop/folder")).toString();
    if (!folder.isEmpty()) {
        CHostShopConfig shop;
        shop.folder = Absolute(base, folder);
        shop.name = ini.value(QStringLiteral("shop/name"), QFileInfo(shop.folder).fileName()).toString();
        shop.hostNames = Names(ini.value(QStringLiteral("shop/hosts")));
        shop.locale = locale;
        shops.append(shop);
    }
    if (!ReadArchives(ini, base))
        return false;
    ini.beginGroup(QStringLiteral("hosts"));
    const QStringList hostKeys = ini.childKeys();
    for (const QString& directory : hostKeys) {
        if (archivesPath.isEmpty()) {
            error = QStringLiteral("La sezione [hosts] richiede archives/path");
            return false;
        }
        CHostShopConfig shop;
        shop.name = directory;
        shop.folder = QDir(archivesPath).absoluteFilePath(directory);
        shop.hostNames = Names(ini.value(directory));
        shop.locale = locale;
        shops.append(shop);
    }
    ini.endGroup();
    ini.beginGroup(QStringLiteral("locales"));
    for (CHostShopConfig& shop : shops)
        shop.locale = ini.value(shop.name, shop.locale).toString();
    ini.endGroup();
    if (shops.isEmpty()) {
        error = QStringLiteral("Nessun negozio configurato: serve shop/folder o la sezione [hosts]");
        return false;
    }
    // Queued mail is private and must outlive a restart: beside the
    // Sessions, in the host's or the shop's db folder, never in a site.
    mailQueueFolder = Absolute(base, ini.value(QStringLiteral("mail/queue")).toString());
    if (mailQueueFolder.isEmpty()) {
        const CHostShopConfig& first = shops.first();
        const QString privata = !stateFolder.isEmpty()        ? stateFolder
                              : !hostDatabaseFolder.isEmpty() ? hostDatabaseFolder
                              : !first.dbFolder.isEmpty()     ? first.dbFolder
                                                              : first.folder + QStringLiteral("/db");
        mailQueueFolder = privata + QStringLiteral("/posta");
    }
    return true;
}

bool CHostConfig::ReadArchives(QSettings& ini, const QString& base)
{
    archivesPath = Absolute(base, ini.value(QStringLiteral("archives/path")).toString());
    hostDatabaseFolder = Absolute(base, ini.value(QStringLiteral("archives/db")).toString());
    // The endpoint's pages come with the program unless the file says where.
    const QString pages = ini.value(QStringLiteral("archives/pages")).toString();
    syncPagesFolder = pages.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/template/sync")
                                      : Absolute(base, pages);
    return true;
}

bool CHostConfig::LoadArchives(const QString& file, QString& error)
{
    if (!QFileInfo(file).isFile()) {
        error = QStringLiteral("File di configurazione non trovato: %1").arg(file);
        return false;
    }
    QSettings ini(file, QSettings::IniFormat);
    ReadArchives(ini, QFileInfo(file).absolutePath());
    if (archivesPath.isEmpty() || hostDatabaseFolder.isEmpty()) {
        error = QStringLiteral("Per gli account dei negozi servono archives/path e archives/db");
        return false;
    }
    return true;
}

int CHostConfig::WorkerCount() const { return threads > 0 ? threads : qMax(1, QThread::idealThreadCount()); }

int CHostConfig::IoThreadCount() const { return ioThreads > 0 ? ioThreads : qMax(2, WorkerCount() / 2); }
