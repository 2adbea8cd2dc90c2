#include "platform/sql/CJetSql.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct Case
{
    const char* label;
    const char* jet;
    const char* sqlite;
    const char* postgres;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.label; }

class JetSqlRewrite : public ::testing::TestWithParam<Case> {};

} // namespace

TEST_P(JetSqlRewrite, GivesTheSameMeaningOnBothEngines)
{
    const Case& c = GetParam();
    EXPECT_EQ(CJetSql(CJetSql::SQLite).Rewrite(c.jet), QString::fromUtf8(c.sqlite));
    EXPECT_EQ(CJetSql(CJetSql::PostgreSQL).Rewrite(c.jet), QString::fromUtf8(c.postgres));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JetSqlRewrite,
    ::testing::Values(
        Case{"Plain", "SELECT * FROM Lingue WHERE Attivo=1", "SELECT * FROM Lingue WHERE Attivo=1",
             "SELECT * FROM Lingue WHERE Attivo=1"},
        Case{"DateLiterals", "SELECT * FROM P WHERE D<=#3/10/2004# AND E>=#2004-12-01 13:05:00#",
             "SELECT * FROM P WHERE D<='2004-03-10 00:00:00' AND E>='2004-12-01 13:05:00'",
             "SELECT * FROM P WHERE D<='2004-03-10 00:00:00' AND E>='2004-12-01 13:05:00'"},
        Case{"PaddedDate", "DataFattura>=#01/01/2004# AND D<#12/31/2004 11:30:00 PM#",
             "DataFattura>='2004-01-01 00:00:00' AND D<'2004-12-31 23:30:00'",
             "DataFattura>='2004-01-01 00:00:00' AND D<'2004-12-31 23:30:00'"},
        Case{"LikePatterns", "SELECT * FROM C WHERE Nome Like 'Ro*s?' AND X='a*b'",
             "SELECT * FROM C WHERE Nome LIKE 'Ro%s_' AND X='a*b'",
             "SELECT * FROM C WHERE Nome ILIKE 'Ro%s_' AND X='a*b'"},
        Case{"LikeParameter", "SELECT * FROM C WHERE Nome Like ?", "SELECT * FROM C WHERE Nome LIKE ?",
             "SELECT * FROM C WHERE Nome ILIKE ?"},
        Case{"LikeParameterWithEscape", "Nome Like ? ESCAPE '!'", "Nome LIKE ? ESCAPE '!'",
             "Nome ILIKE ? ESCAPE '!'"},
        Case{"BracketsBooleansQuotes", "[Attivo]=TRUE AND [Novita]=False AND [Nome Lungo]=\"l'uno\"",
             "Attivo=1 AND Novita=0 AND \"Nome Lungo\"='l''uno'",
             "Attivo=1 AND Novita=0 AND \"Nome Lungo\"='l''uno'"},
        Case{"Concatenation", "SELECT Nome & ' ' & Cognome FROM Clienti", "SELECT Nome || ' ' || Cognome FROM Clienti",
             "SELECT Nome || ' ' || Cognome FROM Clienti"},
        Case{"Top", "SELECT TOP 100 ID FROM Prodotti WHERE ID>? ORDER BY ID",
             "SELECT ID FROM Prodotti WHERE ID>? ORDER BY ID LIMIT 100",
             "SELECT ID FROM Prodotti WHERE ID>? ORDER BY ID LIMIT 100"},
        Case{"DeleteStar", "DELETE * FROM InterventiChat WHERE Timeout<?", "DELETE FROM InterventiChat WHERE Timeout<?",
             "DELETE FROM InterventiChat WHERE Timeout<?"},
        Case{"IsNumericCLng", "SELECT Max(CLng(UserID)) FROM Clienti WHERE IsNumeric([UserID])=-1",
             "SELECT Max(CAST((UserID) AS INTEGER)) FROM Clienti WHERE (CASE WHEN length((UserID)) "
             "BETWEEN 1 AND 18 AND (UserID) NOT GLOB '*[^0-9]*' THEN -1 ELSE 0 END)=-1",
             "SELECT Max(CAST((UserID) AS BIGINT)) FROM Clienti WHERE (CASE WHEN CAST((UserID) AS TEXT) "
             "~ '^[0-9]{1,18}$' THEN -1 ELSE 0 END)=-1"},
        Case{"InsideStrings", "SELECT 'it''s # [not] & true' FROM T", "SELECT 'it''s # [not] & true' FROM T",
             "SELECT 'it''s # [not] & true' FROM T"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(JetSql, MalformedTextIsRefusedWithAClearError)
{
    const CJetSql jet(CJetSql::SQLite);
    EXPECT_THROW(jet.Rewrite("SELECT * FROM T WHERE D=#31/31/2004#"), std::invalid_argument);
    EXPECT_THROW(jet.Rewrite("SELECT * FROM T WHERE N='open"), std::invalid_argument);
    EXPECT_THROW(jet.Rewrite("SELECT IsNumeric(x FROM T"), std::invalid_argument);
}
