#include "server/host/CHostServer.h"

#include "server/host/CPageVisit.h"
#include "server/host/CPageWorker.h"
#include "server/host/CPageWorkers.h"
#include "server/host/CShopLock.h"
#include "server/host/CShopSite.h"
#include "server/host/CShopWorker.h"
#include "server/host/CStaticFiles.h"
#include "server/core/Funzioni.h"
#include "recordset/sync/SyncProtocol.h"
#include "platform/ado/CAdoConnection.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlQuery>
#include <QThread>
#include <QUrl>

#include <exception>

namespace {

QByteArray HostWithoutPort(const QByteArray& host, QByteArray* port = nullptr)
{
    if (host.startsWith('[')) {   // [v6]:port
        const qsizetype close = host.indexOf(']');
        if (port && close >= 0 && host.mid(close + 1).startsWith(':'))
            *port = host.mid(close + 2);
        return close < 0 ? host : host.left(close + 1);
    }
    const qsizetype colon = host.lastIndexOf(':');
    if (colon < 0)
        return host;
    if (port)
        *port = host.mid(colon + 1);
    return host.left(colon);
}

// A path of this site as a Location: "//images" is another host to a
// browser, so runs of slashes (also those sent as %2F) become one.
QByteArray SitePathLocation(const QString& path)
{
    QByteArray location = QUrl::toPercentEncoding(path, "/");
    qsizetype write = 0;
    for (qsizetype read = 0; read < location.size(); ++read)
        if (location.at(read) != '/' || write == 0 || location.at(write - 1) != '/')
            location[write++] = location.at(read);
    location.truncate(write);
    return location.startsWith('/') ? location : '/' + location;
}

} // namespace

CHostServer::CHostServer(const CHostConfig& config) : m_config(config) {}

CHostServer::~CHostServer() { Stop(); }

bool CHostServer::MakeShops(QString& error)
{
    try {
        for (const CHostShopConfig& shop : m_config.shops)
            m_shops.push_back(
                std::make_unique<CShopSite>(shop, m_config.stateFolder, m_config.sessionTimeoutMinutes,
                                            m_config.maxSessions));
        MakeSyncSite();
    } catch (const std::exception& failure) {
        error = QString::fromUtf8(failure.what());
        return false;
    }
    return true;
}

// The endpoint's pages run on their own site: "/archivi" is the folder of
// the shops, "/db" the host's database with their accounts.
void CHostServer::MakeSyncSite()
{
    if (m_config.archivesPath.isEmpty() || m_config.hostDatabaseFolder.isEmpty()
        || !QFileInfo(m_config.syncPagesFolder).isDir())
        return;
    CHostShopConfig sync;
    sync.name = QStringLiteral("aggiornamento");
    sync.folder = m_config.syncPagesFolder;
    sync.dbFolder = m_config.hostDatabaseFolder;
    m_syncSite = std::make_unique<CShopSite>(sync, m_config.hostDatabaseFolder, m_config.sessionTimeoutMinutes,
                                             m_config.maxSessions);
    m_syncSite->AddVirtualFolder(QStringLiteral("/archivi"), m_config.archivesPath);
    m_syncSite->AddVirtualFolder(QStringLiteral("/db"), m_config.hostDatabaseFolder);
}

bool CHostServer::IsSyncPage(const QString& path)
{
    static const QStringList pages = [] {
        QStringList names;
        for (QLatin1StringView page :
             {SyncProtocol::kPageDelete, SyncProtocol::kPageUpdate, SyncProtocol::kPageUpdateFile,
              SyncProtocol::kPageDeleteProductFiles, SyncProtocol::kPageDeleteFile, SyncProtocol::kPageEmptyHome,
              SyncProtocol::kPageEmptyPhotoFolder, SyncProtocol::kPageDownloadData, SyncProtocol::kPageNotifyDownload,
              SyncProtocol::kPageNotifyDeletion, SyncProtocol::kPageConfirmDeletion, SyncProtocol::kPageCheckSms,
              SyncProtocol::kPageSendSms})
            names << QString(page);
        names << QStringLiteral("/updatefiles50.asp");
        return names;
    }();
    return pages.contains(path, Qt::CaseInsensitive);
}

// The desktop's file pieces (4 MB each) are the only large bodies.
bool CHostServer::IsUploadPage(const QString& path)
{
    return path.compare(SyncProtocol::kPageUpdateFile, Qt::CaseInsensitive) == 0
           || path.compare(QLatin1String("/updatefiles50.asp"), Qt::CaseInsensitive) == 0;
}

bool CHostServer::Check(QStringList& report)
{
    bool ok = true;
    QStringList accounts;
    if (!m_config.hostDatabaseFolder.isEmpty()) {
        try {
            CAdoConnection db;
            db.Open(Funzioni::StringaConnessione(m_config.hostDatabaseFolder));
            QSqlQuery rows = db.Run(QStringLiteral("SELECT Directory FROM Utenti"));
            while (rows.next())
                accounts.append(rows.value(0).toString().toLower());
            report.append(QStringLiteral("ok database dell'host: %1").arg(m_config.hostDatabaseFolder));
        } catch (const std::exception& failure) {
            report.append(QStringLiteral("ERRORE database dell'host: %1").arg(QString::fromUtf8(failure.what())));
            ok = false;
        }
    }
    for (const auto& shop : m_shops) {
        QString error;
        const bool layoutShop = !m_config.archivesPath.isEmpty()
                                && QFileInfo(shop->Folder()).absolutePath() == QDir(m_config.archivesPath).absolutePath();
        if (layoutShop && !m_config.hostDatabaseFolder.isEmpty() && !accounts.contains(shop->Name().toLower())) {
            report.append(QStringLiteral("ERRORE %1: nessun account in Utenti con Directory %1").arg(shop->Name()));
            ok = false;
        } else if (shop->Check(error)) {
            report.append(QStringLiteral("ok %1: %2 (%3, %4)")
                              .arg(shop->Name(), shop->Folder(), shop->Locale().name(),
                                   shop->State().IsShared() ? QStringLiteral("PostgreSQL") : QStringLiteral("SQLite")));
        } else {
            report.append(QStringLiteral("ERRORE %1").arg(error));
            ok = false;
        }
    }
    return ok;
}

bool CHostServer::Start(QString& error)
{
    if (!LockSqliteShops(error) || !m_log.Open(m_config.accessLog, m_config.errorLog, error))
        return false;
    m_workers = std::make_unique<CPageWorkers>(m_config, m_log, [this] { PurgeSessions(); });
    m_daemon.SetBodyLimit([this](const QByteArray& target) {
        const qsizetype question = target.indexOf('?');
        const QString path =
            QString::fromUtf8(QByteArray::fromPercentEncoding(question < 0 ? target : target.left(question)));
        return IsUploadPage(path) ? m_config.maxUploadBytes : m_config.maxBodyBytes;
    });
    return m_daemon.Start(
        m_config, [this](CHttpExchange* exchange, const CHostRequest& request) { OnRequest(exchange, request); },
        [this](const CHostRequest& request, int status, qint64 bytes) {
            m_log.Access(request, VisitOf(request).remoteAddress, status, bytes);
        },
        error);
}

// A shop on SQLite keeps its Sessions and Application in this process:
// one process serves it. On PostgreSQL any number may.
bool CHostServer::LockSqliteShops(QString& error)
{
    std::vector<CShopSite*> sites;
    for (const auto& shop : m_shops)
        sites.push_back(shop.get());
    if (m_syncSite)
        sites.push_back(m_syncSite.get());
    for (CShopSite* site : sites) {
        if (site->State().IsShared())
            continue;
        auto lock = std::make_unique<CShopLock>();
        if (!lock->Take(site->Name(), site->DbFolder(), error))
            return false;
        m_locks.push_back(std::move(lock));
    }
    return true;
}

bool CHostServer::Drain()
{
    m_daemon.StopAccepting();
    QElapsedTimer clock;
    clock.start();
    while (m_daemon.InProgress() > 0 && clock.elapsed() < qint64(m_config.drainSeconds) * 1000)
        QThread::msleep(20);
    return m_daemon.InProgress() == 0;
}

void CHostServer::Stop()
{
    m_daemon.Stop();
    if (m_workers)
        m_workers->Stop();
    m_workers.reset();
}

CShopSite* CHostServer::ShopFor(const QString& hostName) const
{
    for (const auto& shop : m_shops)
        if (shop->Serves(hostName))
            return shop.get();
    for (const auto& shop : m_shops)
        if (shop->ServesAnyHost())
            return shop.get();
    return nullptr;
}

// Behind a trusted proxy the visitor is the last address it adds to
// X-Forwarded-For, and X-Forwarded-Proto says whether TLS was used; from
// anyone else both headers are ignored.
CPageVisit CHostServer::VisitOf(const CHostRequest& request) const
{
    CPageVisit visit;
    visit.remoteAddress = request.peerAddress;
    QByteArray port;
    visit.hostName = QString::fromUtf8(HostWithoutPort(request.Header("Host"), &port)).toLower();
    const bool proxied = m_config.trustedProxies.contains(QHostAddress(request.peerAddress));
    if (proxied) {
        const QList<QByteArray> forwarded = request.Header("X-Forwarded-For").split(',');
        const QString last = QString::fromLatin1(forwarded.last().trimmed());
        if (!QHostAddress(last).isNull())
            visit.remoteAddress = last;
        visit.https = request.Header("X-Forwarded-Proto").trimmed().toLower() == "https";
    }
    bool numeric = false;
    visit.serverPort = quint16(port.toUInt(&numeric));
    if (!numeric)
        visit.serverPort = proxied ? (visit.https ? 443 : 80) : request.serverPort;
    return visit;
}

void CHostServer::OnRequest(CHttpExchange* exchange, const CHostRequest& request)
{
    CShopSite* site = nullptr;
    QString file;
    QString sitePath;
    CHostReply reply = AnswerNow(request, site, file, sitePath);
    if (!site) {
        CHttpDaemon::Finish(exchange, std::move(reply));
        return;
    }
    const CPageVisit visit = VisitOf(request);
    const bool queued = m_workers->Submit(
        CShopWorker::SessionKey(*site, request), [exchange, request, visit, site, file, sitePath](CPageWorker& worker) {
            CHttpDaemon::Finish(exchange, worker.ForShop(*site).Answer(request, visit, file, sitePath));
        });
    if (!queued) {
        CHostReply busy = CHostReply::Plain(503, "503 Service Unavailable");
        busy.AddHeader("Retry-After", "5");
        CHttpDaemon::Finish(exchange, std::move(busy));
    }
}

// Everything but a page is answered here at once; for a page the shop,
// its file and site path are given back for a worker.
CHostReply CHostServer::AnswerNow(const CHostRequest& request, CShopSite*& pageSite, QString& pageFile,
                                  QString& sitePath)
{
    pageSite = nullptr;
    const qsizetype query = request.target.indexOf('?');
    const QString requested = QString::fromUtf8(QByteArray::fromPercentEncoding(query < 0 ? request.target
                                                                                          : request.target.left(query)));
    CShopSite* site = m_syncSite && IsSyncPage(requested) ? m_syncSite.get() : ShopFor(VisitOf(request).hostName);
    if (!site)
        return CHostReply::Plain(404, "404 Not Found");
    const qsizetype question = request.target.indexOf('?');
    const QByteArray rawPath = question < 0 ? request.target : request.target.left(question);
    // Decoded once: "%252e" stays "%2e", never becomes ".".
    const QByteArray decoded = QByteArray::fromPercentEncoding(rawPath);
    QString path = QString::fromUtf8(decoded);
    if (!path.startsWith(QLatin1Char('/')) || decoded.contains('\0') || path.contains(QLatin1Char('\\')))
        return CHostReply::Plain(400, "400 Bad Request");
    if (path.endsWith(QLatin1Char('/')))
        path += QStringLiteral("default.asp");
    if (CStaticFiles::IsPrivate(path) || (!CStaticFiles::MaySend(path) && !CStaticFiles::IsPage(path)))
        return CHostReply::Plain(404, "404 Not Found");
    const QString file = site->Folders().MapTarget(path);
    if (file.isEmpty()) {
        const QString folder = site->Folders().MapPath(path);
        if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
            CHostReply moved = CHostReply::Plain(301, "301 Moved Permanently");
            moved.AddHeader("Location", SitePathLocation(path) + '/');
            return moved;
        }
        return CHostReply::Plain(404, "404 Not Found");
    }
    if (CStaticFiles::IsPage(file)) {
        pageSite = site;
        pageFile = file;
        sitePath = path;
        return CHostReply();
    }
    return CStaticFiles::Answer(file, request);
}

void CHostServer::PurgeSessions()
{
    for (const auto& shop : m_shops) {
        try {
            shop->Sessions().Purge();
        } catch (const std::exception& failure) {
            m_log.Error(shop->Name(), QStringLiteral("(sessioni)"), QString::fromUtf8(failure.what()));
        }
    }
}
