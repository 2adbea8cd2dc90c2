#include "desktop/catalogue/CAggiornamentoListini.h"
#include "desktop/catalogue/tests/CatalogueFixture.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// Products 1..4 with an "it" and an "en" row each (prices 50, 40, 30, 20 and
// promotional 10, or 0 for product 4); category 5 links products 1 and 2 (1
// twice), its sub-category 6 links product 3.
class AggiornamentoListiniTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        f.AddLanguage(2, QStringLiteral("en"));
        f.AddCategory(5);
        f.AddCategory(6, 5);
        qint32 row = 1;
        for (qint32 product = 1; product <= 4; ++product) {
            f.AddProduct(product, QStringLiteral("P%1").arg(product));
            for (const QString& language : {QStringLiteral("it"), QStringLiteral("en")}) {
                f.Db().Execute(QStringLiteral("INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Prezzo, Prezzo2, "
                                              "Prezzo3, Prezzo4, PrezzoPromozione) VALUES (?, ?, ?, 50, 40, 30, 20, ?)"),
                               {row++, product, language, product == 4 ? 0.0 : 10.0});
            }
        }
        f.AddLink(1, 5, 1);
        f.AddLink(2, 5, 1);
        f.AddLink(3, 5, 2);
        f.AddLink(4, 6, 3);
        f.ClearModified();
    }

    CCatalogueJob::Result Run(qint32 category, double percent, int list, bool promo)
    {
        CAggiornamentoListini::Settings settings{category, percent, list, promo};
        job = std::make_unique<CAggiornamentoListini>(f.Db(), f.Folder(), settings);
        return job->Run(progress);
    }

    double Price(qint32 product, const QString& language, const QString& column)
    {
        return f.Scalar(QStringLiteral("SELECT %1 FROM ProdottiLingue WHERE IDProdotto=? AND CodiceLingua=?").arg(column),
                        {product, language})
            .toDouble();
    }

    CatalogueFixture f;
    RecordingProgress progress;
    std::unique_ptr<CAggiornamentoListini> job;
};

struct ListCase
{
    const char* name;
    qint32 category;
    double percent;
    int list;
    bool promo;
    // Expected of product 1, 3 and 4 (it and en alike): Prezzo..Prezzo4, promotional.
    double p1[5];
    double p3[5];
    double p4[5];
    int changedProducts;
};

class AggiornamentoListiniCaseTest : public AggiornamentoListiniTest, public ::testing::WithParamInterface<ListCase>
{
};

TEST_P(AggiornamentoListiniCaseTest, ChangesEachChosenPriceOnce)
{
    const ListCase& c = GetParam();
    ASSERT_EQ(Run(c.category, c.percent, c.list, c.promo), CCatalogueJob::Done) << job->Error().toStdString();
    EXPECT_EQ(job->ChangedProducts(), c.changedProducts);
    const QStringList columns = {"Prezzo", "Prezzo2", "Prezzo3", "Prezzo4", "PrezzoPromozione"};
    for (const QString& language : {QStringLiteral("it"), QStringLiteral("en")})
        for (int i = 0; i < 5; ++i) {
            EXPECT_DOUBLE_EQ(Price(1, language, columns[i]), c.p1[i]) << columns[i].toStdString();
            EXPECT_DOUBLE_EQ(Price(3, language, columns[i]), c.p3[i]) << columns[i].toStdString();
            EXPECT_DOUBLE_EQ(Price(4, language, columns[i]), c.p4[i]) << columns[i].toStdString();
        }
    EXPECT_EQ(progress.totals, QList<int>{c.changedProducts});
    EXPECT_EQ(progress.lastDone, c.changedProducts);
}

INSTANTIATE_TEST_SUITE_P(Lists, AggiornamentoListiniCaseTest,
    ::testing::Values(
        ListCase{"AllListsAllProductsDown10", 0, -10, CAggiornamentoListini::AllLists, false,
                 {45, 36, 27, 18, 10}, {45, 36, 27, 18, 10}, {45, 36, 27, 18, 0}, 4},
        ListCase{"OneListWithPromotional", 0, 20, CAggiornamentoListini::Price2, true,
                 {50, 48, 30, 20, 12}, {50, 48, 30, 20, 12}, {50, 48, 30, 20, 0}, 4},
        // Product 1 is linked twice to the category and still changes once;
        // product 3 sits in the sub-category and does not change.
        ListCase{"OneCategoryDirectLinksOnly", 5, 10, CAggiornamentoListini::Price1, false,
                 {55, 40, 30, 20, 10}, {50, 40, 30, 20, 10}, {50, 40, 30, 20, 0}, 2},
        ListCase{"CategoryWithoutDirectProducts", 6, 10, CAggiornamentoListini::Price4, false,
                 {50, 40, 30, 20, 10}, {50, 40, 30, 22, 10}, {50, 40, 30, 20, 0}, 1}),
    [](const ::testing::TestParamInfo<ListCase>& info) { return std::string(info.param.name); });

TEST_F(AggiornamentoListiniTest, ZeroPercentStillMarksEveryTouchedRow)
{
    ASSERT_EQ(Run(5, 0, CAggiornamentoListini::AllLists, false), CCatalogueJob::Done);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue WHERE Modificato=1")).toInt(), 4);
    EXPECT_EQ(f.Scalar(QStringLiteral("SELECT COUNT(*) FROM ProdottiLingue WHERE Modificato=1 AND IDProdotto IN (1, 2)"))
                  .toInt(),
              4);
    EXPECT_DOUBLE_EQ(Price(1, QStringLiteral("it"), QStringLiteral("Prezzo")), 50.0);
}

TEST_F(AggiornamentoListiniTest, EachLanguageRowIsStampedOnce)
{
    const qint32 before = f.Scalar(QStringLiteral("SELECT MAX(ProgressivoVersioneRecord) FROM ProgressivoVersioneRecord")).toInt();
    ASSERT_EQ(Run(5, 10, CAggiornamentoListini::AllLists, false), CCatalogueJob::Done);
    const qint32 after = f.Scalar(QStringLiteral("SELECT MAX(ProgressivoVersioneRecord) FROM ProgressivoVersioneRecord")).toInt();
    EXPECT_EQ(after - before, 4);   // products 1 and 2, two languages each
}

TEST_F(AggiornamentoListiniTest, CancelLeavesTheDatabaseAsItWas)
{
    const QByteArray before = f.DatabaseBytes();
    progress.onDone = [this](int done) {
        if (done == 2)
            job->RequestStop();
    };
    EXPECT_EQ(Run(0, 50, CAggiornamentoListini::AllLists, true), CCatalogueJob::Cancelled);
    EXPECT_EQ(f.DatabaseBytes(), before);
    EXPECT_FALSE(QFileInfo::exists(f.Folder() + QStringLiteral("/db/tempdb.mdb")));
}

TEST_F(AggiornamentoListiniTest, EmptyCatalogueCountsZeroOfZero)
{
    f.Db().Execute(QStringLiteral("DELETE FROM Prodotti"));
    ASSERT_EQ(Run(0, 10, CAggiornamentoListini::AllLists, false), CCatalogueJob::Done);
    EXPECT_EQ(progress.totals, QList<int>{0});
    EXPECT_EQ(progress.lastDone, 0);
}

} // namespace

// A new price is a figure the shop charges: whole units of the list's
// currency, half up, never a float's tail (19.99 + 10% is 21.99, not
// 21.988999999999997).
struct UnitCase
{
    const char* name;
    double unit;        // Valute.Arrotondamento of the list's currency
    double old;
    double percent;
    double expected;
};

void PrintTo(const UnitCase& c, std::ostream* os)
{
    *os << c.name;
}

class AggiornamentoListiniUnitTest : public AggiornamentoListiniTest, public ::testing::WithParamInterface<UnitCase>
{
};

TEST_P(AggiornamentoListiniUnitTest, NewPricesAreCutToTheCurrencysUnit)
{
    const UnitCase& c = GetParam();
    f.Db().Execute(QStringLiteral("UPDATE Valute SET Arrotondamento=? WHERE ID=(SELECT ValutaListino FROM Configurazione)"),
                   {c.unit});
    f.Db().Execute(QStringLiteral("UPDATE ProdottiLingue SET Prezzo=? WHERE IDProdotto=1"), {c.old});
    ASSERT_EQ(Run(0, c.percent, CAggiornamentoListini::Price1, false), CCatalogueJob::Done) << job->Error().toStdString();
    EXPECT_EQ(Price(1, QStringLiteral("it"), QStringLiteral("Prezzo")), c.expected);
    EXPECT_EQ(Price(1, QStringLiteral("en"), QStringLiteral("Prezzo")), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Units, AggiornamentoListiniUnitTest,
    ::testing::Values(UnitCase{"CentsOfAFloatTail", 0.01, 19.99, 10, 21.99},
                      UnitCase{"HalfACentGoesUp", 0.01, 10.05, -50, 5.03},
                      UnitCase{"BelowHalfGoesDown", 0.01, 26.00, -10.5, 23.27},
                      UnitCase{"WholeUnits", 1, 26.00, -10.5, 23},
                      UnitCase{"NoUnitMeansCents", 0, 19.99, 10, 21.99},
                      UnitCase{"MinusOneHundredIsZero", 0.01, 26.00, -100, 0}),
    [](const ::testing::TestParamInfo<UnitCase>& info) { return std::string(info.param.name); });

TEST_F(AggiornamentoListiniTest, ADecreaseBeyondAllIsRefusedAndChangesNothing)
{
    const QByteArray before = f.DatabaseBytes();
    EXPECT_EQ(Run(0, -105, CAggiornamentoListini::AllLists, true), CCatalogueJob::Failed);
    EXPECT_EQ(job->Error(), CAggiornamentoListini::Refusal({0, -105, 0, true}));
    EXPECT_FALSE(job->Error().isEmpty());
    EXPECT_EQ(f.DatabaseBytes(), before);
    EXPECT_TRUE(CAggiornamentoListini::Refusal({0, -100, 0, true}).isEmpty());
}
