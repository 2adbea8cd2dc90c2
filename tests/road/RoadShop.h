#pragma once

#include "desktop/publishing/preview/CListenSocket.h"
#include "platform/testing/TempFolder.h"

#include <QString>

#include <memory>

// A shop host on loopback: the synchronisation pages, the host database
// with one account ("negozio", password "pa&ss=1") and that shop's folder
// with a database from the reference one.
class RoadShop
{
public:
    RoadShop();

    void Start();
    void Stop();
    // The shop's own pages on its folder, as the shop server serves them;
    // returns the body of a page.
    QString Page(const QString& pathAndQuery);
    quint16 Port() const { return m_port; }

    QString ShopFile(const QString& relative) const { return m_archives.FilePath("negozio/" + relative); }
    QString ShopDatabase() const { return ShopFile("db/database.mdb"); }
    // The first value of a query on the shop's database.
    QVariant Value(const QString& sql, const QVariantList& params = {}) const;
    // Runs a statement on the shop's database, as the shop's pages write it.
    void Execute(const QString& sql, const QVariantList& params = {}) const;

private:
    TempFolder m_archives;
    TempFolder m_host;
    std::unique_ptr<CListenSocket> m_listener;
    std::unique_ptr<CListenSocket> m_site;
    quint16 m_port = 0;
};
