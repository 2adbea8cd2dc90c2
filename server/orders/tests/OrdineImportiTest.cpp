#include "server/orders/OrdineImporti.h"
#include "server/orders/OrdineStati.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

// ------------------------------------------------------------ state history

struct CasoStato
{
    const char* nome;
    const char* stati;
    int numero;
    bool trovata;
    QDate data;      // null: not a date
    QTime ora;       // null: not a time
    const char* descrizione;
};

void PrintTo(const CasoStato& c, std::ostream* os) { *os << c.nome; }

class StatiOrdine : public ::testing::TestWithParam<CasoStato>
{
};

TEST_P(StatiOrdine, EntriesAreReadByNumber)
{
    const CasoStato& c = GetParam();
    const OrdineStati::Voce v = OrdineStati(QString::fromUtf8(c.stati)).Leggi(c.numero);
    EXPECT_EQ(v.trovata, c.trovata);
    if (!c.trovata)
        return;
    EXPECT_EQ(v.data.date(), c.data);
    EXPECT_EQ(v.ora.isValid() ? v.ora.time() : QTime(), c.ora);
    EXPECT_EQ(v.descrizione, QString::fromUtf8(c.descrizione));
}

const char* const kDue = "01/02/2003#10:15#Ricevuto|05/02/2003#16:40#Spedito|";

INSTANTIATE_TEST_SUITE_P(
    Casi, StatiOrdine,
    ::testing::Values(
        CasoStato{"EmptyHistoryHasNoEntry", "", 1, false, {}, {}, ""},
        CasoStato{"SecondOfTwo", kDue, 2, true, QDate(2003, 2, 5), QTime(16, 40), "Spedito"},
        CasoStato{"FirstIsReadDayFirst", kDue, 1, true, QDate(2003, 2, 1), QTime(10, 15), "Ricevuto"},
        CasoStato{"BeyondTheLast", kDue, 3, false, {}, {}, ""},
        CasoStato{"NumberZero", kDue, 0, false, {}, {}, ""},
        // Only entries closed by "|" count.
        CasoStato{"UnclosedEntryIsNotRead", "01/02/2003#10:15#Ricevuto", 1, false, {}, {}, ""},
        // The merchant may type anything into the grid.
        CasoStato{"DateThatIsNoDate", "ieri#10:15#Ricevuto|", 1, true, QDate(), QTime(10, 15), "Ricevuto"},
        CasoStato{"HashInsideTheText", "01/02/2003#10:15#Pacco #2 partito|", 1, true, QDate(2003, 2, 1),
                  QTime(10, 15), "Pacco #2 partito"},
        CasoStato{"MissingFieldsAreEmpty", "01/02/2003|", 1, true, QDate(2003, 2, 1), QTime(), ""}),
    [](const auto& info) { return std::string(info.param.nome); });

// ------------------------------------------------------------ amounts

struct CasoRiga
{
    const char* nome;
    OrdineImporti::Cambi cambi;
    OrdineImporti::Riga riga;
    double prezzo, evaso, ordinato, ordinatoInEuro;
    const char* daEvadere;
    const char* daEvadereInEuro;
};

void PrintTo(const CasoRiga& c, std::ostream* os) { *os << c.nome; }

class ImportiRiga : public ::testing::TestWithParam<CasoRiga>
{
protected:
    static void SetUpTestSuite() { QLocale::setDefault(QLocale::c()); }
};

TEST_P(ImportiRiga, PriceShippedAndOrderedAmounts)
{
    const CasoRiga& c = GetParam();
    const OrdineImporti::ImportiRiga r = OrdineImporti(c.cambi).CalcolaRiga(c.riga);
    EXPECT_DOUBLE_EQ(r.prezzo.valore, c.prezzo);
    EXPECT_DOUBLE_EQ(r.evaso.valore, c.evaso);
    EXPECT_DOUBLE_EQ(r.ordinato.valore, c.ordinato);
    EXPECT_DOUBLE_EQ(r.ordinato.inEuro, c.ordinatoInEuro);
    EXPECT_EQ(r.daEvadere, c.daEvadere);
    EXPECT_EQ(r.daEvadereInEuro, c.daEvadereInEuro);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, ImportiRiga,
    ::testing::Values(
        CasoRiga{"ThreeOrderedOneShipped", {1, 1, 0.01}, {10, 3, 1, 0}, 10, 10, 30, 30, "20.00", "20.00"},
        // Lire: whole units, texts without decimals, euro twins to the cent.
        CasoRiga{"WholeUnitCurrency", {1, 1936.27, 1}, {1.5, 2, 0, 0}, 2904, 0, 5809, 3, "5809", "3.00"},
        // No rate: every amount 0, no error.
        CasoRiga{"NoRate", {1, 0, 0.01}, {10, 3, 1, 0}, 0, 0, 0, 0, "0.00", "0.00"}),
    [](const auto& info) { return std::string(info.param.nome); });

struct CasoTotali
{
    const char* nome;
    OrdineImporti::Cambi cambi;
    QList<OrdineImporti::Riga> righe;
    OrdineImporti::Costi costi;
    double imposta, totaleOrdinato, totaleOrdine, totaleOrdinatoInEuro;
    const char* testoTotale;
};

void PrintTo(const CasoTotali& c, std::ostream* os) { *os << c.nome; }

class TotaliOrdine : public ::testing::TestWithParam<CasoTotali>
{
protected:
    static void SetUpTestSuite() { QLocale::setDefault(QLocale::c()); }
};

TEST_P(TotaliOrdine, NetVatCostsAndTotals)
{
    const CasoTotali& c = GetParam();
    const OrdineImporti::Totali t = OrdineImporti(c.cambi).CalcolaTotali(c.righe, c.costi);
    EXPECT_DOUBLE_EQ(t.impostaOrdinato.valore, c.imposta);
    EXPECT_DOUBLE_EQ(t.totaleOrdinato.valore, c.totaleOrdinato);
    EXPECT_DOUBLE_EQ(t.totaleOrdine.valore, c.totaleOrdine);
    EXPECT_DOUBLE_EQ(t.totaleOrdinato.inEuro, c.totaleOrdinatoInEuro);
    EXPECT_EQ(t.totaleOrdinato.testo, c.testoTotale);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, TotaliOrdine,
    ::testing::Values(
        // 30 net + 6 VAT + 10 shipping + 2 VAT on it; 1 of 3 shipped.
        CasoTotali{"NetVatAndShipping", {1, 1, 0.01}, {{10, 3, 1, 20}}, {10, 0, 20, false}, 8, 48, 24, 48, "48.00"},
        CasoTotali{"ExemptOrderShowsItsVatOutsideTheTotal", {1, 1, 0.01}, {{10, 3, 1, 20}}, {10, 0, 20, true}, 8,
                   40, 20, 40, "40.00"},
        CasoTotali{"NoLinesTotalsTheCostsAlone", {1, 1, 0.01}, {}, {10, 5, 20, false}, 3, 18, 18, 18, "18.00"},
        // VAT 1.65 rounds to 2 whole units before the conversion.
        CasoTotali{"WholeUnitCurrency", {1, 1000, 1}, {{11, 1, 0, 15}}, {0, 0, 0, false}, 2000, 13000, 0, 13,
                   "13000"},
        // The euro twins of the totals come from the list values.
        CasoTotali{"NoRateKeepsTheEuroTwins", {1, 0, 0.01}, {{10, 1, 0, 0}}, {0, 0, 0, false}, 0, 0, 0, 10,
                   "0.00"}),
    [](const auto& info) { return std::string(info.param.nome); });

} // namespace
