#include "server/orders/tests/OrdiniCliente.h"

namespace {

// Agent 30 has customers 20 and 21; customer 10 has no agent. Customer 20
// bought product 7 at 10 and later at 12; customer 21 bought product 8.
class Statistiche : public OrdiniCliente
{
protected:
    void SetUp() override
    {
        OrdiniCliente::SetUp();
        Cliente(21, "Azzurri", 0, 30);
        m_shop->Db().Execute("UPDATE Clienti SET RagioneSociale='' WHERE ID IN (20, 21)");
        Ordine_(1001, 20, "2004-03-05");
        Ordine_(1002, 20, "2004-03-20");
        Ordine_(1003, 21, "2004-03-10");
        Ordine_(1004, 10, "2004-03-10");
        Riga(1, 1001, 7, 10, 3, 1);
        Riga(2, 1002, 7, 12, 1, 0);
        Riga(3, 1003, 8, 2.5, 3, 1);
        Riga(4, 1004, 9, 100, 1, 1);
        m_shop->AddMessage(1, "DATAINIZIALEERRATA", {{"it", "Data iniziale errata"}});
        m_shop->AddMessage(2, "DATAFINALEERRATA", {{"it", "Data finale errata"}});
        auto& s = m_shop->Host().Session();
        s.SetValue("CodiceLingua", "it");
        s.SetValue("CodiceLinguaPredefinita", "it");
        s.SetValue("LunghezzaElencoClientiAgenteStatistiche", 20);
        s.SetValue("LunghezzaElencoProdottiCliente", 20);
        s.SetValue("ModoOrdStat", "ASC");
        s.SetValue("ModoOrdProd", "ASC");
    }

    ::Ordine* Post(const QList<QPair<QString, QString>>& form)
    {
        m_page = m_shop->NewPage();
        m_page->TestRequest().SetMethod("POST");
        for (const auto& [k, v] : form)
            m_page->TestRequest().AddForm(k, v);
        return m_page->Create<::Ordine>("QTR50.Ordine");
    }

    QStringList Clienti(::Ordine* o)
    {
        QStringList righe;
        if (o->ApriElencoClientiAgenteStatistiche() && o->Errore.isEmpty()) {
            do
                righe << QString("%1:%2:%3").arg(o->IDUtenteStatistiche).arg(o->ImportoOrdinato).arg(o->ImportoEvaso);
            while (o->LeggiClienteAgenteSuccessivoStatistiche());
        }
        return righe;
    }

    QStringList Prodotti(::Ordine* o)
    {
        QStringList righe;
        if (o->ApriElencoProdottiCliente() && o->Errore.isEmpty()) {
            do
                righe << QString("%1@%2x%3").arg(o->CodiceProdotto).arg(o->PrezzoProdotto).arg(o->QuantitaOrdinata);
            while (o->LeggiProdottiClienteSuccessivo());
        }
        return righe;
    }
};

TEST_P(Statistiche, AnAgentSeesHisCustomersWithOrderedAndShippedAmounts)
{
    Collega(30, 30);
    ::Ordine* o = Pagina();
    // Name order: Azzurri before Verdi.
    EXPECT_EQ(Clienti(o), QStringList({"21:7.5:2.5", "20:42:10"}));
    EXPECT_EQ(o->IDAgenteOrdine, 30);
    EXPECT_EQ(o->NumeroClientiStatistiche, 2);
    EXPECT_EQ(o->LunghezzaElencoClientiStatistiche, 2);
    EXPECT_TRUE(o->ControlloPrimaPaginaElencoClientiStatistiche());
    EXPECT_TRUE(o->ControlloUltimaPaginaElencoClientiStatistiche());
    o->CalcolaTotaleOrdiniClientiAgente();
    EXPECT_DOUBLE_EQ(o->TotaleOrdinatoClienti, 49.5);
    EXPECT_DOUBLE_EQ(o->TotaleEvasoClienti, 12.5);
    EXPECT_EQ(o->FTotaleOrdinatoClienti, "49.50");
}

TEST_P(Statistiche, EachSortRequestTurnsTheDirectionOver)
{
    Collega(30, 30);
    EXPECT_EQ(Clienti(Pagina({{"CampoOrd", "1"}})), QStringList({"20:42:10", "21:7.5:2.5"}));
    EXPECT_EQ(Session("ModoOrdStat").toString(), "DESC");
    EXPECT_EQ(Clienti(Pagina({{"CampoOrd", "1"}})), QStringList({"21:7.5:2.5", "20:42:10"}));
    // Without a key: the name order, ascending, the direction kept.
    ::Ordine* o = Pagina();
    Clienti(o);
    EXPECT_EQ(o->CampoOrdinamentoStatistiche, 0);
    EXPECT_EQ(o->ModoOrdinamentoStatistiche, "ASC");
    EXPECT_EQ(Session("ModoOrdStat").toString(), "ASC");
}

TEST_P(Statistiche, APostedPeriodChoosesTheOrdersBothDaysIncluded)
{
    Collega(30, 30);
    EXPECT_EQ(Clienti(Post({{"DallaData", "10/3/2004"}, {"AllaData", "20/03/2004"}})),
              QStringList({"21:7.5:2.5", "20:12:0"}));
    EXPECT_EQ(Session("StatisticheDallaData").toString(), "10/3/2004");
    // A re-sort keeps the posted period (shipped amount, descending).
    EXPECT_EQ(Clienti(Pagina({{"CampoOrd", "2"}})), QStringList({"21:7.5:2.5", "20:12:0"}));
}

TEST_P(Statistiche, PagesMoveByActionAndStayInRange)
{
    Collega(30, 30);
    m_shop->Host().Session().SetValue("LunghezzaElencoClientiAgenteStatistiche", 1);
    ::Ordine* o = Pagina({{"Action", "s"}});
    ASSERT_TRUE(o->ApriElencoClientiAgenteStatistiche());
    EXPECT_EQ(o->IDUtenteStatistiche, 20);
    EXPECT_EQ(o->TotalePagineStatistiche, 2);
    EXPECT_TRUE(o->ControlloUltimaPaginaElencoClientiStatistiche());
    o = Pagina({{"Action", "s"}});
    ASSERT_TRUE(o->ApriElencoClientiAgenteStatistiche());
    EXPECT_EQ(o->PaginaCorrenteStatistiche, 2);
    o = Pagina({{"Action", "I"}});
    ASSERT_TRUE(o->ApriElencoClientiAgenteStatistiche());
    EXPECT_EQ(o->PaginaCorrenteStatistiche, 1);
    o = Pagina({{"Action", "p"}});
    ASSERT_TRUE(o->ApriElencoClientiAgenteStatistiche());
    EXPECT_EQ(o->PaginaCorrenteStatistiche, 1);
}

struct CasoPeriodo
{
    const char* nome;
    const char* dalla;
    const char* alla;
    const char* errore;
};

void PrintTo(const CasoPeriodo& c, std::ostream* os) { *os << c.nome; }

class PeriodoErrato : public OrdiniClienteDi<std::tuple<CAdoConnection::Engine, CasoPeriodo>>
{
};

TEST_P(PeriodoErrato, ADayThatIsNoDayIsReportedAndNothingIsRead)
{
    const CasoPeriodo& c = std::get<1>(GetParam());
    m_shop->AddMessage(1, "DATAINIZIALEERRATA", {{"it", "Data iniziale errata"}});
    m_shop->AddMessage(2, "DATAFINALEERRATA", {{"it", "Data finale errata"}});
    m_shop->Host().Session().SetValue("CodiceLingua", "it");
    Collega(30, 30);
    m_page = m_shop->NewPage();
    m_page->TestRequest().SetMethod("POST");
    m_page->TestRequest().AddForm("DallaData", c.dalla);
    m_page->TestRequest().AddForm("AllaData", c.alla);
    ::Ordine* o = m_page->Create<::Ordine>("QTR50.Ordine");
    EXPECT_TRUE(o->ApriElencoClientiAgenteStatistiche());
    EXPECT_EQ(o->Errore, c.errore);
    EXPECT_EQ(Session("Errore").toString(), c.errore);
    o->TotaleOrdinatoClienti = -1;
    o->CalcolaTotaleOrdiniClientiAgente();
    EXPECT_EQ(o->TotaleOrdinatoClienti, -1);
    EXPECT_TRUE(o->ApriElencoProdottiCliente());
    EXPECT_EQ(o->Errore, c.errore);
}

const CasoPeriodo kPeriodi[] = {
    {"FirstDayNotADate", "31/02/2004", "", "Data iniziale errata"},
    {"FirstDayWithSql", "1/1/2004' OR '1'='1", "", "Data iniziale errata"},
    {"LastDayNotADate", "1/1/2004", "domani", "Data finale errata"},
    {"FirstDayWinsOverLast", "x", "y", "Data iniziale errata"},
};

INSTANTIATE_TEST_SUITE_P(Casi, PeriodoErrato,
                         ::testing::Combine(::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                                            ::testing::ValuesIn(kPeriodi)),
                         [](const auto& info) {
                             return std::string(CAdoTestDatabase::EngineName(std::get<0>(info.param))) + "_"
                                 + std::get<1>(info.param).nome;
                         });

TEST_P(Statistiche, NoAgentNoStatistics)
{
    // The session set-up's anonymous visitor may carry an agent's row.
    m_shop->Host().Session().SetValue("IDUtente", 30);
    m_shop->Host().Session().SetValue("IDAgente", 30);
    ::Ordine* o = Pagina();
    EXPECT_FALSE(o->ApriElencoClientiAgenteStatistiche());
    o->CalcolaTotaleOrdiniClientiAgente();
    EXPECT_EQ(o->TotaleOrdinatoClienti, 0);
    Collega(20);
    EXPECT_FALSE(Pagina()->ApriElencoClientiAgenteStatistiche());
}

TEST_P(Statistiche, ACustomerSeesHisOwnProductsOneRowPerPrice)
{
    Collega(20, 30);   // the agent acting for customer 20
    ::Ordine* o = Pagina();
    EXPECT_EQ(Prodotti(o), QStringList({"P7@10x3", "P7@12x1"}));
    o = Pagina({{"IDUtente", "21"}});
    ASSERT_TRUE(o->ApriElencoProdottiCliente());
    EXPECT_DOUBLE_EQ(o->ImportoOrdinatoCliente, 7.5);
    EXPECT_DOUBLE_EQ(o->ImportoEvasoCliente, 2.5);
    EXPECT_DOUBLE_EQ(o->ImportoDaEvadereCliente, 5);
    o->CalcolaTotaleOrdiniCliente();
    EXPECT_DOUBLE_EQ(o->TotaleImportoDaEvadere, 5);
}

TEST_P(Statistiche, AnAgentSeesHisWholeBookSortedByWhatIsStillToShip)
{
    Collega(30, 30);
    ::Ordine* o = Pagina({{"IDAgente", "30"}, {"CampoOrd", "7"}});
    // Still to ship: P7@10 20, P7@12 12, P8 5; DESC after the toggle.
    EXPECT_EQ(Prodotti(o), QStringList({"P7@10x3", "P7@12x1", "P8@2.5x3"}));
    o->CalcolaTotaleOrdiniCliente();
    EXPECT_DOUBLE_EQ(o->TotaleImportoOrdinato, 49.5);
    EXPECT_FLOAT_EQ(o->TotaleQuantitaOrdinata, 7);
}

TEST_P(Statistiche, NobodyElsesProductsAreShown)
{
    Collega(10);
    for (const auto& richiesta : QList<QList<QPair<QString, QString>>>{
             {{"IDUtente", "20"}}, {{"IDAgente", "30"}}, {{"IDUtente", "0"}, {"IDAgente", "30"}}}) {
        ::Ordine* o = Pagina(richiesta);
        EXPECT_FALSE(o->ApriElencoProdottiCliente());
        o->CalcolaTotaleOrdiniCliente();
        EXPECT_EQ(o->TotaleImportoOrdinato, 0);
    }
    Collega(30, 30);
    EXPECT_FALSE(Pagina({{"IDUtente", "10"}})->ApriElencoProdottiCliente());
}

INSTANTIATE_TEST_SUITE_P(Engines, Statistiche, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

} // namespace
