// The access rights: one row per hidden record and group or customer,
// the other side's column -1, trees carrying a click down to every
// descendant, and the picker pages' ticks brought in line at once.

#include "desktop/customers/CPermessiViewCore.h"
#include "desktop/customers/tests/CustomersFixture.h"

#include <gtest/gtest.h>

namespace {

class Permessi : public ::testing::Test
{
protected:
    void SetUp() override
    {
        shop.AddCustomer(0, QString(), QStringLiteral("Anonimo"), QString(), 1);
        shop.AddCustomer(7, QStringLiteral("Rossi"), QStringLiteral("Rossi"), QStringLiteral("Mario"), 1,
                         {{"IDGruppo", 2}});
        shop.AddGroup(2, QStringLiteral("Rivenditori"));
        // 1 > 2 > 3, and 4 beside them.
        for (const auto& [id, parent] : {std::pair{1, 0}, {2, 1}, {3, 2}, {4, 0}}) {
            shop.Row("Categorie", {{"ID", id}, {"IDCategoriaPadre", parent}, {"Ordine", id}});
            shop.Row("CategorieLingue", {{"ID", id}, {"IDCategoria", id}, {"CodiceLingua", "it"},
                                         {"Nome", QStringLiteral("Cat %1").arg(id)}});
        }
    }

    int Rows(const QString& where) { return shop.Count("Permessi", where); }

    CustomersFixture shop;
};

TEST_F(Permessi, UntickingAProductForACustomerWritesOneRowAndTickingDeletesIt)
{
    CPermessiViewCore core(shop.Db(), "it", "it");
    ASSERT_EQ(core.GetSide(), CPermessiViewCore::Users);
    core.SetLinked(CPermessiViewCore::Prodotto, 50, false);   // nothing selected: nothing written
    EXPECT_EQ(Rows("1=1"), 0);

    core.Select(7);
    core.SetLinked(CPermessiViewCore::Prodotto, 50, false);
    core.SetLinked(CPermessiViewCore::Prodotto, 50, false);   // re-entered cell: still one row
    EXPECT_EQ(Rows("IDUtente=7 AND IDGruppo=-1 AND Tipo=1 AND IDRecord=50 AND Modificato=1"), 1);
    EXPECT_EQ(Rows("1=1"), 1);
    EXPECT_FALSE(core.IsLinked(CPermessiViewCore::Prodotto, 50));

    core.SetLinked(CPermessiViewCore::Prodotto, 50, true);
    EXPECT_EQ(Rows("1=1"), 0);
    EXPECT_EQ(shop.Count("RecordsEliminati", "NomeTabella='Permessi'"), 1);
}

TEST_F(Permessi, GroupAndCustomerRowsAreKeptApart)
{
    CPermessiViewCore core(shop.Db(), "it", "it");
    core.SetSide(CPermessiViewCore::Groups);
    core.Select(2);
    core.SetHidden(CPermessiViewCore::Banner, 9, true);
    EXPECT_EQ(Rows("IDGruppo=2 AND IDUtente=-1 AND Tipo=4 AND IDRecord=9"), 1);

    // The member of the group still shows the banner ticked on the
    // customer side.
    core.SetSide(CPermessiViewCore::Users);
    EXPECT_EQ(core.Current(), -1);
    core.Select(7);
    EXPECT_TRUE(core.IsLinked(CPermessiViewCore::Banner, 9));
    core.SetHidden(CPermessiViewCore::Banner, 9, true);
    EXPECT_EQ(Rows("1=1"), 2);
    core.SetHidden(CPermessiViewCore::Banner, 9, false);
    EXPECT_EQ(Rows("IDGruppo=2"), 1);
}

TEST_F(Permessi, AClickOnATreeNodeGivesTheWholeSubtreeTheOppositeState)
{
    CPermessiViewCore core(shop.Db(), "it", "it");
    core.Select(0);   // the anonymous customer: the defaults of new customers
    core.SetHidden(CPermessiViewCore::Categoria, 3, true);
    core.ClickTreeNode(CPermessiViewCore::Categoria, 1);
    // 1 and 2 are added, 3 keeps its single row, 4 is untouched.
    EXPECT_EQ(Rows("IDUtente=0 AND Tipo=0"), 3);
    EXPECT_EQ(Rows("IDRecord=3"), 1);
    EXPECT_EQ(Rows("IDRecord=4"), 0);
    for (qint32 id : {1, 2, 3})
        EXPECT_TRUE(core.IsHidden(CPermessiViewCore::Categoria, id)) << id;

    core.ClickTreeNode(CPermessiViewCore::Categoria, 2);
    EXPECT_EQ(Rows("IDRecord IN (2, 3)"), 0);
    EXPECT_EQ(Rows("IDRecord=1"), 1);
    EXPECT_FALSE(core.IsHidden(CPermessiViewCore::Categoria, 3));
}

TEST_F(Permessi, TheListsNameCustomersAndGroups)
{
    CPermessiViewCore core(shop.Db(), "it", "it");
    ASSERT_EQ(core.List().size(), 2);
    EXPECT_EQ(core.List().at(0).strText, QStringLiteral(" Anonimo"));
    EXPECT_EQ(core.List().at(1).strText, QStringLiteral("Rossi (Mario Rossi)"));
    EXPECT_EQ(core.ListCaption(), QStringLiteral("Utenti"));
    core.SetSide(CPermessiViewCore::Groups);
    ASSERT_EQ(core.List().size(), 1);
    EXPECT_EQ(core.List().at(0).strText, QStringLiteral("Rivenditori"));
    EXPECT_TRUE(core.Tree(CPermessiViewCore::Categoria).isEmpty());   // nothing selected yet
}

} // namespace
