// The CampiCustom text and the product card's "Custom" page.

#include "desktop/catalogue/CCampiCustom.h"
#include "desktop/catalogue/CProdottiCustomCore.h"
#include "desktop/catalogue/CProdottiCustomDlg.h"
#include "desktop/catalogue/tests/CatalogueFixture.h"
#include "desktop/shell/controls/CGridCore.h"
#include "desktop/shell/controls/CMessageBoxScript.h"

#include <gtest/gtest.h>

namespace {

using Fields = QVector<CCampiCustom::Field>;

// ---- the codec --------------------------------------------------------------------

struct RoundTrip
{
    const char* name;
    Fields fields;
    QString text;
};

class CampiCustomRoundTrip : public ::testing::TestWithParam<RoundTrip>
{
};

TEST_P(CampiCustomRoundTrip, EncodesAndDecodesAlike)
{
    const RoundTrip& c = GetParam();
    EXPECT_EQ(CCampiCustom::Encode(c.fields), c.text);
    EXPECT_EQ(CCampiCustom::Decode(c.text), c.fields);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CampiCustomRoundTrip,
    ::testing::Values(RoundTrip{"Nothing", {}, ""}, RoundTrip{"OnePair", {{"Colore", "Blu"}}, "Colore|Blu|"},
                      RoundTrip{"EmptyValueKeepsItsTwoBars", {{"Peso", ""}, {"Colore", "Blu"}}, "Peso||Colore|Blu|"},
                      RoundTrip{"OrderIsKept", {{"B", "2"}, {"A", "1"}, {"B", "3"}}, "B|2|A|1|B|3|"},
                      RoundTrip{"SpacesAndAccents", {{" Nota ", "perché sì "}}, " Nota |perché sì |"}),
    [](const auto& info) { return std::string(info.param.name); });

struct Reading
{
    const char* name;
    QString text;
    Fields fields;
};

class CampiCustomReading : public ::testing::TestWithParam<Reading>
{
};

// The shop's product record counts only complete pairs too: what follows
// the last "|" is dropped there as here.
TEST_P(CampiCustomReading, OnlyCompletePairsAreRead)
{
    EXPECT_EQ(CCampiCustom::Decode(GetParam().text), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CampiCustomReading,
    ::testing::Values(Reading{"LastValueWithoutItsBar", "A|1|B|2", {{"A", "1"}}},
                      Reading{"LastNameWithoutValue", "A|1|B|", {{"A", "1"}}},
                      Reading{"NoBarAtAll", "Colore", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CampiCustom, ABarInANameOrValueMakesTheFieldsUnwritable)
{
    EXPECT_EQ(CCampiCustom::FirstUnwritable({{"A", "1"}, {"B", "2"}}), -1);
    EXPECT_EQ(CCampiCustom::FirstUnwritable({{"A", "1"}, {"B", "x|y"}}), 1);
    EXPECT_EQ(CCampiCustom::FirstUnwritable({{"A|", "1"}}), 0);
    // Why: written as it stands, the bar would shift every later pair.
    EXPECT_NE(CCampiCustom::Decode(CCampiCustom::Encode({{"A", "x|y"}, {"B", "2"}})),
              (Fields{{"A", "x|y"}, {"B", "2"}}));
}

// ---- the page ---------------------------------------------------------------------

// Definitions: 1 "Materiale" for all products, 2 "Peso" (decimal, 6.2)
// for category 5, 3 "Garanzia" for category 6, 4 "Colore" for all.
class CustomPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Definition(1, 0, "Materiale", 0, 20, 0);
        Definition(2, 5, "Peso", 2, 6, 2);
        Definition(3, 6, "Garanzia", 1, 2, 0);
        Definition(4, 0, "Colore", 0, 10, 0);
        core = std::make_unique<CProdottiCustomCore>(f.Db(), grid);
        core->InitGrid();
    }

    void Definition(qint32 id, qint32 category, const char* name, int tipo, int length, int decimals)
    {
        f.Db().Execute(QStringLiteral("INSERT INTO DefinizioneCampiCustom (ID, IDCategoria, Nome, Tipo, Lunghezza, "
                                      "Decimali) VALUES (?, ?, ?, ?, ?, ?)"),
                       {id, category, QString::fromUtf8(name), tipo, length, decimals});
    }

    QStringList Rows()
    {
        QStringList rows;
        for (int row = 1; row < grid.GetRowCount(); ++row)
            rows << grid.GetCellText(row, 0) + "=" + grid.GetCellText(row, 1);
        return rows;
    }

    CatalogueFixture f;
    CGridCore grid;
    std::unique_ptr<CProdottiCustomCore> core;
};

TEST_F(CustomPageTest, RowsAreTheFieldsOfAllProductsAndOfTheProductsCategories)
{
    EXPECT_TRUE(core->IsInitialised());
    EXPECT_EQ(grid.GetCellText(0, 0), "Nome");
    EXPECT_EQ(grid.GetCellText(0, 1), "Valore");

    core->SetCategories({5});
    core->SetCampiCustom("Peso|1.5|Materiale|legno|Vecchio|x|");
    core->LoadCustomValues();
    EXPECT_EQ(Rows(), (QStringList{"Materiale=legno", "Peso=1.5", "Colore="}));
    EXPECT_EQ(grid.GetCell(2, 1)->format, 2) << "the definition's type is the cell's format";
    EXPECT_EQ(grid.GetCell(2, 1)->decimals, 2);
    EXPECT_EQ(grid.GetCell(1, 0)->kind, GridCell::TextKind) << "names are read-only";
    EXPECT_EQ(grid.GetCell(1, 1)->kind, GridCell::Edit);

    // A field no category of the product defines any more is dropped;
    // every row is written, also when empty.
    EXPECT_EQ(core->GetCustomValuesText(), "Materiale|legno|Peso|1.5|Colore||");
    EXPECT_EQ(core->GetCustomValuesWords(), "legno1.5");

    core->SetCategories({6});
    core->LoadCustomValues();
    EXPECT_EQ(Rows(), (QStringList{"Materiale=legno", "Garanzia=", "Colore="}));
}

TEST_F(CustomPageTest, TwoDefinitionsOfOneNameShareItsValue)
{
    Definition(7, 6, "Colore", 0, 10, 0);
    core->SetCategories({6});
    core->SetCampiCustom("Colore|rosso|");
    core->LoadCustomValues();
    EXPECT_EQ(Rows(), (QStringList{"Materiale=", "Garanzia=", "Colore=rosso", "Colore=rosso"}));
}

TEST_F(CustomPageTest, AValueHoldingABarIsRefusedWhereItStands)
{
    CMessageBoxScript boxes;
    core->SetCampiCustom("");
    core->LoadCustomValues();
    EXPECT_TRUE(core->ValidateCustomValues());
    EXPECT_TRUE(boxes.Shown().isEmpty());

    grid.SetCellText(2, 1, "blu|rosso");
    EXPECT_FALSE(core->ValidateCustomValues());
    EXPECT_EQ(boxes.LastText(), "Il carattere \"|\" non è ammesso nei campi custom.");
    EXPECT_EQ(boxes.Shown().last().caption, "Validazione campi");
    EXPECT_EQ(grid.GetCurRow(), 2);
    EXPECT_EQ(grid.GetCurCol(), 1);
}

TEST(CustomPageWidget, ThePageHostsTheGridAndAnswersTheView)
{
    CatalogueFixture f;
    f.Db().Execute(QStringLiteral("INSERT INTO DefinizioneCampiCustom (ID, IDCategoria, Nome, Tipo, Lunghezza, "
                                  "Decimali) VALUES (1, 0, 'Materiale', 0, 20, 0)"));
    CProdottiCustomDlg page(f.Db());
    EXPECT_TRUE(page.IsInitialised());
    page.SetCategories({});
    page.SetCampiCustom("Materiale|vetro|");
    page.LoadCustomValues();
    EXPECT_EQ(page.GetCustomValuesText(), "Materiale|vetro|");
    EXPECT_TRUE(page.ValidateCustomValues());
}

} // namespace
