#pragma once

#include "server/host/testing/CHttpTestClient.h"
#include "server/host/testing/CQtr50dProcess.h"
#include "platform/testing/TempFolder.h"

#include <QMap>
#include <QString>

#include <memory>

// A shop folder written by a test (pages, global.asa, a copy of the
// installation's empty shop database in db/) and a qtr50d serving it on
// loopback with the settings the test chose.
class CHostTestShop
{
public:
    CHostTestShop();

    void WriteFile(const QString& sitePath, const QByteArray& content);
    QString SiteFolder() const { return m_temp.FilePath(QStringLiteral("site")); }
    QString TempPath(const QString& relative) const { return m_temp.FilePath(relative); }
    // A setting of the configuration, "section/key".
    void Set(const QString& key, const QString& value) { m_settings.insert(key, value); }
    QString WriteConfig() const;

    bool Start();
    bool Restart();
    CQtr50dProcess& Server() { return *m_server; }
    quint16 Port() const { return m_server->Port(); }
    CHttpTestClient Visitor() const { return CHttpTestClient(m_server->Port()); }

    QByteArray ErrorLog() const { return m_temp.ReadFile(QStringLiteral("error.log")); }
    QByteArray AccessLog() const { return m_temp.ReadFile(QStringLiteral("access.log")); }

private:
    TempFolder m_temp;
    QMap<QString, QString> m_settings;
    std::unique_ptr<CQtr50dProcess> m_server;
};
