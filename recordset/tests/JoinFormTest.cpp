#include "platform/testing/TempFolder.h"
#include "recordset/CArticoliGenSet.h"
#include "recordset/CDaoSqlSession.h"
#include "recordset/CProdottiGeneraleSet.h"
#include "recordset/schema/ShopSchemaDdl.h"

#include <gtest/gtest.h>

#include <QSqlQuery>

namespace {

// The join forms list the records of one category (section) through the
// link table; record 5 is linked to group 3 before group 7, so its row in
// the join of group 7 is not the first row of the record.
class JoinFormTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.Open(folder.FilePath("database.mdb"), true);
        ShopSchemaDdl::CreateTables(CDaoSqlSession(db), QtrDbFile::Shop);
    }

    template <class TSet>
    void EditInGroup(const QString& table, const QString& link, const QString& recordColumn,
                     const QString& groupColumn)
    {
        db.Execute(QStringLiteral("INSERT INTO %1 (ID, Codice) VALUES (4, 'A'), (5, 'B')").arg(table));
        db.Execute(QStringLiteral("INSERT INTO %1 (ID, %2, %3) VALUES (1, 3, 5), (2, 7, 4), (3, 7, 5)")
                       .arg(link, groupColumn, recordColumn));
        TSet rs(&db);
        rs.m_bJoin = true;
        rs.m_strProjectFolder = folder.Path() + QStringLiteral("/");
        rs.m_strFilter = groupColumn + QStringLiteral("=?");
        rs.m_filterParams = {7};
        rs.m_strSort = table + QStringLiteral(".ID");
        rs.Open();
        rs.MoveLast();
        ASSERT_EQ(rs.m_ID, 5);
        rs.Edit();
        rs.m_Codice = QStringLiteral("B2");
        rs.Update();

        EXPECT_EQ(rs.m_ID, 5);
        EXPECT_EQ(rs.m_Codice, QStringLiteral("B2"));
        EXPECT_EQ(rs.GetFieldValue(groupColumn).toInt(), 7);
        QList<int> groups;
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext())
            groups << rs.GetFieldValue(groupColumn).toInt();
        EXPECT_EQ(groups, (QList<int>{7, 7}));
        QSqlQuery query(db.Connection());
        query.exec(QStringLiteral("SELECT Codice FROM %1 WHERE ID=5").arg(table));
        ASSERT_TRUE(query.next());
        EXPECT_EQ(query.value(0).toString(), QStringLiteral("B2"));
    }

    TempFolder folder;
    CDaoDatabase db;
};

TEST_F(JoinFormTest, TheProductsOfACategoryReadBackTheirOwnCategory)
{
    EditInGroup<CProdottiGeneraleSet>(QStringLiteral("Prodotti"), QStringLiteral("CategorieProdotti"),
                                      QStringLiteral("IDProdotto"), QStringLiteral("IDCategoria"));
}

TEST_F(JoinFormTest, TheArticlesOfASectionReadBackTheirOwnSection)
{
    EditInGroup<CArticoliGenSet>(QStringLiteral("Articoli"), QStringLiteral("SezioniArticoli"),
                                 QStringLiteral("IDArticolo"), QStringLiteral("IDSezione"));
}

} // namespace
