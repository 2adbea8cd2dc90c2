// The interests view (texts per language, the merchant's order, a delete
// that takes the users' choices) and the shipping costs view (the row and
// the settings saved together when the row is left).

#include "desktop/customers/CInteressiViewCore.h"
#include "desktop/customers/CSSpedizioneViewCore.h"
#include "desktop/customers/tests/CustomersFixture.h"
#include "desktop/shell/controls/CGridCore.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CValidatedEditRules.h"

#include <gtest/gtest.h>

namespace {

class Interessi : public ::testing::Test
{
protected:
    CustomersFixture shop;
    CMessageBoxScript boxes;
};

TEST_F(Interessi, ANewInterestHasItsTextsInTheDefaultLanguageToo)
{
    CInteressiViewCore core(shop.Db(), "en", "it");
    EXPECT_FALSE(core.New());
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Campo obbligatorio!"));
    core.Nome() = QStringLiteral("Sports");
    core.Descrizione() = QStringLiteral("Every sport");
    ASSERT_TRUE(core.New());
    EXPECT_EQ(shop.Count("Interessi", "ID=1 AND Ordine=1"), 1);
    EXPECT_EQ(shop.Count("InteressiLingue", "IDInteresse=1"), 2);

    CInteressiViewCore same(shop.Db(), "it", "it");
    same.Nome() = QStringLiteral("Musica");
    ASSERT_TRUE(same.New());
    EXPECT_EQ(shop.Count("InteressiLingue", "IDInteresse=2"), 1);
    // Listed in English, the second falls back to its Italian name.
    core.RefreshLanguage("en", "it");
    ASSERT_EQ(core.Entries().size(), 2);
    EXPECT_EQ(core.Entries().at(0).strNome, QStringLiteral("Sports"));
    EXPECT_EQ(core.Entries().at(1).strNome, QStringLiteral("Musica"));

    // Saved in English, it gets an English row and the Italian one stays.
    core.Select(1);
    core.Nome() = QStringLiteral("Music");
    ASSERT_TRUE(core.Save());
    EXPECT_EQ(shop.Count("InteressiLingue", "IDInteresse=2"), 2);
    same.RefreshLanguage("it", "it");
    EXPECT_EQ(same.Entries().at(1).strNome, QStringLiteral("Musica"));
}

TEST_F(Interessi, AMoveSwapsTwoOrdersAndADeleteTakesTheUsersChoices)
{
    for (int id : {1, 2, 3}) {
        shop.AddInterest(id, id * 10);
        shop.AddInterestText(id, id, "it", QStringLiteral("I%1").arg(id));
    }
    shop.Row("InteressiUtenti", {{"ID", 1}, {"IDUtente", 5}, {"IDInteresse", 2}});
    CInteressiViewCore core(shop.Db(), "it", "it");
    core.Select(0);
    EXPECT_FALSE(core.GetButtons().bUp);
    EXPECT_TRUE(core.GetButtons().bDown);
    core.MoveDown();
    EXPECT_EQ(core.SelectedIndex(), 1);
    EXPECT_EQ(shop.Value("SELECT Ordine FROM Interessi WHERE ID=1").toInt(), 20);
    EXPECT_EQ(shop.Value("SELECT Ordine FROM Interessi WHERE ID=2").toInt(), 10);
    EXPECT_EQ(shop.Value("SELECT Ordine FROM Interessi WHERE ID=3").toInt(), 30);
    EXPECT_EQ(core.Entries().at(0).strNome, QStringLiteral("I2"));

    core.Select(0);
    boxes.Answer(QMessageBox::No);
    core.Delete();
    EXPECT_EQ(core.SelectedIndex(), -1);
    EXPECT_EQ(shop.Count("Interessi"), 3);
    core.Select(0);
    core.Delete();
    EXPECT_EQ(shop.Count("Interessi", "ID=2"), 0);
    EXPECT_EQ(shop.Count("InteressiUtenti"), 0);
    EXPECT_EQ(shop.Count("InteressiLingue", "IDInteresse=2"), 0);
    EXPECT_EQ(core.Entries().size(), 2);
}

class Spese : public ::testing::Test
{
protected:
    void SetUp() override
    {
        shop.Value("UPDATE Configurazione SET IVASpedizioni=22, PesoImballo=1.5, TipoPesoImballo=0");
        shop.Row("SpeseSpedizione", {{"ID", 1}, {"Descrizione", "Italia"}, {"Prezzo1", 7.5}, {"Limite1", 10}});
        shop.Row("SpeseSpedizione", {{"ID", 2}, {"Descrizione", "Europa"}, {"Prezzo1", 15}});
    }

    void Leave(CSSpedizioneViewCore& core, int from, int to, int col = 1)
    {
        GridNotifyInfo info{from, col, to, col, QString()};
        ASSERT_EQ(core.OnCellLeave(info), 0);
        GridNotifyInfo enter{from, col, to, col, QString()};
        core.OnCellEnter(enter);
    }

    CustomersFixture shop;
    CMessageBoxScript boxes;
    CGridCore grid;
};

TEST_F(Spese, LeavingARowSavesItWithTheSettings)
{
    CSSpedizioneViewCore core(shop.Db(), grid);
    core.Fill();
    ASSERT_EQ(grid.GetRowCount(), 3);
    EXPECT_EQ(grid.GetCellText(1, CSSpedizioneViewCore::ColDestinazione), QStringLiteral("Europa"));
    EXPECT_EQ(core.UnitLabel(), QStringLiteral("Kg"));

    // Only the settings changed and no row is current: the table is left alone.
    core.GetSettings().strIva = QStringLiteral("10");
    EXPECT_TRUE(core.IsModified());
    ASSERT_TRUE(core.Save());
    EXPECT_EQ(shop.Value("SELECT IVASpedizioni FROM Configurazione").toInt(), 10);
    EXPECT_EQ(shop.Count("SpeseSpedizione", "Modificato=1"), 0);

    Leave(core, -1, 1);
    grid.SetCellText(1, CSSpedizioneViewCore::ColPrezzo1, QStringLiteral("16,00"));
    core.GetSettings().strIva = QStringLiteral("4");
    Leave(core, 1, 1, 4);   // another cell of the same row: nothing
    EXPECT_EQ(shop.Value("SELECT Prezzo1 FROM SpeseSpedizione WHERE ID=2").toDouble(), 15.0);
    Leave(core, 1, 2);
    EXPECT_EQ(shop.Value("SELECT Prezzo1 FROM SpeseSpedizione WHERE ID=2").toDouble(), 16.0);
    EXPECT_EQ(shop.Value("SELECT IVASpedizioni FROM Configurazione").toInt(), 4);
    EXPECT_EQ(shop.Count("SpeseSpedizione", "ID=1 AND Modificato=1"), 0);

    core.ChooseBasis(1);
    EXPECT_EQ(core.UnitLabel(), QStringLiteral("%"));
    CValidatedEditRules weight;
    weight.SetParam(2, 7, 0, 3);
    EXPECT_DOUBLE_EQ(weight.ReadDouble(core.GetSettings().strPeso), 0.0);
}

TEST_F(Spese, ANewRowNeedsADestinationAndItsFirstPrice)
{
    CSSpedizioneViewCore core(shop.Db(), grid);
    core.Fill();
    ASSERT_TRUE(core.AddRow());
    const int row = grid.GetRowCount() - 1;
    grid.SetCellText(row, CSSpedizioneViewCore::ColDestinazione, QStringLiteral("Mondo"));
    EXPECT_FALSE(core.SaveNewRow());
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Campo obbligatorio!"));
    EXPECT_EQ(core.FailedCol(), CSSpedizioneViewCore::ColPrezzo1);
    grid.SetCellText(row, CSSpedizioneViewCore::ColPrezzo1, QStringLiteral("30"));
    ASSERT_TRUE(core.SaveNewRow());
    EXPECT_EQ(shop.Value("SELECT ID FROM SpeseSpedizione WHERE Descrizione='Mondo'").toInt(), 3);
}

} // namespace
