#include "server/demo/DemoShopData.h"

#include <gtest/gtest.h>

namespace {

struct BadData
{
    const char* name;
    const char* text;
    const char* message;   // a part of the error
};

void PrintTo(const BadData& bad, std::ostream* os) { *os << bad.name; }

class DemoShopDataFaults : public ::testing::TestWithParam<BadData> {};

// A fault in the data file names its line, so the merchant's data can be
// mended where it is wrong.
TEST_P(DemoShopDataFaults, NameTheLine)
{
    const BadData& bad = GetParam();
    try {
        const DemoShopData data = DemoShopData::Parse(QString::fromUtf8(bad.text), QStringLiteral("demo.txt"));
        for (const DemoRecord& record : data.All()) {
            record.Id();
            record.Number(QStringLiteral("Prezzo"));
            record.Flag(QStringLiteral("Offerta"));
        }
        FAIL() << "no error";
    } catch (const DemoDataError& e) {
        EXPECT_NE(std::string(e.what()).find(bad.message), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Data, DemoShopDataFaults,
    ::testing::Values(BadData{"ValueBeforeAnyBlock", "Prezzo = 3\n", "demo.txt:1: valore fuori da un blocco"},
                      BadData{"LineWithoutEquals", "[Prodotto 1]\nPrezzo 3\n", "demo.txt:2: attesa una riga"},
                      BadData{"RepeatedName", "[Prodotto 1]\nPrezzo = 3\nPrezzo = 4\n", "demo.txt:3: Prezzo ripetuto"},
                      BadData{"KeyNotANumber", "# note\n[Prodotto uno]\n", "demo.txt:2: \"uno\" non è un numero"},
                      BadData{"PriceWithComma", "[Prodotto 1]\nPrezzo = 3,50\n", "Prezzo = \"3,50\" non è un numero"},
                      BadData{"FlagNeitherOneNorZero", "[Prodotto 1]\nOfferta = forse\n", "non è né 1 né 0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DemoShopData, ReadsBlocksValuesAndLineBreaks)
{
    const DemoShopData data = DemoShopData::Parse(QStringLiteral("# the shop\n[Negozio]\nRagioneSociale = A = B\n\n"
                                                                 "[Prodotto 7]\nNome.it = Uno\\nDue\nPrezzo = 2.50\n"
                                                                 "[Prodotto 8]\n"),
                                                  QStringLiteral("demo.txt"));
    ASSERT_EQ(data.All().size(), 3);
    EXPECT_EQ(data.Records(QStringLiteral("Negozio")).first().Text(QStringLiteral("RagioneSociale")), "A = B");
    const QList<DemoRecord> products = data.Records(QStringLiteral("Prodotto"));
    ASSERT_EQ(products.size(), 2);
    EXPECT_EQ(products.first().Id(), 7);
    EXPECT_EQ(products.first().Text(QStringLiteral("Nome.it")), "Uno\nDue");
    EXPECT_DOUBLE_EQ(products.first().Number(QStringLiteral("Prezzo")), 2.5);
    EXPECT_DOUBLE_EQ(products.last().Number(QStringLiteral("Prezzo"), 9), 9);
    EXPECT_EQ(products.last().where, "demo.txt:8");
}

} // namespace
