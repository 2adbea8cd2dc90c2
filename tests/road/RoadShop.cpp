#include "tests/road/RoadShop.h"

#include "platform/dao/CDaoDatabase.h"
#include "platform/password/CPasswordHash.h"
#include "recordset/CDaoSqlSession.h"
#include "recordset/schema/ShopSchemaDdl.h"
#include "desktop/publishing/preview/testing/CPreviewTestClient.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>

#include <stdexcept>

RoadShop::RoadShop()
{
    QDir().mkpath(m_archives.FilePath("negozio/db"));
    if (!QFile::copy(QStringLiteral(QTR_REFDB_DIR "/database.mdb"), ShopDatabase()))
        throw std::runtime_error("reference database missing");
    QFile(ShopDatabase()).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    QDir().mkpath(m_host.FilePath("db"));
    CDaoDatabase host;
    host.Open(m_host.FilePath("db/database.mdb"), true);
    ShopSchemaDdl::CreateTables(CDaoSqlSession(host), QtrDbFile::Host);
    host.Execute("INSERT INTO Utenti (CodiceUtente, Password, Directory) VALUES (?,?,?)",
                 {"negozio", CPasswordHash::Hash("pa&ss=1"), "negozio"});
    host.Close();
}

void RoadShop::Start()
{
    m_listener = std::make_unique<CListenSocket>();
    m_listener->SetPort(m_port);
    m_listener->SetRootDir(QStringLiteral(QTR_SYNC_PAGES_DIR));
    m_listener->AddVirtualDir("/db", m_host.FilePath("db"));
    m_listener->AddVirtualDir("/archivi", m_archives.Path());
    if (m_listener->StartListening() != 0)
        throw std::runtime_error("listener did not start");
    m_port = m_listener->ServerPort();
}

void RoadShop::Stop() { m_listener.reset(); }

QVariant RoadShop::Value(const QString& sql, const QVariantList& params) const
{
    CDaoDatabase db;
    db.Open(ShopDatabase());
    QSqlQuery query(db.Connection());
    query.prepare(sql);
    for (int i = 0; i < params.size(); ++i)
        query.bindValue(i, params[i]);
    QVariant value;
    if (query.exec() && query.next())
        value = query.value(0);
    query.finish();
    db.Close();
    return value;
}

void RoadShop::Execute(const QString& sql, const QVariantList& params) const
{
    CDaoDatabase db;
    db.Open(ShopDatabase());
    db.Execute(sql, params);
    db.Close();
}

QString RoadShop::Page(const QString& pathAndQuery)
{
    if (!m_site) {
        const QDir pages(QStringLiteral(QTR_SHOP_PAGES_DIR));
        for (const QString& page : pages.entryList(QDir::Files)) {
            QFile::remove(ShopFile(page));
            QFile::copy(pages.filePath(page), ShopFile(page));
        }
        m_site = std::make_unique<CListenSocket>();
        m_site->SetPort(0);
        m_site->SetRootDir(m_archives.FilePath("negozio"));
        if (m_site->StartListening() != 0)
            throw std::runtime_error("site listener did not start");
    }
    CPreviewTestClient client(m_site->ServerPort());
    return QString::fromUtf8(client.Get(pathAndQuery.toUtf8()).body);
}
