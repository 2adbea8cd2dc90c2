#include "server/core/ricerca/Banner.h"
#include "server/core/ricerca/Correlazioni.h"
#include "server/core/ricerca/Ricerca.h"
#include "server/core/testing/CQtrTestShop.h"

#include "platform/ado/CAdoRecordset.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

QString Giorno(int giorni)
{
    return QDate::currentDate().addDays(giorni).toString("yyyy-MM-dd 00:00:00");
}

// Products 1-3 (product 3 in category 30, hidden from group 4), articles
// 5 and 6 (article 6 in section 60, hidden from group 4); the visitor is in
// group 4.
class RicercaDb : public ::testing::TestWithParam<CAdoConnection::Engine>
{
protected:
    void SetUp() override
    {
        m_shop = std::make_unique<CQtrTestShop>(GetParam());
        m_shop->Insert("CategorieProdotti", {{"ID", 1}, {"IDProdotto", 3}, {"IDCategoria", 30}});
        m_shop->Insert("SezioniArticoli", {{"ID", 1}, {"IDArticolo", 6}, {"IDSezione", 60}});
        m_shop->Insert("Permessi", {{"ID", 1}, {"Tipo", 0}, {"IDRecord", 30}, {"IDGruppo", 4}});
        m_shop->Insert("Permessi", {{"ID", 2}, {"Tipo", 2}, {"IDRecord", 60}, {"IDGruppo", 4}});
        auto& s = m_shop->Host().Session();
        s.SetValue("DbPath", m_shop->DbFolder());
        s.SetValue("ShareConn", false);
        s.SetValue("CodiceLingua", "it");
        s.SetValue("IDGruppo", 4);
        s.SetValue("IDUtente", 9);
        s.SetValue("SearchPageSize", 10);
    }

    void Parole(int tipo, int id, const QString& parole, QVariantMap altro = {})
    {
        altro.insert("ID", ++m_parole);
        altro.insert("Tipo", tipo);
        altro.insert("IDRecord", id);
        altro.insert("Keywords", parole);
        if (!altro.contains("CodiceLingua"))
            altro.insert("CodiceLingua", "it");
        if (!altro.contains("Attivo"))
            altro.insert("Attivo", 1);
        m_shop->Insert("ParoleChiave", altro);
    }

    template <class T>
    T* Crea(const char* progId, const QList<QPair<QString, QString>>& query = {})
    {
        m_page = m_shop->NewPage();
        for (const auto& [k, v] : query)
            m_page->TestRequest().AddQueryString(k, v);
        return m_page->Create<T>(progId);
    }

    // Every result of the search from the page asked for: "tipo:id".
    QStringList Cerca(const QList<QPair<QString, QString>>& query, Ricerca** ricerca = nullptr)
    {
        Ricerca* r = Crea<Ricerca>("QTR50.Ricerca", query);
        QStringList trovati;
        for (bool ok = r->ApriPaginaRisultati(); ok; ok = r->LeggiRisultatoSuccessivo())
            trovati << QString("%1:%2").arg(r->TipoRecord).arg(r->IDRecord);
        if (ricerca)
            *ricerca = r;
        return trovati;
    }

    std::unique_ptr<CQtrTestShop> m_shop;
    std::unique_ptr<CAspTestPage> m_page;
    int m_parole = 0;
};

using Query = QList<QPair<QString, QString>>;

// ------------------------------------------------------------ search

TEST_P(RicercaDb, EveryWordMustBeFoundWithoutRegardToCase)
{
    Parole(1, 1, "Camicia di lino bianca");
    Parole(1, 2, "camicia rossa");
    Parole(3, 5, "LINO e cotone: guida");
    Parole(1, 1, "shirt linen", {{"CodiceLingua", "en"}});
    Parole(1, 2, "camicia lino", {{"Attivo", 0}});
    EXPECT_EQ(Cerca({{"Action", "I"}, {"ParoleChiave", "lino  CAMICIA"}}), QStringList{"1:1"});
    // The stored words serve the next pages.
    EXPECT_EQ(Cerca({}), QStringList{"1:1"});
    EXPECT_EQ(Cerca({{"Action", "i"}, {"ParoleChiave", "lino"}}), (QStringList{"1:1", "3:5"}));
    EXPECT_EQ(Cerca({{"Action", "i"}, {"ParoleChiave", ""}}), (QStringList{"1:1", "1:2", "3:5"}));
}

// A search looks for the first eight different words, however many are
// typed: each further word would cost the database another scan.
TEST_P(RicercaDb, OnlyTheFirstEightDifferentWordsAreLookedFor)
{
    Parole(1, 1, "uno due tre quattro cinque sei sette otto");
    EXPECT_EQ(Cerca({{"Action", "i"}, {"ParoleChiave", "uno UNO due tre quattro cinque sei sette otto nove"}}),
              QStringList{"1:1"});
    QString molte;
    for (int i = 0; i < 5000; ++i)
        molte += QStringLiteral(" uno x%1").arg(i);
    EXPECT_EQ(Cerca({{"Action", "i"}, {"ParoleChiave", "due" + molte}}), QStringList{});
    // Only what is looked for is kept for the next pages.
    EXPECT_EQ(m_shop->Host().Session().Value("TestoRicerca").toString(), "due uno x0 x1 x2 x3 x4 x5");
    EXPECT_EQ(Cerca({{"Action", "i"}, {"ParoleChiave", "nove uno"}}), QStringList{});
}

// Words are plain text: quotes, LIKE wildcards and SQL stay what they are.
TEST_P(RicercaDb, WordsAreBoundAndTheirWildcardsAreLiteral)
{
    Parole(1, 1, "sconto 100% dell'anno");
    Parole(1, 2, "sconto 1000 anni");
    Parole(1, 3, "a_b");
    Parole(3, 5, "axb");
    EXPECT_EQ(Cerca({{"Action", "i"}, {"ParoleChiave", "100%"}}), QStringList{"1:1"});
    EXPECT_EQ(Cerca({{"Action", "i"}, {"ParoleChiave", "dell'anno"}}), QStringList{"1:1"});
    EXPECT_EQ(Cerca({{"Action", "i"}, {"ParoleChiave", "a_b"}}), QStringList{});   // product 3 is hidden
    EXPECT_EQ(Cerca({{"Action", "i"}, {"ParoleChiave", "_"}}), QStringList{});
    EXPECT_EQ(Cerca({{"Action", "i"}, {"ParoleChiave", "' OR '1'='1"}}), QStringList{});
    CAdoRecordset rs;
    rs.Open("SELECT COUNT(*) AS N FROM ParoleChiave", &m_shop->Db());
    EXPECT_EQ(rs.Field("N").toInt(), 4);
}

TEST_P(RicercaDb, HiddenRecordsAndDatesLeaveTheResults)
{
    Parole(1, 1, "tela");
    Parole(1, 3, "tela");                                  // in a hidden category
    Parole(3, 5, "tela");
    Parole(3, 6, "tela");                                  // in a hidden section
    Parole(1, 2, "tela", {{"AllaData", Giorno(-1)}});      // over yesterday
    Parole(0, 8, "tela", {{"DallaData", Giorno(0)}});      // a category, from today
    Parole(2, 9, "tela", {{"DallaData", Giorno(1)}});      // a section, from tomorrow
    EXPECT_EQ(Cerca({{"Action", "i"}, {"ParoleChiave", "tela"}}), (QStringList{"0:8", "1:1", "3:5"}));
    // Another group sees them.
    m_shop->Host().Session().SetValue("IDGruppo", 5);
    EXPECT_EQ(Cerca({}), (QStringList{"0:8", "1:1", "1:3", "3:5", "3:6"}));
}

TEST_P(RicercaDb, ResultsComeAPageAtATime)
{
    for (int id = 1; id <= 25; ++id)
        Parole(3, 100 + id, "guida");
    Ricerca* r = nullptr;
    Cerca({{"Action", "i"}, {"ParoleChiave", "guida"}, {"Page", "3"}}, &r);
    EXPECT_EQ(r->NumeroRisultati, 25);
    EXPECT_EQ(r->LunghezzaPagina, 10);
    EXPECT_EQ(r->TotalePagine, 3);
    EXPECT_EQ(r->PaginaCorrente, 3);
    EXPECT_FALSE(r->ControlloPrimaPagina());
    EXPECT_TRUE(r->ControlloUltimaPagina());

    const QStringList primi = Cerca({{"Page", "1"}}, &r);
    EXPECT_EQ(primi.first(), "3:101");
    EXPECT_TRUE(r->ControlloPrimaPagina());
    EXPECT_FALSE(r->ControlloUltimaPagina());

    m_shop->Host().Session().SetValue("SearchPageSize", 30);
    Cerca({}, &r);
    EXPECT_EQ(r->LunghezzaPagina, 25);
    EXPECT_EQ(r->TotalePagine, 1);
    EXPECT_TRUE(r->ControlloPrimaPagina());
    EXPECT_TRUE(r->ControlloUltimaPagina());
}

// ------------------------------------------------------------ related items

TEST_P(RicercaDb, LinksAreListedFromEitherEnd)
{
    int id = 0;
    const auto link = [&](int t1, int i1, int t2, int i2) {
        m_shop->Insert("Correlazioni", {{"ID", ++id}, {"Tipo1", t1}, {"ID1", i1}, {"Tipo2", t2}, {"ID2", i2}});
    };
    link(3, 5, 1, 9);   // article 5 - product 9
    link(1, 9, 4, 2);   // product 9 - banner 2
    link(1, 9, 3, 6);   // product 9 - article 6, in a hidden section
    link(0, 30, 1, 9);  // a hidden category - product 9
    link(1, 9, 1, 9);   // product 9 with itself
    const auto elenco = [&](const QVariant& tipo, const QVariant& idr, const QVariant& modo) {
        Correlazioni* c = Crea<Correlazioni>("QTR50.Correlazioni");
        QStringList trovati;
        for (bool ok = c->ApriPaginaRisultati(tipo, idr, modo); ok; ok = c->LeggiRisultatoSuccessivo())
            trovati << QString("%1:%2").arg(c->TipoRecord).arg(c->IDRecord);
        return trovati;
    };
    EXPECT_EQ(elenco(1, 9, QVariant()), (QStringList{"3:5", "4:2", "1:9"}));
    EXPECT_EQ(elenco(3, 5, -1), QStringList{"1:9"});
    EXPECT_EQ(elenco(1, 9, 3), QStringList{"3:5"});
    EXPECT_EQ(elenco(1, 8, -1), QStringList{});
    m_shop->Host().Session().SetValue("IDGruppo", 5);
    EXPECT_EQ(elenco(1, 9, 3), (QStringList{"3:5", "3:6"}));
}

// ------------------------------------------------------------ banners

class BannerDb : public RicercaDb
{
protected:
    void Tipo(int id, const QString& codice, const QVariant& ultimo)
    {
        m_shop->Insert("TipoBanner", {{"ID", id}, {"Codice", codice}, {"IDUltimoBanner", ultimo}});
    }
    void Un(int id, int tipo, QVariantMap altro = {})
    {
        altro.insert("ID", id);
        altro.insert("Tipo", tipo);
        if (!altro.contains("ComparsePreviste"))
            altro.insert("ComparsePreviste", 0);
        altro.insert("Link", QString("http://esempio.it/%1").arg(id));
        m_shop->Insert("Banner", altro);
        m_shop->WriteSiteFile(QString("/images/banner/%1.gif").arg(id));
    }
    QString Seleziona(const QString& codice)
    {
        Banner* b = Crea<Banner>("QTR50.Banner");
        return b->Seleziona(codice) ? b->Percorso : QString("-");
    }
    QVariant Colonna(const char* sql)
    {
        CAdoRecordset rs;
        rs.Open(sql, &m_shop->Db());
        return rs.Field("V");
    }
};

TEST_P(BannerDb, BannersTakeTurnsWithinTheirWindow)
{
    Tipo(1, "TESTA", 7);
    Un(3, 1);
    Un(9, 1, {{"Esterno", 1}});
    Un(5, 1, {{"AllaData", Giorno(-1)}});
    Un(6, 2);
    Banner* b = Crea<Banner>("QTR50.Banner");
    ASSERT_TRUE(b->Seleziona("TESTA"));
    EXPECT_EQ(b->Percorso, "/images/banner/9.gif");
    EXPECT_EQ(b->Link, "http://esempio.it/9");
    EXPECT_TRUE(b->FlagEsterno);
    EXPECT_EQ(Seleziona("TESTA"), "/images/banner/3.gif");
    EXPECT_EQ(Seleziona("TESTA"), "/images/banner/9.gif");
    EXPECT_EQ(Seleziona("NESSUNO"), "-");
    EXPECT_EQ(Seleziona("' OR '1'='1"), "-");
    EXPECT_EQ(Colonna("SELECT ComparseEffettuate AS V FROM Banner WHERE ID=9").toInt(), 0);   // unlimited
}

TEST_P(BannerDb, PlannedAppearancesAreCountedAndEnd)
{
    Tipo(1, "LATO", QVariant());            // never shown: starts from the first
    Un(4, 1, {{"ComparsePreviste", 2}, {"ComparseEffettuate", 1}});
    Un(8, 1, {{"ComparsePreviste", 1}});   // a counter never written counts as 0
    EXPECT_EQ(Seleziona("LATO"), "/images/banner/4.gif");
    EXPECT_EQ(Colonna("SELECT ComparseEffettuate AS V FROM Banner WHERE ID=4").toInt(), 2);
    EXPECT_EQ(Colonna("SELECT Modificato AS V FROM Banner WHERE ID=4").toInt(), 1);
    EXPECT_EQ(Seleziona("LATO"), "/images/banner/8.gif");
    EXPECT_EQ(Colonna("SELECT ComparseEffettuate AS V FROM Banner WHERE ID=8").toInt(), 1);
    EXPECT_EQ(Seleziona("LATO"), "-");
}

TEST_P(BannerDb, ABannerWithoutItsFileKeepsItsTurn)
{
    Tipo(1, "TESTA", 0);
    m_shop->Insert("Banner", {{"ID", 2}, {"Tipo", 1}, {"ComparsePreviste", 0}});
    Banner* b = Crea<Banner>("QTR50.Banner");
    EXPECT_FALSE(b->Seleziona("TESTA"));
    EXPECT_EQ(b->Percorso, "");
    EXPECT_EQ(Colonna("SELECT IDUltimoBanner AS V FROM TipoBanner WHERE ID=1").toInt(), 0);
    m_shop->WriteSiteFile("/images/banner/2.swf");
    EXPECT_EQ(Seleziona("TESTA"), "/images/banner/2.swf");
    EXPECT_EQ(Colonna("SELECT IDUltimoBanner AS V FROM TipoBanner WHERE ID=1").toInt(), 2);
}

INSTANTIATE_TEST_SUITE_P(Engines, RicercaDb, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });
INSTANTIATE_TEST_SUITE_P(Engines, BannerDb, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

} // namespace
