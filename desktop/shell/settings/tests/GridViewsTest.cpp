#include "desktop/shell/app/CCloseProtocol.h"
#include "desktop/shell/app/CCommandTable.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CGridCore.h"
#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/tests/ShopTestDb.h"
#include "desktop/shell/settings/CLingueView.h"
#include "desktop/shell/settings/CLingueViewCore.h"
#include "desktop/shell/settings/CValuteView.h"
#include "desktop/shell/settings/CValuteViewCore.h"

#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// Moves the grid's cursor as the user would: leave (which may be
// refused), then enter.
bool MoveTo(CGridRowEditor& editor, int fromRow, int toRow, int toCol = 2, int* stayCol = nullptr)
{
    GridNotifyInfo info{fromRow, 2, toRow, toCol, QString()};
    if (editor.OnCellLeave(info) != 0) {
        if (stayCol)
            *stayCol = info.fromCol;
        return false;
    }
    editor.OnCellEnter(info);
    return true;
}

class LanguagesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        shop.Row("Valute", {{"ID", 1}, {"Valuta", "Euro"}, {"Cambio", 1.0}, {"Simbolo", "€"}, {"Arrotondamento", 0.01}});
        shop.Row("Valute", {{"ID", 2}, {"Valuta", "Dollaro"}, {"Cambio", 1.1}, {"Simbolo", "$"}, {"Arrotondamento", 0.01}});
        shop.Row("Lingue", {{"ID", 1}, {"Codice", "it"}, {"Descrizione", "Italiano"}, {"IDValuta", 1}, {"Attivo", 1}});
        shop.Row("Lingue", {{"ID", 2}, {"Codice", "en"}, {"Descrizione", "English"}, {"IDValuta", 9}, {"Attivo", 1}});
        core = std::make_unique<CLingueViewCore>(shop.Db(), grid);
        core->Fill();
    }

    // Adds a row and types its code and name.
    void AddLanguage(const QString& code, const QString& name)
    {
        ASSERT_TRUE(core->AddRow());
        const int row = grid.GetRowCount() - 1;
        grid.SetCellText(row, CLingueViewCore::ColCodice, code);
        grid.SetCellText(row, CLingueViewCore::ColDescrizione, name);
    }

    ShopTestDb shop;
    CMessageBoxScript boxes;
    CGridCore grid;
    std::unique_ptr<CLingueViewCore> core;
};

TEST_F(LanguagesTest, RowsShowTheTableAndAnUnknownCurrencyShowsEmpty)
{
    ASSERT_EQ(grid.GetRowCount(), 3);
    EXPECT_EQ(grid.GetCellText(0, CLingueViewCore::ColValuta), "Valuta");
    EXPECT_EQ(grid.GetCellText(1, CLingueViewCore::ColValuta), "Euro");
    EXPECT_EQ(grid.GetCellText(2, CLingueViewCore::ColValuta), "") << "IDValuta 9 matches no currency";
    EXPECT_EQ(grid.GetComboTexts(CLingueViewCore::ColValuta), (QStringList{"Euro", "Dollaro"}));
    EXPECT_EQ(grid.GetRowData(2), 2);
}

TEST_F(LanguagesTest, NewRowIsStoredWhenTheCursorLeavesIt)
{
    AddLanguage("de", "Deutsch");
    grid.SetCellCheck(3, CLingueViewCore::ColAttivo, 1);
    EXPECT_TRUE(core->IsNewRowPending());
    EXPECT_EQ(grid.GetCurRow(), 3);
    EXPECT_EQ(grid.GetCurCol(), CLingueViewCore::ColCodice);

    ASSERT_TRUE(MoveTo(*core, 3, 1));
    EXPECT_FALSE(core->IsNewRowPending());
    EXPECT_EQ(grid.GetRowData(3), 3);
    EXPECT_EQ(shop.Value("SELECT Descrizione FROM Lingue WHERE ID=3").toString(), "Deutsch");
    EXPECT_EQ(shop.Value("SELECT Modificato FROM Lingue WHERE ID=3").toInt(), 1);
    EXPECT_TRUE(boxes.Shown().isEmpty());
}

struct RefusalCase
{
    const char* name;
    const char* code;
    const char* description;
    const char* message;
    int column;
};

class LanguageRefusals : public LanguagesTest, public ::testing::WithParamInterface<RefusalCase>
{
};

TEST_P(LanguageRefusals, NewRowStaysOnTheCellToMend)
{
    const RefusalCase& c = GetParam();
    AddLanguage(c.code, c.description);
    int stayCol = -1;
    EXPECT_FALSE(MoveTo(*core, 3, 1, 2, &stayCol));
    EXPECT_EQ(stayCol, c.column);
    EXPECT_EQ(boxes.LastText(), QString::fromUtf8(c.message));
    EXPECT_EQ(boxes.Shown().last().caption, "Validazione campi");
    EXPECT_TRUE(core->IsNewRowPending());
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM Lingue").toInt(), 2) << "nothing written";
}

INSTANTIATE_TEST_SUITE_P(
    Lingue, LanguageRefusals,
    ::testing::Values(RefusalCase{"EmptyCode", "", "Deutsch", "Campo obbligatorio!", CLingueViewCore::ColCodice},
                      RefusalCase{"EmptyDescription", "de", "", "Campo obbligatorio!", CLingueViewCore::ColDescrizione},
                      RefusalCase{"DuplicateCode", "en", "Inglese", "Codice già presente!", CLingueViewCore::ColCodice}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST_F(LanguagesTest, ChangingAnExistingCodeToAnotherRowsCodeIsAccepted)
{
    ASSERT_TRUE(MoveTo(*core, -1, 2));
    grid.SetCellText(2, CLingueViewCore::ColCodice, "it");
    EXPECT_TRUE(core->IsRowModified());
    ASSERT_TRUE(MoveTo(*core, 2, 1));
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM Lingue WHERE Codice='it'").toInt(), 2);
}

TEST_F(LanguagesTest, DeletingThePendingRowWritesNothing)
{
    AddLanguage("fr", "Français");
    boxes.Answer(QMessageBox::Yes);
    EXPECT_TRUE(core->DeleteRow());
    EXPECT_EQ(grid.GetRowCount(), 3);
    EXPECT_FALSE(core->IsNewRowPending());
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM Lingue").toInt(), 2);
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM RecordsEliminati").toInt(), 0);
}

TEST_F(LanguagesTest, DeleteAsksAndLogsTheDeletion)
{
    EXPECT_FALSE(core->DeleteRow());
    EXPECT_EQ(boxes.LastText(), "Selezionare la riga da cancellare.");
    EXPECT_EQ(boxes.Shown().last().caption, "Cancellazione lingua");

    ASSERT_TRUE(MoveTo(*core, -1, 2));
    boxes.Answer(QMessageBox::No);
    EXPECT_FALSE(core->DeleteRow());
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM Lingue").toInt(), 2);
    boxes.Answer(QMessageBox::Yes);
    EXPECT_TRUE(core->DeleteRow());
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM Lingue").toInt(), 1);
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM RecordsEliminati").toInt(), 1);
    EXPECT_EQ(core->CurRow(), -1);
}

TEST_F(LanguagesTest, CloseWithTheLastLanguageInactiveStaysOpen)
{
    CLingueView view(shop.Db());
    CGridCore& viewGrid = *view.Grid();
    for (int row : {1, 2})
        viewGrid.SetCellCheck(row, CLingueViewCore::ColAttivo, 0);
    ASSERT_TRUE(MoveTo(view.Core(), -1, 1));
    ASSERT_TRUE(MoveTo(view.Core(), 1, 2));
    MoveTo(view.Core(), 2, 1);
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM Lingue WHERE Attivo<>0").toInt(), 0);

    const auto anyActive = [this] { return shop.Value("SELECT COUNT(*) FROM Lingue WHERE Attivo<>0").toInt() > 0; };
    CCloseProtocol protocol(nullptr, anyActive);
    EXPECT_FALSE(protocol.MayClose(view));
    EXPECT_EQ(boxes.LastText(), "ATTENZIONE: attivare almeno una lingua prima di uscire.");
}

TEST_F(LanguagesTest, CloseSavesAPendingRowOrStaysOnItsCell)
{
    CLingueView view(shop.Db());
    view.AddButton()->click();
    const int row = view.Grid()->GetRowCount() - 1;
    CCloseProtocol protocol(nullptr, [] { return true; });
    EXPECT_FALSE(protocol.MayClose(view));
    EXPECT_EQ(view.Grid()->GetCurRow(), row);
    EXPECT_EQ(view.Grid()->GetCurCol(), CLingueViewCore::ColCodice);

    view.Grid()->SetCellText(row, CLingueViewCore::ColCodice, "es");
    view.Grid()->SetCellText(row, CLingueViewCore::ColDescrizione, "Español");
    EXPECT_TRUE(protocol.MayClose(view));
    EXPECT_EQ(shop.Value("SELECT Descrizione FROM Lingue WHERE Codice='es'").toString(), "Español");
}

// ---- currencies ----------------------------------------------------------------------------

class CurrenciesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        shop.Row("Valute", {{"ID", 1}, {"Valuta", "Euro"}, {"Cambio", 1.0}, {"Simbolo", "€"}, {"Arrotondamento", 0.01}});
        shop.Row("Valute", {{"ID", 2}, {"Valuta", "Dollaro"}, {"Cambio", 1.1}, {"Simbolo", "$"}, {"Arrotondamento", 0.05}});
        shop.Row("Lingue", {{"ID", 1}, {"Codice", "en"}, {"IDValuta", 2}, {"Attivo", 1}, {"FlagPrezziInEuro", 1}});
        shop.Row("Lingue", {{"ID", 2}, {"Codice", "us"}, {"IDValuta", 2}, {"Attivo", 1}, {"FlagPrezziInEuro", 1}});
        shop.Row("Lingue", {{"ID", 3}, {"Codice", "it"}, {"IDValuta", 1}, {"Attivo", 1}, {"FlagPrezziInEuro", 1}});
        core = std::make_unique<CValuteViewCore>(shop.Db(), grid);
        core->Fill();
    }

    ShopTestDb shop;
    CMessageBoxScript boxes;
    CGridCore grid;
    std::unique_ptr<CValuteViewCore> core;
};

TEST_F(CurrenciesTest, RoundingStepsShowTheirEntryAndAnUnknownStepNone)
{
    EXPECT_EQ(grid.GetCellText(1, CValuteViewCore::ColArrotondamento), "Centesimi");
    EXPECT_EQ(grid.GetCellData(1, CValuteViewCore::ColArrotondamento), 6);
    EXPECT_EQ(grid.GetCellText(2, CValuteViewCore::ColArrotondamento), "") << "0.05 is no entry";
    EXPECT_EQ(grid.GetCellText(2, CValuteViewCore::ColCambio), "1,1");
    EXPECT_EQ(grid.GetComboTexts(CValuteViewCore::ColArrotondamento).size(), 9);

    ASSERT_TRUE(MoveTo(*core, -1, 2));
    int stayCol = -1;
    EXPECT_TRUE(core->IsRowModified()) << "a row without a rounding is saved to be asked for one";
    EXPECT_FALSE(MoveTo(*core, 2, 1, 2, &stayCol));
    EXPECT_EQ(stayCol, CValuteViewCore::ColArrotondamento);
    EXPECT_EQ(boxes.LastText(), "Campo obbligatorio!");
}

TEST_F(CurrenciesTest, DeletingACurrencyMovesItsLanguagesToTheEuro)
{
    ASSERT_TRUE(MoveTo(*core, -1, 2));
    boxes.Answer(QMessageBox::Yes);
    ASSERT_TRUE(core->DeleteRow());
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM Valute").toInt(), 1);
    EXPECT_EQ(shop.Column("SELECT IDValuta FROM Lingue ORDER BY ID"), (QVariantList{1, 1, 1}));
    EXPECT_EQ(shop.Column("SELECT FlagPrezziInEuro FROM Lingue ORDER BY ID"), (QVariantList{0, 0, 1}));
    EXPECT_EQ(shop.Column("SELECT Modificato FROM Lingue ORDER BY ID").value(0).toInt(), 1);
}

TEST_F(CurrenciesTest, TheEuroIsEditedButNotDeleted)
{
    ASSERT_TRUE(MoveTo(*core, -1, 1));
    EXPECT_FALSE(core->DeleteRow());
    EXPECT_EQ(boxes.LastText(), "La valuta Euro non si può cancellare.");
    EXPECT_EQ(boxes.Shown().size(), 1) << "no question after the refusal";

    grid.SetCellText(1, CValuteViewCore::ColSimbolo, "EUR");
    grid.SetCellText(1, CValuteViewCore::ColArrotondamento, "Unita");   // as the list sets it
    ASSERT_TRUE(MoveTo(*core, 1, 2));
    EXPECT_EQ(shop.Value("SELECT Simbolo FROM Valute WHERE ID=1").toString(), "EUR");
    EXPECT_EQ(shop.Value("SELECT Arrotondamento FROM Valute WHERE ID=1").toDouble(), 1.0);
}

TEST_F(CurrenciesTest, TwoCurrenciesMayBearTheSameName)
{
    ASSERT_TRUE(core->AddRow());
    EXPECT_EQ(grid.GetCurCol(), CValuteViewCore::ColValuta);
    grid.SetCellText(3, CValuteViewCore::ColValuta, "Dollaro");
    grid.SetCellFloat(3, CValuteViewCore::ColCambio, 1.3f);
    grid.SetCellText(3, CValuteViewCore::ColSimbolo, "C$");
    grid.SetCellText(3, CValuteViewCore::ColArrotondamento, "Decimi");
    EXPECT_TRUE(core->SaveNewRow());
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM Valute WHERE Valuta='Dollaro'").toInt(), 2);
    EXPECT_DOUBLE_EQ(shop.Value("SELECT Arrotondamento FROM Valute WHERE ID=3").toDouble(), 0.1);
}

TEST(SettingsCommands, EveryViewRegistersItsCommand)
{
    for (int id : {ID_PARAMETRI_GENERALI, ID_PARAMETRI_AZIENDALI, ID_LINGUE, ID_VALUTE}) {
        const CCommandInfo* info = CCommandTable::Instance().Find(id);
        ASSERT_NE(info, nullptr) << id;
        EXPECT_TRUE(info->IsViewCommand());
        EXPECT_EQ(info->rule, CommandRule::Project);
    }
}

} // namespace
