#include "server/core/CAdoSqlSession.h"
#include "server/core/CacheNegozio.h"
#include "server/core/Generale.h"
#include "server/core/catalogo/Catalogo.h"
#include "server/core/testing/CQtrTestShop.h"

#include "platform/utilities/QtrCipher.h"
#include "recordset/schema/QtrDataGeneration.h"

#include <gtest/gtest.h>

#include <QJSEngine>
#include <QLocale>

#include <memory>
#include <stdexcept>

namespace {

QString Giorno(int giorni)
{
    return QDate::currentDate().addDays(giorni).toString("yyyy-MM-dd 00:00:00");
}

// A shop with a small catalogue: categories 1 (top) > 3 > 7, category 2
// (top), and products in them, each with Italian texts and prices.
class CatalogoDb : public ::testing::TestWithParam<CAdoConnection::Engine>
{
protected:
    static void SetUpTestSuite() { QLocale::setDefault(QLocale::c()); }

    void SetUp() override
    {
        m_shop = std::make_unique<CQtrTestShop>(GetParam());
        m_shop->AddBasics();
        Categoria(1, 0, "ABITI", "Abiti", 1);
        Categoria(3, 1, "GONNE", "Gonne", 1);
        Categoria(7, 3, "MINI", "Minigonne", 1);
        Categoria(2, 0, "SCARPE", "Scarpe", 2);
        Sessione();
    }

    // The Session of a visitor as the set-up leaves it.
    void Sessione()
    {
        auto& s = m_shop->Host().Session();
        s.SetValue("DbPath", m_shop->DbFolder());
        s.SetValue("ShareConn", false);
        s.SetValue("CodiceLingua", "it");
        s.SetValue("CodiceLinguaPredefinita", "it");
        s.SetValue("IDListino", 0);
        s.SetValue("PageSize", 12);
        s.SetValue("TipoOrdinamento", 0);
        s.SetValue("FCListino2Euro", 1.0);
        s.SetValue("FCEuro2Web", 1.0);
        s.SetValue("Arrotondamento", 0.01);
        s.SetValue("ArrotondamentoListino", 0.01);
        s.SetValue("SimboloValuta", "€");
        s.SetValue("URLPaginaCategorie", "categorie.asp");
        s.SetValue("URLPaginaProdotti", "prodotti.asp");
        s.SetValue("FlagCalNumProCat", 1);
    }

    void Set(const char* chiave, const QVariant& valore) { m_shop->Host().Session().SetValue(chiave, valore); }
    QVariant Session(const char* chiave) { return m_shop->Host().Session().Value(chiave); }

    void Categoria(int id, int padre, const QString& codice, const QVariant& nome, int ordine)
    {
        m_shop->Insert("Categorie", {{"ID", id}, {"IDCategoriaPadre", padre}, {"Codice", codice}, {"Ordine", ordine}});
        if (!nome.isNull())
            m_shop->Insert("CategorieLingue", {{"ID", id}, {"IDCategoria", id}, {"CodiceLingua", "it"},
                                               {"Nome", Encrypt(nome.toString())},
                                               {"Descrizione", Encrypt("Tutti i " + nome.toString())}});
    }

    void Prodotto(int id, int categoria, double prezzo, QVariantMap colonne = {}, QVariantMap lingua = {})
    {
        colonne.insert("ID", id);
        if (!colonne.contains("Attivo"))
            colonne.insert("Attivo", 1);
        colonne.insert("IDProdottoBase", colonne.value("IDProdottoBase", 0));
        colonne.insert("Ordine", colonne.value("Ordine", id));
        m_shop->Insert("Prodotti", colonne);
        if (categoria)
            Collega(id, categoria);
        if (lingua.value("CodiceLingua") == "nessuna")
            return;
        lingua.insert("ID", id * 10 + lingua.size());
        lingua.insert("IDProdotto", id);
        if (!lingua.contains("CodiceLingua"))
            lingua.insert("CodiceLingua", "it");
        if (!lingua.contains("Nome"))
            lingua.insert("Nome", Encrypt(QString("Prodotto %1").arg(id)));
        if (!lingua.contains("Prezzo"))
            lingua.insert("Prezzo", prezzo);
        m_shop->Insert("ProdottiLingue", lingua);
    }

    void Collega(int prodotto, int categoria)
    {
        m_shop->Insert("CategorieProdotti", {{"ID", ++m_legami}, {"IDProdotto", prodotto}, {"IDCategoria", categoria}});
    }

    void Permesso(int tipo, int record, const char* chi, int id)
    {
        m_shop->Insert("Permessi", {{"ID", ++m_permessi}, {"Tipo", tipo}, {"IDRecord", record}, {chi, id}});
    }

    void Sconto(QVariantMap colonne)
    {
        colonne.insert("ID", ++m_sconti);
        for (const char* c : {"IDUtente", "IDGruppo"})
            if (!colonne.contains(c))
                colonne.insert(c, -1);
        for (const char* c : {"IDProdotto", "IDCategoria"})
            if (!colonne.contains(c))
                colonne.insert(c, 0);
        // The discount editor writes Null into every field left empty.
        QStringList vuote = {"PrezzoPromoPredefinito", "PrezzoPromoPeriodo"};
        for (int n = 1; n <= 9; ++n)
            vuote << QString("Quantita%1").arg(n) << QString("PrezzoPromo%1").arg(n);
        for (const QString& c : vuote)
            if (!colonne.contains(c))
                colonne.insert(c, QVariant(QMetaType(QMetaType::Double)));
        m_shop->Insert("ScontiProdotto", colonne);
    }

    Catalogo* Pagina()
    {
        m_page = m_shop->NewPage();
        return m_page->Create<Catalogo>("QTR50.Catalogo");
    }

    QStringList Nomi(Catalogo* c, bool aperta)
    {
        QStringList nomi;
        for (bool ok = aperta; ok; ok = c->LeggiProdottoSuccessivo())
            nomi << c->NomeProdotto;
        return nomi;
    }

    std::unique_ptr<CQtrTestShop> m_shop;
    std::unique_ptr<CAspTestPage> m_page;
    int m_legami = 0;
    int m_permessi = 0;
    int m_sconti = 0;
};

// ------------------------------------------------------------ product pages

TEST_P(CatalogoDb, ProductPagesAreCutByPageSize)
{
    for (int id = 11; id <= 15; ++id)
        Prodotto(id, 3, 10);
    Set("PageSize", 2);
    Catalogo* c = Pagina();
    m_page->TestRequest().AddQueryString("IDCategoria", "3");
    m_page->TestRequest().AddQueryString("Page", "2");
    EXPECT_EQ(Nomi(c, c->ApriPaginaProdotti()), QStringList({"Prodotto 13", "Prodotto 14", "Prodotto 15"}));
    EXPECT_EQ(c->LunghezzaPaginaProdotti, 2);
    EXPECT_EQ(c->PaginaCorrenteProdotti, 2);
    EXPECT_EQ(c->TotalePagineProdotti, 3);
    EXPECT_FALSE(c->ControlloPrimaPaginaProdotti());
    EXPECT_FALSE(c->ControlloUltimaPaginaProdotti());
    EXPECT_EQ(Session("IDCategoriaProdotti").toInt(), 3);
    EXPECT_EQ(Session("PaginaCorrenteProdotti").toInt(), 2);

    EXPECT_TRUE(c->LeggiPrimoProdotto());
    EXPECT_EQ(c->NomeProdotto, "Prodotto 13");
    c->ChiudiPaginaProdotti();

    // The next page without a request shows the same category and page.
    Set("PageSize", 12);
    c = Pagina();
    EXPECT_TRUE(c->ApriPaginaProdotti());
    EXPECT_EQ(c->LunghezzaPaginaProdotti, 5);
    EXPECT_EQ(c->TotalePagineProdotti, 1);
    EXPECT_EQ(c->PaginaCorrenteProdotti, 1);   // page 2 of one: the last
    EXPECT_TRUE(c->ControlloPrimaPaginaProdotti());
    EXPECT_TRUE(c->ControlloUltimaPaginaProdotti());
}

// A page reads its own rows; walking on from it still reaches every
// product after it, in the list's order, whatever the page length, in the
// merchant's order and in the language's.
TEST_P(CatalogoDb, EveryPageWalksOnThroughTheRestOfTheList)
{
    QStringList tutti;
    for (int id = 11; id <= 33; ++id) {
        // The merchant's order is not the IDs'; ties fall back to them.
        Prodotto(id, 3, 10, {{"Ordine", (id * 7) % 5}}, {{"Sort", QString("s%1").arg(99 - id)}});
    }
    Catalogo* c = Pagina();
    Set("PageSize", 1000);
    for (const int ordinamento : {0, 1}) {
        Set("TipoOrdinamento", ordinamento);
        const QStringList elenco = Nomi(c, c->ApriPaginaProdotti(1, 3));
        ASSERT_EQ(elenco.size(), 23);
        for (const int lunghezza : {1, 4, 23, 30}) {
            Set("PageSize", lunghezza);
            const int pagine = (23 + qMin(lunghezza, 23) - 1) / qMin(lunghezza, 23);
            for (int pagina = 1; pagina <= pagine + 1; ++pagina) {
                c = Pagina();
                const int mostrata = qMin(pagina, pagine);
                EXPECT_EQ(Nomi(c, c->ApriPaginaProdotti(pagina, 3)), elenco.mid((mostrata - 1) * qMin(lunghezza, 23)))
                    << ordinamento << " " << lunghezza << " " << pagina;
                EXPECT_EQ(c->TotalePagineProdotti, pagine);
                EXPECT_EQ(c->PaginaCorrenteProdotti, mostrata);
                EXPECT_EQ(c->ControlloUltimaPaginaProdotti(), mostrata == pagine);
                // Back to the page's first product after walking past it.
                EXPECT_TRUE(c->LeggiPrimoProdotto());
                EXPECT_EQ(c->NomeProdotto, elenco.at((mostrata - 1) * qMin(lunghezza, 23)));
            }
        }
        Set("PageSize", 1000);
    }
}

// LeggiPrimoProdotto goes to the page the property names, which a page may
// set.
TEST_P(CatalogoDb, LeggiPrimoProdottoTakesThePageThePropertyNames)
{
    for (int id = 11; id <= 17; ++id)
        Prodotto(id, 3, 10);
    Set("PageSize", 3);
    Catalogo* c = Pagina();
    ASSERT_TRUE(c->ApriPaginaProdotti(1, 3));
    c->PaginaCorrenteProdotti = 3;
    EXPECT_EQ(Nomi(c, c->LeggiPrimoProdotto()), QStringList({"Prodotto 17"}));
    c->PaginaCorrenteProdotti = 2;
    EXPECT_EQ(Nomi(c, c->LeggiPrimoProdotto()), QStringList({"Prodotto 14", "Prodotto 15", "Prodotto 16", "Prodotto 17"}));
    c->PaginaCorrenteProdotti = 4;
    EXPECT_FALSE(c->LeggiPrimoProdotto());
}

TEST_P(CatalogoDb, ArgumentsWinOverTheRequestAndCodesNameCategories)
{
    Prodotto(11, 3, 10);
    Prodotto(12, 2, 10);
    Catalogo* c = Pagina();
    m_page->TestRequest().AddQueryString("IDCategoria", "3");
    EXPECT_EQ(Nomi(c, c->ApriPaginaProdotti(1, "SCARPE")), QStringList{"Prodotto 12"});
    EXPECT_EQ(Session("IDCategoriaProdotti").toInt(), 2);
    EXPECT_FALSE(c->ApriPaginaProdotti(1, "NESSUNA"));
    EXPECT_FALSE(c->ApriPaginaProdotti(1, 99));
    EXPECT_EQ(Session("IDCategoriaProdotti").toInt(), 2);   // kept
}

TEST_P(CatalogoDb, RequestValuesNeverBecomeSql)
{
    Prodotto(11, 3, 10);
    Catalogo* c = Pagina();
    m_page->TestRequest().AddQueryString("IDCategoria", "x' OR '1'='1");
    EXPECT_FALSE(c->ApriPaginaProdotti());
    EXPECT_FALSE(Session("IDCategoriaProdotti").isValid());

    c = Pagina();
    m_page->TestRequest().AddQueryString("IDCategoria", "3");
    m_page->TestRequest().AddQueryString("Page", "2 OR 1=1");
    EXPECT_THROW(c->ApriPaginaProdotti(), std::runtime_error);
    EXPECT_FALSE(Session("IDCategoriaProdotti").isValid());   // nothing kept

    c = Pagina();
    m_page->TestRequest().AddQueryString("IDProdotto", "11 OR 1=1");
    EXPECT_THROW(c->LeggiProdotto(), std::runtime_error);
}

TEST_P(CatalogoDb, AVisitorWithoutACategorySeesAnEmptyPage)
{
    Prodotto(11, 3, 10);
    Catalogo* c = Pagina();
    EXPECT_FALSE(c->ApriPaginaProdotti());
}

TEST_P(CatalogoDb, DisattivaCategorieActsOnOneCallOnly)
{
    Prodotto(11, 3, 10);
    Prodotto(12, 2, 10);
    Set("IDCategoriaProdotti", 2);
    Catalogo* c = Pagina();
    c->DisattivaCategorie();
    c->DisattivaCategorie();
    EXPECT_EQ(Nomi(c, c->ApriPaginaProdotti()), QStringList({"Prodotto 11", "Prodotto 12"}));
    EXPECT_EQ(Nomi(c, c->ApriPaginaProdotti()), QStringList{"Prodotto 12"});
}

TEST_P(CatalogoDb, RightsHideProductsFromGroupsAndUsers)
{
    for (int id = 11; id <= 15; ++id)
        Prodotto(id, 3, 10);
    Collega(14, 7);
    Prodotto(16, 3, 10, {{"Attivo", 0}});
    Prodotto(17, 3, 10, {{"IDProdottoBase", 11}});
    Permesso(1, 12, "IDGruppo", 4);   // product 12 hidden from group 4
    Permesso(1, 13, "IDUtente", 8);   // product 13 hidden from user 8
    Permesso(0, 7, "IDGruppo", 4);    // category 7 hidden: product 14 goes
    Permesso(1, 15, "IDGruppo", 5);   // another group's row
    Set("IDGruppo", 4);
    Set("IDUtente", 8);
    Set("IDCategoriaProdotti", 3);
    // A few rows reach the query as IDs, many as lookups: the same products
    // go.
    for (const int altre : {0, 600}) {
        for (int n = 0; n < altre; ++n)
            Permesso(1, 5000 + n, "IDGruppo", 4);
        Catalogo* c = Pagina();
        EXPECT_EQ(Nomi(c, c->ApriPaginaProdotti()), QStringList({"Prodotto 11", "Prodotto 15"})) << altre;
        EXPECT_FALSE(c->LeggiProdotto(12));
        EXPECT_FALSE(c->LeggiProdotto(14));
        EXPECT_TRUE(c->LeggiProdotto(16));   // by ID even inactive
        EXPECT_TRUE(c->LeggiProdotto(17));
    }
}

TEST_P(CatalogoDb, NoveltyAndOfferSwitchesFilterTheList)
{
    Prodotto(11, 3, 10, {{"Novita", 1}});
    Prodotto(12, 3, 10, {{"Offerta", 1}, {"ValiditaScontoDal", Giorno(0)}, {"ValiditaScontoAl", Giorno(0)}});
    Prodotto(13, 3, 10, {{"Offerta", 1}, {"ValiditaScontoAl", Giorno(-1)}});
    Prodotto(14, 3, 10, {{"Offerta", 1}, {"ValiditaScontoDal", Giorno(1)}});
    Prodotto(15, 3, 10, {{"Offerta", 1}});
    Set("IDCategoriaProdotti", 3);
    Catalogo* c = Pagina();
    c->ImpostaPaginaNovita(1);
    EXPECT_EQ(c->FlagNovita, 1);
    EXPECT_EQ(Nomi(c, c->ApriPaginaProdotti()), QStringList{"Prodotto 11"});
    c->ImpostaPaginaNovita(-1);
    EXPECT_EQ(c->ApriPaginaProdotti() ? c->TotalePagineProdotti : 0, 1);
    EXPECT_EQ(Nomi(c, c->LeggiPrimoProdotto()).size(), 4);
    c->ImpostaPaginaNovita(0);
    c->ImpostaPaginaOfferte(1);
    EXPECT_EQ(Nomi(c, c->ApriPaginaProdotti()), QStringList({"Prodotto 12", "Prodotto 15"}));
    c->ImpostaPaginaOfferte(-1);
    EXPECT_EQ(Nomi(c, c->ApriPaginaProdotti()), QStringList{"Prodotto 11"});

    // An empty text only refreshes the property from the Session.
    Set("FlagOfferte", 1);
    c->ImpostaPaginaOfferte("");
    EXPECT_EQ(c->FlagOfferte, 1);
    EXPECT_EQ(Session("FlagOfferte").toInt(), 1);
    EXPECT_THROW(c->ImpostaPaginaNovita("tutte"), std::runtime_error);
    EXPECT_EQ(Session("FlagNovita").toInt(), 0);
}

TEST_P(CatalogoDb, LanguageOrderingListsOnlyTranslatedProductsAndHonoursTheSelection)
{
    Prodotto(11, 3, 10, {}, {{"Sort", "B11"}});
    Prodotto(12, 3, 10, {}, {{"Sort", "A12"}});
    Prodotto(13, 3, 10, {}, {{"Sort", "B13"}, {"CodiceLingua", "en"}});
    Set("IDCategoriaProdotti", 3);
    Set("TipoOrdinamento", 1);
    Catalogo* c = Pagina();
    EXPECT_EQ(Nomi(c, c->ApriPaginaProdotti()), QStringList({"Prodotto 12", "Prodotto 11"}));
    c->ImpostaSelezioneCustom("B");
    EXPECT_EQ(Nomi(c, c->ApriPaginaProdotti()), QStringList{"Prodotto 11"});
    Set("TipoOrdinamento", 0);
    EXPECT_EQ(Nomi(c, c->ApriPaginaProdotti()).size(), 3);   // the selection needs the language order
}

// ------------------------------------------------------------ product record

TEST_P(CatalogoDb, TheRecordCarriesTextsFiguresAndAmounts)
{
    m_shop->Insert("ValoriTaglie", {{"ID", 1}, {"Valori", "S|M|L|XL|"}});
    Prodotto(15, 3, 10,
             {{"Codice", "P15"}, {"IVA", 22.0}, {"Peso", 1.5}, {"Confezioni", 0}, {"IDTabellaTaglie", 1},
              {"DATaglia", 1}, {"ATaglia", 2}},
             {{"DescrizioneBreve", Encrypt("Breve")}, {"UM", "pz"}, {"CampiCustom", "A|1|B|2|"},
              {"Prezzo3", QVariant(QMetaType(QMetaType::Double))}});
    m_shop->Insert("ProdottiColori", {{"ID", 1}, {"IDProdotto", 15}, {"Codice", "R"}, {"Attivo", 1}});
    m_shop->Insert("ProdottiColori", {{"ID", 2}, {"IDProdotto", 15}, {"Codice", "V"}, {"Attivo", 0}});
    Set("AttivaPrezziIvaCompresa", true);
    Catalogo* c = Pagina();
    ASSERT_TRUE(c->LeggiProdotto(15));
    EXPECT_EQ(c->IDProdotto, 15);
    EXPECT_EQ(c->CodiceProdotto, "P15");
    EXPECT_EQ(c->NomeProdotto, "Prodotto 15");
    EXPECT_EQ(c->DescrizioneBreveProdotto, "Breve");
    EXPECT_EQ(c->DescrizioneEstesaProdotto, "");
    EXPECT_EQ(c->UMProdotto, "pz");
    EXPECT_FLOAT_EQ(c->ConfezioneProdotto, 1);
    EXPECT_FLOAT_EQ(c->PesoProdotto, 1.5);
    EXPECT_DOUBLE_EQ(c->ImpostaProdottoVL, 2.2);
    EXPECT_DOUBLE_EQ(c->PrezzoProdottoVL(), 12.2);
    EXPECT_EQ(c->FPrezzoProdotto, "12.20");
    EXPECT_EQ(c->SimboloValuta, "€");
    EXPECT_EQ(c->NumeroColori, 1);
    EXPECT_EQ(c->NumeroTaglie, 2);
    EXPECT_EQ(c->LeggiTaglia(2), "L");
    EXPECT_EQ(c->NumeroCampiCustom, 2);
    EXPECT_EQ(c->LeggiCampoCustom("B"), "2");
    EXPECT_EQ(c->ValiditaScontoDal().date(), QDate(1900, 1, 1));

    Set("IDListino", 2);   // the third price list, empty on this product
    ASSERT_TRUE(c->LeggiProdotto(15));
    EXPECT_DOUBLE_EQ(c->PrezzoListino, 0);
    EXPECT_DOUBLE_EQ(c->PrezzoProdottoVL(), 0);
}

TEST_P(CatalogoDb, TextsFallBackToTheDefaultLanguageOrStayEmpty)
{
    Prodotto(15, 3, 10);
    Prodotto(16, 3, 10, {}, {{"CodiceLingua", "nessuna"}});
    Set("CodiceLingua", "en");
    Catalogo* c = Pagina();
    ASSERT_TRUE(c->LeggiProdotto(15));
    EXPECT_EQ(c->NomeProdotto, "Prodotto 15");
    EXPECT_DOUBLE_EQ(c->PrezzoProdottoVL(), 10);
    ASSERT_TRUE(c->LeggiProdotto(16));
    EXPECT_EQ(c->NomeProdotto, "");
    EXPECT_DOUBLE_EQ(c->PrezzoProdottoVL(), 0);

    // An unknown language is not the visitor's language.
    Set("CodiceLingua", "xx' OR 'a'='a");
    ASSERT_TRUE(c->LeggiProdotto(15));
    EXPECT_EQ(c->NomeProdotto, "Prodotto 15");
}

TEST_P(CatalogoDb, TheProductsOfferComesBeforeTheCustomersDiscount)
{
    Prodotto(15, 3, 100, {{"Offerta", 1}, {"Sconto", 0}, {"ValiditaScontoAl", Giorno(0)}}, {{"PrezzoPromozione", 80.0}});
    Prodotto(16, 3, 100, {{"Offerta", 1}, {"Sconto", 0}});   // no offer price: the price stays
    m_shop->Insert("Clienti", {{"ID", 8}, {"IDGruppo", 0}, {"ScontoPredefinito", "10"}});
    Set("IDUtente", 8);
    Catalogo* c = Pagina();
    ASSERT_TRUE(c->LeggiProdotto(15));
    EXPECT_DOUBLE_EQ(c->PrezzoListino, 100);
    EXPECT_DOUBLE_EQ(c->PrezzoInizialeVL, 80);
    EXPECT_DOUBLE_EQ(c->PrezzoProdottoVL(), 72);
    EXPECT_EQ(c->Sconto(), "10");
    ASSERT_TRUE(c->LeggiProdotto(16));
    EXPECT_DOUBLE_EQ(c->PrezzoInizialeVL, 100);
    EXPECT_TRUE(c->Offerta());
}

TEST_P(CatalogoDb, DiscountsAreFoundInTheDatabaseInTheirOrder)
{
    m_shop->Insert("Gruppi", {{"ID", 4}, {"ScontoPredefinito", "5"}});
    m_shop->Insert("Clienti", {{"ID", 8}, {"IDGruppo", 4}});
    Prodotto(11, 3, 100);   // own product row
    Prodotto(12, 3, 100);   // the group's product row with tiers
    Prodotto(13, 7, 100);   // the customer's category rows
    Prodotto(14, 2, 100);   // nothing but the group's record
    Sconto({{"IDUtente", 8}, {"IDProdotto", 11}, {"ScontoPredefinito", "20"}});
    Sconto({{"IDGruppo", 4}, {"IDProdotto", 11}, {"ScontoPredefinito", "50"}});
    Sconto({{"IDGruppo", 4}, {"IDProdotto", 12}, {"PrezzoPromoPredefinito", 60.0}, {"Quantita1", 10.0},
            {"PrezzoPromo1", 55.0}, {"ValiditaQuantitaDal", Giorno(0)}, {"ValiditaQuantitaAl", Giorno(0)}});
    Sconto({{"IDUtente", 8}, {"IDCategoria", 7}, {"ScontoPredefinito", "5+5"}});
    Sconto({{"IDUtente", 8}, {"IDCategoria", 7}, {"ScontoPredefinito", "10"}});
    Set("IDUtente", 8);
    Set("IDGruppo", 4);
    Set("FCEuro2Web", 2.0);
    Catalogo* c = Pagina();
    ASSERT_TRUE(c->LeggiProdotto(11));
    EXPECT_DOUBLE_EQ(c->PrezzoProdottoVL(), 80);
    ASSERT_TRUE(c->LeggiProdotto(12));
    EXPECT_DOUBLE_EQ(c->PrezzoProdottoVL(), 60);
    EXPECT_EQ(c->FPrezzoPromozionale(), "120.00");
    EXPECT_TRUE(c->FlagScontoQuantitaAttivo());
    EXPECT_FLOAT_EQ(c->LimiteQuantita1(), 10);
    EXPECT_DOUBLE_EQ(c->PrezzoPromo1(), 110);
    ASSERT_TRUE(c->LeggiProdotto(13));
    EXPECT_DOUBLE_EQ(c->PrezzoProdottoVL(), 90);
    EXPECT_EQ(c->Sconto(), "10");
    EXPECT_FALSE(c->FlagScontoQuantitaAttivo());   // not 12's tiers
    EXPECT_FLOAT_EQ(c->LimiteQuantita1(), 0);
    ASSERT_TRUE(c->LeggiProdotto(14));
    EXPECT_DOUBLE_EQ(c->PrezzoProdottoVL(), 95);
}

// A page reads its products' texts, colours and discount rows together:
// each product of the page, and those read after it, shows what reading it
// alone shows: the visitor's language else the default one, its active
// colours, the discounts of the customer and of his group, by product and
// by category, a Null in a row matching nothing.
TEST_P(CatalogoDb, APageShowsItsProductsAsTheyShowAlone)
{
    m_shop->Insert("Gruppi", {{"ID", 4}, {"ScontoPredefinito", "5"}});
    m_shop->Insert("Clienti", {{"ID", 8}, {"IDGruppo", 4}});
    Categoria(9, 0, "TUTTO", "Tutto", 3);
    for (int id = 11; id <= 17; ++id) {
        Prodotto(id, id % 2 ? 3 : 7, 100 + id, {}, id == 15 ? QVariantMap{{"CodiceLingua", "nessuna"}} : QVariantMap{});
        Collega(id, 9);
    }
    for (int id : {12, 14, 16})
        m_shop->Insert("ProdottiLingue", {{"ID", 500 + id}, {"IDProdotto", id}, {"CodiceLingua", "en"},
                                          {"Nome", Encrypt(QString("Product %1").arg(id))}, {"Prezzo", 200 + id}});
    int colore = 0;
    for (auto [prodotto, attivo] : {std::pair{11, 1}, {11, 0}, {11, 1}, {14, 1}, {17, 0}})
        m_shop->Insert("ProdottiColori", {{"ID", ++colore}, {"IDProdotto", prodotto}, {"Codice", "C"}, {"Attivo", attivo}});
    Collega(16, 2);
    Collega(17, 0);
    Sconto({{"IDUtente", 8}, {"IDProdotto", 11}, {"ScontoPredefinito", "20"}});
    Sconto({{"IDGruppo", 4}, {"IDProdotto", 12}, {"ScontoPredefinito", "50"}});
    Sconto({{"IDUtente", 8}, {"IDCategoria", 7}, {"ScontoPredefinito", "5+5"}});
    Sconto({{"IDGruppo", 4}, {"IDCategoria", 2}, {"ScontoPredefinito", "30"}});
    Sconto({{"IDUtente", 8}, {"IDCategoria", 3}, {"IDProdotto", 13}, {"ScontoPredefinito", "15"}});
    Sconto({{"IDUtente", 8}, {"IDProdotto", QVariant(QMetaType(QMetaType::Int))},
            {"IDCategoria", QVariant(QMetaType(QMetaType::Int))}, {"ScontoPredefinito", "90"}});
    Sconto({{"IDUtente", 8}, {"IDProdotto", 17}, {"ScontoPredefinito", "7"}});
    Sconto({{"IDUtente", 9}, {"IDProdotto", 14}, {"ScontoPredefinito", "40"}});   // another customer's
    Sconto({{"IDGruppo", 5}, {"IDCategoria", 9}, {"ScontoPredefinito", "40"}});   // another group's
    Set("IDUtente", 8);
    Set("IDGruppo", 4);
    Set("PageSize", 4);
    // As the preview reads them, and with the shop's data kept, as the
    // shop server does.
    for (const bool tenuti : {false, true})
    for (const char* lingua : {"it", "en"}) {
        CacheNegozio::Svuota();
        CacheNegozio::SetEnabled(tenuti);
        Set("CodiceLingua", lingua);
        const auto scheda = [](Catalogo* c) {
            return QString("%1 %2: %3 %4, %5 colori")
                .arg(c->IDProdotto)
                .arg(c->NomeProdotto)
                .arg(c->PrezzoProdottoVL())
                .arg(c->Sconto())
                .arg(c->NumeroColori);
        };
        QStringList soli;
        Catalogo* c = Pagina();
        for (int id = 11; id <= 17; ++id) {
            ASSERT_TRUE(c->LeggiProdotto(id));
            soli << scheda(c);
        }
        for (int pagina = 1; pagina <= 2; ++pagina) {
            CacheNegozio::NuovaPagina();
            c = Pagina();
            QStringList elenco;
            for (bool ok = c->ApriPaginaProdotti(pagina, 9); ok; ok = c->LeggiProdottoSuccessivo())
                elenco << scheda(c);
            EXPECT_EQ(elenco, soli.mid((pagina - 1) * 4)) << lingua << " " << pagina << " " << tenuti;
        }
    }
    CacheNegozio::SetEnabled(false);
    CacheNegozio::Svuota();
}

// With the shop's data kept, as on the shop server, a list's colours and
// the categories that bring its products a discount are those of the
// data's generation: an upload reaches the next page, never a price from
// before it.
TEST_P(CatalogoDb, AListKeptWithTheShopsDataShowsAnUploadOnItsNextPage)
{
    CacheNegozio::Svuota();
    CacheNegozio::SetEnabled(true);
    m_shop->Insert("Clienti", {{"ID", 8}, {"IDGruppo", 0}});
    Prodotto(11, 3, 100);
    Sconto({{"IDUtente", 8}, {"IDCategoria", 2}, {"ScontoPredefinito", "25"}});
    Set("IDUtente", 8);
    const auto elenco = [&] {
        CacheNegozio::NuovaPagina();
        Catalogo* c = Pagina();
        EXPECT_TRUE(c->ApriPaginaProdotti(1, 3));
        return QString("%1, %2 colori").arg(c->PrezzoProdottoVL()).arg(c->NumeroColori);
    };
    EXPECT_EQ(elenco(), "100, 0 colori");
    m_shop->Insert("ProdottiColori", {{"ID", 1}, {"IDProdotto", 11}, {"Codice", "R"}, {"Attivo", 1}});
    Collega(11, 2);
    CAdoSqlSession sessione(m_shop->Db());
    QtrDataGeneration::Raise(sessione);
    EXPECT_EQ(elenco(), "75, 1 colori");
    CacheNegozio::SetEnabled(false);
    CacheNegozio::Svuota();
}

// The session set-up makes the Clienti row 0 the anonymous visitor; its
// discounts, and its group's, are his.
TEST_P(CatalogoDb, TheAnonymousVisitorIsTheCustomerRowZero)
{
    Prodotto(15, 3, 100);
    m_shop->Host().Session().Clear();
    auto paginaGenerale = m_shop->NewPage();
    paginaGenerale->Create<Generale>("QTR50.Generale")->Inizializza();
    Catalogo* c = Pagina();
    ASSERT_TRUE(c->LeggiProdotto(15));
    EXPECT_DOUBLE_EQ(c->PrezzoProdottoVL(), 100);   // no row: the list price
    EXPECT_EQ(c->Sconto(), "");

    m_shop->Insert("Gruppi", {{"ID", 3}, {"ScontoPredefinito", "10"}});
    m_shop->Insert("Clienti", {{"ID", 0}, {"TipoUtente", 0}, {"IDGruppo", 3}});
    m_shop->Host().Session().Clear();
    paginaGenerale = m_shop->NewPage();
    paginaGenerale->Create<Generale>("QTR50.Generale")->Inizializza();
    ASSERT_EQ(Session("IDUtente").toInt(), 0);
    c = Pagina();
    ASSERT_TRUE(c->LeggiProdotto(15));
    EXPECT_DOUBLE_EQ(c->PrezzoProdottoVL(), 90);
    EXPECT_EQ(c->Sconto(), "10");
}

// A group's row names no customer: whether it says so with -1, as the
// discount editor writes it, or with 0, as a row written without that
// column holds it, it never becomes the anonymous visitor's (customer 0).
TEST_P(CatalogoDb, AGroupsProductRowIsNeverTheAnonymousVisitors)
{
    Prodotto(16, 3, 100);
    m_shop->Insert("Gruppi", {{"ID", 4}, {"ScontoPredefinito", "0"}});
    m_shop->Insert("Clienti", {{"ID", 0}, {"TipoUtente", 0}, {"IDGruppo", 0}});
    Sconto({{"IDUtente", 0}, {"IDGruppo", 4}, {"IDProdotto", 16}, {"ScontoPredefinito", "30"}});
    Sconto({{"IDGruppo", 4}, {"IDCategoria", 3}, {"ScontoPredefinito", "40"}});
    Set("IDUtente", 0);
    Set("IDGruppo", 0);
    Catalogo* c = Pagina();
    ASSERT_TRUE(c->LeggiProdotto(16));
    EXPECT_DOUBLE_EQ(c->PrezzoProdottoVL(), 100);
    EXPECT_EQ(c->Sconto(), "");
}

TEST_P(CatalogoDb, LeggiProdottoTakesTheRequestsProduct)
{
    Prodotto(15, 3, 10);
    Catalogo* c = Pagina();
    m_page->TestRequest().AddQueryString("IDProdotto", "15");
    EXPECT_TRUE(c->LeggiProdotto(0));
    EXPECT_EQ(c->IDProdotto, 15);
    EXPECT_FALSE(c->LeggiProdotto(99));
    EXPECT_EQ(c->IDProdotto, 15);   // the previous product stays
}

// ------------------------------------------------------------ categories

TEST_P(CatalogoDb, CategoryPagesListVisibleSubcategories)
{
    Categoria(4, 0, "BORSE", "Borse", 3);
    Permesso(0, 4, "IDGruppo", 6);
    Set("IDGruppo", 6);
    Catalogo* c = Pagina();
    QStringList nomi;
    for (bool ok = c->ApriPaginaCategorie(0); ok; ok = c->LeggiCategoriaSuccessiva())
        nomi << c->NomeCategoria;
    EXPECT_EQ(nomi, QStringList({"Abiti", "Scarpe"}));
    c->ChiudiPaginaCategorie();
    EXPECT_TRUE(c->ApriPaginaCategorie("ABITI"));
    EXPECT_EQ(c->CodiceCategoria, "GONNE");
    EXPECT_TRUE(c->FlagSottoCategorie);
    EXPECT_FALSE(c->ApriPaginaCategorie("NESSUNA"));
    EXPECT_FALSE(c->LeggiCategoria(4));   // hidden

    Categoria(5, 2, "STIVALI", "Stivali", 1);
    Permesso(0, 5, "IDGruppo", 6);
    ASSERT_TRUE(c->LeggiCategoria("SCARPE"));
    EXPECT_TRUE(c->FlagSottoCategorie);   // a hidden child still counts
    EXPECT_FALSE(c->ApriPaginaCategorie(2));
}

TEST_P(CatalogoDb, TheCategoryPathLinksTheAncestors)
{
    Catalogo* c = Pagina();
    ASSERT_TRUE(c->LeggiCategoria(7));
    EXPECT_EQ(c->NomeCategoria, "Minigonne");
    EXPECT_EQ(c->DescrizioneCategoria, "Tutti i Minigonne");
    EXPECT_EQ(c->PercorsoCategorie, "<a href=\"categorie.asp?IDCategoria=1\">Abiti</a> | "
                                    "<a href=\"categorie.asp?IDCategoria=3\">Gonne</a>");
    ASSERT_TRUE(c->LeggiCategoria(1));
    EXPECT_EQ(c->PercorsoCategorie, "");
    EXPECT_TRUE(c->ControlloCategoriaPadre(7, 1));
    EXPECT_TRUE(c->ControlloCategoriaPadre("MINI", "ABITI"));
    EXPECT_FALSE(c->ControlloCategoriaPadre(7, 7));
    EXPECT_FALSE(c->ControlloCategoriaPadre(7, 2));
    EXPECT_TRUE(c->ControlloCategoriaPadre(3));   // below the current category 1
}

TEST_P(CatalogoDb, ACategoryWithoutTextsOrAncestorStillLoads)
{
    Categoria(8, 99, "ORFANA", QVariant(), 1);
    Catalogo* c = Pagina();
    ASSERT_TRUE(c->LeggiCategoria(8));
    EXPECT_EQ(c->NomeCategoria, "");
    EXPECT_EQ(c->PercorsoCategorie, "");
}

TEST_P(CatalogoDb, TheProductCountTakesInTheSubcategoriesOnce)
{
    Prodotto(11, 7, 10);
    Prodotto(12, 3, 10);
    Collega(12, 7);
    Prodotto(13, 2, 10);
    Prodotto(14, 7, 10, {{"Attivo", 0}});
    Catalogo* c = Pagina();
    ASSERT_TRUE(c->LeggiCategoria(1));
    EXPECT_EQ(c->NumeroProdottiCategoria, 2);
    c->ImpostaCalcoloNumeroProdottiCategoria(0);
    ASSERT_TRUE(c->LeggiCategoria(2));
    EXPECT_EQ(c->NumeroProdottiCategoria, 2);   // not counted again
}

TEST_P(CatalogoDb, AProductsCategoriesAreWalkedWithTheirPaths)
{
    Prodotto(15, 7, 10);
    Collega(15, 2);
    Permesso(0, 2, "IDGruppo", 6);
    Set("IDGruppo", 6);
    Catalogo* c = Pagina();
    EXPECT_FALSE(c->LeggiProdotto(15));   // one of its categories is hidden
    c->IDProdotto = 15;
    ASSERT_TRUE(c->LeggiPrimaCategoriaProdotto());
    EXPECT_EQ(c->NomeCategoria, "Minigonne");
    EXPECT_TRUE(c->PercorsoCategorie.endsWith("IDCategoria=7\">Minigonne</a>"));
    ASSERT_TRUE(c->LeggiCategoriaProdottoSuccessiva());
    EXPECT_EQ(c->IDCategoria, 2);
    EXPECT_EQ(c->NomeCategoria, "Minigonne");   // hidden: not loaded
    EXPECT_EQ(c->PercorsoCategorie, "<a href=\"prodotti.asp?Action=I&IDCategoria=2\">Scarpe</a>");
    EXPECT_FALSE(c->LeggiCategoriaProdottoSuccessiva());
}

// ------------------------------------------------------------ colours, variants, random list

TEST_P(CatalogoDb, ColoursAndVariants)
{
    Prodotto(10, 3, 10);
    Prodotto(21, 0, 12, {{"IDProdottoBase", 10}, {"Ordine", 2}});
    Prodotto(22, 0, 11, {{"IDProdottoBase", 10}, {"Ordine", 1}});
    Prodotto(23, 0, 11, {{"IDProdottoBase", 10}, {"Attivo", 0}});
    m_shop->Insert("ProdottiColori", {{"ID", 1}, {"IDProdotto", 10}, {"Codice", "R"}, {"Attivo", 1}});
    m_shop->Insert("ProdottiColori", {{"ID", 2}, {"IDProdotto", 10}, {"Codice", "V"}, {"Attivo", 0}});
    m_shop->Insert("ProdottiColori", {{"ID", 3}, {"IDProdotto", 10}, {"Codice", "B"}, {"Attivo", 1}});
    Catalogo* c = Pagina();
    ASSERT_TRUE(c->LeggiProdotto(10));
    QStringList codici;
    for (bool ok = c->LeggiPrimoColore(); ok; ok = c->LeggiColoreSuccessivo())
        codici << c->CodiceColoreProdotto;
    EXPECT_EQ(codici, QStringList({"R", "B"}));
    EXPECT_TRUE(c->LeggiColore(2));   // inactive, but by ID
    EXPECT_EQ(c->CodiceColoreProdotto, "V");
    EXPECT_EQ(c->IDProdotto, 10);
    EXPECT_TRUE(c->LeggiColore(0));   // no request: the first colour
    EXPECT_EQ(c->CodiceColoreProdotto, "R");

    QStringList varianti;
    for (bool ok = c->LeggiPrimaVariante(0); ok; ok = c->LeggiVarianteSuccessiva())
        varianti << QString::number(c->IDProdotto) + "=" + c->FPrezzoProdotto;
    EXPECT_EQ(varianti, QStringList({"22=11.00", "21=12.00"}));
    EXPECT_FALSE(c->LeggiPrimaVariante(22));
}

TEST_P(CatalogoDb, TheRandomListWrapsAround)
{
    for (int id = 11; id <= 15; ++id)
        Prodotto(id, 3, 10);
    Prodotto(16, 2, 10);
    Catalogo* c = Pagina();
    ASSERT_TRUE(c->ApriListaProdottiCasuali("GONNE"));
    QList<int> visti = {c->IDProdotto};
    for (int i = 0; i < 5; ++i) {
        c->LeggiProdottoCasualeSuccessivo();
        visti << c->IDProdotto;
    }
    EXPECT_EQ(visti.first(), visti.last());
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(visti[i], visti[i - 1] == 15 ? 11 : visti[i - 1] + 1);
    c->ChiudiListaProdottiCasuali();
    EXPECT_FALSE(c->ApriListaProdottiCasuali(99));
    EXPECT_FALSE(c->ApriListaProdottiCasuali("NESSUNA"));
    ASSERT_TRUE(c->ApriListaProdottiCasuali(2));
    EXPECT_EQ(c->IDProdotto, 16);
}

// ------------------------------------------------------------ photos and files

TEST_P(CatalogoDb, PhotoAndFileChecks)
{
    m_shop->WriteSiteFile("/images/prodotti/15.gif");
    m_shop->WriteSiteFile("/images/prodotti/16.jpg");
    m_shop->WriteSiteFile("/images/prodotti/16.gif");
    m_shop->WriteSiteFile("/images/prodotti/files/a15_manuale.pdf");
    m_shop->WriteSiteFile("/images/categorie/it/3.jpg");
    Catalogo* c = Pagina();
    c->IDProdotto = 15;
    EXPECT_TRUE(c->ControlloFotoProdotti());
    EXPECT_EQ(c->PercorsoFotoProdotto, "/images/prodotti/15.gif");
    EXPECT_EQ(c->PercorsoThumbnailProdotto, "/images/prodotti/th/15.gif");
    c->IDProdotto = 16;
    EXPECT_TRUE(c->ControlloFotoProdotti());
    EXPECT_EQ(c->PercorsoFotoProdotto, "/images/prodotti/16.jpg");
    c->IDProdotto = 17;
    EXPECT_FALSE(c->ControlloFotoProdotti());
    EXPECT_EQ(c->PercorsoFotoProdotto, "/images/prodotti/16.jpg");

    c->IDProdotto = 15;
    EXPECT_TRUE(c->ControlloFileProdotti("MANUALE"));
    EXPECT_EQ(c->PercorsoFileProdotto, "/images/prodotti/files/a15_manuale.pdf");
    EXPECT_FALSE(c->ControlloFileProdotti("../manuale"));
    EXPECT_EQ(c->PercorsoFileProdotto, "");

    c->IDCategoria = 3;
    Set("CodiceLingua", "en");
    EXPECT_TRUE(c->ControlloFotoCategorie());   // the default language's icon
    EXPECT_EQ(c->PercorsoFotoCategoria, "/images/categorie/it/3.jpg");
    c->PercorsoFotoCategoria.clear();
    Set("CodiceLingua", "../../prodotti");
    Set("CodiceLinguaPredefinita", "../../prodotti");
    EXPECT_FALSE(c->ControlloFotoCategorie());
}

// ------------------------------------------------------------ frame and script

TEST_P(CatalogoDb, ASharedConnectionMustBeHandedOver)
{
    Prodotto(15, 3, 10);
    Set("ShareConn", true);
    Catalogo* c = Pagina();
    EXPECT_THROW(c->LeggiProdotto(15), std::runtime_error);
    c->SetConn(&m_shop->Db());
    EXPECT_TRUE(c->LeggiProdotto(15));
    c->Free();
    c->Free();
    EXPECT_TRUE(m_shop->Db().IsOpen());
}

TEST_P(CatalogoDb, PagesReachTheCatalogueByItsNames)
{
    Prodotto(15, 3, 10);
    Set("IDCategoriaProdotti", 3);
    Catalogo* c = Pagina();
    QJSEngine engine;
    QJSEngine::setObjectOwnership(c, QJSEngine::CppOwnership);
    engine.globalObject().setProperty("Catalogo", engine.newQObject(c));
    const QJSValue risultato = engine.evaluate(
        "var righe = [];"
        "if (Catalogo.ApriPaginaProdotti()) {"
        "  do { righe.push(Catalogo.NomeProdotto + ' ' + Catalogo.FPrezzoProdotto + ' ' + Catalogo.LimiteQuantita1"
        "                  + ' ' + Catalogo.PrezzoPromo1); }"
        "  while (Catalogo.LeggiProdottoSuccessivo());"
        "  Catalogo.ChiudiPaginaProdotti(); }"
        "Catalogo.IDProdotto = 15;"
        "righe.join(';') + '|' + Catalogo.ControlloFotoProdotti() + '|' + Catalogo.LeggiTaglia(1)");
    ASSERT_FALSE(risultato.isError()) << risultato.toString().toStdString();
    EXPECT_EQ(risultato.toString(), "Prodotto 15 10.00 0 -1|false|");
}

INSTANTIATE_TEST_SUITE_P(Engines, CatalogoDb,
                         ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

} // namespace
