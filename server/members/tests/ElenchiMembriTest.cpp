#include "server/members/tests/MembriProva.h"

namespace {

using Elenchi = MembriProva;

// The interests in their order, in the visitor's language or else the
// shop's, each box set as the Session holds it.
TEST_P(Elenchi, TheInterestsWithTheirBoxes)
{
    Sessione().SetValue("INT1", "qualsiasi");
    AreaRiservata* a = Pagina({}, "GET");
    QStringList visti;
    ASSERT_TRUE(a->ApriElencoInteressi());
    do
        visti << QString("%1:%2:%3:%4").arg(a->IDInteresse).arg(a->NomeInteresse, a->DescrizioneInteresse)
                     .arg(a->ControlloCheckModuloInteressi());
    while (a->LeggiInteresseSuccessivo());
    a->ChiudiElencoInteressi();
    EXPECT_EQ(visti, (QStringList{"2:Offerte:Su Offerte:0", "1:Novità:Su Novità:1", "3:::0"}))
        << visti.join(" ").toStdString();

    Sessione().SetValue("CodiceLingua", "en");
    Sessione().SetValue("CodiceLinguaPredefinita", "en");
    a = Pagina({}, "GET");
    ASSERT_TRUE(a->ApriElencoInteressi());
    EXPECT_EQ(a->NomeInteresse, "Offers");
    m_shop->Db().Execute("DELETE FROM Interessi");
    a = Pagina({}, "GET");
    a->IDInteresse = 99;
    EXPECT_FALSE(a->ApriElencoInteressi());
    EXPECT_EQ(a->IDInteresse, 99);
}

// The agent's customers a page at a time, narrowed by prefixes that stay
// for the visit; nobody else's customers, no agents, no consignees.
TEST_P(Elenchi, AnAgentsCustomersPagedAndFiltered)
{
    for (int i = 0; i < 4; ++i)
        Cliente(50 + i, "c" + QString::number(i), "x", i % 2, 30, 0,
                {{"RagioneSociale", QString("Ditta %1").arg(QChar('A' + i))}, {"Localita", i < 2 ? "Lecco" : "Como"},
                 {"Telefono", "031 " + QString::number(i)}});
    Cliente(60, "agente2", "x", 3, 30);
    m_shop->Insert("Clienti", {{"ID", 61}, {"Cognome", "Destinatario"}, {"IDAgente", 30}, {"TipoUtente", 4}});
    EXPECT_FALSE(Pagina({}, "GET")->ApriElencoClientiAgente());   // no agent signed in
    ASSERT_TRUE(Accedi("marco", "Agente!"));
    Sessione().SetValue("LunghezzaElencoClientiAgente", 2);

    const auto pagina = [&](const QString& numero, const QString& metodo = "GET",
                            const QList<QPair<QString, QString>>& filtri = {}) {
        QList<QPair<QString, QString>> campi = filtri;
        if (!numero.isEmpty())
            campi.append({"Page", numero});
        AreaRiservata* a = Pagina(campi, metodo);
        QStringList righe;
        if (!a->ApriElencoClientiAgente())
            return righe;
        righe << QString("p%1/%2 n%3 l%4 %5%6").arg(a->PaginaCorrente).arg(a->TotalePagine).arg(a->NumeroClienti)
                     .arg(a->LunghezzaElencoClienti).arg(a->ControlloPrimaPaginaElencoClienti() ? "prima" : "")
                     .arg(a->ControlloUltimaPaginaElencoClienti() ? "ultima" : "");
        for (int n = 0; n < a->LunghezzaElencoClienti; ++n) {
            righe << QString::number(a->IDUtente) + ":" + a->RagioneSociale;
            if (!a->LeggiClienteAgenteSuccessivo())
                break;
        }
        EXPECT_EQ(a->IDClientiAgente, 30);
        a->ChiudiElencoClientiAgente();
        return righe;
    };
    EXPECT_EQ(pagina(""), (QStringList{"p1/3 n5 l2 prima", "20:Bruno srl", "50:Ditta A"}));
    EXPECT_EQ(pagina("3"), (QStringList{"p3/3 n5 l2 ultima", "53:Ditta D"}));
    EXPECT_EQ(pagina("99"), (QStringList{"p3/3 n5 l2 ultima", "53:Ditta D"}));
    EXPECT_EQ(pagina("x' OR 1=1"), (QStringList{"p1/3 n5 l2 prima", "20:Bruno srl", "50:Ditta A"}));

    // A posted filter holds on later pages; an empty one removes it.
    EXPECT_EQ(pagina("", "POST", {{"FiltroLocalita", "lec"}}),
              (QStringList{"p1/2 n3 l2 prima", "20:Bruno srl", "50:Ditta A"}));
    EXPECT_EQ(Session("FiltroLocalita").toString(), "lec");
    EXPECT_EQ(pagina("2"), (QStringList{"p2/2 n3 l2 ultima", "51:Ditta B"}));
    EXPECT_EQ(Pagina({}, "GET")->FiltroLocalita, "lec");
    EXPECT_EQ(pagina("", "POST", {{"FiltroLocalita", "ecco"}}), QStringList{});   // a prefix, not a part
    EXPECT_EQ(pagina("", "POST", {{"FiltroRagioneSociale", "%"}}), QStringList{});
    EXPECT_EQ(pagina("", "POST", {{"FiltroRagioneSociale", "Ditta _"}}), QStringList{});
    EXPECT_EQ(pagina("", "POST", {{"FiltroRagioneSociale", "' OR '1'='1"}}), QStringList{});
    EXPECT_EQ(pagina("", "POST", {{"FiltroTelefono", "031 3"}, {"FiltroLocalita", "Como"}}),
              (QStringList{"p1/1 n1 l1 primaultima", "53:Ditta D"}));
    EXPECT_EQ(pagina("", "POST", {}), (QStringList{"p1/3 n5 l2 prima", "20:Bruno srl", "50:Ditta A"}));
}

// A customer's consignees by name; a Null column reads as empty text.
TEST_P(Elenchi, ACustomersConsignees)
{
    EXPECT_FALSE(Pagina({}, "GET")->ApriElencoDestinatariCliente());
    ASSERT_TRUE(Accedi("anna", "Lago-2024"));
    m_shop->Db().Execute("UPDATE Clienti SET Indirizzo=NULL WHERE ID=12");
    AreaRiservata* a = Pagina({}, "GET");
    a->NumeroDestinatari = 77;
    ASSERT_TRUE(a->ApriElencoDestinatariCliente());
    EXPECT_EQ(a->NumeroDestinatari, 2);
    EXPECT_EQ(a->IDUtenteDestinatario, 12);
    EXPECT_EQ(a->RagioneSocialeDestinatario, "Alfa");
    EXPECT_EQ(a->IndirizzoDestinatario, "");
    ASSERT_TRUE(a->LeggiDestinatarioClienteSuccessivo());
    EXPECT_EQ(a->IDUtenteDestinatario, 11);
    EXPECT_EQ(a->IndirizzoDestinatario, "Via Porto 3");
    EXPECT_EQ(a->RagioneSociale, "Casa Anna");   // the customer's own data stays
    EXPECT_FALSE(a->LeggiDestinatarioClienteSuccessivo());
    a->ChiudiElencoDestinatariCliente();
    EXPECT_THROW(a->LeggiDestinatarioClienteSuccessivo(), std::exception);

    ASSERT_TRUE(Accedi("bruno", "altra"));
    a = Pagina({}, "GET");
    a->NumeroDestinatari = 77;
    EXPECT_FALSE(a->ApriElencoDestinatariCliente());
    EXPECT_EQ(a->NumeroDestinatari, 77);
}

INSTANTIATE_TEST_SUITE_P(Engines, Elenchi, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         Nome);

} // namespace
