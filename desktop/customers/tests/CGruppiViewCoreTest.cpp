// The groups view: groups numbered from 1, the price list stored by its
// position, members moved in and out at once, a deleted group's members
// free again.

#include "desktop/customers/CGruppiViewCore.h"
#include "desktop/customers/tests/CustomersFixture.h"
#include "desktop/shell/controls/CMessageBoxScript.h"

#include <gtest/gtest.h>

namespace {

class Gruppi : public ::testing::Test
{
protected:
    void SetUp() override
    {
        shop.AddCustomer(0, QString(), QStringLiteral("Anonimo"), QString(), 1);
        shop.AddCustomer(1, QStringLiteral("Alfa"), QStringLiteral("Alfieri"), QStringLiteral("Ada"), 3);
        shop.AddCustomer(2, QStringLiteral("Beta"), QStringLiteral("Bassi"), QStringLiteral("Bruno"), 4);
    }

    CustomersFixture shop;
    CMessageBoxScript boxes;
};

TEST_F(Gruppi, GroupsAreNumberedFromOneAndStoreTheirFields)
{
    CGruppiViewCore core(shop.Db());
    core.Form().strNome = QString();
    EXPECT_FALSE(core.Add());
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Campo obbligatorio!"));
    EXPECT_TRUE(core.TakeNameFocus());

    core.Form().strNome = QStringLiteral("Rivenditori");
    core.Form().strScontoPredefinito = QStringLiteral("10+5");
    core.Form().strValiditaDal = QStringLiteral("01/03/2026");
    ASSERT_TRUE(core.Add());
    EXPECT_EQ(shop.Value("SELECT ID FROM Gruppi WHERE Nome='Rivenditori'").toInt(), 1);
    // No "Listino" chosen stores 0, "Prezzo 1".
    EXPECT_EQ(shop.Value("SELECT IDListino FROM Gruppi WHERE ID=1").toInt(), 0);
    EXPECT_EQ(shop.Value("SELECT ScontoPredefinito FROM Gruppi WHERE ID=1").toString(), "10+5");
    EXPECT_EQ(shop.Value("SELECT ValiditaDal FROM Gruppi WHERE ID=1").toString().left(10), "2026-03-01");
    EXPECT_TRUE(shop.Value("SELECT ValiditaAl FROM Gruppi WHERE ID=1").isNull());
    EXPECT_TRUE(core.Form().strNome.isEmpty());
    EXPECT_EQ(core.Selected(), 0);

    core.Form().strNome = QStringLiteral("Agenti");
    ASSERT_TRUE(core.Add());
    EXPECT_EQ(shop.Value("SELECT ID FROM Gruppi WHERE Nome='Agenti'").toInt(), 2);
    ASSERT_EQ(core.Groups().size(), 2);
    EXPECT_EQ(core.Groups().at(0).strNome, QStringLiteral("Agenti"));

    core.Select(1);
    EXPECT_EQ(core.Form().strValiditaDal, QStringLiteral("01/03/2026"));
    EXPECT_TRUE(core.GetButtons().bSave);
    core.Form().nListino = 2;
    core.Form().strValiditaDal.clear();
    ASSERT_TRUE(core.Save());
    EXPECT_EQ(shop.Value("SELECT IDListino FROM Gruppi WHERE ID=1").toInt(), 2);
    EXPECT_TRUE(shop.Value("SELECT ValiditaDal FROM Gruppi WHERE ID=1").isNull());
    EXPECT_TRUE(core.GetButtons().bAdd);
}

TEST_F(Gruppi, MembersMoveAtOnceAndADeletedGroupFreesThem)
{
    shop.AddGroup(1, "Uno");
    shop.AddGroup(2, "Due");
    shop.AddRight(1, 1, -1, 0, 5);
    shop.AddCustomer(3, QStringLiteral("Gamma"), QStringLiteral("Galli"), QString(), 1, {{"IDGruppo", 2}});
    CGruppiViewCore core(shop.Db());
    core.ShowMembers(true);
    core.Select(1);
    CClientiCollegamenti& members = core.Members();
    // Every kind of user, the anonymous one included, but not another
    // group's member.
    ASSERT_EQ(members.List(CClientiCollegamenti::Left).size(), 3);
    members.MoveAll(CClientiCollegamenti::Left);
    EXPECT_EQ(shop.Count("Clienti", "IDGruppo=1"), 3);
    EXPECT_EQ(shop.Count("Clienti", "IDGruppo=1 AND Modificato=1"), 3);

    boxes.Answer(QMessageBox::No);
    core.Delete();
    EXPECT_EQ(shop.Count("Gruppi", "ID=1"), 1);
    EXPECT_EQ(core.Selected(), 0);
    core.Select(1);
    core.Delete();
    EXPECT_EQ(shop.Count("Gruppi", "ID=1"), 0);
    EXPECT_EQ(shop.Count("Clienti", "IDGruppo=0"), 3);
    EXPECT_EQ(shop.Count("Permessi", "IDGruppo=1"), 0);
    EXPECT_EQ(boxes.Shown().at(0).caption, QStringLiteral("Cancellazione gruppo"));

    core.Select(2);
    EXPECT_EQ(members.List(CClientiCollegamenti::Left).size(), 3);
    EXPECT_EQ(members.List(CClientiCollegamenti::Right).size(), 1);
}

} // namespace
