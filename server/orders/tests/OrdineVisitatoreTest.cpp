#include "server/orders/tests/OrdiniCliente.h"

#include <QSqlQuery>

#include <functional>

namespace {

// Customer 10 is logged in; customer 20 has an order (2001) with a line,
// and a consignee (41); customer 10 has his own order (1001) and consignee
// (40).
template <class Parametro>
class VisitatoreDi : public OrdiniClienteDi<Parametro>
{
protected:
    void SetUp() override
    {
        OrdiniClienteDi<Parametro>::SetUp();
        this->Ordine_(1001, 10, "2024-05-01", "10:00:00", {{"Cognome", "Bianchi"}});
        this->Ordine_(2001, 20, "2024-05-02", "10:00:00", {{"Cognome", "Verdi"}, {"Note", "segreto"}});
        this->Riga(1, 1001, 7, 10, 1);
        this->Riga(2, 2001, 8, 99, 1);
        this->m_shop->Insert("Prodotti", {{"ID", 8}, {"IDProdottoBase", 0}, {"Ordine", 8}, {"Attivo", 1}});
        this->m_shop->Insert("CategorieProdotti", {{"ID", 1}, {"IDProdotto", 8}, {"IDCategoria", 1}});
        this->Cliente(40, "Gialli", 4, 0, 10);
        this->Cliente(41, "Rossi", 4, 0, 20);
        this->Collega(10);
    }
};

using Visitatore = VisitatoreDi<CAdoConnection::Engine>;

// ------------------------------------------------------------ consignee

TEST_P(Visitatore, TheBuyersOwnConsigneeFillsTheConsigneeFields)
{
    m_shop->Db().Execute("UPDATE Clienti SET Provincia=NULL WHERE ID=40");
    m_shop->Host().Session().SetValue("D_Telefono", "0543");
    m_shop->Host().Session().SetValue("D_Provincia", "FC");
    ::Ordine* o = Pagina({{"IDDestinatario", "40"}});
    o->LeggiDatiDestinatario();
    EXPECT_EQ(Session("IDDestinatario").toInt(), 40);
    EXPECT_EQ(Session("D_Cognome").toString(), "Gialli");
    EXPECT_EQ(Session("D_RagioneSociale").toString(), "RS Gialli");
    // A Null column keeps what the property held when the page began.
    EXPECT_EQ(Session("D_Provincia").toString(), "FC");
    EXPECT_EQ(Session("D_Telefono").toString(), "0543");
    // A second choice replaces the first; no choice clears it.
    m_shop->Insert("Clienti", {{"ID", 42}, {"Cognome", "Blu"}, {"TipoUtente", 4}, {"IDCliente", 10}});
    o = Pagina({{"IDDestinatario", "42"}});
    o->LeggiDatiDestinatario();
    EXPECT_EQ(Session("IDDestinatario").toInt(), 42);
    EXPECT_EQ(Session("D_Cognome").toString(), "Blu");
    o = Pagina({{"IDDestinatario", "0"}});
    o->LeggiDatiDestinatario();
    EXPECT_EQ(Session("IDDestinatario").toInt(), 0);
    EXPECT_EQ(Session("D_Cognome").toString(), "");
    EXPECT_EQ(o->D_Cognome, "Blu");   // the properties are not cleared
}

// ------------------------------------------------------------ hostile requests

// One request value of these classes, a hostile text in it, and the call
// that reads it. Whatever the call answers (false, or an error the page
// sees), nothing of customer 20 reaches the page and nothing is written.
struct CasoOstile
{
    const char* nome;
    const char* chiave;
    const char* valore;
    void (*chiamata)(::Ordine*, const char* valore);
};

void PrintTo(const CasoOstile& c, std::ostream* os) { *os << c.nome; }

void LeggiOrdine(::Ordine* o, const char*) { o->LeggiOrdine(); }
void Lista(::Ordine* o, const char*)
{
    if (o->ApriListaOrdini())
        while (o->LeggiOrdineSuccessivo()) {
        }
}
void Riordino(::Ordine* o, const char*)
{
    if (o->ApriPaginaRiordino())
        while (o->LeggiProdottoRiordinoSuccessivo()) {
        }
}
void Destinatario(::Ordine* o, const char*) { o->LeggiDatiDestinatario(); }
void Prodotti(::Ordine* o, const char*)
{
    if (o->ApriElencoProdottiCliente())
        while (o->LeggiProdottiClienteSuccessivo()) {
        }
    o->CalcolaTotaleOrdiniCliente();
}
void StatisticheAgente(::Ordine* o, const char*)
{
    if (o->ApriElencoClientiAgenteStatistiche())
        while (o->LeggiClienteAgenteSuccessivoStatistiche()) {
        }
    o->CalcolaTotaleOrdiniClientiAgente();
}
// The page writes the order ID itself before it reads the lines.
void Righe(::Ordine* o, const char* valore)
{
    o->LeggiOrdine(1001);
    o->IDOrdine = QString::fromLatin1(valore).toInt();
    if (o->LeggiPrimoRigoDettaglio())
        while (o->LeggiRigoDettaglioSuccessivo()) {
        }
}

using RichiestaOstile = VisitatoreDi<std::tuple<CAdoConnection::Engine, CasoOstile>>;

TEST_P(RichiestaOstile, NothingOfAnotherCustomerIsReadAndNothingWritten)
{
    const CasoOstile& caso = std::get<1>(GetParam());
    const int ordini = Conta("Ordini"), righe = Conta("OrdiniDettaglio"), clienti = Conta("Clienti");
    ::Ordine* o = Pagina({{caso.chiave, caso.valore}});
    try {
        caso.chiamata(o, caso.valore);
    } catch (const std::runtime_error&) {
        // The page sees an error: nothing was read either.
    }
    if (caso.chiamata != Righe)   // there the page itself wrote it
        EXPECT_NE(o->IDOrdine, 2001);
    EXPECT_NE(o->IDClienteOrdine, 20);
    EXPECT_NE(o->Cognome, "Verdi");
    EXPECT_NE(o->Note, "segreto");
    EXPECT_NE(o->IDProdottoDettaglioOrdine, 8);
    EXPECT_NE(o->D_Cognome, "Rossi");
    EXPECT_NE(o->CodiceProdotto, "P8");
    EXPECT_NE(o->TotaleImportoOrdinato, 99);   // customer 20's line
    EXPECT_NE(o->IDUtenteStatistiche, 20);
    EXPECT_NE(o->TotaleOrdinatoClienti, 99);
    EXPECT_NE(Session("D_Cognome").toString(), "Rossi");
    EXPECT_NE(Session("IDDestinatario").toString(), "41");
    EXPECT_EQ(Conta("Ordini"), ordini);
    EXPECT_EQ(Conta("OrdiniDettaglio"), righe);
    EXPECT_EQ(Conta("Clienti"), clienti);
}

const CasoOstile kCasiOstili[] = {
    {"OrderOfAnotherCustomer", "IDOrdine", "2001", LeggiOrdine},
    {"OrderIdWithSql", "IDOrdine", "2001 OR 1=1", LeggiOrdine},
    {"OrderIdWithAStatement", "IDOrdine", "1; DELETE FROM Ordini", LeggiOrdine},
    {"OrderIdNotANumber", "IDOrdine", "abc", LeggiOrdine},
    {"OrderIdQuoted", "IDOrdine", "' OR ''='", LeggiOrdine},
    {"LinesOfAnotherCustomersOrder", "IDOrdine", "2001", Righe},
    {"ListPageWithSql", "Page", "1 OR 1=1", Lista},
    {"ListPageWithAStatement", "Page", "1; DELETE FROM Ordini", Lista},
    {"ListPageNegative", "Page", "-3", Lista},
    {"ReorderPageWithSql", "Page", "1) OR (1=1", Riordino},
    {"ReorderPageNotANumber", "Page", "due", Riordino},
    {"ConsigneeOfAnotherCustomer", "IDDestinatario", "41", Destinatario},
    {"ConsigneeWithSql", "IDDestinatario", "40 OR ID=41", Destinatario},
    {"ConsigneeWithAStatement", "IDDestinatario", "41; DELETE FROM Clienti", Destinatario},
    {"ConsigneeLeadingBlank", "IDDestinatario", " 41", Destinatario},
    {"ConsigneeNegative", "IDDestinatario", "-41", Destinatario},
    {"ProductsOfAnotherCustomer", "IDUtente", "20", Prodotti},
    {"ProductsOfAnAgentsBook", "IDAgente", "30", Prodotti},
    {"ProductsCustomerWithSql", "IDUtente", "10 OR 1=1", Prodotti},
    {"ProductsSortKeyWithSql", "CampoOrd", "1; DELETE FROM Ordini", Prodotti},
    {"ProductsSortKeyOutOfRange", "CampoOrd", "99", Prodotti},
    {"AgentStatisticsForACustomer", "Action", "s", StatisticheAgente},
    {"AgentStatisticsSortKeyWithSql", "CampoOrd", "0 OR 1=1", StatisticheAgente},
};

INSTANTIATE_TEST_SUITE_P(Casi, RichiestaOstile,
                         ::testing::Combine(::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                                            ::testing::ValuesIn(kCasiOstili)),
                         [](const auto& info) {
                             return std::string(CAdoTestDatabase::EngineName(std::get<0>(info.param))) + "_"
                                 + std::get<1>(info.param).nome;
                         });

INSTANTIATE_TEST_SUITE_P(Engines, Visitatore, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

} // namespace
