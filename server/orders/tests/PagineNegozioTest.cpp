#include "server/core/testing/CQtrTestShop.h"
#include "server/orders/tests/ProdottiProva.h"
#include "server/orders/Carrello.h"

#include "platform/ado/CAdoRecordset.h"
#include "platform/pagehost/CPageHost.h"
#include "platform/pagehost/CSession.h"
#include "platform/pagehost/CVirtualFolders.h"
#include "platform/password/CPasswordHash.h"
#include "platform/testing/TempFolder.h"
#include "platform/utilities/QtrCipher.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>

#include <memory>

namespace {

// The shop's basket, checkout and search pages run by the page host as the
// shop server runs them: a visitor adds a shirt with its size and colour
// and a book, changes a quantity, chooses the shipping and reads totals
// worked out by hand; then fills the checkout form with a fault.
class PagineNegozio : public ::testing::TestWithParam<CAdoConnection::Engine>
{
protected:
    static void SetUpTestSuite() { QLocale::setDefault(QLocale::c()); }

    void SetUp() override
    {
        // Referencing the class keeps the server library, which registers
        // the classes when it is loaded, linked in.
        ASSERT_STREQ(Carrello::staticMetaObject.className(), "Carrello");
        m_shop = std::make_unique<CQtrTestShop>(GetParam());
        m_shop->AddBasics();
        m_shop->Db().Execute("UPDATE Configurazione SET PesoImballo=0.5, TipoPesoImballo=0");
        m_shop->Insert("ValoriTaglie", {{"ID", 1}, {"Valori", "S|M|L|"}});
        Prodotto(1, "Camicia", 50, 20, 1.5, {{"IDTabellaTaglie", 1}, {"DATaglia", 0}, {"ATaglia", 2}});
        Prodotto(2, "Libro <b>rilegato</b>", 50, 10, 0.5);
        m_shop->Insert("ProdottiColori", {{"ID", 11}, {"IDProdotto", 1}, {"Codice", "R"}, {"Descrizione", "Rosso"}, {"Attivo", 1}});
        m_shop->Insert("SpeseSpedizione", {{"ID", 4}, {"Descrizione", "Corriere"}, {"Limite1", 2.0}, {"Prezzo1", 5.0},
                                           {"Limite2", 5.0}, {"Prezzo2", 8.0}, {"Limite3", 0.0}, {"Prezzo3", 12.0},
                                           {"Limite4", 0.0}, {"Limite5", 0.0}, {"EsenzioneIVA", 0}});
        m_shop->AddMessage(1, "ERRCOGNOME", {{"it", "Inserire il cognome"}});
        m_shop->Insert("ParoleChiave", {{"ID", 1}, {"Tipo", 1}, {"IDRecord", 1}, {"CodiceLingua", "it"},
                                        {"Keywords", "camicia cotone"}, {"Attivo", 1}});
        m_shop->Insert("ParoleChiave", {{"ID", 2}, {"Tipo", 1}, {"IDRecord", 2}, {"CodiceLingua", "it"},
                                        {"Keywords", "libro cotone"}, {"Attivo", 1}});
        m_shop->Insert("Correlazioni", {{"ID", 1}, {"Tipo1", 1}, {"ID1", 2}, {"Tipo2", 1}, {"ID2", 1}});
        m_shop->Insert("TipoBanner", {{"ID", 1}, {"Codice", "HOME"}, {"IDUltimoBanner", 0}});
        m_shop->Insert("Banner", {{"ID", 3}, {"Tipo", 1}, {"ComparsePreviste", 0}, {"Link", "http://esempio.it"},
                                  {"Esterno", 1}});
        m_shop->WriteSiteFile("/images/banner/3.gif");

        // The shop's own pages as an installation has them.
        const QDir pagine(QStringLiteral(QTR_TEMPLATE_SYSTEM));
        for (const QString& file : pagine.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(pagine.filePath(file), m_site.FilePath(file)));
        m_folders.SetRootDir(m_site.Path());
        m_folders.AddVirtualDir("/db", m_shop->DbFolder());
        m_folders.AddVirtualDir("/images", m_shop->SiteFolder() + "/images");
        m_host = std::make_unique<CPageHost>(m_folders, m_session, m_globalAsaPending);
    }

    void Prodotto(int id, const QString& nome, double prezzo, double iva, double peso, QVariantMap colonne = {})
    {
        InserisciProdotto(*m_shop, id, nome, prezzo, iva, peso, std::move(colonne));
    }

    QString Get(const QByteArray& target)
    {
        const CHttpReply reply = m_host->Answer("GET " + target + " HTTP/1.1\r\nHost: negozio\r\n\r\n");
        return QString::fromUtf8(reply.body);
    }

    QString Post(const QByteArray& target, const QByteArray& form)
    {
        const CHttpReply reply = m_host->Answer("POST " + target +
                                                " HTTP/1.1\r\nHost: negozio\r\nContent-Type: "
                                                "application/x-www-form-urlencoded\r\nContent-Length: " +
                                                QByteArray::number(form.size()) + "\r\n\r\n" + form);
        m_ultimaTesta = reply.head;
        return QString::fromUtf8(reply.body);
    }

    std::unique_ptr<CQtrTestShop> m_shop;
    TempFolder m_site;
    CVirtualFolders m_folders;
    CSession m_session;
    std::atomic<bool> m_globalAsaPending{true};
    std::unique_ptr<CPageHost> m_host;
    QByteArray m_ultimaTesta;
};

bool Contiene(const QString& pagina, const QString& testo)
{
    return pagina.contains(testo);
}

} // namespace

TEST_P(PagineNegozio, AShopperFillsTheBasketAndReadsTheTotals)
{
    QString pagina = Get("/carrello.asp");
    EXPECT_TRUE(Contiene(pagina, "Il carrello è vuoto.")) << pagina.toStdString();

    // The product page offers the sizes on sale and the colours.
    pagina = Get("/prodotto.asp?IDProdotto=1");
    EXPECT_TRUE(Contiene(pagina, "<option value=\"M\">M</option>")) << pagina.toStdString();
    EXPECT_TRUE(Contiene(pagina, "<option value=\"11\">Rosso</option>"));

    Post("/carrello.asp", "IDProdotto=1&Taglia=M&IDColore=11&Quantita=2&Aggiungi=1");
    Post("/carrello.asp", "IDProdotto=2&Quantita=1&Aggiungi=1");
    Post("/carrello.asp", "IndiceOggetto=2&Quantita=3&Modifica=1");
    pagina = Post("/carrello.asp", "IDSpese=4&Spese=1");
    ASSERT_FALSE(Contiene(pagina, "Errore alla riga")) << pagina.toStdString();

    // Prices include VAT: 2 shirts at 60.00 (20 percent) and 3 books at
    // 55.00 (10 percent); 4.5 kg with 0.5 of packaging is band 2, 8.00 plus
    // 1.60 VAT. Goods 100 + 150, VAT 20 + 15 + 1.60.
    EXPECT_TRUE(Contiene(pagina, "Taglia: M · Colore: Rosso")) << pagina.toStdString();
    EXPECT_TRUE(Contiene(pagina, "Libro &lt;b&gt;rilegato&lt;/b&gt;"));
    EXPECT_TRUE(Contiene(pagina, "<td class=\"importo\">€&nbsp;165.00</td>"));
    EXPECT_TRUE(Contiene(pagina, "<td id=\"totale-prodotti\">€&nbsp;250.00</td>"));
    EXPECT_TRUE(Contiene(pagina, "<td id=\"spese-spedizione\">€&nbsp;8.00</td>"));
    EXPECT_TRUE(Contiene(pagina, "<td id=\"totale-iva\">€&nbsp;36.60</td>"));
    EXPECT_TRUE(Contiene(pagina, "<td id=\"totale-ordine\">€&nbsp;294.60</td>"));
    EXPECT_TRUE(Contiene(pagina, "<option selected value=4>Corriere</option>"));
    EXPECT_TRUE(Contiene(pagina, "id=\"procedi-ordine\""));
    EXPECT_TRUE(Contiene(pagina, "<span id=\"pezzi-carrello\">2</span>"));

    // A price in the link changes nothing; removing the shirts leaves the books.
    Get("/carrello.asp?Operazione=aggiungi&IDProdotto=2&Quantita=1&Prezzo=0.01");
    pagina = Get("/carrello.asp?Operazione=elimina&IndiceOggetto=1");
    EXPECT_TRUE(Contiene(pagina, "<td id=\"totale-prodotti\">€&nbsp;200.00</td>")) << pagina.toStdString();
    pagina = Get("/carrello.asp?Operazione=svuota");
    EXPECT_TRUE(Contiene(pagina, "Il carrello è vuoto."));
}

TEST_P(PagineNegozio, TheCheckoutFormShowsItsFaultAndKeepsWhatWasTyped)
{
    QString pagina = Get("/datiordine.asp");
    EXPECT_TRUE(Contiene(pagina, "name=\"Cognome\"")) << pagina.toStdString();
    EXPECT_TRUE(Contiene(pagina, "value=\"Bonifico\""));
    EXPECT_TRUE(Contiene(pagina, "value=\"Contrassegno\""));

    const QByteArray form = "TipoPagamento=Bonifico&Email=anna%40esempio.it&Stato=Italia&Provincia=FC&"
                            "Localita=Forl%C3%AC&Cap=47121&Indirizzo=Via+Emilia+1&Nome=%3Cb%3EAnna";
    pagina = Post("/datiordine.asp", form + "&Cognome=&Submit=Conferma");
    EXPECT_TRUE(Contiene(pagina, "id=\"errore-dati\">Inserire il cognome</p>")) << pagina.toStdString();
    EXPECT_TRUE(Contiene(pagina, "value=\"Forlì\""));
    EXPECT_TRUE(Contiene(pagina, "value=\"&lt;b&gt;Anna\""));

    pagina = Post("/datiordine.asp", form + "&Cognome=Bianchi&Submit=Conferma");
    EXPECT_TRUE(Contiene(pagina, "id=\"dati-accettati\"")) << pagina.toStdString();
    EXPECT_EQ(m_session.Item("CognomeUtente").toString(), "Bianchi");

    pagina = Post("/datiordine.asp", form + "&Cognome=&Submit=Annulla");
    EXPECT_TRUE(m_ultimaTesta.contains("/carrello.asp")) << m_ultimaTesta.toStdString();
}

TEST_P(PagineNegozio, SearchRelatedProductsAndBanner)
{
    QString pagina = Get("/ricerca.asp?Action=i&ParoleChiave=COTONE+%3Cb%3E");
    EXPECT_TRUE(Contiene(pagina, "Nessun risultato per «COTONE &lt;b&gt;».")) << pagina.toStdString();
    pagina = Get("/ricerca.asp?Action=i&ParoleChiave=COTONE");
    EXPECT_TRUE(Contiene(pagina, "2 risultati")) << pagina.toStdString();
    EXPECT_TRUE(Contiene(pagina, "<span class=\"scheda-nome\">Camicia</span>"));

    pagina = Get("/prodotto.asp?IDProdotto=1");
    EXPECT_TRUE(Contiene(pagina, "id=\"prodotti-correlati\"")) << pagina.toStdString();
    EXPECT_TRUE(Contiene(pagina, "<span class=\"scheda-nome\">Libro &lt;b&gt;rilegato&lt;/b&gt;</span>"));

    pagina = Get("/default.asp");
    EXPECT_TRUE(Contiene(pagina, "<a href=\"http://esempio.it\" target=\"_blank\" rel=\"noopener\">"
                                 "<img src=\"/images/banner/3.gif\" alt=\"\"></a>"))
        << pagina.toStdString();
}

// A shopper signs in and reads his orders; another customer's order is not
// found. The shop has no anonymous row 0, so the session set-up gives every
// visitor the first customer's ID: it is no login.
TEST_P(PagineNegozio, ASignedInShopperReadsHisOrdersAndNoOneElses)
{
    m_shop->Insert("Clienti", {{"ID", 5}, {"UserID", "anna"}, {"Password", CPasswordHash::Hash("segreta")},
                               {"Cognome", "Bianchi"}, {"Nome", "Anna"}, {"TipoUtente", 1}, {"IDGruppo", 0}});
    m_shop->Insert("Clienti", {{"ID", 6}, {"UserID", "bruno"}, {"Cognome", "Verdi"}, {"TipoUtente", 1}});
    m_shop->Insert("CategorieProdotti", {{"ID", 1}, {"IDProdotto", 1}, {"IDCategoria", 1}});
    const auto ordine = [&](qint32 id, qint32 cliente, const QString& stati) {
        m_shop->Insert("Ordini", {{"ID", id}, {"NumOrdine", QString("202405%1").arg(id)}, {"IDCliente", cliente},
                                  {"Data", QDateTime(QDate(2024, 5, 3), QTime(0, 0))}, {"CodiceLingua", "it"},
                                  {"Cambio", 1.0}, {"TipoPagamento", "CartaCredito"}, {"Stati", stati},
                                  {"Cognome", cliente == 5 ? "Bianchi" : "Verdi"}});
        m_shop->Insert("OrdiniDettaglio", {{"ID", id}, {"IDOrdine", id}, {"IDProdotto", 1}, {"Nome", "Camicia"},
                                           {"CodiceProdotto", "CAM"}, {"Prezzo", 50.0}, {"Quantita", 2},
                                           {"QuantitaEvasa", 1}, {"Iva", 20.0}});
    };
    ordine(1000000001, 5, "03/05/2024#10:15#Ricevuto|04/05/2024#09:00#Spedito <b>oggi</b>|");
    ordine(1000000002, 6, "");

    QString pagina = Get("/ordini.asp");
    EXPECT_TRUE(Contiene(pagina, "id=\"accesso-richiesto\"")) << pagina.toStdString();
    EXPECT_TRUE(Contiene(pagina, "id=\"link-accesso\""));
    pagina = Post("/accesso.asp", "UserID=anna&Password=Segreta");
    EXPECT_TRUE(Contiene(pagina, "id=\"accesso-rifiutato\"")) << pagina.toStdString();
    Post("/accesso.asp", "UserID=anna&Password=segreta");
    EXPECT_TRUE(m_ultimaTesta.contains("/ordini.asp")) << m_ultimaTesta.toStdString();

    pagina = Get("/ordini.asp");
    EXPECT_TRUE(Contiene(pagina, "data-ordine=\"1000000001\"")) << pagina.toStdString();
    EXPECT_FALSE(Contiene(pagina, "1000000002"));
    EXPECT_TRUE(Contiene(pagina, "Spedito &lt;b&gt;oggi&lt;/b&gt;"));
    EXPECT_TRUE(Contiene(pagina, "id=\"link-ordini\""));

    // 2 shirts at 50 with 20 percent VAT; one shipped.
    pagina = Get("/ordine.asp?IDOrdine=1000000001");
    EXPECT_TRUE(Contiene(pagina, "<td id=\"totale-ordine\">€&nbsp;120.00</td>")) << pagina.toStdString();
    EXPECT_TRUE(Contiene(pagina, "<td id=\"da-spedire\">€&nbsp;50.00</td>"));
    EXPECT_TRUE(Contiene(pagina, "Carta Credito"));
    EXPECT_TRUE(Contiene(pagina, "03/05/2024 10:15"));
    for (const QByteArray richiesta : {"/ordine.asp?IDOrdine=1000000002", "/ordine.asp?IDOrdine=1000000002%20OR%201=1",
                                       "/ordine.asp?IDOrdine=abc"}) {
        pagina = Get(richiesta);
        EXPECT_TRUE(Contiene(pagina, "id=\"ordine-non-trovato\"")) << richiesta.toStdString();
        EXPECT_FALSE(Contiene(pagina, "Verdi"));
    }

    pagina = Get("/riordino.asp");
    EXPECT_TRUE(Contiene(pagina, "data-prodotto=\"1\"")) << pagina.toStdString();
    EXPECT_TRUE(Contiene(pagina, "name=\"Quantita\" min=\"1\" step=\"1\" value=\"2\""));

    Get("/accesso.asp?Esci=1");
    pagina = Get("/ordini.asp");
    EXPECT_TRUE(Contiene(pagina, "id=\"accesso-richiesto\"")) << pagina.toStdString();
}

// An agent signs in and reads his customers' figures and products; a
// customer sees only his own products and no statistics.
TEST_P(PagineNegozio, AnAgentReadsHisCustomersFiguresAndACustomerOnlyHisOwn)
{
    m_shop->Insert("Clienti", {{"ID", 30}, {"UserID", "marco"}, {"Password", CPasswordHash::Hash("agente")},
                               {"Cognome", "Neri"}, {"TipoUtente", 3}, {"IDAgente", 0}});
    m_shop->Insert("Clienti", {{"ID", 5}, {"UserID", "anna"}, {"Password", CPasswordHash::Hash("segreta")},
                               {"RagioneSociale", "Casa <Anna>"}, {"TipoUtente", 1}, {"IDAgente", 30}});
    m_shop->Insert("Clienti", {{"ID", 6}, {"UserID", "bruno"}, {"Cognome", "Verdi"}, {"TipoUtente", 1}});
    const auto ordine = [&](qint32 id, qint32 cliente, const QString& codice, double prezzo) {
        m_shop->Insert("Ordini", {{"ID", id}, {"IDCliente", cliente}, {"Data", QDateTime(QDate(2024, 5, 3), QTime(0, 0))},
                                  {"CodiceLingua", "it"}, {"Cambio", 1.0}});
        m_shop->Insert("OrdiniDettaglio", {{"ID", id}, {"IDOrdine", id}, {"IDProdotto", 1}, {"CodiceProdotto", codice},
                                           {"Prezzo", prezzo}, {"Quantita", 3}, {"QuantitaEvasa", 1}});
    };
    ordine(1000000001, 5, "ANNA-1", 10.0);
    ordine(1000000002, 6, "BRUNO-1", 99.0);

    Post("/accesso.asp", "UserID=marco&Password=agente");
    QString pagina = Get("/statistiche.asp");
    EXPECT_TRUE(Contiene(pagina, "data-cliente=\"5\"")) << pagina.toStdString();
    EXPECT_TRUE(Contiene(pagina, "Casa &lt;Anna&gt;"));
    EXPECT_TRUE(Contiene(pagina, "€&nbsp;30.00"));
    EXPECT_FALSE(Contiene(pagina, "data-cliente=\"6\""));
    pagina = Post("/statistiche.asp", "DallaData=31%2F02%2F2024&AllaData=");
    EXPECT_TRUE(Contiene(pagina, "id=\"errore-periodo\"")) << pagina.toStdString();
    pagina = Get("/prodotticliente.asp?IDUtente=5");
    EXPECT_TRUE(Contiene(pagina, "ANNA-1")) << pagina.toStdString();
    EXPECT_TRUE(Contiene(pagina, "<td id=\"totale-da-spedire\">€&nbsp;20.00</td>"));
    pagina = Get("/prodotticliente.asp?IDUtente=6");
    EXPECT_FALSE(Contiene(pagina, "BRUNO-1")) << pagina.toStdString();

    Get("/accesso.asp?Esci=1");
    Post("/accesso.asp", "UserID=anna&Password=segreta");
    pagina = Get("/statistiche.asp");
    EXPECT_TRUE(Contiene(pagina, "id=\"solo-agenti\"")) << pagina.toStdString();
    pagina = Get("/prodotticliente.asp");
    EXPECT_TRUE(Contiene(pagina, "ANNA-1")) << pagina.toStdString();
    for (const QByteArray richiesta : {"/prodotticliente.asp?IDUtente=6", "/prodotticliente.asp?IDAgente=30"}) {
        pagina = Get(richiesta);
        EXPECT_FALSE(Contiene(pagina, "BRUNO-1")) << richiesta.toStdString();
        EXPECT_FALSE(Contiene(pagina, "ANNA-1")) << richiesta.toStdString();
    }
}

// A sort key or a customer that is not a whole number (or is beyond its
// type) is refused and the page says so; it never fails. (qtr50d answers
// it 400; the preview's Response has no status.)
TEST_P(PagineNegozio, AnAgentsListsRefuseValuesThatAreNotNumbers)
{
    m_shop->Insert("Clienti", {{"ID", 30}, {"UserID", "marco"}, {"Password", CPasswordHash::Hash("agente")},
                               {"Cognome", "Neri"}, {"TipoUtente", 3}, {"IDAgente", 0}});
    Post("/accesso.asp", "UserID=marco&Password=agente");
    for (const QByteArray richiesta :
         {"/statistiche.asp?CampoOrd=abc", "/statistiche.asp?CampoOrd=99999999", "/prodotticliente.asp?IDUtente=abc",
          "/prodotticliente.asp?IDAgente=abc", "/prodotticliente.asp?CampoOrd=abc",
          "/prodotticliente.asp?IDUtente=1e5", "/prodotticliente.asp?IDUtente=99999999999"}) {
        const CHttpReply reply = m_host->Answer("GET " + richiesta + " HTTP/1.1\r\nHost: negozio\r\n\r\n");
        EXPECT_TRUE(reply.head.startsWith("HTTP/1.1 200")) << richiesta.toStdString() << "\n" << reply.head.toStdString();
        EXPECT_TRUE(reply.body.contains("id=\"richiesta-rifiutata\"")) << richiesta.toStdString();
    }
    const CHttpReply valida = m_host->Answer("GET /statistiche.asp?CampoOrd=1 HTTP/1.1\r\nHost: negozio\r\n\r\n");
    EXPECT_TRUE(valida.head.startsWith("HTTP/1.1 200")) << valida.head.toStdString();
}

// ---------------------------------------------------------------- the checkout, hostile and out of order

namespace {

const QByteArray kDati = "Cognome=Bianchi&Nome=Anna&Indirizzo=Via+Emilia+1&Cap=47121&Localita=Forl%C3%AC&"
                         "Provincia=FC&Stato=Italia&Email=anna%40esempio.it&Submit=Conferma";

struct PassoCheckout
{
    const char* pagina;
    QByteArray form;   // empty: a GET
};

struct CasoCheckout
{
    const char* nome;
    QList<PassoCheckout> passi;   // what the visitor did before sending
    const char* verso;            // where the send was answered to go
    int ordini;                   // orders stored in all
};

void PrintTo(const CasoCheckout& c, std::ostream* os) { *os << c.nome; }

const PassoCheckout kAggiungi{"/carrello.asp", "IDProdotto=2&Quantita=1&Aggiungi=1"};
const PassoCheckout kSpedizione{"/carrello.asp", "IDSpese=4&Spese=1"};
const PassoCheckout kInvia{"/confermaordine.asp", "Invia=1"};

PassoCheckout Dati(const QByteArray& pagamento, const QByteArray& altro = {})
{
    return {"/datiordine.asp", kDati + "&TipoPagamento=" + pagamento + altro};
}

const CasoCheckout kCheckout[] = {
    {"SendingAnEmptyBasket", {Dati("Bonifico")}, "/carrello.asp", 0},
    {"StraightToTheCheckoutWithoutShipping", {kAggiungi, Dati("Bonifico")}, "/carrello.asp", 0},
    {"SendingBeforeTheCheckout", {kAggiungi, kSpedizione}, "/datiordine.asp", 0},
    {"APaymentKindSwitchedOff", {kAggiungi, kSpedizione, Dati("CCPostale")}, "/datiordine.asp", 0},
    {"APaymentKindOfAnyText", {kAggiungi, kSpedizione, Dati("Regalo")}, "/datiordine.asp", 0},
    {"AnAddressTheMailClientRefuses",
     {kAggiungi, kSpedizione, Dati("Bonifico", "&Email=anna.ross%C3%AC%40example.com")}, "/datiordine.asp", 0},
    // No relay answers in this shop: the order is stored all the same and
    // the page goes on to the confirmation.
    {"AnOrderWhoseMailCannotGo", {kAggiungi, kSpedizione, Dati("Bonifico")}, "/ordineinviato.asp", 1},
    {"TheSameOrderSentTwice", {kAggiungi, kSpedizione, Dati("Bonifico"), kInvia}, "/ordineinviato.asp", 1},
    {"AChangedBasketIsANewOrder", {kAggiungi, kSpedizione, Dati("Bonifico"), kInvia, kAggiungi, kSpedizione},
     "/ordineinviato.asp", 2},
};

// Each case is a new visitor with a Session of his own.
class CheckoutOstile : public PagineNegozio
{
protected:
    ~CheckoutOstile() override { m_host.reset(); }
    void NuovaVisita()
    {
        m_host.reset();
        m_visita = std::make_unique<CSession>();
        m_globalAsaPending = true;
        m_host = std::make_unique<CPageHost>(m_folders, *m_visita, m_globalAsaPending);
    }
    std::unique_ptr<CSession> m_visita;
};

} // namespace

TEST_P(CheckoutOstile, EachRequestIsAnsweredAndStoredAsItMustBe)
{
    for (const CasoCheckout& c : kCheckout) {
        SCOPED_TRACE(c.nome);
        NuovaVisita();
        for (const PassoCheckout& passo : c.passi)
            Post(passo.pagina, passo.form);
        Post(kInvia.pagina, kInvia.form);
        EXPECT_TRUE(m_ultimaTesta.contains(QByteArray("Location: ") + c.verso)) << m_ultimaTesta.toStdString();
        CAdoRecordset rs;
        rs.Open("SELECT COUNT(*) AS N FROM Ordini", &m_shop->Db());
        EXPECT_EQ(rs.Field("N").toInt(), c.ordini);
        m_shop->Db().Execute("DELETE FROM OrdiniDettaglio");
        m_shop->Db().Execute("DELETE FROM Ordini");
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, CheckoutOstile, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });

INSTANTIATE_TEST_SUITE_P(Engines, PagineNegozio, ::testing::Values(CAdoConnection::SQLite, CAdoConnection::PostgreSQL),
                         [](const auto& info) { return CAdoTestDatabase::EngineName(info.param); });
