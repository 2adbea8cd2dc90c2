#include "server/orders/Carrello.h"
#include "server/core/testing/CQtrTestShop.h"
#include "server/orders/tests/ProdottiProva.h"

#include "platform/ado/CAdoRecordset.h"

#include "platform/utilities/QtrCipher.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QUrlQuery>

#include <memory>

namespace {

using Campi = QList<QPair<QString, QString>>;

// One request of the visitor: a link (GET) or a posted form.
struct Richiesta
{
    bool post = false;
    Campi campi;
};

Richiesta Link(Campi campi) { return {false, std::move(campi)}; }
Richiesta Form(Campi campi) { return {true, std::move(campi)}; }

// A shop with shirts (1: 50.00 at 20 percent, 1.5 kg, sizes S M L,
// colours 11 and 12), books (2: 50.00 at 10 percent, 0.5 kg), a product
// hidden from the visitor's group (3), one no longer on sale (4), and the
// shipping option 4 with bands (2, 5), (5, 8), (0, 12).
class CarrelloBase : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { QLocale::setDefault(QLocale::c()); }

    void SetUp() override
    {
        m_shop = std::make_unique<CQtrTestShop>(Engine());
        m_shop->AddBasics();
        m_shop->Insert("ValoriTaglie", {{"ID", 1}, {"Valori", "S|M|L|"}});
        Prodotto(1, "Camicia", 50, 20, 1.5, {{"IDTabellaTaglie", 1}, {"DATaglia", 0}, {"ATaglia", 2}});
        Prodotto(2, "Libro", 50, 10, 0.5);
        Prodotto(3, "Riservato", 10, 20, 0);
        Prodotto(4, "Ritirato", 10, 20, 0, {{"Attivo", 0}});
        m_shop->Insert("ProdottiColori", {{"ID", 11}, {"IDProdotto", 1}, {"Codice", "R"}, {"Descrizione", "Rosso"}, {"Attivo", 1}});
        m_shop->Insert("ProdottiColori", {{"ID", 12}, {"IDProdotto", 1}, {"Codice", "B"}, {"Descrizione", "Blu"}, {"Attivo", 1}});
        m_shop->Insert("Permessi", {{"ID", 1}, {"Tipo", 1}, {"IDRecord", 3}, {"IDGruppo", 7}});
        m_shop->Insert("SpeseSpedizione", {{"ID", 4}, {"Descrizione", "Corriere"}, {"Limite1", 2.0}, {"Prezzo1", 5.0},
                                           {"Limite2", 5.0}, {"Prezzo2", 8.0}, {"Limite3", 0.0}, {"Prezzo3", 12.0},
                                           {"Limite4", 0.0}, {"Prezzo4", 0.0}, {"Limite5", 0.0}, {"Prezzo5", 0.0},
                                           {"EsenzioneIVA", 0}});
        m_shop->Insert("SpeseSpedizione", {{"ID", 5}, {"Descrizione", "Affrancata"}, {"Limite1", 0.0}, {"Prezzo1", 3.0},
                                           {"EsenzioneIVA", 0}});
        const QVariantMap sessione = {
            {"DbPath", m_shop->DbFolder()}, {"ShareConn", false}, {"CodiceLingua", "it"},
            {"CodiceLinguaPredefinita", "it"}, {"IDListino", 0}, {"IDGruppo", 7}, {"FCListino2Euro", 1.0},
            {"FCEuro2Web", 1.0}, {"Arrotondamento", 0.01}, {"ArrotondamentoListino", 0.01}, {"SimboloValuta", "€"},
            {"IvaSpedizioni", 20.0}, {"PesoImballo", 0.5}, {"TipoPesoImballo", 0}, {"SpeseContrassegno", 5.0},
            {"TipoSpeseContrassegno", 0}, {"MinimoContrassegno", 0.0}, {"Basket", ""}, {"DimBasket", 0},
            {"IDSpese", 0}};
        for (auto it = sessione.begin(); it != sessione.end(); ++it)
            Set(it.key(), it.value());
    }

    virtual CAdoConnection::Engine Engine() const = 0;

    void Prodotto(int id, const QString& nome, double prezzo, double iva, double peso, QVariantMap colonne = {})
    {
        InserisciProdotto(*m_shop, id, nome, prezzo, iva, peso, std::move(colonne));
    }

    void Set(const QString& chiave, const QVariant& valore) { m_shop->Host().Session().SetValue(chiave, valore); }
    QVariant Session(const char* chiave) { return m_shop->Host().Session().Value(chiave); }

    Carrello* Pagina(const Richiesta& richiesta = Richiesta())
    {
        m_page = m_shop->NewPage();
        CAspTestRequest& r = m_page->TestRequest();
        QUrlQuery query;
        for (const auto& [chiave, valore] : richiesta.campi) {
            if (richiesta.post) {
                r.AddForm(chiave, valore);
            } else {
                r.AddQueryString(chiave, valore);
                query.addQueryItem(chiave, valore);
            }
        }
        r.SetMethod(richiesta.post ? "POST" : "GET");
        r.SetServerVariable("QUERY_STRING", query.toString(QUrl::FullyEncoded));
        return m_page->Create<Carrello>("QTR50.Carrello");
    }

    Carrello* Esegui(const Richiesta& richiesta)
    {
        Carrello* c = Pagina(richiesta);
        c->EseguiOperazione();
        return c;
    }

    // The Session's basket agrees with itself: its count is its items'.
    void ExpectConsistent()
    {
        const QString testo = Session("Basket").toString();
        EXPECT_EQ(Session("DimBasket").toInt(), CarrelloTesto::Leggi(testo).size()) << testo.toStdString();
        EXPECT_EQ(testo.count('#'), CarrelloTesto::Leggi(testo).size()) << testo.toStdString();
    }

    std::unique_ptr<CQtrTestShop> m_shop;
    std::unique_ptr<CAspTestPage> m_page;
};

class CarrelloDb : public CarrelloBase, public ::testing::WithParamInterface<CAdoConnection::Engine>
{
protected:
    CAdoConnection::Engine Engine() const override { return GetParam(); }
};

// ------------------------------------------------------------ operations

struct CasoOperazioni
{
    const char* nome;
    QList<Richiesta> richieste;
    const char* basket;
    double totaleProdotti;
};

void PrintTo(const CasoOperazioni& c, std::ostream* os) { *os << c.nome; }

class CarrelloOperazioni
    : public CarrelloBase,
      public ::testing::WithParamInterface<std::tuple<CAdoConnection::Engine, CasoOperazioni>>
{
protected:
    CAdoConnection::Engine Engine() const override { return std::get<0>(GetParam()); }
};

const Richiesta kAggiungiLibro = Link({{"Operazione", "aggiungi"}, {"IDProdotto", "2"}, {"Quantita", "1"}});

// Start from one book (50.00) in the basket: what the visitor sends never
// sets a price, never forges an item, never adds what he cannot buy.
const CasoOperazioni kOperazioni[] = {
    {"AddingTheSameTwiceGivesTwoItems", {kAggiungiLibro, Link({{"Operazione", "Modifica"}, {"IndiceOggetto", "1"}, {"Quantita", "3"}})},
     "#2|3|0||0|#2|1|0||0|", 200},
    {"RemovingTheSecondOfThree",
     {Link({{"Operazione", "aggiungi"}, {"IDProdotto", "1"}, {"IDColore", "11"}, {"Taglia", "M"}, {"Quantita", "1"}}),
      Link({{"Operazione", "aggiungi"}, {"IDProdotto", "1"}, {"Taglia", "S"}, {"Quantita", "2"}}),
      Link({{"Operazione", "elimina"}, {"IndiceOggetto", "2"}})},
     "#2|1|0||0|#1|2|0|S|0|", 150},
    {"PostedImageButtonAdds", {Form({{"Aggiungi.x", "3"}, {"Aggiungi.y", "4"}, {"IDProdotto", "2"}, {"Quantita", "0"}})},
     "#2|1|0||0|#2|1|0||0|", 100},
    {"PostedLowerCaseNameIsAUserField", {Form({{"aggiungi", "1"}, {"IDProdotto", "2"}})}, "#2|1|0||0|", 50},
    {"UnknownQueryKeyIsAUserField",
     {Link({{"Operazione", "AGGIUNGI"}, {"IDProdotto", "2"}, {"Quantita", "2"}, {"Lingua", "it"}, {"Dedica", "Buon anno"}})},
     "#2|1|0||0|#2|2|0||0|Lingua~it|Dedica~Buon anno|", 150},
    {"QueryQuantityIsTakenPositive", {Link({{"Operazione", "aggiungi"}, {"IDProdotto", "2"}, {"Quantita", "-3"}})},
     "#2|1|0||0|#2|3|0||0|", 200},
    {"ShippingChoiceLeavesTheItems", {Link({{"Operazione", "spese"}, {"IDSpese", "4"}})}, "#2|1|0||0|", 50},
    // Hostile requests.
    {"QueryPriceIsIgnored", {Link({{"Operazione", "aggiungi"}, {"IDProdotto", "2"}, {"Quantita", "1"}, {"Prezzo", "0.01"}})},
     "#2|1|0||0|#2|1|0||0|", 100},
    {"PostedPriceIsIgnored", {Form({{"Aggiungi", "1"}, {"IDProdotto", "2"}, {"Quantita", "1"}, {"Prezzo", "0.01"}})},
     "#2|1|0||0|#2|1|0||0|", 100},
    {"DelimitersInAUserFieldStayInIt",
     {Link({{"Operazione", "aggiungi"}, {"IDProdotto", "2"}, {"Quantita", "1"}, {"Nota", "x|#2|9|0||0.01|"}})},
     "#2|1|0||0|#2|1|0||0|Nota~x%7C%232%7C9%7C0%7C%7C0.01%7C|", 100},
    {"DelimitersInAUserFieldName", {Form({{"Aggiungi", "1"}, {"IDProdotto", "2"}, {"Quantita", "1"}, {"a~b#2|", "c"}})},
     "#2|1|0||0|#2|1|0||0|a%7Eb%232%7C~c|", 100},
    {"ASizeNotOnSaleIsRefused",
     {Link({{"Operazione", "aggiungi"}, {"IDProdotto", "1"}, {"Quantita", "1"}, {"Taglia", "M|0|#2|1|0||0.01|"}})},
     "#2|1|0||0|", 50},
    {"AHugeQuantityIsRefused", {Link({{"Operazione", "aggiungi"}, {"IDProdotto", "2"}, {"Quantita", "1e12"}})},
     "#2|1|0||0|", 50},
    {"AHugeChangeIsRefused", {Link({{"Operazione", "modifica"}, {"IndiceOggetto", "1"}, {"Quantita", "99999999"}})},
     "#2|1|0||0|", 50},
    {"AnUnknownProductIsRefused", {Link({{"Operazione", "aggiungi"}, {"IDProdotto", "999"}, {"Quantita", "1"}})},
     "#2|1|0||0|", 50},
    {"AHiddenProductIsRefused", {Link({{"Operazione", "aggiungi"}, {"IDProdotto", "3"}, {"Quantita", "1"}})},
     "#2|1|0||0|", 50},
    {"AProductOffSaleIsRefused", {Link({{"Operazione", "aggiungi"}, {"IDProdotto", "4"}, {"Quantita", "1"}})},
     "#2|1|0||0|", 50},
    {"AColourOfAnotherProductIsRefused",
     {Link({{"Operazione", "aggiungi"}, {"IDProdotto", "2"}, {"IDColore", "11"}, {"Quantita", "1"}})}, "#2|1|0||0|", 50},
    {"PositionsOutsideTheBasketChangeNothing",
     {Link({{"Operazione", "elimina"}, {"IndiceOggetto", "5"}}), Link({{"Operazione", "elimina"}, {"IndiceOggetto", "0"}}),
      Link({{"Operazione", "modifica"}, {"IndiceOggetto", "-1"}, {"Quantita", "4"}})},
     "#2|1|0||0|", 50},
    {"AnUnknownShippingOptionIsRefused", {Link({{"Operazione", "spese"}, {"IDSpese", "77"}})}, "#2|1|0||0|", 50},
    // A quantity of 0 in a change takes the line away, typed or linked; a
    // line never holds less than one unit, so none prices to nothing.
    {"AChangeToZeroRemovesTheLine",
     {kAggiungiLibro, Link({{"Operazione", "modifica"}, {"IndiceOggetto", "1"}, {"Quantita", "0"}})}, "#2|1|0||0|", 50},
    {"ATypedZeroRemovesTheLine",
     {kAggiungiLibro, Form({{"Modifica", "1"}, {"IndiceOggetto", "2"}, {"Quantita", "0"}})}, "#2|1|0||0|", 50},
    {"ATypedNonNumberInAChangeIsOne",
     {Form({{"Modifica", "1"}, {"IndiceOggetto", "1"}, {"Quantita", "due"}})}, "#2|1|0||0|", 50},
    {"AFractionBelowOneIsRefused",
     {Link({{"Operazione", "aggiungi"}, {"IDProdotto", "2"}, {"Quantita", "0,001"}}),
      Form({{"Aggiungi", "1"}, {"IDProdotto", "2"}, {"Quantita", "0.4"}}),
      Link({{"Operazione", "modifica"}, {"IndiceOggetto", "1"}, {"Quantita", "0,004"}})},
     "#2|1|0||0|", 50},
    {"AQueryQuantityOfZeroAddsNothing", {Link({{"Operazione", "aggiungi"}, {"IDProdotto", "2"}, {"Quantita", "0"}})},
     "#2|1|0||0|", 50},
    {"AFractionAboveOneIsKept",
     {Link({{"Operazione", "modifica"}, {"IndiceOggetto", "1"}, {"Quantita", "1,5"}})}, "#2|1.5|0||0|", 75},
};

TEST_P(CarrelloOperazioni, TheBasketStaysConsistentAndPricedByTheShop)
{
    const CasoOperazioni& caso = std::get<1>(GetParam());
    Set("Basket", "#2|1|0||0|");
    Set("DimBasket", 1);
    Carrello* c = nullptr;
    for (const Richiesta& r : caso.richieste)
        c = Esegui(r);
    EXPECT_EQ(Session("Basket").toString(), QString::fromUtf8(caso.basket));
    ExpectConsistent();
    EXPECT_DOUBLE_EQ(c->TotaleProdotti(), caso.totaleProdotti);
    EXPECT_EQ(c->NumeroOggettiNelCarrello, Session("DimBasket").toInt());
}

INSTANTIATE_TEST_SUITE_P(
    Casi, CarrelloOperazioni,
    ::testing::Combine(::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                       ::testing::ValuesIn(kOperazioni)),
    [](const auto& info) {
        return std::string(CAdoTestDatabase::EngineName(std::get<0>(info.param))) + "_" + std::get<1>(info.param).nome;
    });

// ------------------------------------------------------------ totals and items

TEST_P(CarrelloDb, TotalsOfTwoRatesAndAWeightBand)
{
    Set("Basket", "#1|2|0||0|#2|1|0||0|");
    Set("DimBasket", 2);
    Set("IDSpese", 4);
    Carrello* c = Pagina();
    EXPECT_FLOAT_EQ(c->TotalePesoProdotti(), 4);
    EXPECT_DOUBLE_EQ(c->TotaleProdotti(), 150);
    EXPECT_DOUBLE_EQ(c->TotaleIVA(), 26.6);
    EXPECT_DOUBLE_EQ(c->ImportoSpeseSpedizione(), 8);
    EXPECT_DOUBLE_EQ(c->TotaleOrdine(), 184.6);
    EXPECT_EQ(c->FTotaleOrdine(), "184.60");
    EXPECT_DOUBLE_EQ(c->SpeseContrassegnoVL(), 6);
    EXPECT_TRUE(c->SpeseSpedizioneOk());

    c->LeggiOggetto(1);
    EXPECT_EQ(c->NomeProdotto, "Camicia");
    EXPECT_DOUBLE_EQ(c->PrezzoProdotto, 50);
    EXPECT_DOUBLE_EQ(c->ImportoProdotto, 100);
    EXPECT_EQ(c->FImportoProdotto, "100.00");
    c->LeggiOggetto(3);   // one past the end: nothing changes
    EXPECT_EQ(c->NomeProdotto, "Camicia");

    // A page's own shipping amount, then back to the table.
    c->ImpostaSpeseSpedizione(0);
    EXPECT_DOUBLE_EQ(c->TotaleOrdine(), 175);
    c->ImpostaSpeseSpedizione();
    EXPECT_DOUBLE_EQ(c->TotaleOrdine(), 184.6);
    EXPECT_FALSE(Session("SpedizioniPersonalizzate").toBool());
}

TEST_P(CarrelloDb, AnItemNoLongerForSaleLeavesTheBasketWithANote)
{
    Set("Basket", "#2|1|0||0|#1|1|11|M|0|#1|1|12|L|0|");
    Set("DimBasket", 3);
    m_shop->Db().Execute("UPDATE Prodotti SET Attivo=0 WHERE ID=2");
    m_shop->Db().Execute("DELETE FROM ProdottiColori WHERE ID=11");
    Carrello* c = Pagina();
    EXPECT_EQ(Session("Basket").toString(), "#1|1|12|L|0|");
    EXPECT_EQ(c->NumeroOggettiNelCarrello, 1);
    EXPECT_FALSE(c->Messaggio.isEmpty());
    EXPECT_DOUBLE_EQ(c->TotaleProdotti(), 50);
    ExpectConsistent();
}

TEST_P(CarrelloDb, ThePageGivesThePriceAndTheUserFields)
{
    Carrello* c = Pagina(Link({{"Prezzo", "0.01"}, {"Quantita", "9"}}));
    c->EseguiOperazione("aggiungi", 0, 2, 2, 0, "", 12.5, 0, "Nome~Mario|Cognome~Rossi");
    EXPECT_EQ(Session("Basket").toString(), "#2|2|0||12.5|Nome~Mario|Cognome~Rossi|");
    EXPECT_DOUBLE_EQ(c->TotaleProdotti(), 25);

    c->LeggiOggetto(1);
    c->ContaCampiUtente();
    EXPECT_EQ(c->NumeroCampiUtente, 2);
    EXPECT_EQ(c->LeggiCampoUtente(2), "Rossi");
    EXPECT_EQ(c->NomeCampoUtente, "Cognome");
    EXPECT_EQ(c->LeggiCampoUtente("ome"), "Mario");
    EXPECT_EQ(c->NomeCampoUtente, "Cognome");
    EXPECT_EQ(c->LeggiCampoUtente(3), "");
    EXPECT_EQ(c->NomeCampoUtente, "");
}

TEST_P(CarrelloDb, EmptyingKeepsTheCustomShippingAndTotalsCanWait)
{
    Carrello* c = Pagina();
    c->ImpostaSpeseSpedizione(7);
    c->EseguiOperazione("aggiungi", 0, 2, 1);
    c->EseguiOperazione("spese", 0, 0, 0, 0, "", 0, 4);
    c->EseguiOperazione("svuota");
    EXPECT_EQ(Session("Basket").toString(), "");
    EXPECT_EQ(Session("DimBasket").toInt(), 0);
    EXPECT_EQ(Session("IDSpese").toInt(), 0);
    EXPECT_TRUE(Session("SpedizioniPersonalizzate").toBool());
    EXPECT_DOUBLE_EQ(c->ImportoSpeseSpedizioneVL(), 7);

    c->DisattivaCalcoloTotali();
    c->EseguiOperazione("aggiungi", 0, 2, 1);
    EXPECT_DOUBLE_EQ(c->TotaleProdotti(), 0);   // not yet computed
    c->EseguiOperazione("aggiungi", 0, 2, 1);
    EXPECT_DOUBLE_EQ(c->TotaleProdotti(), 100);
}

// With the page's shared connection nothing is read before SetConn.
TEST_P(CarrelloDb, ASharedConnectionComputesTheTotalsOnSetConn)
{
    Set("ShareConn", true);
    Set("Basket", "#2|2|0||0|");
    Set("DimBasket", 1);
    Carrello* c = Pagina();
    EXPECT_DOUBLE_EQ(c->TotaleProdotti(), 0);
    c->SetConn(&m_shop->Db());
    EXPECT_DOUBLE_EQ(c->TotaleProdotti(), 100);
    c->LeggiOggetto(1);
    EXPECT_EQ(c->NomeProdotto, "Libro");
    c->Free();
    EXPECT_TRUE(m_shop->Db().IsOpen());
}

TEST_P(CarrelloDb, ShippingListMarksTheChoice)
{
    Set("IDSpese", 4);
    Carrello* c = Pagina();
    EXPECT_EQ(c->OpzioniSpeseSpedizione("Scegli"),
              "<select name=IDSpese size=1>\r<option value=0>Scegli</option>\r<option value=5>Affrancata</option>\r"
              "<option selected value=4>Corriere</option>\r</select>\r");
}

TEST_P(CarrelloDb, RequestValuesNeverBecomeSql)
{
    Set("Basket", "#2|1|0||0|");
    Set("DimBasket", 1);
    Esegui(Link({{"Operazione", "spese"}, {"IDSpese", "4 OR 1=1"}}));
    Esegui(Link({{"Operazione", "aggiungi"}, {"IDProdotto", "2; DELETE FROM Prodotti"}, {"Quantita", "1"}}));
    EXPECT_EQ(Session("IDSpese").toInt(), 0);
    EXPECT_EQ(Session("Basket").toString(), "#2|1|0||0|");
    CAdoRecordset rs;
    rs.Open("SELECT COUNT(*) AS N FROM Prodotti", &m_shop->Db());
    EXPECT_EQ(rs.Field("N").toInt(), 4);
}

INSTANTIATE_TEST_SUITE_P(Engines, CarrelloDb, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

} // namespace
