#include "server/content/Contenuti.h"
#include "server/content/ContenutiAllegati.h"
#include "server/content/tests/ContenutiFixture.h"

#include <QDir>
#include <QFile>

#include <vector>

namespace {

// Sections: 1 Casa (top) > 3 Cucina > 7 Pentole; 2 Giardino (top); 4
// Archivio (top, inactive); 5 Riservata (top, hidden from group 5); 6
// Privata (top, hidden from user 50).
class ContenutiDb : public ContenutiFixture
{
protected:
    void SetUp() override
    {
        ContenutiFixture::SetUp();
        Sezione(1, 0, "Casa");
        Sezione(3, 1, "Cucina");
        Sezione(7, 3, "Pentole");
        Sezione(2, 0, "Giardino");
        Sezione(4, 0, "Archivio", {{"Attivo", 0}});
        Sezione(5, 0, "Riservata");
        Sezione(6, 0, "Privata");
        Permesso(1, 2, 5, 5, 0);
        Permesso(2, 2, 6, 0, 50);
    }

    Contenuti* Pagina(const QList<QPair<QString, QString>>& query = {})
    {
        m_page = m_shop->NewPage();
        for (const auto& [k, v] : query)
            m_page->TestRequest().AddQueryString(k, v);
        return m_page->Create<Contenuti>("QTR50.Contenuti");
    }

    std::vector<int> Sezioni(Contenuti* c, const QVariant& padre = 0)
    {
        std::vector<int> ids;
        if (c->ApriPaginaSezioni(padre)) {
            do
                ids.push_back(c->IDSezione);
            while (c->LeggiSezioneSuccessiva());
        }
        return ids;
    }

    std::vector<int> Articoli(Contenuti* c, const QVariant& pagina, const QVariant& sezione)
    {
        std::vector<int> ids;
        if (c->ApriPaginaArticoli(pagina, sezione)) {
            ids.push_back(c->IDArticolo);
            for (int i = 1; i < c->LunghezzaPaginaArticoli && c->LeggiArticoloSuccessivo(); ++i)
                ids.push_back(c->IDArticolo);
        }
        return ids;
    }

    std::unique_ptr<CAspTestPage> m_page;
};

TEST_P(ContenutiDb, SectionsListTheActiveVisibleChildrenInOrder)
{
    EXPECT_EQ(Sezioni(Pagina()), (std::vector<int>{1, 2}));
    EXPECT_EQ(Sezioni(Pagina(), "SEZ1"), (std::vector<int>{3}));
    Contenuti* c = Pagina();
    EXPECT_EQ(Sezioni(c, "SEZ3"), (std::vector<int>{7}));
    EXPECT_EQ(c->IDSez, 3);
    EXPECT_EQ(c->NomeSezione, "Pentole");
    // The path runs down to the section's parent, the top first.
    EXPECT_EQ(c->PercorsoSezioni, "<a href=\"/sezione.asp?IDSezione=1\">Casa</a> | "
                                  "<a href=\"/sezione.asp?IDSezione=3\">Cucina</a>");
    c = Pagina();
    EXPECT_FALSE(c->ApriPaginaSezioni("NESSUNA"));
    EXPECT_EQ(c->IDSezione, 0);

    // Another group and another user see the hidden ones.
    Set("IDGruppo", 6);
    Set("IDUtente", 51);
    EXPECT_EQ(Sezioni(Pagina()), (std::vector<int>{1, 2, 5, 6}));
}

TEST_P(ContenutiDb, ASectionIsReadWhenInactiveButNotWhenHidden)
{
    Contenuti* c = Pagina();
    EXPECT_TRUE(c->LeggiSezione(4));
    EXPECT_EQ(c->NomeSezione, "Archivio");
    EXPECT_FALSE(c->LeggiSezione(5));
    EXPECT_FALSE(c->LeggiSezione("SEZ6"));
    EXPECT_EQ(c->NomeSezione, "Archivio");
    EXPECT_TRUE(c->LeggiSezione("SEZ1"));
    EXPECT_TRUE(c->FlagSottoSezioni);
    EXPECT_TRUE(c->LeggiSezione(7));
    EXPECT_FALSE(c->FlagSottoSezioni);
}

TEST_P(ContenutiDb, AncestorTest)
{
    struct Caso { QVariant prova, antenato; bool atteso; };
    for (const Caso& k : {Caso{7, 3, true}, Caso{7, 1, true}, Caso{"SEZ7", "SEZ1", true}, Caso{3, 7, false},
                          Caso{3, 3, false}, Caso{2, 1, false}, Caso{"NESSUNA", 1, false}, Caso{7, "NESSUNA", false}})
        EXPECT_EQ(Pagina()->ControlloSezionePadre(k.prova, k.antenato), k.atteso)
            << k.prova.toString().toStdString() << " " << k.antenato.toString().toStdString();
    Contenuti* c = Pagina();
    ASSERT_TRUE(c->LeggiSezione(3));
    EXPECT_TRUE(c->ControlloSezionePadre(7));   // the current section as the ancestor
}

// An article in a section and in one of its subsections counts once; the
// publication window, the novelty switch and hidden articles count as
// the lists show them.
TEST_P(ContenutiDb, ArticleCountsCoverTheSectionTree)
{
    Articolo(10, {1, 3}, "Uno");
    Articolo(11, {7}, "Due", {{"Novita", 1}});
    Articolo(12, {3}, "Scaduto", {{"PubblicazioneAllaData", Giorno(-1)}});
    Articolo(13, {3}, "Spento", {{"Attivo", 0}});
    Articolo(14, {3}, "Nascosto");
    Permesso(3, 3, 14, 5, 0);
    Contenuti* c = Pagina();
    ASSERT_TRUE(c->LeggiSezione(1));
    EXPECT_EQ(c->NumeroArticoliSezione, 2);
    Set("FlagNovita", 1);
    Contenuti* nuove = Pagina();
    nuove->LeggiSezione(1);
    EXPECT_EQ(nuove->NumeroArticoliSezione, 1);
    Set("FlagNovita", -1);
    Contenuti* vecchie = Pagina();
    vecchie->LeggiSezione(1);
    EXPECT_EQ(vecchie->NumeroArticoliSezione, 1);
}

TEST_P(ContenutiDb, SectionPictureInTheVisitorsLanguageElseTheDefault)
{
    Set("CodiceLingua", "en");
    Contenuti* c = Pagina();
    ASSERT_TRUE(c->LeggiSezione(2));
    EXPECT_FALSE(c->ControlloFotoSezione());
    m_shop->WriteSiteFile("/images/sezioni/it/2.gif");
    EXPECT_TRUE(c->ControlloFotoSezione());
    EXPECT_EQ(c->PercorsoFotoSezione, "/images/sezioni/it/2.gif");
    m_shop->WriteSiteFile("/images/sezioni/en/2.jpg");
    EXPECT_TRUE(c->ControlloFotoSezione());
    EXPECT_EQ(c->PercorsoFotoSezione, "/images/sezioni/en/2.jpg");
}

struct PaginaCaso
{
    const char* nome;
    int articoli;
    int dimensione;
    QVariant pagina;
    bool trovata;
    std::vector<int> attesi;
    int totale;
    bool prima, ultima;
};

TEST_P(ContenutiDb, ArticlePagesAreCutByTheSessionsPageSize)
{
    const std::vector<PaginaCaso> casi = {
        {"first of two", 7, 5, 1, true, {20, 21, 22, 23, 24}, 2, true, false},
        {"second of two", 7, 5, "2", true, {25, 26}, 2, false, true},
        {"empty page is the first", 7, 5, "", true, {20, 21, 22, 23, 24}, 2, true, false},
        {"fewer than a page", 3, 5, 1, true, {20, 21, 22}, 1, true, true},
        {"past the last page", 7, 5, 3, false, {}, 0, false, false},
        {"page zero", 7, 5, 0, false, {}, 0, false, false},
        {"no page size set", 3, 0, 1, true, {20, 21, 22}, 1, true, true},
    };
    for (const PaginaCaso& k : casi) {
        SCOPED_TRACE(k.nome);
        m_shop->Db().Execute("DELETE FROM SezioniArticoli");
        m_shop->Db().Execute("DELETE FROM ArticoliLingue");
        m_shop->Db().Execute("DELETE FROM Articoli");
        for (int i = 0; i < k.articoli; ++i)
            Articolo(20 + i, {2}, "Articolo " + QString::number(i));
        Set("ArticlePageSize", k.dimensione);
        Contenuti* c = Pagina();
        EXPECT_EQ(Articoli(c, k.pagina, 2), k.attesi);
        if (!k.trovata)
            continue;
        EXPECT_EQ(c->TotalePagineArticoli, k.totale);
        EXPECT_EQ(c->ControlloPrimaPaginaArticoli(), k.prima);
        EXPECT_EQ(c->ControlloUltimaPaginaArticoli(), k.ultima);
        EXPECT_EQ(Session("IDSezioneArticoli").toInt(), 2);
    }
}

TEST_P(ContenutiDb, ThePageAndTheSectionComeFromTheRequestWhenNotGiven)
{
    for (int i = 0; i < 7; ++i)
        Articolo(20 + i, {2}, "Articolo " + QString::number(i));
    Contenuti* c = Pagina({{"IDSezione", "SEZ2"}, {"Page", "2"}});
    EXPECT_EQ(Articoli(c, QVariant(), 0), (std::vector<int>{25, 26}));
    ASSERT_TRUE(c->LeggiPrimoArticolo());
    EXPECT_EQ(c->IDArticolo, 25);
}

TEST_P(ContenutiDb, PublicationDateSectionsListNewestFirst)
{
    m_shop->Db().Execute("UPDATE Sezioni SET DataPubblicazione=1 WHERE ID=2");
    Articolo(30, {2}, "Vecchio", {{"DataPubblicazione", Giorno(-5)}, {"Ordine", 1}});
    Articolo(31, {2}, "Nuovo", {{"DataPubblicazione", Giorno(-1)}, {"Ordine", 2}});
    Articolo(32, {2}, "Pari", {{"DataPubblicazione", Giorno(-1)}, {"Ordine", 3}});
    Contenuti* c = Pagina();
    c->ImpostaOrdinamentoArticoliCustom();
    EXPECT_EQ(Articoli(c, 1, 2), (std::vector<int>{32, 31, 30}));
    EXPECT_TRUE(c->FlagDataPubblicazioneArticolo);
}

TEST_P(ContenutiDb, OnlyActivePublishedVisibleArticlesAreListedOrRead)
{
    Articolo(40, {2}, "Domani", {{"PubblicazioneDallaData", Giorno(1)}});
    Articolo(41, {2}, "Oggi", {{"PubblicazioneAllaData", Giorno(0)}, {"Codice", "OGGI"}});
    Articolo(42, {2}, "Spento", {{"Attivo", 0}});
    Articolo(43, {2, 5}, "In sezione nascosta");
    Articolo(44, {2}, "Nascosto all'utente");
    Permesso(4, 3, 44, 0, 50);
    EXPECT_EQ(Articoli(Pagina(), 1, 2), (std::vector<int>{41}));
    for (int id : {40, 42, 43, 44})
        EXPECT_FALSE(Pagina()->LeggiArticolo(id)) << id;
    Contenuti* c = Pagina({{"IDArticolo", "OGGI"}});
    ASSERT_TRUE(c->LeggiArticolo());
    EXPECT_EQ(c->ID.toString(), "OGGI");   // what the argument would have received
    EXPECT_EQ(c->IDArticolo, 41);
    EXPECT_EQ(c->TitoloArticolo, "Oggi");
}

// FlagVoto 2 follows the sections: on when any has it on, off when none
// has, on (still 2) without sections; 0 and 1 stay as set.
TEST_P(ContenutiDb, SwitchesSetToFollowTheSectionsTakeTheirValue)
{
    m_shop->Db().Execute("UPDATE Sezioni SET Voto=1, Stampa=1 WHERE ID=2");
    struct Caso { int id; QList<int> sezioni; int voto, stampa; bool votoAtteso, stampaAttesa; };
    for (const Caso& k : {Caso{50, {1, 2}, 2, 0, true, false}, Caso{51, {1, 3}, 2, 2, false, false},
                          Caso{52, {}, 2, 1, true, true}, Caso{53, {1}, 1, 2, true, false}}) {
        Articolo(k.id, k.sezioni, "Art", {{"FlagVoto", k.voto}, {"FlagStampa", k.stampa}});
        Contenuti* c = Pagina();
        ASSERT_TRUE(c->LeggiArticolo(k.id));
        EXPECT_EQ(c->FlagVotoArticolo, k.votoAtteso) << k.id;
        EXPECT_EQ(c->FlagStampaArticolo, k.stampaAttesa) << k.id;
    }
}

TEST_P(ContenutiDb, AverageVoteAndExcerpt)
{
    // The first blank from position 51 on is at 55: 54 characters.
    const QString testo = QString(48, 'a') + " bbbbb <b>ccc</b> ddd";
    Articolo(60, {2}, "Voti", {{"NumeroVotanti", 2}, {"Voti", 9}}, testo);
    Articolo(61, {2}, "Senza", {}, "Breve testo");
    Contenuti* c = Pagina();
    ASSERT_TRUE(c->LeggiArticolo(60));
    EXPECT_FLOAT_EQ(c->VotoMedioArticolo, 4.5f);
    EXPECT_EQ(c->EstrattoArticolo, QString(48, 'a') + " bbbbb");
    c->ImpostaLunghezzaEstrattoArticolo(58);
    ASSERT_TRUE(c->LeggiArticolo(60));
    EXPECT_EQ(c->EstrattoArticolo, QString(48, 'a') + " bbbbb ccc");
    ASSERT_TRUE(c->LeggiArticolo(61));
    EXPECT_FLOAT_EQ(c->VotoMedioArticolo, 0.f);
    EXPECT_EQ(c->EstrattoArticolo, "Breve testo");
}

TEST_P(ContenutiDb, AnArticleWithoutTheVisitorsLanguageShowsTheDefault)
{
    Articolo(62, {2}, "Titolo italiano");
    Set("CodiceLingua", "en");
    Contenuti* c = Pagina();
    ASSERT_TRUE(c->LeggiArticolo(62));
    EXPECT_EQ(c->TitoloArticolo, "Titolo italiano");
}

// A vote counts once per Session, a whole number from 1 to 5, on an
// article the visitor may read with voting on.
TEST_P(ContenutiDb, VotesAreCheckedAndCountedOnce)
{
    Articolo(70, {2}, "Votabile", {{"FlagVoto", 1}});
    Articolo(71, {2}, "Senza voto", {{"FlagVoto", 0}});
    Articolo(72, {2}, "Nascosto", {{"FlagVoto", 1}});
    Permesso(5, 3, 72, 5, 0);
    Articolo(73, {2}, "Scaduto", {{"FlagVoto", 1}, {"PubblicazioneAllaData", Giorno(-1)}});
    struct Caso { QVariant id, voto; };
    for (const Caso& k : {Caso{70, 0}, Caso{70, 6}, Caso{70, "3.5"}, Caso{70, 2.5}, Caso{70, "3 OR 1=1"},
                          Caso{70, "-1"}, Caso{71, 3}, Caso{72, 3}, Caso{73, 3}, Caso{999, 3}, Caso{"70; DROP", 3}})
        EXPECT_FALSE(Pagina()->VotaArticolo(k.id, k.voto)) << k.id.toString().toStdString() << " "
                                                          << k.voto.toString().toStdString();
    EXPECT_EQ(Valore("SELECT SUM(NumeroVotanti) FROM Articoli").toInt(), 0);
    EXPECT_TRUE(Pagina()->VotaArticolo(70, "4"));
    EXPECT_FALSE(Pagina()->VotaArticolo(70, 5));
    EXPECT_EQ(Valore("SELECT NumeroVotanti FROM Articoli WHERE ID=70").toInt(), 1);
    EXPECT_EQ(Valore("SELECT Voti FROM Articoli WHERE ID=70").toInt(), 4);
    EXPECT_EQ(Valore("SELECT Modificato FROM Articoli WHERE ID=70").toInt(), 1);
}

TEST_P(ContenutiDb, TheArticlesSectionsEachWithItsPath)
{
    Articolo(80, {7, 2}, "Due sezioni");
    Contenuti* c = Pagina();
    ASSERT_TRUE(c->LeggiArticolo(80));
    std::vector<std::pair<int, QString>> lette;
    if (c->LeggiPrimaSezioneArticolo()) {
        do
            lette.emplace_back(c->IDSezione, c->PercorsoSezioni);
        while (c->LeggiSezioneArticoloSuccessiva());
    }
    ASSERT_EQ(lette.size(), 2u);
    EXPECT_EQ(lette[0].first, 2);
    EXPECT_EQ(lette[1].first, 7);
    // This path ends with the section itself.
    EXPECT_EQ(lette[1].second, "<a href=\"/sezione.asp?IDSezione=1\">Casa</a> | "
                               "<a href=\"/sezione.asp?IDSezione=3\">Cucina</a> | "
                               "<a href=\"/sezione.asp?IDSezione=7\">Pentole</a>");
}

// Fields 41 Colour (label), 42-44 Red, Green, Blue (one radio group), 45
// Notes, 46 Size (drop-down with options 1 S, 2 M).
class ModuloDb : public ContenutiDb
{
protected:
    void SetUp() override
    {
        ContenutiDb::SetUp();
        m_shop->Insert("Moduli", {{"ID", 9}, {"Codice", "INFO"}, {"OggettoMail", Encrypt("Richiesta dal sito")},
                                  {"Email", Encrypt("moduli@bottega.test")}});
        m_shop->Insert("ModuliLingue", {{"ID", 9}, {"IDModulo", 9}, {"CodiceLingua", "it"},
                                        {"Nome", Encrypt("Richiesta")}, {"Descrizione", Encrypt("Scrivici")}});
        Campo(41, 10, "Colore");
        Campo(42, 12, "Rosso");
        Campo(43, 12, "Verde");
        Campo(44, 12, "Blu");
        Campo(45, 0, "Note");
        Campo(46, 13, "Taglia");
        Opzione(1, 46, "S");
        Opzione(2, 46, "M");
        Articolo(90, {2}, "Con modulo", {{"IDModulo", 9}, {"IDArticoloRispostaModulo", 91}});
    }

    void Campo(int id, int tipo, const QString& nome)
    {
        m_shop->Insert("ModuliCampi", {{"ID", id}, {"IDModulo", 9}, {"Ordine", id}, {"Tipo", tipo},
                                       {"Lunghezza", 20}, {"Decimali", 0}});
        m_shop->Insert("ModuliCampiLingue", {{"ID", id}, {"IDCampo", id}, {"CodiceLingua", "it"}, {"Nome", nome}});
    }

    void Opzione(int id, int campo, const QString& testo)
    {
        m_shop->Insert("ModuliOpzioni", {{"ID", id}, {"IDCampo", campo}, {"Ordine", id}});
        m_shop->Insert("ModuliOpzioniLingue", {{"ID", id}, {"IDOpzione", id}, {"CodiceLingua", "it"},
                                               {"Opzione", testo}});
    }
};

TEST_P(ModuloDb, TheFormIsReadFieldByField)
{
    Contenuti* c = Pagina();
    ASSERT_TRUE(c->LeggiArticolo(90));
    ASSERT_TRUE(c->FlagModulo);
    EXPECT_EQ(c->NomeModulo, "Richiesta");
    EXPECT_EQ(c->IDArticoloRispostaModulo, 91);
    std::vector<std::string> campi;
    do {
        QString riga = c->CodiceCampoModulo + " " + c->NomeCampoModulo + " " + QString::number(c->IDOpzioneCampoModulo);
        if (c->TipoCampoModulo == 13) {
            do
                riga += " " + c->OpzioneCampoModulo;
            while (c->LeggiOpzioneCampoSuccessiva());
        }
        campi.push_back(riga.toStdString());
    } while (c->LeggiCampoModuloSuccessivo());
    EXPECT_EQ(campi, (std::vector<std::string>{"FLD41 Colore 0", "FLD42 Rosso 42", "FLD42 Verde 43", "FLD42 Blu 44",
                                               "FLD45 Note 0", "FLD46 Taglia 1 S M"}));
}

TEST(ContenutiAllegati, FileSizesInTheirUnit)
{
    struct Caso { qint64 byte; float dimensione; const char* unita; };
    for (const Caso& k : {Caso{0, 0, "bytes"}, Caso{1024, 1024, "bytes"}, Caso{1025, 1, "Kbytes"},
                          Caso{1536, 1.5f, "Kbytes"}, Caso{1048576, 1024, "Kbytes"}, Caso{1048577, 1, "Mbytes"},
                          Caso{5242880, 5, "Mbytes"}}) {
        float dimensione = -1;
        QString unita;
        ContenutiAllegati::Dimensione(k.byte, dimensione, unita);
        EXPECT_FLOAT_EQ(dimensione, k.dimensione) << k.byte;
        EXPECT_EQ(unita, k.unita) << k.byte;
    }
}

TEST_P(ContenutiDb, LinksAndFilesOfTheArticle)
{
    Articolo(100, {2}, "Allegati");
    Articolo(101, {2}, "Altro");
    m_shop->Insert("ArticoliLink", {{"ID", 1}, {"IDArticolo", 100}, {"URL", Encrypt("https://esempio.test/")},
                                    {"Ordine", 1}, {"Esterno", 1}, {"Visite", 3}});
    m_shop->Insert("ArticoliLinkLingue", {{"ID", 1}, {"IDLink", 1}, {"CodiceLingua", "it"},
                                          {"Titolo", Encrypt("Sito")}, {"Descrizione", Encrypt("Fuori")}});
    for (const auto& [id, articolo, codice, ordine] :
         {std::tuple{12, 100, "LISTINO", 1}, std::tuple{13, 100, "MANCANTE", 2}, std::tuple{14, 100, "TERZO", 3},
          std::tuple{15, 101, "ALTRUI", 1}})
        m_shop->Insert("ArticoliFiles", {{"ID", id}, {"IDArticolo", articolo}, {"Codice", codice}, {"Ordine", ordine}});
    m_shop->Insert("ArticoliFilesLingue", {{"ID", 12}, {"IDFiles", 12}, {"CodiceLingua", "it"},
                                           {"Titolo", Encrypt("Listino")}});
    m_shop->WriteSiteFile("/images/articoli/files/12.pdf", QByteArray(1536, 'x'));
    m_shop->WriteSiteFile("/images/articoli/files/14.txt", "y");
    m_shop->WriteSiteFile("/images/articoli/files/15.txt", "z");

    Contenuti* c = Pagina();
    ASSERT_TRUE(c->LeggiArticolo(100));
    ASSERT_TRUE(c->LeggiPrimoLinkArticolo());
    EXPECT_EQ(c->URLLinkArticolo, "https://esempio.test/");
    EXPECT_EQ(c->TitoloLinkArticolo, "Sito");
    EXPECT_TRUE(c->FlagEsternoLinkArticolo);
    EXPECT_FALSE(c->LeggiLinkArticoloSuccessivo());

    ASSERT_TRUE(c->LeggiPrimoFileArticolo());
    EXPECT_EQ(c->PercorsoFileArticolo.toString(), "/images/articoli/files/12.pdf");
    EXPECT_FLOAT_EQ(c->DimensioneFileArticolo, 1.5f);
    EXPECT_EQ(c->UMDimensioneFileArticolo, "Kbytes");
    EXPECT_EQ(c->TitoloFileArticolo, "Listino");
    // The second is missing on disk: the list stops there.
    EXPECT_FALSE(c->LeggiFileArticoloSuccessivo());

    EXPECT_TRUE(c->LeggiFileArticolo("TERZO"));
    EXPECT_EQ(c->IDFileArticolo, 14);
    EXPECT_FALSE(c->LeggiFileArticolo("ALTRUI"));   // a code only among the article's own files
    EXPECT_TRUE(c->LeggiFileArticolo(15));
    EXPECT_FALSE(c->LeggiFileArticolo("X' OR '1'='1"));
    Contenuti* senza = Pagina();
    ASSERT_TRUE(senza->LeggiArticolo(101));
    EXPECT_FALSE(senza->LeggiPrimoLinkArticolo());
}

// The walk of sections 1 (subsection 3, articles 10, 11) and 2 (article
// 12), with the flags each case gives.
TEST_P(ContenutiDb, TheTreeWalksSectionsSubsectionsAndArticles)
{
    Articolo(10, {1}, "A");
    Articolo(11, {1, 2}, "B");
    Articolo(12, {2}, "C");
    Articolo(13, {3}, "In sottosezione");
    struct Caso { const char* nome; QVariant sezione; bool padre, sezioni, articoli; std::vector<std::string> attesi; };
    const std::vector<Caso> casi = {
        {"everything", 0, false, true, true, {"0:1", "1:3", "2:10", "2:11", "0:2", "2:11", "2:12"}},
        {"sections only", 0, false, true, false, {"0:1", "1:3", "0:2"}},
        {"articles only", 0, false, false, true, {"0:1", "2:10", "2:11", "0:2", "2:11", "2:12"}},
        {"the level only", 0, false, false, false, {"0:1", "0:2"}},
        {"one section itself", 1, true, true, true, {"0:1", "1:3", "2:10", "2:11"}},
        {"one section by code", "SEZ1", true, false, false, {"0:1"}},
        {"children of a section", "SEZ1", false, true, true, {"0:3", "1:7", "2:13"}},
        {"unknown code", "NESSUNA", false, true, true, {}},
    };
    for (const Caso& k : casi) {
        SCOPED_TRACE(k.nome);
        Contenuti* c = Pagina();
        std::vector<std::string> letti;
        if (c->ApriAlberoContenuti(k.sezione, k.padre)) {
            do
                letti.push_back(QString("%1:%2").arg(c->TipoRecord).arg(c->TipoRecord == 2 ? c->IDArticolo : c->IDSezione)
                                    .toStdString());
            while (c->LeggiAlberoContenutiSuccessivo(k.sezioni, k.articoli));
        }
        c->ChiudiAlberoContenuti();
        EXPECT_EQ(letti, k.attesi);
    }
}

// Every request value a content page reads, hostile: nothing fails with
// a database error, nothing is found by a forged value, nothing changes.
TEST_P(ContenutiDb, HostileRequestValuesFindNothingAndChangeNothing)
{
    Articolo(10, {2}, "A");
    const QStringList ostili = {"1 OR 1=1", "1; DELETE FROM Articoli", "' OR ''='", "SEZ2' --", "99999999999",
                                "-5", "1e3", "<script>", QString(5000, 'x')};
    for (const QString& v : ostili) {
        SCOPED_TRACE(v.left(40).toStdString());
        EXPECT_FALSE(Pagina({{"IDArticolo", v}})->LeggiArticolo());
        Contenuti* c = Pagina({{"IDSezione", v}, {"Page", "1"}});
        EXPECT_FALSE(c->ApriPaginaArticoli());
        EXPECT_FALSE(Pagina({{"IDSezione", "2"}, {"Page", v}})->ApriPaginaArticoli());
        EXPECT_FALSE(Pagina()->LeggiSezione(v));
        EXPECT_FALSE(Pagina()->ApriPaginaSezioni(v));
        EXPECT_FALSE(Pagina()->ApriAlberoContenuti(v));
    }
    EXPECT_EQ(Valore("SELECT COUNT(*) FROM Articoli").toInt(), 1);
}

// The novelty page's switch lasts for the Session; an empty value reads
// it back unchanged.
TEST_P(ContenutiDb, TheNoveltySwitchIsKeptInTheSession)
{
    Contenuti* c = Pagina();
    EXPECT_EQ(c->FlagNovita, 0);
    c->ImpostaPaginaNovita(1);
    EXPECT_EQ(c->FlagNovita, 1);
    Contenuti* dopo = Pagina();
    EXPECT_EQ(dopo->FlagNovita, 1);
    dopo->ImpostaPaginaNovita("");
    EXPECT_EQ(dopo->FlagNovita, 1);
    EXPECT_EQ(Session("SezioniFlagNovita").toInt(), 1);
}

TEST_P(ContenutiDb, FreeTwiceClosesOnce)
{
    Contenuti* c = Pagina();
    c->Free();
    c->Free();
    m_page->EndPage();
}

INSTANTIATE_TEST_SUITE_P(Engines, ContenutiDb, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });
INSTANTIATE_TEST_SUITE_P(Engines, ModuloDb, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

} // namespace
