#include "platform/dao/CDaoException.h"
#include "platform/dao/CDaoStatement.h"

#include <gtest/gtest.h>

namespace {

struct StatementCase
{
    const char* name;
    const char* base;
    const char* filter;
    const char* sort;
    const char* select;
    const char* table;
    int keys;
    int statementParams;
};

void PrintTo(const StatementCase& c, std::ostream* os) { *os << c.name; }

class StatementTest : public ::testing::TestWithParam<StatementCase>
{
};

TEST_P(StatementTest, ReadsTheRowsWithTheirKeys)
{
    const StatementCase& c = GetParam();
    const CDaoStatement statement(QString::fromUtf8(c.base), QString::fromUtf8(c.filter), QString::fromUtf8(c.sort));
    EXPECT_EQ(statement.Select(), QString::fromUtf8(c.select));
    EXPECT_EQ(statement.Table(), QString::fromUtf8(c.table));
    EXPECT_EQ(statement.KeyColumns(), c.keys);
    EXPECT_EQ(statement.IsKeyed(), c.keys > 0);
    EXPECT_EQ(statement.StatementParams(), c.statementParams);
}

INSTANTIATE_TEST_SUITE_P(
    Statements, StatementTest,
    ::testing::Values(
        StatementCase{"TableName", "[Articolo]", "", "", "SELECT [Articolo].rowid AS __qtr_key, * FROM [Articolo]",
                      "Articolo", 1, 0},
        StatementCase{"TableNameWithASpace", "[Righe ordine]", "", "",
                      "SELECT [Righe ordine].rowid AS __qtr_key, * FROM [Righe ordine]", "Righe ordine", 1, 0},
        StatementCase{"FilterAndSortInTheAccessDialect", "[Articolo]", "Nome Like 'a*' AND Attivo=True",
                      "[Prezzo] DESC",
                      "SELECT [Articolo].rowid AS __qtr_key, * FROM [Articolo] WHERE (Nome LIKE 'a%' AND Attivo=1) "
                      "ORDER BY Prezzo DESC",
                      "Articolo", 1, 0},
        StatementCase{"JoinKeysEveryTable",
                      "SELECT P.*, C.IDCategoria FROM Prodotti AS P INNER JOIN CategorieProdotti C ON P.ID=C.IDProdotto",
                      "", "",
                      "SELECT P.rowid AS __qtr_key, C.rowid AS __qtr_key1, P.*, C.IDCategoria FROM Prodotti AS P "
                      "INNER JOIN CategorieProdotti C ON P.ID=C.IDProdotto",
                      "Prodotti", 2, 0},
        StatementCase{"OwnClausesAndMarksComeFirst", "SELECT * FROM Articolo WHERE ID>?", "Attivo=?", "",
                      "SELECT * FROM (SELECT [Articolo].rowid AS __qtr_key, * FROM Articolo WHERE ID>?) WHERE (Attivo=?)",
                      "Articolo", 1, 1},
        StatementCase{"TopBecomesLimit", "SELECT TOP 5 * FROM Articolo ORDER BY Prezzo", "", "",
                      "SELECT [Articolo].rowid AS __qtr_key, * FROM Articolo ORDER BY Prezzo LIMIT 5", "Articolo", 1, 0},
        StatementCase{"AggregateHasNoKeys", "SELECT Max(ID) AS M FROM Articolo", "", "",
                      "SELECT Max(ID) AS M FROM Articolo", "Articolo", 0, 0},
        StatementCase{"AggregateInASubqueryKeepsTheKeys",
                      "SELECT * FROM Articolo WHERE ID=(SELECT MAX(ID) FROM Ordini WHERE Nome='?')", "", "",
                      "SELECT [Articolo].rowid AS __qtr_key, * FROM Articolo WHERE ID=(SELECT MAX(ID) FROM Ordini "
                      "WHERE Nome='?')",
                      "Articolo", 1, 0}),
    [](const ::testing::TestParamInfo<StatementCase>& info) { return std::string(info.param.name); });

TEST(StatementTest, ARowIsReadAgainByAllItsKeysOrByItsFirst)
{
    const CDaoStatement statement("SELECT A.*, L.IDGruppo FROM A LEFT JOIN L ON A.ID=L.IDA", "IDGruppo=7", "");
    const QString core = "SELECT [A].rowid AS __qtr_key, [L].rowid AS __qtr_key1, A.*, L.IDGruppo FROM A "
                         "LEFT JOIN L ON A.ID=L.IDA";
    EXPECT_EQ(statement.Refetch(), "SELECT * FROM (" + core + ") WHERE __qtr_key IS ? AND __qtr_key1 IS ? LIMIT 1");
    EXPECT_EQ(statement.RefetchByFirstKey(), "SELECT * FROM (" + core + ") WHERE __qtr_key IS ? LIMIT 1");
    EXPECT_EQ(statement.KeysMatching("IDGruppo=?"),
              "SELECT __qtr_key, __qtr_key1 FROM (" + core + " WHERE (IDGruppo=7)) WHERE (IDGruppo=?)");
}

TEST(StatementTest, TextThatCannotBeReadIsADatabaseError)
{
    EXPECT_THROW(CDaoStatement("  ", "", ""), CDaoException);
    EXPECT_THROW(CDaoStatement("[Articolo]", "Nome='O'Brien'", ""), CDaoException);
    EXPECT_THROW(CDaoStatement("[Articolo]", "", "[Nome"), CDaoException);
    EXPECT_THROW(CDaoStatement("[Articolo]", "", "").KeysMatching("Data=#31/31/2004#"), CDaoException);
}

} // namespace
