#pragma once

#include <QHostAddress>
#include <QList>
#include <QSettings>
#include <QString>
#include <QStringList>

// One shop the server answers for: its site folder (pages at the top,
// pictures under images/, the database in db/), the host names that choose
// it and the regional settings its amounts and dates are written in.
struct CHostShopConfig
{
    QString name;          // names the shop in logs and in the state tables
    QString folder;
    QString dbFolder;      // empty: the folder's db/
    QStringList hostNames; // empty: the shop for any host name
    QString locale = QStringLiteral("it_IT");
};

// What qtr50d reads from its INI file (see qtr50d.example.ini).
struct CHostConfig
{
    QString listen = QStringLiteral("127.0.0.1");
    quint16 port = 8080;
    int threads = 0;            // page workers; 0: one per core
    int ioThreads = 0;          // connection threads; 0: half the workers, at least 2
    bool debug = false;

    int maxHeaderBytes = 16 * 1024;
    qint64 maxBodyBytes = 1024 * 1024;           // the shop's pages
    qint64 maxUploadBytes = 16 * 1024 * 1024;    // the desktop's file upload page
    int maxConnections = 1000;
    int maxConnectionsPerAddress = 32;   // 0: no limit; trusted proxies have none
    int idleTimeoutSeconds = 30;
    int headerTimeoutSeconds = 10;       // to send a request's head
    int maxQueuedRequests = 256;         // pages waiting for a page thread
    int scriptTimeoutSeconds = 90;
    int sessionTimeoutMinutes = 20;
    int maxSessions = 200000;            // stored per shop; 0: no limit
    int drainSeconds = 30;
    QList<QHostAddress> trustedProxies;

    QList<CHostShopConfig> shops;
    QString archivesPath;       // the multi-shop layout: one folder per shop
    QString hostDatabaseFolder; // the host's db folder with Utenti
    QString syncPagesFolder;    // the synchronisation endpoint's pages
    QString stateFolder;        // SQLite Sessions; empty: each shop's db folder

    QString accessLog;
    QString errorLog;

    // Where the shop's order mails go out, and the bank's payment host
    // that card payments are sent to (empty: card payment not configured).
    QString mailServer = QStringLiteral("localhost");
    quint16 mailPort = 25;
    QString mailQueueFolder;    // order mails waiting for the relay
    QString bankAddress;
    // Card orders one Session, and one address in a day, may send to the
    // bank; below this many request passwords left the merchant is warned.
    int cardOrdersPerSession = 3;
    int cardOrdersPerAddress = 10;
    int cardPasswordsWarning = 20;
    // The SMS gateway the desktops' messages go through, with its scheme
    // (empty: no SMS), and the host's account there.
    QString smsGateway;
    QString smsUser;
    QString smsPassword;
    int smsTimeoutSeconds = 30;

    // False with the reason in error when the file is missing or wrong.
    bool Load(const QString& file, QString& error);
    // Only the archives section, for the account commands: false when the
    // file or archives/path and archives/db are missing.
    bool LoadArchives(const QString& file, QString& error);
    int WorkerCount() const;
    int IoThreadCount() const;

private:
    bool ReadArchives(QSettings& ini, const QString& base);
};
