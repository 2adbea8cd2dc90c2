#include "recordset/schema/ShopSchemaDdl.h"
#include "recordset/tests/SchemaEnginesFixture.h"

namespace {

// One rule for dates, the same on both engines: a date column that is not
// declared nullable holds the zero date 1899-12-30 00:00:00 until a value
// is written; a nullable one (NULL: "not set", an open window) holds NULL.
class DateDefaults : public SchemaEngines
{
protected:
    void CreateShop()
    {
        const QStringList statements = IsPostgres() ? ShopSchemaDdl::PostgresStatements(QtrDbFile::Shop)
                                                     : ShopSchemaDdl::SqliteStatements(QtrDbFile::Shop);
        for (const QString& statement : statements)
            Run(statement);
    }

    // A row with nothing but its ID.
    void InsertBareRow(const QtrTableDef& table) { Run(QStringLiteral("INSERT INTO %1 (ID) VALUES (1)").arg(table.name)); }
};

TEST_P(DateDefaults, EveryUnsetDateIsTheZeroDateUnlessDeclaredNullable)
{
    CreateShop();
    int dates = 0, nullable = 0;
    for (const QtrTableDef* table : ShopSchema::TablesOf(QtrDbFile::Shop)) {
        if (!table->HasId())
            continue;
        InsertBareRow(*table);
        for (int i = 0; i < table->columnCount; ++i) {
            const QtrColumnDef& column = table->columns[i];
            if (column.kind != QtrColumnKind::DateTime)
                continue;
            SCOPED_TRACE(QStringLiteral("%1.%2").arg(table->name, column.name).toStdString());
            ++dates;
            if (column.nullable) {
                ++nullable;
                EXPECT_TRUE(Scalar(QStringLiteral("SELECT %1 IS NULL FROM %2").arg(column.name, table->name)).toBool());
            } else {
                EXPECT_TRUE(Scalar(QStringLiteral("SELECT %1 = '1899-12-30 00:00:00' FROM %2")
                                       .arg(column.name, table->name))
                                .toBool());
            }
        }
    }
    // Both kinds were met: orders' dates, and the offer and banner windows.
    EXPECT_GT(nullable, 0);
    EXPECT_GT(dates, nullable);
}

// What the shop's SQL relies on: an order's date compares as a date, and a
// product whose offer window was never set is always inside it.
TEST_P(DateDefaults, TheShopsDateFiltersSeeTheDefaults)
{
    CreateShop();
    Run("INSERT INTO Ordini (ID) VALUES (1)");
    Run("INSERT INTO Ordini (ID, Data) VALUES (2, '2024-05-01 00:00:00')");
    EXPECT_EQ(Scalar("SELECT ID FROM Ordini WHERE Data < '1900-01-01 00:00:00'").toInt(), 1);
    Run("INSERT INTO Prodotti (ID, Offerta) VALUES (1, 1)");
    Run("INSERT INTO Prodotti (ID, Offerta, ValiditaScontoAl) VALUES (2, 1, '2000-01-01 00:00:00')");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Prodotti WHERE (ValiditaScontoDal IS NULL OR ValiditaScontoDal <= "
                     "'2024-05-01 00:00:00') AND (ValiditaScontoAl IS NULL OR ValiditaScontoAl >= "
                     "'2024-05-01 00:00:00')")
                  .toInt(),
              1);
}

QTR_INSTANTIATE_SCHEMA_ENGINES(DateDefaults);

} // namespace
