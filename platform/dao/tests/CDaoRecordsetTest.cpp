#include "platform/dao/CDaoRecordset.h"
#include "platform/testing/TempFolder.h"

#include <gtest/gtest.h>

namespace {

// A table class of the kind the shop's tables use, over a small table.
class CArticoloSet : public CDaoRecordset
{
public:
    using CDaoRecordset::CDaoRecordset;
    QString GetDefaultSQL() override { return QStringLiteral("[Articolo]"); }
    void DoFieldExchange(CDaoFieldExchange* pFX) override
    {
        DFX_Long(pFX, "[ID]", m_ID);
        DFX_Text(pFX, "[Nome]", m_Nome);
        DFX_Double(pFX, "[Prezzo]", m_Prezzo);
        DFX_Bool(pFX, "[Attivo]", m_Attivo);
        DFX_DateTime(pFX, "[Data]", m_Data);
    }
    qint32 m_ID = 0;
    QString m_Nome;
    double m_Prezzo = 0;
    bool m_Attivo = false;
    QDateTime m_Data = DaoZeroDate();
};

class DaoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.Open(folder.FilePath("test.mdb"), true);
        db.Execute("CREATE TABLE Articolo (ID INTEGER, Nome TEXT, Prezzo REAL, Attivo INTEGER, Data TEXT)");
        Insert(1, "Alfa", 10.5, 1);
        Insert(2, "Beta", 20, 0);
        Insert(3, "Gamma", 30, 1);
    }
    void Insert(int id, const QString& nome, double prezzo, int attivo)
    {
        db.Execute("INSERT INTO Articolo VALUES (?, ?, ?, ?, '2024-02-29 10:30:00')", {id, nome, prezzo, attivo});
    }
    QVariant Scalar(const QString& sql)
    {
        QSqlQuery q(db.Connection());
        q.exec(sql);
        return q.next() ? q.value(0) : QVariant();
    }
    QList<int> Ids(CArticoloSet& rs)
    {
        QList<int> ids;
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
            ids << rs.m_ID;
        return ids;
    }

    TempFolder folder;
    CDaoDatabase db;
};

TEST_F(DaoTest, NavigatesTheRowsAndReportsTheEnds)
{
    CArticoloSet rs(&db);
    rs.Open();
    EXPECT_EQ(rs.GetRecordCount(), 3);
    EXPECT_FALSE(rs.IsBOF());
    EXPECT_EQ(rs.m_ID, 1);
    EXPECT_EQ(rs.m_Nome, "Alfa");
    EXPECT_TRUE(rs.m_Attivo);
    EXPECT_EQ(rs.m_Data, QDateTime(QDate(2024, 2, 29), QTime(10, 30)));
    rs.MoveLast();
    EXPECT_EQ(rs.m_ID, 3);
    rs.MoveNext();
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_THROW(rs.MoveNext(), CDaoException);
    rs.MoveLast();
    rs.Move(-2);
    EXPECT_EQ(rs.m_ID, 1);
    rs.MovePrev();
    EXPECT_TRUE(rs.IsBOF());
    rs.MoveFirst();
    rs.Move(1);
    EXPECT_EQ(rs.m_ID, 2);
}

TEST_F(DaoTest, AnEmptySetIsAtBothEnds)
{
    CArticoloSet rs(&db);
    rs.m_strFilter = "ID=99";
    rs.Open();
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_TRUE(rs.IsBOF());
    EXPECT_EQ(rs.GetRecordCount(), 0);
}

TEST_F(DaoTest, FilterAndSortTextsWorkAsWritten)
{
    struct Case { QString filter; QString sort; QVariantList params; QList<int> ids; };
    const Case cases[] = {
        {"ID=2", "", {}, {2}},
        {"Attivo=TRUE", "", {}, {1, 3}},
        {"Attivo=FALSE", "", {}, {2}},
        {"[Nome]='Gamma'", "", {}, {3}},
        {"", "[Prezzo] DESC", {}, {3, 2, 1}},
        {"ID>1 AND Attivo=TRUE", "ID", {}, {3}},
        {"Nome=?", "", {"Beta"}, {2}},
        {"Nome Like 'G*'", "", {}, {3}},
        {"Data<#3/1/2024#", "", {}, {1, 2, 3}},
        {"Attivo=True AND Nome & 'x'='Alfax'", "", {}, {1}},
        {"Nome=?", "", {"O'Brien'; DROP TABLE Articolo; --"}, {}},
    };
    for (const Case& c : cases) {
        CArticoloSet rs(&db);
        rs.m_strFilter = c.filter;
        rs.m_strSort = c.sort;
        rs.m_filterParams = c.params;
        rs.Open();
        EXPECT_EQ(Ids(rs), c.ids) << c.filter.toStdString() << " / " << c.sort.toStdString();
    }
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Articolo").toInt(), 3);
}

TEST_F(DaoTest, AStatementWithItsOwnClausesTakesFilterAndSortToo)
{
    CArticoloSet rs(&db);
    rs.m_strFilter = "Prezzo>15";
    rs.m_strSort = "ID DESC";
    rs.Open(dbOpenDynaset, "SELECT * FROM Articolo WHERE Attivo=1 OR ID=2 ORDER BY Nome");
    EXPECT_EQ(Ids(rs), (QList<int>{3, 2}));
}

TEST_F(DaoTest, AStatementWithMarksTakesItsValuesBeforeTheFilters)
{
    CArticoloSet rs(&db);
    rs.m_strFilter = "Prezzo<?";
    rs.m_filterParams = {"Alfa", 25};
    rs.Open(dbOpenDynaset, "SELECT * FROM Articolo WHERE Nome<>? AND Nome<>'?'");
    EXPECT_EQ(Ids(rs), (QList<int>{2}));
    rs.MoveFirst();
    rs.Edit();
    rs.m_Prezzo = 24;
    rs.Update();   // the row is read again with the statement's own value
    EXPECT_DOUBLE_EQ(rs.m_Prezzo, 24);
    EXPECT_EQ(rs.m_ID, 2);
}

TEST_F(DaoTest, FindMovesToTheMatchAndStaysPutWhenNothingMatches)
{
    CArticoloSet rs(&db);
    rs.Open();
    EXPECT_TRUE(rs.FindFirst("Prezzo>15"));
    EXPECT_EQ(rs.m_ID, 2);
    EXPECT_TRUE(rs.FindNext("Prezzo>15"));
    EXPECT_EQ(rs.m_ID, 3);
    EXPECT_FALSE(rs.FindNext("Prezzo>15"));
    EXPECT_EQ(rs.m_ID, 3);
    EXPECT_FALSE(rs.FindFirst("Nome=?", {"Zeta"}));
    EXPECT_EQ(rs.m_ID, 3);
    EXPECT_TRUE(rs.FindPrev("Attivo=TRUE"));
    EXPECT_EQ(rs.m_ID, 1);
    EXPECT_TRUE(rs.FindLast("ID<3"));
    EXPECT_EQ(rs.m_ID, 2);
}

TEST_F(DaoTest, AnAddedRowJoinsTheEndWithoutBecomingCurrent)
{
    CArticoloSet rs(&db);
    rs.Open();
    rs.MoveNext();
    rs.AddNew();
    EXPECT_EQ(rs.m_Nome, "");   // a new row starts from the defaults
    rs.m_ID = 4;
    rs.m_Nome = "Delta";
    rs.Update();
    EXPECT_EQ(rs.m_ID, 2);
    EXPECT_EQ(rs.GetRecordCount(), 4);
    rs.MoveLast();
    EXPECT_EQ(rs.m_ID, 4);
    EXPECT_EQ(rs.m_Nome, "Delta");
    EXPECT_EQ(rs.m_Data, DaoZeroDate());
    // Columns whose members were not set after AddNew are not written.
    EXPECT_TRUE(Scalar("SELECT Data IS NULL AND Prezzo IS NULL FROM Articolo WHERE ID=4").toBool());
}

TEST_F(DaoTest, AddingToAnEmptySetLeavesItAtTheEnd)
{
    CArticoloSet rs(&db);
    rs.m_strFilter = "ID>10";
    rs.Open();
    rs.AddNew();
    rs.m_ID = 11;
    rs.Update();
    EXPECT_TRUE(rs.IsEOF());
    rs.MoveFirst();
    EXPECT_FALSE(rs.IsEOF());
    EXPECT_EQ(rs.m_ID, 11);
}

TEST_F(DaoTest, ASaveWritesOnlyTheChangedColumns)
{
    CArticoloSet rs(&db);
    rs.Open();
    db.Execute("UPDATE Articolo SET Prezzo=99 WHERE ID=1");   // another writer, after our read
    rs.Edit();
    rs.m_Nome = "Alfa nuovo";
    rs.Update();
    EXPECT_DOUBLE_EQ(Scalar("SELECT Prezzo FROM Articolo WHERE ID=1").toDouble(), 99);
    EXPECT_EQ(Scalar("SELECT Nome FROM Articolo WHERE ID=1").toString(), "Alfa nuovo");
    EXPECT_DOUBLE_EQ(rs.m_Prezzo, 99);   // the row is read again after the save
}

TEST_F(DaoTest, ARowEditedElsewhereIsReadAgainWhenItBecomesCurrent)
{
    CArticoloSet a(&db), b(&db);
    a.Open();
    b.Open();
    b.MoveNext();
    b.Edit();
    b.m_Prezzo = 21;
    b.Update();
    a.MoveNext();
    EXPECT_DOUBLE_EQ(a.m_Prezzo, 21);
    b.Delete();
    a.MoveFirst();
    a.MoveNext();
    EXPECT_EQ(a.m_ID, 3);   // the row deleted elsewhere is passed over
}

TEST_F(DaoTest, CancelUpdateRestoresTheMembersAndWritesNothing)
{
    CArticoloSet rs(&db);
    rs.Open();
    rs.Edit();
    rs.m_Nome = "Cambiato";
    rs.CancelUpdate();
    EXPECT_EQ(rs.m_Nome, "Alfa");
    EXPECT_EQ(Scalar("SELECT Nome FROM Articolo WHERE ID=1").toString(), "Alfa");
    EXPECT_THROW(rs.Update(), CDaoException);
}

TEST_F(DaoTest, NullsReadAsNullAndAsDefaults)
{
    db.Execute("INSERT INTO Articolo (ID) VALUES (5)");
    CArticoloSet rs(&db);
    rs.m_strFilter = "ID=5";
    rs.Open();
    EXPECT_TRUE(rs.IsFieldNull("Nome"));
    EXPECT_EQ(rs.m_Nome, "");
    EXPECT_DOUBLE_EQ(rs.m_Prezzo, 0);
    EXPECT_EQ(rs.m_Data, DaoZeroDate());
    rs.Edit();
    rs.SetFieldValue("Nome", "x");
    EXPECT_EQ(rs.GetFieldValue("nome").toString(), "x");   // names are case-insensitive
    rs.Update();
    rs.Edit();
    rs.SetFieldValueNull("[Nome]");
    rs.Update();
    EXPECT_TRUE(Scalar("SELECT Nome IS NULL FROM Articolo WHERE ID=5").toBool());
}

TEST_F(DaoTest, DeleteRemovesTheRowAndTheSetPassesOverIt)
{
    CArticoloSet rs(&db);
    rs.Open();
    rs.MoveNext();
    rs.Delete();
    EXPECT_THROW(rs.GetFieldValue("ID"), CDaoException);
    rs.MoveNext();
    EXPECT_EQ(rs.m_ID, 3);
    EXPECT_EQ(rs.GetRecordCount(), 2);
    EXPECT_EQ(Ids(rs), (QList<int>{1, 3}));
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Articolo").toInt(), 2);
}

TEST_F(DaoTest, RequeryReadsTheTableAgain)
{
    CArticoloSet rs(&db);
    rs.m_strFilter = "Attivo=TRUE";
    rs.Open();
    Insert(7, "Eta", 5, 1);
    EXPECT_EQ(rs.GetRecordCount(), 2);
    rs.Requery();
    EXPECT_EQ(Ids(rs), (QList<int>{1, 3, 7}));
}

TEST_F(DaoTest, EngineErrorsCarryTheEnginesMessage)
{
    CArticoloSet rs(&db);
    try {
        rs.Open(dbOpenDynaset, "SELECT * FROM Nessuna");
        FAIL() << "no exception";
    } catch (const CDaoException& e) {
        EXPECT_TRUE(e.GetErrorMessage().contains("no such table")) << e.what();
    }
    rs.Open();
    EXPECT_THROW(rs.GetFieldValue("Colonna"), CDaoException);
    EXPECT_THROW(rs.SetFieldValue("Nome", "x"), CDaoException);   // not editing
}

TEST_F(DaoTest, AggregateStatementsReadButDontWrite)
{
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT Max(ID) AS Massimo FROM Articolo");
    EXPECT_EQ(rs.GetFieldValue("Massimo").toInt(), 3);
    EXPECT_FALSE(rs.CanUpdate());
    EXPECT_THROW(rs.AddNew(), CDaoException);
}

TEST_F(DaoTest, AJoinStatementWritesItsFirstTable)
{
    db.Execute("CREATE TABLE Legame (IDArticolo INTEGER, IDGruppo INTEGER)");
    db.Execute("INSERT INTO Legame VALUES (1, 7), (3, 7), (3, 8)");
    CArticoloSet rs(&db);
    rs.m_strFilter = "IDGruppo=7";
    rs.Open(dbOpenDynaset, "SELECT Articolo.*, Legame.IDGruppo FROM Articolo INNER JOIN Legame ON Articolo.ID=Legame.IDArticolo");
    EXPECT_EQ(Ids(rs), (QList<int>{1, 3}));
    rs.MoveFirst();
    EXPECT_EQ(rs.GetFieldValue("IDGruppo").toInt(), 7);
    rs.MoveLast();
    rs.Edit();
    rs.m_Nome = "Gamma bis";
    rs.Update();
    EXPECT_EQ(Scalar("SELECT Nome FROM Articolo WHERE ID=3").toString(), "Gamma bis");
}

TEST_F(DaoTest, NestedTransactionsRollBackOnlyTheirOwnPart)
{
    db.BeginTrans();
    Insert(10, "Uno", 1, 1);
    db.BeginTrans();
    Insert(11, "Due", 1, 1);
    db.Rollback();
    db.CommitTrans();
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Articolo WHERE ID>=10").toInt(), 1);
}

// Text that can't be read reaches the caller as a database error, never as
// another kind of exception that ends the program.
struct BadTextCase
{
    const char* name;
    const char* filter;
    const char* sort;
    const char* find;
};

void PrintTo(const BadTextCase& c, std::ostream* os) { *os << c.name; }

class BadTextTest : public DaoTest, public ::testing::WithParamInterface<BadTextCase>
{
};

TEST_P(BadTextTest, IsADatabaseError)
{
    CArticoloSet rs(&db);
    rs.m_strFilter = QString::fromUtf8(GetParam().filter);
    rs.m_strSort = QString::fromUtf8(GetParam().sort);
    if (*GetParam().find == '\0') {
        EXPECT_THROW(rs.Open(), CDaoException);
        EXPECT_FALSE(rs.IsOpen());
        return;
    }
    rs.Open();
    EXPECT_THROW(rs.FindFirst(QString::fromUtf8(GetParam().find)), CDaoException);
    EXPECT_EQ(rs.m_ID, 1);   // the cursor stays
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BadTextTest,
    ::testing::Values(BadTextCase{"QuoteInAFilter", "Nome='O'Brien'", "", ""},
                      BadTextCase{"BadDateInAFilter", "Data>#31/31/2004#", "", ""},
                      BadTextCase{"OpenFunctionInAFilter", "IsNumeric(Nome", "", ""},
                      BadTextCase{"OpenBracketInASort", "", "[Nome", ""},
                      BadTextCase{"QuoteInACriterion", "", "", "Nome='O'Brien'"},
                      BadTextCase{"UnknownColumnInACriterion", "", "", "Colonna=1"}),
    [](const ::testing::TestParamInfo<BadTextCase>& info) { return std::string(info.param.name); });

struct FormatCase
{
    const char* name;
    const char* pattern;
    QVariantList values;
    const char* text;
    QVariantList bound;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.name; }

class CriteriaFormatTest : public ::testing::TestWithParam<FormatCase>
{
};

TEST_P(CriteriaFormatTest, BindsEachConversion)
{
    const CDaoCriteria criteria = CDaoCriteria::Format(QString::fromUtf8(GetParam().pattern), GetParam().values);
    EXPECT_EQ(criteria.Text(), QString::fromUtf8(GetParam().text));
    EXPECT_EQ(criteria.Values(), GetParam().bound);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, CriteriaFormatTest,
    ::testing::Values(
        FormatCase{"QuotedText", "Cognome='%s'", {"O'Brien"}, "Cognome=?", {"O'Brien"}},
        FormatCase{"NumbersAndText", "IDGruppo=%d AND Nome=\"%s\" AND Prezzo>%f", {7, "a", 2.5},
                   "IDGruppo=? AND Nome=? AND Prezzo>?", {7, "a", 2.5}},
        FormatCase{"LikePatternAroundText", "Nome Like '*%s?'", {"a*b"}, "Nome Like ? ESCAPE '!'", {"%a*b_"}},
        FormatCase{"LikeValueWildcardsArePlainText", "Nome Like '%s*'", {"50%_off!"}, "Nome Like ? ESCAPE '!'",
                   {"50!%!_off!!%"}},
        FormatCase{"LikePatternsOwnBangIsPlainText", "Nome LIKE 'Hey!*%s'", {"x"}, "Nome LIKE ? ESCAPE '!'",
                   {"Hey!!%x"}},
        FormatCase{"LikeWithoutConversionStaysWritten", "Nome Like 'A*' AND ID=%d", {2}, "Nome Like 'A*' AND ID=?", {2}},
        FormatCase{"EqualsKeepsWildcardCharacters", "Nome='%s'", {"50%_"}, "Nome=?", {"50%_"}},
        FormatCase{"LiteralsWithoutConversionsStay", "Nome<>'%%x''y' AND ID=%ld", {3}, "Nome<>'%x''y' AND ID=?", {3}},
        FormatCase{"PercentSign", "Sconto=50%% OR ID=%i", {1}, "Sconto=50% OR ID=?", {1}}),
    [](const ::testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

struct LikeFindCase
{
    const char* name;
    const char* pattern;
    const char* typed;
    QList<int> ids;
};

void PrintTo(const LikeFindCase& c, std::ostream* os) { *os << c.name; }

class CriteriaLikeTest : public DaoTest, public ::testing::WithParamInterface<LikeFindCase>
{
};

// What the merchant types into a search matches as the text it is, in a
// filter and in a Find alike.
TEST_P(CriteriaLikeTest, FindsTheTypedTextAsItStands)
{
    Insert(4, "Sconto 50%", 1, 1);
    Insert(5, "Sconto 500", 1, 1);
    Insert(6, "cod_a1", 1, 1);
    Insert(7, "codxa1", 1, 1);
    Insert(8, "Wow!", 1, 1);
    const CDaoCriteria criteria = CDaoCriteria::Format(QString::fromUtf8(GetParam().pattern), {GetParam().typed});
    CArticoloSet filtered(&db);
    filtered.SetFilter(criteria);
    filtered.Open();
    EXPECT_EQ(Ids(filtered), GetParam().ids);

    CArticoloSet all(&db);
    all.Open();
    QList<int> found;
    for (bool ok = all.FindFirst(criteria); ok; ok = all.FindNext(criteria))
        found << all.m_ID;
    EXPECT_EQ(found, GetParam().ids);
}

INSTANTIATE_TEST_SUITE_P(
    Typed, CriteriaLikeTest,
    ::testing::Values(LikeFindCase{"PercentSign", "Nome Like '*%s*'", "50%", {4}},
                      LikeFindCase{"Underscore", "Nome Like '%s*'", "cod_", {6}},
                      LikeFindCase{"Bang", "Nome Like '*%s'", "w!", {8}},
                      LikeFindCase{"PatternWildcardsStillWork", "Nome Like 'Sc?nto*%s'", "0", {5}},
                      LikeFindCase{"JetIgnoresCase", "Nome Like '%s*'", "COD", {6, 7}}),
    [](const ::testing::TestParamInfo<LikeFindCase>& info) { return std::string(info.param.name); });

TEST_F(DaoTest, AMerchantsTextIsBoundNeverWritten)
{
    Insert(4, "O'Brien", 40, 1);
    CArticoloSet rs(&db);
    rs.SetFilter(CDaoCriteria::Format("Nome='%s' OR Nome='%s'", {"O'Brien", "x' OR '1'='1"}));
    rs.m_strSort = CDaoCriteria::Column("Prezzo") + " DESC";
    rs.Open();
    EXPECT_EQ(Ids(rs), QList<int>{4});

    CArticoloSet all(&db);
    all.m_strSort = CDaoCriteria::Column("Prezzo") + " DESC";
    all.Open();
    EXPECT_EQ(Ids(all), (QList<int>{4, 3, 2, 1}));
    EXPECT_TRUE(all.FindFirst(CDaoCriteria::Format("Nome Like '*%s*' AND Attivo=%d", {"'Bri", 1})));
    EXPECT_EQ(all.m_ID, 4);
    EXPECT_FALSE(all.FindNext(CDaoCriteria::Format("Nome='%s'", {"' OR 1=1 OR '"})));
    EXPECT_EQ(all.m_ID, 4);
}

TEST(DaoCriteriaTest, RefusesWhatItCannotBind)
{
    EXPECT_THROW(CDaoCriteria::Format("Nome='%s' AND ID=%d", {"a"}), CDaoException);
    EXPECT_THROW(CDaoCriteria::Format("Nome='%s'", {"a", "b"}), CDaoException);
    EXPECT_THROW(CDaoCriteria::Format("Nome='%s", {"a"}), CDaoException);
    EXPECT_THROW(CDaoCriteria::Column("Nome] DESC; DROP TABLE Articolo; --"), CDaoException);
    EXPECT_EQ(CDaoCriteria::Column("Prezzo netto"), QStringLiteral("[Prezzo netto]"));
    const CDaoCriteria both = CDaoCriteria("A=?", {1}).And(CDaoCriteria::Format("B=%d", {2}));
    EXPECT_EQ(both.Text(), QStringLiteral("(A=?) AND (B=?)"));
    EXPECT_EQ(both.Values(), (QVariantList{1, 2}));
}

// Only the statement's own clauses make its rows stand for no table row.
struct AggregateCase
{
    const char* name;
    const char* sql;
    bool updatable;
};

void PrintTo(const AggregateCase& c, std::ostream* os) { *os << c.name; }

class AggregateTest : public DaoTest, public ::testing::WithParamInterface<AggregateCase>
{
};

TEST_P(AggregateTest, OnlyTopLevelAggregatesMakeASetReadOnly)
{
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, QString::fromUtf8(GetParam().sql));
    ASSERT_FALSE(rs.IsEOF());
    EXPECT_EQ(rs.CanUpdate(), GetParam().updatable);
    if (!GetParam().updatable) {
        EXPECT_THROW(rs.Edit(), CDaoException);
        return;
    }
    const int id = rs.GetFieldValue("ID").toInt();
    rs.Edit();
    rs.SetFieldValue("Nome", "Nuovo");
    rs.Update();
    EXPECT_EQ(rs.GetFieldValue("Nome").toString(), "Nuovo");
    EXPECT_EQ(Scalar(QStringLiteral("SELECT Nome FROM Articolo WHERE ID=%1").arg(id)).toString(), "Nuovo");
}

INSTANTIATE_TEST_SUITE_P(
    Statements, AggregateTest,
    ::testing::Values(
        AggregateCase{"MaxInTheColumns", "SELECT Max(ID) AS ID FROM Articolo", false},
        AggregateCase{"Distinct", "SELECT DISTINCT Attivo AS ID FROM Articolo", false},
        AggregateCase{"GroupBy", "SELECT Attivo AS ID, COUNT(*) AS N FROM Articolo GROUP BY Attivo", false},
        AggregateCase{"Union", "SELECT ID FROM Articolo UNION SELECT ID FROM Articolo", false},
        AggregateCase{"MaxInASubqueryOfTheWhere", "SELECT * FROM Articolo WHERE ID=(SELECT MAX(ID) FROM Articolo)", true},
        AggregateCase{"GroupByInASubquery",
                      "SELECT * FROM Articolo WHERE ID IN (SELECT MIN(ID) FROM Articolo GROUP BY Attivo)", true},
        AggregateCase{"CountInASubqueryColumn", "SELECT *, (SELECT COUNT(*) FROM Articolo) AS Totale FROM Articolo", true},
        AggregateCase{"WordsInAString", "SELECT * FROM Articolo WHERE Nome<>'MAX(x) FROM y GROUP BY z'", true}),
    [](const ::testing::TestParamInfo<AggregateCase>& info) { return std::string(info.param.name); });

// Article 3 is in groups 8 and 7 (in that order): one row of Articolo in
// two rows of the join.
class JoinTest : public DaoTest
{
protected:
    void SetUp() override
    {
        DaoTest::SetUp();
        db.Execute("CREATE TABLE Legame (IDArticolo INTEGER, IDGruppo INTEGER)");
        db.Execute("INSERT INTO Legame VALUES (1, 7), (3, 8), (3, 7)");
    }
    static QString Join()
    {
        return "SELECT Articolo.*, Legame.IDGruppo FROM Articolo INNER JOIN Legame ON Articolo.ID=Legame.IDArticolo";
    }
};

TEST_F(JoinTest, AWrittenRowIsReadBackAsTheRowItWas)
{
    CArticoloSet rs(&db);
    rs.m_strFilter = "IDGruppo=7";
    rs.Open(dbOpenDynaset, Join());
    rs.MoveLast();
    ASSERT_EQ(rs.m_ID, 3);
    rs.Edit();
    rs.m_Nome = "Gamma bis";
    rs.Update();
    EXPECT_EQ(rs.m_ID, 3);
    EXPECT_EQ(rs.GetFieldValue("IDGruppo").toInt(), 7);
    EXPECT_EQ(rs.m_Nome, "Gamma bis");

    // Rows read again after another write keep their own join row too.
    db.Execute("UPDATE Articolo SET Prezzo=99 WHERE ID=3");
    rs.MoveFirst();
    rs.MoveLast();
    EXPECT_EQ(rs.GetFieldValue("IDGruppo").toInt(), 7);
    EXPECT_EQ(rs.m_Prezzo, 99);
}

TEST_F(JoinTest, FindAndBookmarksTellTheJoinRowsApart)
{
    CArticoloSet rs(&db);
    rs.m_strSort = "IDGruppo DESC";
    rs.Open(dbOpenDynaset, Join());
    ASSERT_TRUE(rs.FindFirst("IDGruppo=7 AND ID=3"));
    EXPECT_EQ(rs.GetFieldValue("IDGruppo").toInt(), 7);
    const QVariant mark = rs.GetBookmark();
    rs.MoveFirst();
    EXPECT_EQ(rs.GetFieldValue("IDGruppo").toInt(), 8);
    EXPECT_NE(rs.GetBookmark(), mark);
    rs.SetBookmark(mark);
    EXPECT_EQ(rs.m_ID, 3);
    EXPECT_EQ(rs.GetFieldValue("IDGruppo").toInt(), 7);
    EXPECT_EQ(rs.GetAbsolutePosition(), 2);
}

TEST_F(JoinTest, ARowAddedThroughAJoinIsReadByItsOwnTable)
{
    CArticoloSet rs(&db);
    rs.Open(dbOpenDynaset, Join());
    rs.MoveFirst();
    rs.AddNew();
    rs.m_ID = 9;
    rs.m_Nome = "Nuovo";
    rs.Update();
    db.Execute("INSERT INTO Legame VALUES (9, 5)");
    rs.MoveLast();
    EXPECT_EQ(rs.m_ID, 9);
    EXPECT_EQ(rs.GetFieldValue("IDGruppo").toInt(), 5);
}

} // namespace
