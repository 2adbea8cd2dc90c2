#include "server/members/tests/MembriProva.h"

#include <QDateTime>

namespace {

using DatiMembro = MembriProva;

QString Giorno(const QVariant& data)
{
    return data.toDateTime().toString("yyyy-MM-dd");
}

// The member's row, his group's defaults where he has none of his own and
// his interests reach the page through the object's properties and the
// Session, at the login and at every later page start.
TEST_P(DatiMembro, TheLoginLoadsTheMemberWithHisGroupsDefaults)
{
    const auto verifica = [](AreaRiservata* a) {
        EXPECT_EQ(a->IDUtente, 10);
        EXPECT_EQ(a->Gruppo, "Rivenditori");
        EXPECT_EQ(a->TipoUtente, 1);
        EXPECT_EQ(a->RagioneSociale, "Casa Anna");
        EXPECT_EQ(a->Indirizzo, "Via Lago 1");
        EXPECT_EQ(a->Provincia, "CO");
        EXPECT_EQ(a->CFPI, "RSSNNA80A41C933X");
        EXPECT_EQ(a->UserID, "anna");
        EXPECT_EQ(a->IDListino, 2);
        EXPECT_EQ(a->ScontoPredefinito, "10");
        EXPECT_EQ(a->ScontoPeriodo, "5");
        EXPECT_EQ(Giorno(a->ValiditaScontoDal), "2026-01-01");
        EXPECT_EQ(Giorno(a->ValiditaScontoAl), "2026-12-31");
    };
    AreaRiservata* accesso = Pagina({{"UserID", "anna"}, {"Password", "Lago-2024"}});
    ASSERT_TRUE(accesso->ValidazioneUtente());
    verifica(accesso);
    verifica(Pagina({}, "GET"));
    EXPECT_EQ(Session("INT1").toString(), "");
    EXPECT_EQ(Session("INT2").toString(), "OK");
    EXPECT_EQ(Session("INT3").toString(), "");
    EXPECT_EQ(Session("IDListino").toInt(), 2);

    // His own discounts stand before the group's, a period with its dates.
    m_shop->Db().Execute("UPDATE Clienti SET ScontoPredefinito='3', ScontoPeriodo='7', "
                         "ValiditaDal='2026-03-01 00:00:00', ValiditaAl=NULL WHERE ID=10");
    AreaRiservata* a = Pagina({}, "GET");
    EXPECT_EQ(a->ScontoPredefinito, "3");
    EXPECT_EQ(a->ScontoPeriodo, "7");
    EXPECT_EQ(Giorno(a->ValiditaScontoDal), "2026-03-01");
    EXPECT_FALSE(a->ValiditaScontoAl.isValid() && !a->ValiditaScontoAl.isNull());
}

TEST_P(DatiMembro, ThePriceListOfTheCustomerOrOfHisGroup)
{
    struct Caso
    {
        QVariant cliente, gruppo;
        int atteso;
    };
    for (const Caso& caso : {Caso{3, 1, 2}, Caso{0, 1, 1}, Caso{0, 0, 0}, Caso{1, 3, 0}}) {
        m_shop->Db().Execute("UPDATE Clienti SET IDListino=? WHERE ID=10", {caso.cliente});
        m_shop->Db().Execute("UPDATE Gruppi SET IDListino=? WHERE ID=7", {caso.gruppo});
        Pagina({})->ScollegaUtente();
        ASSERT_TRUE(Accedi("anna", "Lago-2024"));
        EXPECT_EQ(Session("IDListino").toInt(), caso.atteso) << caso.cliente.toInt() << "/" << caso.gruppo.toInt();
    }
}

// A refused login empties the member's properties and leaves the Session.
TEST_P(DatiMembro, ARefusedLoginClearsTheProperties)
{
    AreaRiservata* a = Pagina({{"UserID", "anna"}, {"Password", "sbagliata"}});
    a->RagioneSociale = a->Pagamento = a->Gruppo = "resto";
    a->IDGruppo = a->IDListino = 5;
    a->Fido = 3;
    EXPECT_FALSE(a->ValidazioneUtente());
    EXPECT_EQ(a->RagioneSociale, "");
    EXPECT_EQ(a->Gruppo, "");
    EXPECT_EQ(a->Pagamento, "");
    EXPECT_EQ(a->IDGruppo, 0);
    EXPECT_EQ(a->IDListino, 0);
    EXPECT_EQ(a->Fido, 0);
    EXPECT_EQ(QtrVisitatore::Cliente(Sessione()), 0);
}

// An anonymous visitor's typed data, kind and filters come from the
// Session; AzzeraDatiUtente clears the typed data, not the kind.
TEST_P(DatiMembro, AnAnonymousVisitorsTypedDataAndItsClearing)
{
    Sessione().SetValue("CognomeUR", "Verdi");
    Sessione().SetValue("CapUR", "20100");
    Sessione().SetValue("TipoUtenteUR", 1);
    Sessione().SetValue("FiltroLocalita", "Lec");
    AreaRiservata* a = Pagina({}, "GET");
    EXPECT_EQ(a->Cognome, "Verdi");
    EXPECT_EQ(a->Cap, "20100");
    EXPECT_EQ(a->TipoUtente, 1);
    EXPECT_EQ(a->FiltroLocalita, "Lec");
    EXPECT_EQ(a->FiltroCap, "");
    a->Errore = "x";
    a->AzzeraDatiUtente();
    EXPECT_EQ(a->Cognome, "");
    EXPECT_EQ(a->Errore, "");
    EXPECT_EQ(Session("CognomeUR").toString(), "");
    EXPECT_EQ(Session("CapUR").toString(), "");
    EXPECT_EQ(Session("TipoUtenteUR").toInt(), 1);
}

// The logout ends the member's state: his interests and typed data too.
TEST_P(DatiMembro, TheLogoutEndsTheMembersState)
{
    ASSERT_TRUE(Accedi("anna", "Lago-2024"));
    Sessione().SetValue("CognomeUR", "Rossi");
    Pagina({})->ScollegaUtente();
    EXPECT_EQ(Session("INT2").toString(), "");
    EXPECT_EQ(Session("CognomeUR").toString(), "");
    AreaRiservata* a = Pagina({}, "GET");
    EXPECT_FALSE(a->ControlloUtenteCollegato());
    EXPECT_EQ(a->RagioneSociale, "");
}

// A mailing-only member is reloaded through his own key, without the
// conditions a customer has.
TEST_P(DatiMembro, AMailingOnlyMemberIsReloaded)
{
    ASSERT_TRUE(Accedi("lia", "Posta"));
    AreaRiservata* a = Pagina({}, "GET");
    EXPECT_EQ(a->IDUtente, 40);
    EXPECT_EQ(a->Email, "lia@esempio.test");
    EXPECT_EQ(a->TipoUtente, 2);
    EXPECT_EQ(QtrVisitatore::Cliente(Sessione()), 0);
}

INSTANTIATE_TEST_SUITE_P(Engines, DatiMembro, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         Nome);

} // namespace
