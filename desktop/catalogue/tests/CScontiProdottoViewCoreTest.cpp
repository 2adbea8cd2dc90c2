#include "desktop/catalogue/CScontiProdottoViewCore.h"
#include "desktop/catalogue/tests/CatalogueFixture.h"

#include <gtest/gtest.h>

namespace {

using Core = CScontiProdottoViewCore;

// Group 4 "Rivenditori"; customers 10 (Mario Rossi, a shopper) and 11
// (Bianchi Srl, Anna Bianchi, an agent); categories 1 "Sedie" and 2
// "Tavoli"; product 7 (P7, "Sedia") in Sedie, product 8 (P8) in Tavoli.
class ScontiViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        f.Db().Execute(QStringLiteral("INSERT INTO Gruppi (ID, Nome) VALUES (4, 'Rivenditori')"));
        f.Db().Execute(QStringLiteral("INSERT INTO Clienti (ID, Nome, Cognome, RagioneSociale, TipoUtente) "
                                      "VALUES (10, 'Mario', 'Rossi', '', 1)"));
        f.Db().Execute(QStringLiteral("INSERT INTO Clienti (ID, Nome, Cognome, RagioneSociale, TipoUtente) "
                                      "VALUES (11, 'Anna', 'Bianchi', 'Bianchi Srl', 3)"));
        f.AddCategory(1, 0, 1);
        f.AddCategory(2, 0, 2);
        f.AddCategoryName(1, QStringLiteral("it"), QStringLiteral("Sedie"));
        f.AddCategoryName(2, QStringLiteral("it"), QStringLiteral("Tavoli"));
        f.AddProduct(7, QStringLiteral("P7"));
        f.AddProduct(8, QStringLiteral("P8"));
        f.AddProductLanguage(1, 7, QStringLiteral("it"), 10, QStringLiteral("Sedia"));
        f.AddLink(1, 1, 7);
        f.AddLink(2, 2, 8);
        f.ClearModified();
        core = std::make_unique<Core>(f.Db(), QStringLiteral("it"));
    }

    int Count(const QString& sql, const QVariantList& params = {}) { return f.Scalar(sql, params).toInt(); }
    QVariant Column(const QString& column, qint32 id)
    {
        return f.Scalar(QStringLiteral("SELECT ") + column + QStringLiteral(" FROM ScontiProdotto WHERE ID=?"), {id});
    }
    qint32 RowId() { return f.Scalar(QStringLiteral("SELECT MAX(ID) FROM ScontiProdotto")).toInt(); }

    // Customer 10 with product 7 ticked and current.
    void TickProduct()
    {
        core->SelectEntry(10);
        core->SetTick(Core::ProductItem, 7, true);
        core->SetCurrentItem(Core::ProductItem, 7);
    }

    CatalogueFixture f;
    std::unique_ptr<Core> core;
};

TEST_F(ScontiViewTest, ListsCustomersThenGroups)
{
    ASSERT_EQ(core->GetKind(), Core::Utenti);
    QStringList texts;
    for (const Core::Entry& e : core->Entries())
        texts << QString::number(e.nId) + ':' + e.strText;
    EXPECT_EQ(texts, QStringList({"10:Mario Rossi", "11:Bianchi Srl (Anna Bianchi)"}));
    core->SetKind(Core::Gruppi);
    ASSERT_EQ(core->Entries().size(), 1);
    EXPECT_EQ(core->Entries().at(0).strText, "Rivenditori");
    EXPECT_EQ(core->SelectedEntry(), -1);
    // Nothing selected: no products, no ticks written.
    EXPECT_TRUE(core->Products(0, 0).isEmpty());
    core->SetTick(Core::CategoryItem, 1, true);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ScontiProdotto"), 0);
}

// Who and what: a group's row has IDUtente -1, a customer's IDGruppo -1; a
// category row IDProdotto 0, a product row IDCategoria 0. Unticking deletes
// the row and logs the deletion; ticking again makes a new row.
TEST_F(ScontiViewTest, TicksWriteAndDeleteRows)
{
    core->SetKind(Core::Gruppi);
    core->SelectEntry(4);
    EXPECT_TRUE(core->ToggleTick(Core::CategoryItem, 1));
    const qint32 groupRow = RowId();
    EXPECT_EQ(f.Scalar("SELECT IDGruppo || '/' || IDUtente || '/' || IDCategoria || '/' || IDProdotto || '/' || "
                       "Modificato FROM ScontiProdotto WHERE ID=?",
                       {groupRow})
                  .toString(),
              "4/-1/1/0/1");
    EXPECT_TRUE(Column("ScontoPredefinito", groupRow).isNull());

    core->SetKind(Core::Utenti);
    core->SelectEntry(10);
    EXPECT_FALSE(core->IsTicked(Core::CategoryItem, 1)) << "the group's tick is not the customer's";
    core->SetTick(Core::ProductItem, 7, true);
    const qint32 customerRow = RowId();
    EXPECT_EQ(f.Scalar("SELECT IDGruppo || '/' || IDUtente || '/' || IDCategoria || '/' || IDProdotto "
                       "FROM ScontiProdotto WHERE ID=?",
                       {customerRow})
                  .toString(),
              "-1/10/0/7");
    const QVector<Core::ProductLine> all = core->Products(0, 0);
    ASSERT_EQ(all.size(), 2);
    EXPECT_TRUE(all.at(0).bTicked);
    EXPECT_EQ(all.at(0).strDescrizione, "Sedia");
    EXPECT_FALSE(all.at(1).bTicked);
    ASSERT_EQ(core->Products(2, 0).size(), 1);
    EXPECT_EQ(core->Products(2, 0).at(0).strCodice, "P8");

    EXPECT_FALSE(core->ToggleTick(Core::ProductItem, 7));
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ScontiProdotto WHERE ID=?", {customerRow}), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM RecordsEliminati WHERE IDRecord=?", {customerRow}), 1);
    EXPECT_TRUE(core->ToggleTick(Core::ProductItem, 7));
    EXPECT_GT(RowId(), customerRow);
}

// Terms go in as typed and come back the same; empty fields are NULL.
TEST_F(ScontiViewTest, SavesTermsAndStoresEmptyFieldsAsNull)
{
    TickProduct();
    const qint32 row = RowId();
    Core::Terms typed = core->Load();
    EXPECT_FALSE(core->IsRecordModified(typed)) << "blank fields match a new row's NULLs";
    typed.strSconto = "10+5";
    typed.strPrezzoPeriodo = "1'234.5";
    typed.strPeriodoDal = "01/03/2026";
    typed.steps[0] = {"5", "7,5", ""};
    typed.steps[1] = {"10.25", "", "99.9"};
    EXPECT_TRUE(core->IsRecordModified(typed));
    ASSERT_FALSE(core->SaveRecord(typed).IsRefused());
    EXPECT_EQ(Column("ScontoPredefinito", row).toString(), "10+5");
    EXPECT_DOUBLE_EQ(Column("PrezzoPromoPeriodo", row).toDouble(), 1234.5);
    EXPECT_EQ(Column("ValiditaDal", row).toDateTime().date(), QDate(2026, 3, 1));
    EXPECT_EQ(Column("Sconto1", row).toString(), "7,5");
    EXPECT_FLOAT_EQ(Column("Quantita2", row).toFloat(), 10.25f);
    for (const char* column : {"PrezzoPromoPredefinito", "ScontoPeriodo", "ValiditaAl", "ValiditaQuantitaDal",
                               "PrezzoPromo1", "Sconto2", "Quantita3", "Sconto9"})
        EXPECT_TRUE(Column(column, row).isNull()) << column;

    const Core::Terms loaded = core->Load();
    EXPECT_EQ(loaded.strSconto, "10+5");
    EXPECT_EQ(loaded.strPeriodoDal, "01/03/2026");
    EXPECT_FALSE(core->IsRecordModified(loaded));

    // Choosing the price blanks the percent: the save stores NULL over it.
    Core::Terms price = loaded;
    price.strSconto.clear();
    price.strPrezzo = "12.5";
    ASSERT_FALSE(core->SaveRecord(price).IsRefused());
    EXPECT_TRUE(Column("ScontoPredefinito", row).isNull());
    EXPECT_DOUBLE_EQ(Column("PrezzoPromoPredefinito", row).toDouble(), 12.5);
}

TEST_F(ScontiViewTest, CategoryRowsKeepPricesAndStepsNull)
{
    core->SelectEntry(10);
    core->SetTick(Core::CategoryItem, 1, true);
    core->SetCurrentItem(Core::CategoryItem, 1);
    Core::Terms typed;
    typed.strSconto = "20";
    typed.strPrezzo = "5";
    typed.steps[0] = {"3", "4", "5"};
    ASSERT_FALSE(core->SaveRecord(typed).IsRefused());
    const qint32 row = RowId();
    EXPECT_EQ(Column("ScontoPredefinito", row).toString(), "20");
    for (const char* column : {"PrezzoPromoPredefinito", "Quantita1", "Sconto1", "PrezzoPromo1"})
        EXPECT_TRUE(Column(column, row).isNull()) << column;
}

TEST_F(ScontiViewTest, AgentGetsCommissionWording)
{
    core->SelectEntry(11);
    EXPECT_TRUE(core->IsAgent());
    EXPECT_EQ(core->CurrentWording().strDefaultTab, "  Provv. predefinita  ");
    EXPECT_EQ(core->CurrentWording().strPriceLabel, "Provvigione fissa");
    core->SelectEntry(10);
    EXPECT_EQ(core->CurrentWording().strPercentLabel, "% Sconto");
    core->SelectEntry(11);
    core->SetKind(Core::Gruppi);
    EXPECT_TRUE(core->IsAgent()) << "the wording stays until an entry is selected";
    core->SelectEntry(4);
    EXPECT_FALSE(core->IsAgent());
    EXPECT_EQ(core->CurrentWording().strQuantityTab, "  Sconto per quantità  ");
}

// What the shop's price engine reads is what the view accepts.
struct PercentCase
{
    const char* name;
    const char* text;
    bool accepted;
};

class ScontiPercentTest : public ::testing::TestWithParam<PercentCase>
{
};

TEST_P(ScontiPercentTest, AcceptsWhatTheShopReads)
{
    EXPECT_EQ(Core::CheckPercent(QString::fromUtf8(GetParam().text)).isEmpty(), GetParam().accepted)
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ScontiPercentTest,
    ::testing::Values(PercentCase{"Empty", "", true}, PercentCase{"Whole", "10", true},
                      PercentCase{"Chain", "10+5", true}, PercentCase{"DecimalComma", "7,5", true},
                      PercentCase{"DecimalPoint", "7.5", true}, PercentCase{"Hundred", "100", true},
                      PercentCase{"Zero", "0", true}, PercentCase{"ChainOfThree", "50+50+50", true},
                      PercentCase{"Above100", "150", false}, PercentCase{"PartAbove100", "150+10", false},
                      PercentCase{"TrailingPlus", "10+", false}, PercentCase{"DoublePlus", "10++5", false},
                      PercentCase{"OnlyPlus", "+", false}, PercentCase{"TwoCommas", "1,2,3", false},
                      PercentCase{"Minus", "-5", false}, PercentCase{"Letters", "10%", false},
                      PercentCase{"TooLong", "1+1+1+1+1+1+1+1+1+1+1", false}),
    [](const ::testing::TestParamInfo<PercentCase>& info) { return std::string(info.param.name); });

// A refused text writes nothing and says which field it is in.
TEST_F(ScontiViewTest, RefusedPercentWritesNothing)
{
    TickProduct();
    const qint32 row = RowId();
    Core::Terms typed;
    typed.strSconto = "10";
    typed.steps[4].strSconto = "120";
    const Core::Refusal refusal = core->SaveRecord(typed);
    ASSERT_TRUE(refusal.IsRefused());
    EXPECT_EQ(refusal.page, Core::QuantityPage);
    EXPECT_EQ(refusal.nStep, 4);
    EXPECT_TRUE(Column("ScontoPredefinito", row).isNull());
}

} // namespace
