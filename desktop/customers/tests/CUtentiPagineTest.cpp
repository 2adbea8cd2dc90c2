// The customers view's pages: the fifth page's moves written at once, the
// group change's question about the user's own rights, and the interest
// ticks written as the merchant clicks.

#include "desktop/customers/CUtentiViewCore.h"
#include "desktop/customers/tests/CustomersFixture.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "recordset/schema/QtrIdAllocator.h"

#include <gtest/gtest.h>

namespace {

class Pagine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        shop.AddCustomer(0, QString(), QStringLiteral("Anonimo"), QString(), 1);
        shop.AddCustomer(1, QStringLiteral("Alfa"), QStringLiteral("Alfieri"), QStringLiteral("Ada"), 0);
        shop.AddCustomer(2, QStringLiteral("Beta"), QStringLiteral("Bassi"), QStringLiteral("Bruno"), 1,
                         {{"UserID", "bbassi"}});
        shop.AddCustomer(3, QStringLiteral("Gamma"), QStringLiteral("Galli"), QStringLiteral("Gino"), 3);
        shop.AddCustomer(4, QStringLiteral("Delta"), QStringLiteral("Dini"), QStringLiteral("Dario"), 3);
        shop.AddCustomer(6, QStringLiteral("Mail"), QStringLiteral("Mori"), QStringLiteral("Mia"), 2);
        shop.AddCustomer(7, QStringLiteral("Dest libero"), QStringLiteral("Lodi"), QString(), 4);
        shop.AddCustomer(8, QStringLiteral("Dest di Beta"), QStringLiteral("Bini"), QString(), 4, {{"IDCliente", 2}});
        shop.AddCustomer(10, QStringLiteral("Cliente di Delta"), QStringLiteral("Conti"), QString(), 1,
                         {{"IDAgente", 4}});
    }

    void Show(CUtentiViewCore& core, qint32 id)
    {
        core.OnCommand(ID_RECORD_FIRST);
        while (core.CurrentID() != id && !core.IsLast())
            core.OnCommand(ID_RECORD_NEXT);
        ASSERT_EQ(core.CurrentID(), id);
    }

    static QList<qint32> Ids(const QList<CUtentiRelazioni::Entry>& list)
    {
        QList<qint32> ids;
        for (const auto& entry : list)
            ids << entry.nID;
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    CustomersFixture shop;
    CMessageBoxScript boxes;
};

TEST_F(Pagine, AnAgentsCandidatesAreTheFreeCustomersOnly)
{
    CUtentiViewCore core(shop.Db(), "it", "it");
    Show(core, 3);
    const CUtentiRelazioni& links = core.Relazioni();
    // Never itself, the anonymous user, other agents, mailing users,
    // consignees, or another agent's customer.
    EXPECT_EQ(Ids(links.List(CUtentiRelazioni::Left)), (QList<qint32>{1, 2}));
    EXPECT_TRUE(links.List(CUtentiRelazioni::Right).isEmpty());
    EXPECT_EQ(links.Heading(CUtentiRelazioni::Right), QStringLiteral("Clienti agente"));
    EXPECT_EQ(links.List(CUtentiRelazioni::Left).first().strText, QStringLiteral("Alfa (Ada Alfieri)"));
    EXPECT_EQ(links.List(CUtentiRelazioni::Left).last().strText, QStringLiteral("bbassi - Beta (Bruno Bassi)"));

    Show(core, 4);
    EXPECT_EQ(Ids(core.Relazioni().List(CUtentiRelazioni::Right)), (QList<qint32>{10}));
}

TEST_F(Pagine, MovingAConsigneeWritesItsCustomerAtOnce)
{
    CUtentiViewCore core(shop.Db(), "it", "it");
    Show(core, 1);
    CUtentiRelazioni& links = core.Relazioni();
    // Beta's consignee is in neither list of Alfa.
    EXPECT_EQ(Ids(links.List(CUtentiRelazioni::Left)), (QList<qint32>{7}));
    EXPECT_TRUE(links.List(CUtentiRelazioni::Right).isEmpty());
    core.Form().strNome = QStringLiteral("non salvato");
    ASSERT_TRUE(links.Move(CUtentiRelazioni::Left, 7));
    EXPECT_EQ(shop.Value("SELECT IDCliente FROM Clienti WHERE ID=7").toInt(), 1);
    EXPECT_EQ(shop.Value("SELECT Modificato FROM Clienti WHERE ID=7").toInt(), 1);
    EXPECT_EQ(Ids(links.List(CUtentiRelazioni::Right)), (QList<qint32>{7}));
    // Alfa's own typed name is not part of the move.
    EXPECT_EQ(shop.Value("SELECT Nome FROM Clienti WHERE ID=1").toString(), "Ada");

    links.MoveAll(CUtentiRelazioni::Right);
    EXPECT_EQ(shop.Value("SELECT IDCliente FROM Clienti WHERE ID=7").toInt(), 0);
    EXPECT_FALSE(links.Move(CUtentiRelazioni::Right, 7));
}

TEST_F(Pagine, ChangingTheGroupOffersToDropTheUsersOwnRights)
{
    shop.AddGroup(1, "Rivenditori");
    shop.AddRight(1, -1, 2, 0, 50);
    shop.AddRight(2, -1, 2, 1, 60);
    CUtentiViewCore core(shop.Db(), "it", "it");

    Show(core, 1);   // no rights of its own: nothing is asked
    core.ChangeGroup(1);
    EXPECT_TRUE(boxes.Shown().isEmpty());

    Show(core, 2);
    boxes.Answer(QMessageBox::No);
    core.ChangeGroup(1);
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Vuoi eliminare i permessi correntemente abbinati all'utente?"));
    EXPECT_EQ(shop.Count("Permessi", "IDUtente=2"), 2);
    // The group itself waits for the save.
    EXPECT_EQ(shop.Value("SELECT IDGruppo FROM Clienti WHERE ID=2").toInt(), 0);

    core.ChangeGroup(0);
    core.ChangeGroup(1);
    EXPECT_EQ(shop.Count("Permessi", "IDUtente=2"), 0);
    EXPECT_EQ(shop.Count("RecordsEliminati", "NomeTabella='Permessi'"), 2);
    ASSERT_TRUE(core.SaveRecord());
    EXPECT_EQ(shop.Value("SELECT IDGruppo FROM Clienti WHERE ID=2").toInt(), 1);
}

TEST_F(Pagine, InterestTicksAreWrittenAtOnceInTheDesktopRange)
{
    shop.AddInterest(1, 1);
    shop.AddInterest(2, 2);
    shop.AddInterestText(1, 1, "it", "Sport");
    shop.AddInterestText(2, 1, "en", "Sports");
    shop.AddInterestText(3, 2, "it", "Musica");   // only in the default language
    CUtentiViewCore core(shop.Db(), "en", "it");
    Show(core, 2);
    const QList<CUtentiInteressi::Entry>& entries = core.Interessi().Entries();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries.at(0).strText, QStringLiteral(" Sports"));
    EXPECT_EQ(entries.at(1).strText, QStringLiteral(" Musica"));

    core.Interessi().SetTicked(2, true);
    core.Interessi().SetTicked(2, true);   // already ticked: no second row
    ASSERT_EQ(shop.Count("InteressiUtenti", "IDUtente=2 AND IDInteresse=2"), 1);
    EXPECT_LT(shop.Value("SELECT ID FROM InteressiUtenti").toInt(), QtrIdAllocator::kDesktopLimit);
    Show(core, 1);
    Show(core, 2);
    EXPECT_TRUE(core.Interessi().Entries().at(1).bTicked);
    core.Interessi().SetTicked(2, false);
    EXPECT_EQ(shop.Count("InteressiUtenti"), 0);
    EXPECT_EQ(shop.Count("RecordsEliminati", "NomeTabella='InteressiUtenti'"), 1);

    // While a new user is being typed the page writes nothing.
    core.OnCommand(ID_RECORD_INSERT);
    core.Interessi().SetTicked(1, true);
    EXPECT_EQ(shop.Count("InteressiUtenti"), 0);
}

TEST_F(Pagine, TheRelationListsOfferWhatTheirKindAllows)
{
    shop.AddGroup(2, "Zeta");
    shop.AddGroup(1, "Alfa");
    CUtentiViewCore core(shop.Db(), "it", "it");
    EXPECT_EQ(Ids(core.Relazioni().Agenti()), (QList<qint32>{0, 3, 4}));
    EXPECT_EQ(Ids(core.Relazioni().Clienti()), (QList<qint32>{0, 1, 2, 10}));
    const auto groups = core.Relazioni().Gruppi();
    ASSERT_EQ(groups.size(), 3);
    EXPECT_EQ(groups.at(0).strText, QStringLiteral("Nessun gruppo"));
    EXPECT_EQ(groups.at(1).strText, QStringLiteral("Alfa"));
}

} // namespace
