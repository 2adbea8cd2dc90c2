#include "server/orders/OrdineTestoMail.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <functional>

namespace {

// A label shows as its code, so the layout reads in the expected texts.
QString Codice(const QString& codice) { return "[" + codice + "]"; }

// Anna Bianchi, no company, no consignee, no tax code; two books at 50.00
// with 10 percent VAT, shipping 3.00 with its 0.60 of VAT; bank transfer;
// web currency = list currency = euro.
struct Ordine
{
    OrdineDati dati;
    OrdineScritto scritto;
    OrdineTestoMail::Opzioni opzioni;
};

Ordine OrdineBase()
{
    Ordine o;
    o.dati.acquirente = {"", "Bianchi", "Anna", "Via Emilia 1", "47121", "Forlì", "FC", "Italia",
                         "0543 1234", "anna@esempio.test", ""};
    o.dati.tipoPagamento = "Bonifico";
    o.dati.fcEuro2Web = o.dati.fcListino2Euro = 1;
    o.dati.arrotondamento = 0.01;
    o.dati.ivaSpedizioni = 20;
    OrdineRiga libro;
    libro.codiceProdotto = "LIB";
    libro.nomeProdotto = "Libro";
    libro.quantita = 2;
    libro.fPrezzo = "50.00";
    libro.fImporto = "100.00";
    libro.fPrezzoInEuro = "50.00";
    libro.fImportoInEuro = "100.00";
    o.dati.righe = {libro};
    o.scritto.numOrdine = "2026121000000001";
    o.scritto.idCliente = 1000000001;
    // As the order stores them: goods, shipping, fee, VAT, total, in euro.
    o.dati.addebito = {10000, 300, 0, 1060, 11360, 11360, 0.01};
    o.opzioni.simboloValuta = "€";
    return o;
}

const QString kBase = "[PMTDATICLIENTE]\r\n"
                      "      Bianchi Anna\r\n"
                      "      Via Emilia 1\r\n"
                      "      47121 Forlì (FC) - Italia\r\n"
                      "      Tel. 0543 1234 - anna@esempio.test\r\n"
                      "      [PMTCODICEFISCALE] \r\n"
                      "\r\n"
                      "\r\n"
                      "[PMTDATIORDINE]2026121000000001\r\n"
                      "      [PMTCODICEPRODOTTO] LIB - Libro\r\n"
                      "      [PMTPREZZO] € 50.00\r\n"
                      "      [PMTQUANTITA] 2\r\n"
                      "      [PMTIMPORTO] € 100.00\r\n"
                      "\r\n"
                      "\r\n"
                      "[PMTRIEPILOGOORDINE]\r\n"
                      "      [PMTTOTALEPRODOTTI] € 100.00\r\n"
                      "      [PMTSPESESPEDIZIONE] € 3.00\r\n"
                      "      [PMTTIPOPAGAMENTO] [PMTMPBONIFICO]\r\n"
                      "      [PMTTOTALEIVA] € 10.60\r\n"
                      "      [PMTTOTALEORDINE] € 113.60\r\n";

struct CasoTesto
{
    const char* nome;
    std::function<void(Ordine&)> cambia;
    QStringList contiene;
    QStringList nonContiene;
};

void PrintTo(const CasoTesto& c, std::ostream* os) { *os << c.nome; }

class TestoMail : public ::testing::TestWithParam<CasoTesto>
{
protected:
    static void SetUpTestSuite() { QLocale::setDefault(QLocale::c()); }
};

} // namespace

TEST(TestoMailEsercente, ThePlainOrderReadsLineByLine)
{
    QLocale::setDefault(QLocale::c());
    const Ordine o = OrdineBase();
    EXPECT_EQ(OrdineTestoMail(Codice, o.opzioni).CorpoEsercente(o.dati, o.scritto), kBase);
}

const CasoTesto kTesti[] = {
    {"CompanyGetsItsLine", [](Ordine& o) { o.dati.acquirente.ragioneSociale = "Bianchi & C."; },
     {"[PMTDATICLIENTE]\r\n      Bianchi & C.\r\n      Bianchi Anna\r\n"}, {}},
    {"ConsigneeBlockIsFollowedByTwoEmptyLines",
     [](Ordine& o) {
         o.dati.destinatario = {"", "Rossi", "Luca", "Via Po 2", "10100", "Torino", "TO", "Italia", "", "", ""};
     },
     {"      [PMTCODICEFISCALE] \r\n\r\n[PMTDATIDEST]\r\n      Rossi Luca\r\n      Via Po 2\r\n"
      "      10100 Torino (TO) - Italia\r\n\r\n\r\n[PMTDATIORDINE]"},
     {}},
    {"ColourSizeFieldsAndInvoiceText",
     [](Ordine& o) {
         OrdineRiga& r = o.dati.righe[0];
         r.descrizioneFattura = "Libro rilegato";
         r.idColore = 11;
         r.codiceColore = "R";
         r.taglia = "A4";
         r.campiUtente = {{"Dedica", "Buon anno"}};
     },
     {"- Libro\r\n      Libro rilegato\r\n      [PMTCODICECOLORE] R\r\n      [PMTTAGLIA] A4\r\n"
      "      Dedica Buon anno\r\n      [PMTPREZZO]"},
     {}},
    // The login's name goes to the merchant; a password never does.
    {"LoginNameWithoutPassword",
     [](Ordine& o) {
         o.opzioni.credenziali = true;
         o.scritto.userID = "abianchi";
         o.scritto.passwordGenerata = "abc123";
     },
     {"      [PMTCODICEFISCALE] \r\n      [PMTNOMEUTENTE] abianchi\r\n\r\n"}, {"abc123", "[PMTPASSWORD]"}},
    {"LoginNotAskedForIsNotShown", [](Ordine& o) { o.scritto.userID = "abianchi"; }, {}, {"abianchi"}},
    {"EuroPricesEndTheTotalLine",
     [](Ordine& o) { o.opzioni.prezziInEuro = true; },
     {"      [PMTPREZZO] € 50.00 - Euro 50.00\r\n",
      "      [PMTTOTALEORDINE] € 113.60 - Euro 113.60\r\n\r\n"},
     {}},
    {"ExtraNotesStartOnTheLineAfterTheTotal", [](Ordine& o) { o.opzioni.ulterioriNote = "Regalo"; },
     {"      [PMTTOTALEORDINE] € 113.60\r\nRegalo\r\n\r\n"}, {}},
    // 5.00 net, 1.00 VAT at 20 percent, both in the stored totals.
    {"CashOnDeliveryShowsItsStoredFee",
     [](Ordine& o) {
         o.dati.tipoPagamento = "Contrassegno";
         o.dati.addebito = {10000, 300, 500, 1160, 11960, 11960, 0.01};
     },
     {"      [PMTTIPOPAGAMENTO] [PMTMPCONTRASSEGNO]\r\n      [PMTSPESECONTRASSEGNO] € 5.00\r\n",
      "      [PMTTOTALEIVA] € 11.60\r\n", "      [PMTTOTALEORDINE] € 119.60\r\n"},
     {}},
    {"VatExemptBasketHasNoVatLine",
     [](Ordine& o) {
         o.dati.esenzioneIVA = true;
         o.dati.addebito.totale = o.dati.addebito.totaleInEuro = 10300;
     },
     {"      [PMTTOTALEORDINE] € 103.00\r\n"}, {"[PMTTOTALEIVA]"}},
    {"UnitOfFiveShowsWholeTotals",
     [](Ordine& o) {
         o.dati.arrotondamento = 5;
         o.dati.addebito = {100, 3, 0, 11, 114, 11400, 1};
     },
     {"      [PMTTOTALEIVA] € 11\r\n", "      [PMTTOTALEORDINE] € 114\r\n"}, {}},
    {"UnknownPaymentShowsItsCode", [](Ordine& o) { o.dati.tipoPagamento = "Assegno"; },
     {"      [PMTTIPOPAGAMENTO] Assegno\r\n"}, {}},
};

TEST_P(TestoMail, TheNotificationFollowsTheOrder)
{
    Ordine o = OrdineBase();
    GetParam().cambia(o);
    const QString testo = OrdineTestoMail(Codice, o.opzioni).CorpoEsercente(o.dati, o.scritto);
    for (const QString& atteso : GetParam().contiene)
        EXPECT_TRUE(testo.contains(atteso)) << testo.toStdString() << "\n--- misses ---\n" << atteso.toStdString();
    for (const QString& escluso : GetParam().nonContiene)
        EXPECT_FALSE(testo.contains(escluso)) << testo.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Casi, TestoMail, ::testing::ValuesIn(kTesti),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(TestoMailCliente, TheConfirmationWrapsTheNotification)
{
    QLocale::setDefault(QLocale::c());
    const OrdineAzienda azienda{"Bottega", "Via Lago 1", "22100", "Como", "CO", "Italia", "031 1", "031 2", "0123", "REA 9"};
    const QString testo = OrdineTestoMail(Codice, {}).CorpoCliente(azienda, "CORPO\r\n", "Grazie è tutto", "abc123");
    EXPECT_EQ(testo, "[PMTHAIACQUISTATODA]\r\n"
                     "      Bottega\r\n"
                     "      Via Lago 1\r\n"
                     "      22100 Como (CO) - Italia\r\n"
                     "      [PMTTELEFONO] 031 1 - [PMTFAX] 031 2\r\n"
                     "      [PMTPARTITAIVA] 0123\r\n"
                     "      REA 9\r\n"
                     "\r\n\r\n"
                     "[PMTESTREMIORDINE]\r\n\r\n"
                     "CORPO\r\n\r\n"
                     "[PMTPASSWORD] abc123\r\n\r\n"
                     "Grazie è tutto\r\n"
                     "[PMTFIRMANOTORDINE]");
}
