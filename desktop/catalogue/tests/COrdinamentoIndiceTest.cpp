#include "desktop/catalogue/COrdinamentoIndice.h"
#include "desktop/catalogue/tests/CatalogueFixture.h"
#include "recordset/CProdottiLingueSet.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// Product 1 "CODICE-PRODOTTO-LUNGO-1" with an "it" and an "en" row, and a
// language row (ID 30) whose product is gone.
class OrdinamentoIndiceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        f.AddProduct(1, QStringLiteral("CODICE-PRODOTTO-LUNGO-1"));
        AddRow(10, 1, QStringLiteral("it"), QStringLiteral("Nome italiano molto lungo davvero"), QStringLiteral("Fattura"),
               QStringLiteral("Breve"), QStringLiteral("Estesa"));
        AddRow(11, 1, QStringLiteral("en"), QStringLiteral("Short"), QStringLiteral("Invoice"), QStringLiteral("Brief"),
               QStringLiteral("Long"));
        AddRow(30, 99, QStringLiteral("it"), QStringLiteral("Orfano"), QString(), QString(), QString());
        f.Db().Execute(QStringLiteral("UPDATE ProdottiLingue SET Sort='vecchio'"));
        f.ClearModified();
    }

    void AddRow(qint32 id, qint32 product, const QString& language, const QString& nome, const QString& fattura,
                const QString& breve, const QString& estesa)
    {
        CProdottiLingueSet rows(&f.Db());
        rows.m_bTracking = false;
        rows.Open();
        rows.AddNew();
        rows.m_ID = id;
        rows.m_IDProdotto = product;
        rows.m_CodiceLingua = language;
        rows.m_Nome = nome;
        rows.m_DescrizioneFattura = fattura;
        rows.m_DescrizioneBreve = breve;
        rows.m_DescrizioneEstesa = estesa;
        rows.Update();
    }

    QString Sort(qint32 id) { return f.Scalar(QStringLiteral("SELECT Sort FROM ProdottiLingue WHERE ID=?"), {id}).toString(); }
    int Modified(qint32 id)
    {
        return f.Scalar(QStringLiteral("SELECT Modificato FROM ProdottiLingue WHERE ID=?"), {id}).toInt();
    }

    CatalogueFixture f;
    RecordingProgress progress;
};

struct OrderCase
{
    const char* name;
    int choice;
    const char* it;
    const char* en;
    const char* orphan;
    int orphanModified;
};

class OrdinamentoIndiceCaseTest : public OrdinamentoIndiceTest, public ::testing::WithParamInterface<OrderCase>
{
};

TEST_P(OrdinamentoIndiceCaseTest, EveryRowGetsTheKeyOfItsMode)
{
    const OrderCase& c = GetParam();
    COrdinamentoIndice job(f.Db(), f.Folder(), c.choice);
    ASSERT_EQ(job.Run(progress), CCatalogueJob::Done) << job.Error().toStdString();
    EXPECT_EQ(Sort(10), QString::fromUtf8(c.it));
    EXPECT_EQ(Sort(11), QString::fromUtf8(c.en));
    EXPECT_EQ(Sort(30), QString::fromUtf8(c.orphan));
    EXPECT_EQ(Modified(10), 1);
    EXPECT_EQ(Modified(11), 1);
    EXPECT_EQ(Modified(30), c.orphanModified);
    EXPECT_EQ(progress.totals, QList<int>{3});
    EXPECT_EQ(progress.lastDone, 3);
}

INSTANTIATE_TEST_SUITE_P(Modes, OrdinamentoIndiceCaseTest,
    ::testing::Values(
        OrderCase{"Custom", 0, "", "", "", 1},
        // Every language row of a product gets the same key; a row whose
        // product is gone is left alone.
        OrderCase{"Code", 1, "CODICE-PRODOTTO-LUNG", "CODICE-PRODOTTO-LUNG", "vecchio", 0},
        OrderCase{"NameCutToTwenty", 2, "Nome italiano molto ", "Short", "Orfano", 1},
        OrderCase{"InvoiceText", 3, "Fattura", "Invoice", "", 1},
        OrderCase{"ShortText", 4, "Breve", "Brief", "", 1},
        OrderCase{"LongText", 5, "Estesa", "Long", "", 1},
        // No choice is the first mode, never a 255 that keeps the old keys.
        OrderCase{"NoChoiceIsTheFirstMode", -1, "", "", "", 1},
        OrderCase{"StoredUnsetIsTheFirstMode", 255, "", "", "", 1}),
    [](const ::testing::TestParamInfo<OrderCase>& info) { return std::string(info.param.name); });

TEST_F(OrdinamentoIndiceTest, CancelLeavesTheDatabaseAsItWas)
{
    const QByteArray before = f.DatabaseBytes();
    COrdinamentoIndice job(f.Db(), f.Folder(), COrdinamentoIndice::Name);
    progress.onDone = [&job](int done) {
        if (done == 1)
            job.RequestStop();
    };
    EXPECT_EQ(job.Run(progress), CCatalogueJob::Cancelled);
    EXPECT_EQ(f.DatabaseBytes(), before);
    EXPECT_FALSE(QFileInfo::exists(f.Folder() + QStringLiteral("/db/tempdb.mdb")));
}

TEST_F(OrdinamentoIndiceTest, EmptyTableCountsZeroOfZero)
{
    f.Db().Execute(QStringLiteral("DELETE FROM ProdottiLingue"));
    COrdinamentoIndice job(f.Db(), f.Folder(), COrdinamentoIndice::Code);
    EXPECT_EQ(job.Run(progress), CCatalogueJob::Done);
    EXPECT_EQ(progress.totals, QList<int>{0});
    EXPECT_EQ(progress.lastDone, 0);
}

} // namespace
