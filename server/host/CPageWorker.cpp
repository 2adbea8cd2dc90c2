#include "server/host/CPageWorker.h"

#include "server/host/CShopWorker.h"

CPageWorker::CPageWorker(const CHostConfig& config, CHostLog& log) : m_config(config), m_log(log) {}

CPageWorker::~CPageWorker() = default;

void CPageWorker::Release() { m_shops.clear(); }

CShopWorker& CPageWorker::ForShop(CShopSite& site)
{
    auto& worker = m_shops[&site];
    if (!worker)
        worker = std::make_unique<CShopWorker>(site, m_config, m_log);
    return *worker;
}
