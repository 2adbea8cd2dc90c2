#include "server/orders/tests/OrdiniCliente.h"

#include <QSqlQuery>

namespace {

// ------------------------------------------------------------ order list

class ListaOrdini : public OrdiniCliente
{
protected:
    // The numbers of the orders a page shows, reading as a page does: the
    // first, then further ones up to the page length.
    QStringList Pagina_(::Ordine* o)
    {
        QStringList numeri;
        if (!o->ApriListaOrdini())
            return numeri;
        do
            numeri << QString::number(o->IDOrdine);
        while (numeri.size() < o->LunghezzaListaOrdini && o->LeggiOrdineSuccessivo());
        return numeri;
    }
};

TEST_P(ListaOrdini, ThreeOrdersOnOnePageNewestFirstAndByTimeWithinADay)
{
    Ordine_(1001, 10, "2024-05-01");
    Ordine_(1002, 10, "2024-05-03", "09:00:00");
    Ordine_(1003, 10, "2024-05-03", "17:30:00");
    Ordine_(1004, 20, "2024-05-04");
    Collega(10);
    ::Ordine* o = Pagina({{"Page", ""}});
    EXPECT_EQ(Pagina_(o), QStringList({"1003", "1002", "1001"}));
    EXPECT_EQ(o->NumeroOrdini, 3);
    EXPECT_EQ(o->LunghezzaListaOrdini, 3);
    EXPECT_EQ(o->TotalePagineOrdini, 1);
    EXPECT_TRUE(o->ControlloPrimaPaginaOrdini());
    EXPECT_TRUE(o->ControlloUltimaPaginaOrdini());
    EXPECT_FALSE(o->LeggiOrdineSuccessivo());
    o->ChiudiListaOrdini();
}

TEST_P(ListaOrdini, PagesAreCutByTheSessionPageSize)
{
    for (int i = 1; i <= 5; ++i)
        Ordine_(1000 + i, 10, QString("2024-05-0%1").arg(i));
    m_shop->Host().Session().SetValue("OrderPageSize", 2);
    Collega(10);
    ::Ordine* o = Pagina({{"Page", "2"}});
    ASSERT_TRUE(o->ApriListaOrdini());
    EXPECT_EQ(o->IDOrdine, 1003);
    EXPECT_EQ(o->TotalePagineOrdini, 3);
    EXPECT_FALSE(o->ControlloPrimaPaginaOrdini());
    EXPECT_FALSE(o->ControlloUltimaPaginaOrdini());
    // The cursor does not stop at the page's end: the page counts.
    ASSERT_TRUE(o->LeggiOrdineSuccessivo());
    ASSERT_TRUE(o->LeggiOrdineSuccessivo());
    EXPECT_EQ(o->IDOrdine, 1001);
    // A page beyond the last shows the last.
    o = Pagina({{"Page", "9"}});
    EXPECT_EQ(Pagina_(o), QStringList({"1001"}));
    EXPECT_TRUE(o->ControlloUltimaPaginaOrdini());
}

TEST_P(ListaOrdini, NobodyLoggedInOrNoOrdersGivesFalse)
{
    Ordine_(1001, 10, "2024-05-01");
    // The session set-up's anonymous visitor may carry a customer's ID.
    m_shop->Host().Session().SetValue("IDUtente", 10);
    EXPECT_FALSE(Pagina()->ApriListaOrdini());
    Collega(20);
    EXPECT_FALSE(Pagina()->ApriListaOrdini());
}

INSTANTIATE_TEST_SUITE_P(Engines, ListaOrdini, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

// ------------------------------------------------------------ one order

using LetturaOrdine = OrdiniCliente;

TEST_P(LetturaOrdine, AnOrderLoadsItsHeadCurrencyAndLatestState)
{
    Ordine_(1057, 10, "2024-05-01", "11:15:00",
            {{"TipoPagamento", "CartaCredito"}, {"CodiceLingua", "en"}, {"Cambio", 1.25}, {"Note", "Citofono"},
             {"Stati", "01/02/2003#10:15#Ricevuto|05/02/2003#16:40#Spedito|07/02/2003#09:05#Consegnato|"},
             {"DCognome", "Gialli"}, {"Pagato", 1}, {"NumeroFattura", 12}});
    Collega(10);
    ::Ordine* o = Pagina({{"IDOrdine", "1057"}});
    ASSERT_TRUE(o->LeggiOrdine());
    EXPECT_EQ(o->IDOrdine, 1057);
    EXPECT_EQ(o->NumeroOrdine, "2024051057");
    EXPECT_EQ(o->TipoPagamento, "Carta Credito");
    EXPECT_EQ(o->Note, "Citofono");
    EXPECT_EQ(o->D_Cognome, "Gialli");
    EXPECT_EQ(o->SimboloValutaOrdine, "$");
    EXPECT_TRUE(o->StatoPagamento);
    EXPECT_EQ(o->NumeroFatturaOrdine, 12);
    EXPECT_EQ(o->DataOrdine.date(), QDate(2024, 5, 1));
    EXPECT_EQ(o->OraOrdine.time(), QTime(11, 15));
    EXPECT_EQ(o->DescrizioneStatoOrdine, "Consegnato");
    EXPECT_EQ(o->DataStatoOrdine.date(), QDate(2003, 2, 7));
    // The whole history by number, and nothing past it.
    ASSERT_TRUE(o->LeggiStatoOrdine(2));
    EXPECT_EQ(o->DataStatoOrdine.date(), QDate(2003, 2, 5));
    EXPECT_EQ(o->OraStatoOrdine.time(), QTime(16, 40));
    EXPECT_EQ(o->DescrizioneStatoOrdine, "Spedito");
    EXPECT_FALSE(o->LeggiStatoOrdine(4));
    EXPECT_FALSE(o->LeggiStatoOrdine(0));
}

TEST_P(LetturaOrdine, AnEmptyHistoryLeavesTheZeroDate)
{
    Ordine_(1001, 10, "2024-05-01");
    Collega(10);
    ::Ordine* o = Pagina();
    ASSERT_TRUE(o->LeggiOrdine(1001));
    EXPECT_EQ(o->TipoPagamento, "Bonifico");
    EXPECT_EQ(o->DataStatoOrdine.date(), QDate(1899, 12, 30));
    EXPECT_EQ(o->DescrizioneStatoOrdine, "");
    EXPECT_FALSE(o->LeggiStatoOrdine(1));
}

TEST_P(LetturaOrdine, ANullNoteKeepsThePreviousOrdersWhileWalkingTheList)
{
    Ordine_(1002, 10, "2024-05-02", "10:00:00", {{"Note", "Prima"}});
    Ordine_(1001, 10, "2024-05-01", "10:00:00", {{"Note", QVariant()}});
    Collega(10);
    ::Ordine* o = Pagina();
    ASSERT_TRUE(o->ApriListaOrdini());
    EXPECT_EQ(o->Note, "Prima");
    ASSERT_TRUE(o->LeggiOrdineSuccessivo());
    EXPECT_EQ(o->IDOrdine, 1001);
    EXPECT_EQ(o->Note, "Prima");
}

TEST_P(LetturaOrdine, AnotherCustomersOrderReadsAsNone)
{
    Ordine_(1001, 20, "2024-05-01", "10:00:00", {{"Cognome", "Verdi"}});
    Collega(10);
    ::Ordine* o = Pagina({{"IDOrdine", "1001"}});
    EXPECT_FALSE(o->LeggiOrdine());
    EXPECT_EQ(o->IDOrdine, 0);
    EXPECT_NE(o->Cognome, "Verdi");
    EXPECT_FALSE(o->LeggiPrimoRigoDettaglio());
}

// Two objects of a page that shares its connection read on it; freeing one
// leaves it open for the other.
TEST_P(LetturaOrdine, ObjectsOfASharingPageReadOnItsConnection)
{
    Ordine_(1001, 10, "2024-05-01");
    Collega(10);
    m_shop->Host().Session().SetValue("ShareConn", true);
    m_page = m_shop->NewPage();
    auto* primo = m_page->Create<::Ordine>("QTR50.Ordine");
    auto* secondo = m_page->Create<::Ordine>("QTR50.Ordine");
    // Without the page's connection the first query fails.
    EXPECT_THROW(primo->LeggiOrdine(1001), std::runtime_error);
    primo->SetConn(&m_shop->Db());
    secondo->SetConn(&m_shop->Db());
    EXPECT_TRUE(primo->LeggiOrdine(1001));
    primo->Free();
    EXPECT_TRUE(m_shop->Db().IsOpen());
    EXPECT_TRUE(secondo->ApriListaOrdini());
    secondo->Free();
    EXPECT_TRUE(m_shop->Db().IsOpen());
}

INSTANTIATE_TEST_SUITE_P(Engines, LetturaOrdine,
                         ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

// ------------------------------------------------------------ lines and totals

using RigheOrdine = OrdiniCliente;

TEST_P(RigheOrdine, LinesAndTotalsInTheOrdersCurrencyAndInEuro)
{
    // Dollar order (rate 1.25, unit 0.5); list prices in euro.
    Ordine_(1001, 10, "2024-05-01", "10:00:00",
            {{"CodiceLingua", "en"}, {"Cambio", 1.25}, {"SpeseSpedizione", 8.0}, {"IVASpedizioni", 20.0}});
    Riga(1, 1001, 7, 10.0, 3, 1, 20);
    Riga(2, 1001, 8, 2.5, 2, 2, 10);
    Collega(10);
    ::Ordine* o = Pagina();
    ASSERT_TRUE(o->LeggiOrdine(1001));
    ASSERT_TRUE(o->LeggiPrimoRigoDettaglio());
    EXPECT_EQ(o->CodiceProdottoDettaglioOrdine, "P7");
    EXPECT_EQ(o->NomeProdottoDettaglioOrdine, "Prodotto 7");
    EXPECT_DOUBLE_EQ(o->PrezzoProdottoDettaglioOrdine, 12.5);            // 10 x 1.25
    EXPECT_DOUBLE_EQ(o->ImportoProdottoDettaglioOrdine, 12.5);           // 1 shipped
    EXPECT_DOUBLE_EQ(o->ImportoProdottoDettaglioOrdinato, 37.5);         // 3 ordered
    EXPECT_DOUBLE_EQ(o->ImportoProdottoDettaglioOrdinatoInEuro, 30.0);
    EXPECT_EQ(o->FImportoProdottoDettaglioOrdineDaEvadere, "25.0");
    EXPECT_EQ(o->FImportoProdottoDettaglioOrdineDaEvadereInEuro, "20.00");
    ASSERT_TRUE(o->LeggiRigoDettaglioSuccessivo());
    // A unit that is not a power of ten leaves the amount as converted.
    EXPECT_DOUBLE_EQ(o->PrezzoProdottoDettaglioOrdine, 3.125);
    EXPECT_FALSE(o->LeggiRigoDettaglioSuccessivo());
    // Net ordered 30 + 5 = 35, shipped 10 + 5 = 15; VAT ordered 6 + 0.5 +
    // 1.6 on shipping = 8.1, shipped 2 + 0.5 + 1.6 = 4.1.
    EXPECT_DOUBLE_EQ(o->TotaleImponibileOrdinatoInEuro, 35.0);
    EXPECT_DOUBLE_EQ(o->TotaleImpostaOrdinatoInEuro, 8.1);
    EXPECT_DOUBLE_EQ(o->TotaleOrdinatoInEuro, 51.1);
    EXPECT_DOUBLE_EQ(o->TotaleOrdineInEuro, 27.1);
    EXPECT_DOUBLE_EQ(o->TotaleOrdinato, 63.88);                         // 51.1 x 1.25, to the cent
    EXPECT_DOUBLE_EQ(o->SpeseSpedizioneOrdine, 10.0);
    EXPECT_EQ(o->FTotaleImponibileOrdineDaEvadereInEuro, "20.00");
}

TEST_P(RigheOrdine, AnOrderWithoutLinesTotalsItsCostsAlone)
{
    Ordine_(1001, 10, "2024-05-01", "10:00:00", {{"SpeseSpedizione", 10.0}, {"SpeseContrassegno", 5.0},
                                                 {"IVASpedizioni", 20.0}, {"EsenzioneIVA", 1}});
    Collega(10);
    ::Ordine* o = Pagina();
    ASSERT_TRUE(o->LeggiOrdine(1001));
    EXPECT_FALSE(o->LeggiPrimoRigoDettaglio());
    EXPECT_DOUBLE_EQ(o->TotaleImpostaOrdinato, 3.0);
    EXPECT_DOUBLE_EQ(o->TotaleOrdinato, 15.0);   // exempt: no VAT in the total
}

TEST_P(RigheOrdine, LinesAreReadOnlyThroughTheVisitorsOwnOrder)
{
    Ordine_(1001, 10, "2024-05-01");
    Ordine_(1002, 20, "2024-05-01");
    Riga(1, 1001, 7, 10.0, 1);
    Riga(2, 1002, 8, 99.0, 1);
    Collega(10);
    ::Ordine* o = Pagina();
    ASSERT_TRUE(o->LeggiOrdine(1001));
    // The page may write IDOrdine; the lines still belong to the visitor.
    o->IDOrdine = 1002;
    EXPECT_FALSE(o->LeggiPrimoRigoDettaglio());
    o->IDOrdine = 1001;
    ASSERT_TRUE(o->LeggiPrimoRigoDettaglio());
    EXPECT_EQ(o->IDProdottoDettaglioOrdine, 7);
}

INSTANTIATE_TEST_SUITE_P(Engines, RigheOrdine, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

// ------------------------------------------------------------ reorder

class Riordino : public OrdiniCliente
{
protected:
    void Prodotto(int id, int attivo = 1, QList<int> categorie = {1})
    {
        m_shop->Insert("Prodotti", {{"ID", id}, {"IDProdottoBase", 0}, {"Ordine", id}, {"Attivo", attivo}});
        for (int c : categorie)
            m_shop->Insert("CategorieProdotti", {{"ID", id * 10 + c}, {"IDProdotto", id}, {"IDCategoria", c}});
    }

    void Nascondi(int id, int tipo, int gruppo, int utente)
    {
        static int riga = 1;
        m_shop->Insert("Permessi", {{"ID", riga++}, {"IDRecord", id}, {"Tipo", tipo}, {"IDGruppo", gruppo},
                                    {"IDUtente", utente}});
    }

    QList<int> Prodotti(::Ordine* o)
    {
        QList<int> ids;
        if (o->ApriPaginaRiordino()) {
            do
                ids << o->IDProdottoDettaglioOrdine;
            while (ids.size() < o->LunghezzaPaginaRiordino && o->LeggiProdottoRiordinoSuccessivo());
        }
        return ids;
    }
};

TEST_P(Riordino, EachProductOnceWithItsLastOrderNewestFirst)
{
    Prodotto(7);
    Prodotto(8);
    Prodotto(9, 0);                 // no longer sold
    Prodotto(11, 1, {1, 2});        // one of its categories hidden: still shown
    Prodotto(12);                   // hidden itself from the group
    Prodotto(13, 1, {2});           // only in a hidden category
    Prodotto(14);                   // another customer's
    Nascondi(2, 0, 5, -1);
    Nascondi(12, 1, 5, -1);
    m_shop->Host().Session().SetValue("IDGruppo", 5);
    Ordine_(1001, 10, "2024-05-01");
    Ordine_(1002, 10, "2024-05-03");
    Ordine_(1003, 20, "2024-05-04");
    Riga(1, 1001, 7, 10, 2);
    Riga(2, 1002, 7, 10, 5);
    Riga(3, 1001, 8, 1, 1);
    Riga(4, 1001, 9, 1, 1);
    Riga(5, 1001, 11, 1, 1);
    Riga(6, 1002, 12, 1, 1);
    Riga(7, 1002, 13, 1, 1);
    Riga(8, 1003, 14, 1, 1);
    Collega(10);
    ::Ordine* o = Pagina();
    ASSERT_TRUE(o->ApriPaginaRiordino());
    EXPECT_EQ(o->IDProdottoDettaglioOrdine, 7);
    EXPECT_EQ(o->DataOrdine.date(), QDate(2024, 5, 3));
    EXPECT_FLOAT_EQ(o->QuantitaDettaglioOrdine, 5);
    EXPECT_EQ(o->NumeroProdottiRiordino, 3);
    QList<int> ids = Prodotti(Pagina());
    std::sort(ids.begin() + 1, ids.end());
    EXPECT_EQ(ids, QList<int>({7, 8, 11}));
}

TEST_P(Riordino, TwelveProductsByFiveMakeThreePages)
{
    for (int i = 1; i <= 12; ++i) {
        Prodotto(100 + i);
        Ordine_(1000 + i, 10, QString("2024-05-%1").arg(i, 2, 10, QChar('0')));
        Riga(i, 1000 + i, 100 + i, 1, 1);
    }
    m_shop->Host().Session().SetValue("ReorderPageSize", 5);
    Collega(10);
    ::Ordine* o = Pagina({{"Page", ""}});
    EXPECT_EQ(Prodotti(o), QList<int>({112, 111, 110, 109, 108}));
    EXPECT_EQ(o->TotalePagineRiordino, 3);
    EXPECT_EQ(o->LunghezzaPaginaRiordino, 5);
    EXPECT_TRUE(o->ControlloPrimaPaginaRiordino());
    o = Pagina({{"Page", "3"}});
    EXPECT_EQ(Prodotti(o), QList<int>({102, 101}));
    EXPECT_TRUE(o->ControlloUltimaPaginaRiordino());
    EXPECT_FALSE(o->LeggiProdottoRiordinoSuccessivo());
}

TEST_P(Riordino, NobodyLoggedInGetsNothing)
{
    Prodotto(7);
    Ordine_(1001, 10, "2024-05-01");
    Riga(1, 1001, 7, 10, 2);
    m_shop->Host().Session().SetValue("IDUtente", 10);
    EXPECT_FALSE(Pagina()->ApriPaginaRiordino());
}

INSTANTIATE_TEST_SUITE_P(Engines, Riordino, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

} // namespace
