#include "server/orders/CarrelloTesto.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace {

struct CasoTesto
{
    const char* nome;
    CarrelloOggetto oggetto;
    const char* testo;
};

void PrintTo(const CasoTesto& c, std::ostream* os) { *os << c.nome; }

class CarrelloTestoRoundTrip : public ::testing::TestWithParam<CasoTesto>
{
protected:
    static void SetUpTestSuite() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    static void TearDownTestSuite() { QLocale::setDefault(QLocale::c()); }
};

} // namespace

// What a shopper types is kept as typed and never opens an item or field.
TEST_P(CarrelloTestoRoundTrip, ItemTextIsWrittenAndReadBack)
{
    const CasoTesto& c = GetParam();
    const QString testo = CarrelloTesto::Componi(c.oggetto);
    EXPECT_EQ(testo, QString::fromUtf8(c.testo));
    const QList<CarrelloOggetto> letti = CarrelloTesto::Leggi(testo + testo);
    ASSERT_EQ(letti.size(), 2);
    EXPECT_EQ(letti.at(0), c.oggetto);
    EXPECT_EQ(letti.at(1), c.oggetto);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, CarrelloTestoRoundTrip,
    ::testing::Values(
        CasoTesto{"Plain", {12, 2, 0, "M", 0, {{"Dedica", "Auguri"}}}, "#12|2|0|M|0|Dedica~Auguri|"},
        CasoTesto{"DecimalsWhateverTheShopsLocale", {7, 1.5f, 3, "", 12.5, {}}, "#7|1.5|3||12.5|"},
        CasoTesto{"HashInSize", {7, 1, 0, "XL#5|1|0||0|", 0, {}}, "#7|1|0|XL%235%7C1%7C0%7C%7C0%7C|0|"},
        CasoTesto{"DelimitersInUserField",
                  {7, 1, 0, "", 0, {{"No~me|", "a|b~c#9|1|0||0|"}}},
                  "#7|1|0||0|No%7Eme%7C~a%7Cb%7Ec%239%7C1%7C0%7C%7C0%7C|"},
        CasoTesto{"PercentKeptLiterally", {7, 1, 0, "%23", 0, {{"Sconto", "100%"}}}, "#7|1|0|%2523|0|Sconto~100%25|"},
        CasoTesto{"NonAscii", {7, 1, 0, "È", 0, {{"Città", "Forlì"}}}, "#7|1|0|È|0|Città~Forlì|"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(CarrelloTesto, TwoItemsOfTheDocumentedExample)
{
    QLocale::setDefault(QLocale::c());
    const QList<CarrelloOggetto> oggetti = CarrelloTesto::Leggi("#12|2|0|M|0|Dedica~Auguri|#7|1|3||0|");
    ASSERT_EQ(oggetti.size(), 2);
    EXPECT_EQ(oggetti.at(0), (CarrelloOggetto{12, 2, 0, "M", 0, {{"Dedica", "Auguri"}}}));
    EXPECT_EQ(oggetti.at(1), (CarrelloOggetto{7, 1, 3, "", 0, {}}));
    EXPECT_EQ(CarrelloTesto::Componi(oggetti), "#12|2|0|M|0|Dedica~Auguri|#7|1|3||0|");
}

TEST(CarrelloTesto, UserFieldTextOfAPageIsReadToItsEnd)
{
    using Campi = QList<QPair<QString, QString>>;
    EXPECT_EQ(CarrelloTesto::CampiUtente("Nome~Mario|Cognome~Rossi|"),
              (Campi{{"Nome", "Mario"}, {"Cognome", "Rossi"}}));
    EXPECT_EQ(CarrelloTesto::CampiUtente("Nome~Mario|Cognome~Rossi"),
              (Campi{{"Nome", "Mario"}, {"Cognome", "Rossi"}}));
    EXPECT_EQ(CarrelloTesto::CampiUtente("Solo|"), (Campi{{"Solo", ""}}));
    EXPECT_TRUE(CarrelloTesto::CampiUtente("").isEmpty());
    // No fixed limit on the text's length.
    const QString lungo(40000, QLatin1Char('x'));
    EXPECT_EQ(CarrelloTesto::CampiUtente("Nota~" + lungo).value(0).second.size(), 40000);
}

TEST(CarrelloTesto, AnItemThatDoesNotReadIsLeftOut)
{
    QLocale::setDefault(QLocale::c());
    const QList<CarrelloOggetto> oggetti = CarrelloTesto::Leggi("#x|1|0||0|#5|1,5|0||0|#6|1|#7|1,000.5|0||0|");
    ASSERT_EQ(oggetti.size(), 1);
    EXPECT_EQ(oggetti.at(0).idProdotto, 5);
    EXPECT_FLOAT_EQ(oggetti.at(0).quantita, 1.5f);   // a decimal comma, as older baskets wrote it
}
