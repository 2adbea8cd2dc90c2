#include "recordset/schema/ShopSchemaDdl.h"
#include "recordset/tests/SchemaEnginesFixture.h"

#include <QSqlRecord>

namespace {

// Product and category codes are typed and imported by merchants whose
// files never cared about case: "art-0001" is the product "ART-0001" on
// both engines, and an index serves the lookup.
class CaseInsensitiveCodes : public SchemaEngines
{
protected:
    void SetUp() override
    {
        SchemaEngines::SetUp();
        if (HasFatalFailure())
            return;
        const QStringList statements = IsPostgres() ? ShopSchemaDdl::PostgresStatements(QtrDbFile::Shop)
                                                     : ShopSchemaDdl::SqliteStatements(QtrDbFile::Shop);
        for (const QString& statement : statements)
            Run(statement);
        for (int id = 1; id <= 300; ++id) {
            Run(QStringLiteral("INSERT INTO Prodotti (ID, Codice) VALUES (?, ?)"),
                {id, QStringLiteral("ART-%1").arg(id, 4, 10, QLatin1Char('0'))});
            Run(QStringLiteral("INSERT INTO Categorie (ID, Codice) VALUES (?, ?)"),
                {id, QStringLiteral("CAT%1").arg(id)});
        }
    }

    QVariant Found(const QString& sql, const QString& code) const
    {
        QSqlQuery query(Db());
        query.prepare(sql);
        query.addBindValue(code);
        EXPECT_TRUE(query.exec()) << query.lastError().text().toStdString();
        return query.next() ? query.value(0) : QVariant();
    }

    QString Plan(const QString& sql) const
    {
        if (IsPostgres())
            Run(QStringLiteral("SET enable_seqscan = off"));
        QSqlQuery query(Db());
        const QString explain = IsPostgres() ? QStringLiteral("EXPLAIN ") : QStringLiteral("EXPLAIN QUERY PLAN ");
        EXPECT_TRUE(query.exec(explain + sql)) << query.lastError().text().toStdString();
        QString plan;
        while (query.next())
            for (int i = 0; i < query.record().count(); ++i)
                plan += query.value(i).toString() + QLatin1Char(' ');
        return plan.toLower();
    }
};

TEST_P(CaseInsensitiveCodes, ACodeIsFoundWhateverItsCase)
{
    EXPECT_EQ(Found(QStringLiteral("SELECT ID FROM Prodotti WHERE Codice=?"), QStringLiteral("art-0042")).toInt(), 42);
    EXPECT_EQ(Found(QStringLiteral("SELECT ID FROM Prodotti WHERE Codice=?"), QStringLiteral("Art-0042")).toInt(), 42);
    EXPECT_EQ(Found(QStringLiteral("SELECT ID FROM Categorie WHERE Codice=?"), QStringLiteral("cat7")).toInt(), 7);
    EXPECT_FALSE(Found(QStringLiteral("SELECT ID FROM Prodotti WHERE Codice=?"), QStringLiteral("art-42")).isValid());
    // A criterion written into the text, as a merchant's import script does.
    EXPECT_EQ(Scalar(QStringLiteral("SELECT ID FROM Prodotti WHERE Codice='art-0300'")).toInt(), 300);
}

TEST_P(CaseInsensitiveCodes, AnIndexServesTheLookup)
{
    EXPECT_TRUE(Plan(QStringLiteral("SELECT ID FROM Prodotti WHERE Codice='art-0042'")).contains(QStringLiteral("ix_prodotti_codice")));
    EXPECT_TRUE(Plan(QStringLiteral("SELECT ID FROM Categorie WHERE Codice='cat7'")).contains(QStringLiteral("ix_categorie_codice")));
}

QTR_INSTANTIATE_SCHEMA_ENGINES(CaseInsensitiveCodes);

} // namespace
