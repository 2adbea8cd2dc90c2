#pragma once

#include <map>
#include <memory>

class CShopSite;
class CShopWorker;
struct CHostConfig;
class CHostLog;

// One page thread: its page runner (with its own script engine) for each
// shop it has served.
class CPageWorker
{
public:
    CPageWorker(const CHostConfig& config, CHostLog& log);
    ~CPageWorker();

    // Made on this worker's thread the first time it serves the shop.
    CShopWorker& ForShop(CShopSite& site);
    // Ends the shops' runners; called on the worker's thread as it ends.
    void Release();

private:
    const CHostConfig& m_config;
    CHostLog& m_log;
    std::map<const CShopSite*, std::unique_ptr<CShopWorker>> m_shops;
};
