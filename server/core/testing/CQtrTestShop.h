#pragma once

#include "platform/ado/testing/CAdoTestDatabase.h"
#include "platform/asp/testing/CAspTestHost.h"
#include "platform/asp/testing/CAspTestPage.h"
#include "platform/testing/TempFolder.h"

#include <QVariantMap>

#include <memory>

// A shop for server tests on one engine: the shop tables made from the one
// schema description, a site folder whose "/db" maps to the database
// folder, and a page host with one visitor. Fixture rows go in through
// Insert with bound values.
class CQtrTestShop
{
public:
    explicit CQtrTestShop(CAdoConnection::Engine engine);

    CAspTestHost& Host() { return m_host; }
    CAdoConnection& Db() { return *m_connection; }
    QString SiteFolder() const { return m_site.Path(); }
    QString DbFolder() const { return m_database.Folder(); }
    std::unique_ptr<CAspTestPage> NewPage() { return m_host.NewPage(); }

    void Insert(const QString& table, const QVariantMap& values);
    // Writes a file of the site ("/images/it/su_logo.gif").
    void WriteSiteFile(const QString& sitePath, const QByteArray& content = "x");

    // A shop with euro (ID 1) and dollar (ID 2), the languages it (ID 1,
    // default, euro), en (ID 2, dollar) and the inactive de (ID 3), and the
    // settings row.
    void AddBasics();
    // A dictionary code with its texts by language (stored enciphered); a
    // null text makes a row with a null Testo.
    void AddMessage(qint32 id, const QString& code, const QVariantMap& textsByLanguage);

private:
    CAdoTestDatabase m_database;
    TempFolder m_site;
    CAspTestHost m_host;
    std::unique_ptr<CAdoConnection> m_connection;
};
