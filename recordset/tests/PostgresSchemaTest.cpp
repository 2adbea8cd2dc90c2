#include "platform/testing/PgTestCluster.h"
#include "recordset/schema/ShopSchemaDdl.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QString PgType(QtrColumnKind kind)
{
    switch (kind) {
    case QtrColumnKind::Long: return QStringLiteral("integer");
    case QtrColumnKind::Short:
    case QtrColumnKind::Byte:
    case QtrColumnKind::Bool: return QStringLiteral("smallint");
    case QtrColumnKind::Single:
    case QtrColumnKind::Double: return QStringLiteral("double precision");
    case QtrColumnKind::DateTime: return QStringLiteral("timestamp without time zone");
    default: return QStringLiteral("text");
    }
}

// The shop's SQL-server mode: the same description makes the tables in a
// throwaway PostgreSQL cluster, where the shop's unquoted SQL must find them.
class PostgresSchemaTest : public ::testing::TestWithParam<QtrDbFile>
{
protected:
    void SetUp() override
    {
        PgTestCluster& cluster = PgTestCluster::Instance();
        ASSERT_TRUE(cluster.IsRunning()) << cluster.Error().toStdString();
        m_database = cluster.CreateDatabase(QStringLiteral("schema"));
        ASSERT_FALSE(m_database.isEmpty()) << cluster.Error().toStdString();
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), kConnection);
        db.setHostName(QStringLiteral("127.0.0.1"));
        db.setPort(cluster.Port());
        db.setDatabaseName(m_database);
        db.setUserName(QStringLiteral("postgres"));
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
    }

    void TearDown() override
    {
        QSqlDatabase::database(kConnection, false).close();
        QSqlDatabase::removeDatabase(kConnection);
        PgTestCluster::Instance().DropDatabase(m_database);
    }

    static QSqlDatabase Db() { return QSqlDatabase::database(kConnection, false); }

    static void Run(const QString& sql)
    {
        QSqlQuery query(Db());
        ASSERT_TRUE(query.exec(sql)) << sql.toStdString() << ": " << query.lastError().text().toStdString();
    }

    static constexpr const char* kConnection = "qtr-pg-schema";
    QString m_database;
};

TEST_P(PostgresSchemaTest, CreatesEveryTableWithItsColumns)
{
    Db().transaction();
    for (const QString& statement : ShopSchemaDdl::PostgresStatements(GetParam()))
        Run(statement);
    Db().commit();

    for (const QtrTableDef* table : ShopSchema::TablesOf(GetParam())) {
        SCOPED_TRACE(table->name);
        QSqlQuery query(Db());
        query.prepare("SELECT column_name, data_type FROM information_schema.columns WHERE table_name=? "
                      "ORDER BY ordinal_position");
        query.addBindValue(table->Name().toLower());
        ASSERT_TRUE(query.exec());
        int i = 0;
        for (; query.next(); ++i) {
            ASSERT_LT(i, table->columnCount);
            EXPECT_EQ(query.value(0).toString(), QString::fromLatin1(table->columns[i].name).toLower());
            EXPECT_EQ(query.value(1).toString(), PgType(table->columns[i].kind)) << table->columns[i].name;
        }
        EXPECT_EQ(i, table->columnCount);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, PostgresSchemaTest, ::testing::Values(QtrDbFile::Shop, QtrDbFile::Host),
                         [](const auto& info) { return info.param == QtrDbFile::Shop ? "Shop" : "Host"; });

class PostgresShopSqlTest : public PostgresSchemaTest
{
};

TEST_F(PostgresShopSqlTest, TheShopsUnquotedSqlFindsTheTables)
{
    for (const QString& statement : ShopSchemaDdl::PostgresStatements(QtrDbFile::Shop))
        Run(statement);
    Run("INSERT INTO Prodotti (ID, Codice, Attivo) VALUES (1, 'A', 1)");
    Run("INSERT INTO Prodotti (ID, Codice, Attivo, IDProdottoBase) VALUES (2, 'B', 1, 1)");
    QSqlQuery query(Db());
    ASSERT_TRUE(query.exec("SELECT ID, Codice FROM Prodotti WHERE Attivo=1 AND IDProdottoBase=0"));
    ASSERT_TRUE(query.next());
    EXPECT_EQ(query.value(0).toInt(), 1);
    EXPECT_FALSE(query.next());
    EXPECT_FALSE(query.exec("INSERT INTO Prodotti (ID) VALUES (1)")) << "ID is the key";
    Run("INSERT INTO InterventiChat (ID, IDArgomento, Data, Testo) VALUES (1, 2, '2024-03-01 10:00:00', 'ciao')");
    Run("INSERT INTO RecordsEliminati (NomeTabella, IDRecord) VALUES ('Prodotti', 1), ('Prodotti', 1)");
}

} // namespace
