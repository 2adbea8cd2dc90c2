#pragma once

#include "platform/testing/TempFolder.h"
#include "server/host/testing/CQtr50dProcess.h"

#include <QString>
#include <QVariant>

#include <memory>

// The shop server on loopback as an operator sets it up: qtr50d with an
// archives folder, one shop made with --add-shop ("negozio", password
// "pa&ss=1" given with --set-password), served for the host 127.0.0.1.
class RoadShop
{
public:
    RoadShop();
    ~RoadShop();

    // The SMTP server the shop's order mails go to, from the next start on.
    void SetMailPort(quint16 port) { m_mailPort = port; }
    // The SMS gateway and the bank, from the next start on.
    void SetSmsGateway(const QString& address) { m_smsGateway = address; }
    void SetBank(const QString& address) { m_bank = address; }
    // The first start takes a free port; later starts keep it.
    void Start();
    void Stop();
    quint16 Port() const { return m_port; }

    QString ShopFile(const QString& relative) const { return m_temp.FilePath("archivi/negozio/" + relative); }
    QString ShopDatabase() const { return ShopFile("db/database.mdb"); }
    // The first value of a query on the shop's database.
    QVariant Value(const QString& sql, const QVariantList& params = {}) const;
    // Runs a statement on the shop's database, as the shop's pages write it.
    void Execute(const QString& sql, const QVariantList& params = {}) const;
    // Runs a statement on the host's database (the shop accounts).
    void ExecuteOnHost(const QString& sql, const QVariantList& params = {}) const;
    QVariant HostValue(const QString& sql, const QVariantList& params = {}) const;
    // A page of the shop; its body.
    QString Page(const QString& pathAndQuery) const;
    // The HTTP status of a request for a page or a file of the shop.
    int Status(const QString& pathAndQuery) const;

private:
    void WriteConfig() const;
    QString Config() const { return m_temp.FilePath("qtr50d.ini"); }

    TempFolder m_temp;
    std::unique_ptr<CQtr50dProcess> m_server;
    quint16 m_port = 0;
    quint16 m_mailPort = 0;
    QString m_smsGateway;
    QString m_bank;
};
