// A shop moved to PostgreSQL with qtr50d's own commands: --create-schema
// makes its tables from the schema, --load-shop copies the rows of its
// SQLite database into them; neither touches tables already there.
#include "server/host/testing/CHostTestShop.h"
#include "platform/testing/PgTestCluster.h"
#include "recordset/schema/ShopSchema.h"

#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>

#include <functional>

namespace {

// Runs f on a connection to the database (SQLite file or PostgreSQL name),
// closed and removed after.
void WithDatabase(const QString& driver, const QString& name, const std::function<void(QSqlDatabase&)>& f)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, QStringLiteral("setup"));
        if (driver == QLatin1String("QPSQL")) {
            db.setHostName(QStringLiteral("127.0.0.1"));
            db.setPort(PgTestCluster::Instance().Port());
            db.setUserName(QStringLiteral("postgres"));
        }
        db.setDatabaseName(name);
        ASSERT_TRUE(db.open());
        f(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("setup"));
}

QVariant First(QSqlDatabase& db, const QString& sql)
{
    QSqlQuery query(db);
    EXPECT_TRUE(query.exec(sql)) << sql.toStdString();
    return query.next() ? query.value(0) : QVariant();
}

TEST(HostPostgresSetupTest, CreateSchemaThenLoadShopPutsTheShopIntoPostgres)
{
    PgTestCluster& cluster = PgTestCluster::Instance();
    ASSERT_TRUE(cluster.IsRunning()) << cluster.Error().toStdString();
    const QString pgDatabase = cluster.CreateDatabase(QStringLiteral("negozio"));
    CHostTestShop shop;
    // The shop as it was on SQLite, with an order of its own.
    const QString sqliteFile = shop.TempPath(QStringLiteral("database.mdb"));
    ASSERT_TRUE(QFile::copy(shop.SiteFolder() + "/db/database.mdb", sqliteFile));
    WithDatabase(QStringLiteral("QSQLITE"), sqliteFile, [](QSqlDatabase& db) {
        QSqlQuery insert(db);
        ASSERT_TRUE(insert.exec(QStringLiteral("INSERT INTO Ordini (ID, IDCliente, Data, Note) "
                                               "VALUES (1000000007, 5, '2024-05-03 10:20:30', 'Consegna al mattino')")));
    });
    shop.WriteFile("/db/sqlserver.ini", cluster.ConnectionString(pgDatabase).toUtf8() + "\n");
    const QString config = shop.WriteConfig();

    QByteArray said;
    ASSERT_EQ(CQtr50dProcess::Run({"--config", config, "--create-schema", "site"}, &said), 0) << said.constData();
    EXPECT_EQ(CQtr50dProcess::Run({"--config", config, "--create-schema", "site"}, &said), 1);
    EXPECT_TRUE(said.contains("c'è già")) << said.constData();
    EXPECT_EQ(CQtr50dProcess::Run({"--config", config, "--load-shop", "site", sqliteFile}, &said), 0) << said.constData();
    EXPECT_EQ(CQtr50dProcess::Run({"--config", config, "--load-shop", "site", sqliteFile}, &said), 1);
    EXPECT_TRUE(said.contains("ha già delle righe")) << said.constData();

    // Every table holds as many rows as the file; the order reads back.
    QMap<QString, qint64> counts;
    WithDatabase(QStringLiteral("QSQLITE"), sqliteFile, [&](QSqlDatabase& db) {
        for (const QtrTableDef* table : ShopSchema::TablesOf(QtrDbFile::Shop))
            counts.insert(table->Name(), First(db, "SELECT COUNT(*) FROM " + table->Name()).toLongLong());
    });
    WithDatabase(QStringLiteral("QPSQL"), pgDatabase, [&](QSqlDatabase& db) {
        for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
            EXPECT_EQ(First(db, "SELECT COUNT(*) FROM " + it.key()).toLongLong(), it.value()) << it.key().toStdString();
        EXPECT_EQ(First(db, "SELECT to_char(data, 'YYYY-MM-DD HH24:MI:SS') || '/' || note FROM ordini WHERE id=1000000007")
                      .toString(),
                  "2024-05-03 10:20:30/Consegna al mattino");
    });
    EXPECT_GT(counts.value("Dizionario"), 0);

    EXPECT_EQ(CQtr50dProcess::Run({"--config", config, "--check"}, &said), 0) << said.constData();
    EXPECT_TRUE(said.contains("PostgreSQL")) << said.constData();
}

TEST(HostPostgresSetupTest, ASqliteShopIsRefused)
{
    CHostTestShop shop;
    QByteArray said;
    EXPECT_EQ(CQtr50dProcess::Run({"--config", shop.WriteConfig(), "--create-schema", "site"}, &said), 1);
    EXPECT_TRUE(said.contains("sqlserver.ini")) << said.constData();
    EXPECT_EQ(CQtr50dProcess::Run({"--config", shop.WriteConfig(), "--create-schema", "altro"}, &said), 1);
    EXPECT_TRUE(said.contains("Nessun negozio altro")) << said.constData();
}

} // namespace
