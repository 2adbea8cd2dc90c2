#pragma once

#include "server/host/CHostConfig.h"
#include "server/host/CHostLog.h"
#include "server/host/CHttpDaemon.h"

#include <memory>
#include <vector>

class CPageWorkers;
class CShopLock;
class CShopSite;
struct CPageVisit;

// qtr50d's whole server: the shops of the configuration, the HTTP daemon,
// the page workers and the logs. Static files are answered on the
// connection threads; pages go to the workers.
class CHostServer
{
public:
    explicit CHostServer(const CHostConfig& config);
    ~CHostServer();

    // Makes the shops; false with the reason when one cannot be served.
    bool MakeShops(QString& error);
    // --check: every shop's database and state, and for the multi-shop
    // layout each shop's account in the host database. One line per shop.
    bool Check(QStringList& report);

    bool Start(QString& error);
    quint16 Port() const { return m_daemon.Port(); }
    // Stops accepting, lets requests in progress finish up to the drain
    // time; true when they all did.
    bool Drain();
    void Stop();

    CShopSite* ShopFor(const QString& hostName) const;
    CPageVisit VisitOf(const CHostRequest& request) const;

private:
    void MakeSyncSite();
    static bool IsSyncPage(const QString& path);
    static bool IsUploadPage(const QString& path);
    void OnRequest(CHttpExchange* exchange, const CHostRequest& request);
    CHostReply AnswerNow(const CHostRequest& request, CShopSite*& pageSite, QString& pageFile, QString& sitePath);
    void PurgeSessions();
    bool LockSqliteShops(QString& error);

    CHostConfig m_config;
    CHostLog m_log;
    std::vector<std::unique_ptr<CShopSite>> m_shops;
    // The desktop's synchronisation pages, for every host name, when the
    // process keeps the archives of several shops.
    std::unique_ptr<CShopSite> m_syncSite;
    std::unique_ptr<CPageWorkers> m_workers;
    std::vector<std::unique_ptr<CShopLock>> m_locks;
    CHttpDaemon m_daemon;
};
