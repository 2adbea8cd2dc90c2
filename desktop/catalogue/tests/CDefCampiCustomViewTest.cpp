// "Definizione campi custom": the custom fields of the products, per category.

#include "desktop/catalogue/CDefCampiCustomView.h"
#include "desktop/catalogue/CDefCampiCustomViewCore.h"
#include "desktop/catalogue/tests/CatalogueFixture.h"
#include "desktop/shell/app/CCloseProtocol.h"
#include "desktop/shell/controls/CGridCore.h"
#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using Core = CDefCampiCustomViewCore;

class DefCampiTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Definition(1, 0, "Materiale", Core::Alfanumerico, 20, 0);
        Definition(2, 5, "Peso", Core::Decimale, 6, 2);
        core = std::make_unique<Core>(f.Db(), grid);
        core->Fill();
    }

    void Definition(qint32 id, qint32 category, const char* name, int tipo, int length, int decimals)
    {
        f.Db().Execute(QStringLiteral("INSERT INTO DefinizioneCampiCustom (ID, IDCategoria, Nome, Tipo, Lunghezza, "
                                      "Decimali, Modificato) VALUES (?, ?, ?, ?, ?, ?, 0)"),
                       {id, category, QString::fromUtf8(name), tipo, length, decimals});
    }

    // Moves the cursor as a click would, with the leave and enter steps.
    int Move(int toRow, int toCol)
    {
        GridNotifyInfo leave{core->CurRow(), core->CurCol(), toRow, toCol, QString()};
        const int refused = core->CurRow() > 0 ? core->OnCellLeave(leave) : 0;
        if (refused == 0)
            core->OnCellEnter({leave.fromRow, leave.fromCol, toRow, toCol, QString()});
        return refused;
    }

    QString Row(int row)
    {
        return QStringLiteral("%1|%2|%3|%4")
            .arg(grid.GetCellText(row, 0), grid.GetCellText(row, 1), grid.GetCellText(row, 2), grid.GetCellText(row, 3));
    }

    QVariant Scalar(const QString& sql) { return f.Scalar(sql); }

    CatalogueFixture f;
    CMessageBoxScript boxes;
    CGridCore grid;
    std::unique_ptr<Core> core;
};

TEST_F(DefCampiTest, TheGridShowsTheChosenCategorysDefinitions)
{
    EXPECT_EQ(Row(0), "Nome|Tipo|Lung.|Dec.");
    ASSERT_EQ(grid.GetRowCount(), 2);
    EXPECT_EQ(Row(1), "Materiale|Alfanumerico|20|");
    EXPECT_EQ(grid.GetComboTexts(1).size(), 7);
    EXPECT_EQ(grid.GetCell(1, 3)->kind, GridCell::TextKind) << "no decimals for text";

    ASSERT_TRUE(core->ChooseCategory(5));
    ASSERT_EQ(grid.GetRowCount(), 2);
    EXPECT_EQ(Row(1), "Peso|Decimale|6|2");
    EXPECT_EQ(grid.GetCell(1, 3)->kind, GridCell::Edit);
}

TEST_F(DefCampiTest, ANewRowIsStoredForTheChosenCategoryWhenLeft)
{
    ASSERT_TRUE(core->ChooseCategory(5));
    ASSERT_TRUE(core->AddRow());
    EXPECT_EQ(grid.GetRowData(2), -1);
    grid.SetCellText(2, 0, "Garanzia");
    grid.SetCellText(2, 1, "Intero");
    Move(2, 1);
    Move(2, 2);   // leaving the type within the row applies its rules
    grid.SetCellText(2, 2, "2");
    EXPECT_EQ(Move(1, 0), 0);
    EXPECT_FALSE(core->IsNewRowPending());
    EXPECT_EQ(grid.GetRowData(2), 3) << "the table's highest ID + 1";
    EXPECT_EQ(Scalar("SELECT IDCategoria || '/' || Nome || '/' || Tipo || '/' || Lunghezza || '/' || Decimali || '/' "
                     "|| Modificato FROM DefinizioneCampiCustom WHERE ID=3")
                  .toString(),
              "5/Garanzia/1/2/0/1");
}

TEST_F(DefCampiTest, TheTypeDecidesTheNumberCells)
{
    grid.SetCurCell(1, 1);
    Move(1, 1);
    grid.SetCellText(1, 1, "Decimale");
    Move(1, 2);
    EXPECT_EQ(grid.GetCell(1, 3)->kind, GridCell::Edit);
    grid.SetCellText(1, 3, "2");
    Move(1, 1);
    grid.SetCellText(1, 1, "Intero");
    Move(1, 0);
    EXPECT_EQ(grid.GetCell(1, 3)->kind, GridCell::TextKind);
    EXPECT_EQ(grid.GetCellText(1, 3), "");
    Move(1, 1);
    grid.SetCellText(1, 1, "Data");
    Move(1, 0);
    EXPECT_EQ(grid.GetCellText(1, 2), "8");
    EXPECT_EQ(grid.GetCell(1, 2)->kind, GridCell::TextKind);
    grid.SetCellText(1, 1, "Codice Fiscale");
    Move(1, 1);
    Move(1, 0);
    EXPECT_EQ(grid.GetCellText(1, 2), "16");
}

struct Refusal
{
    const char* name;
    const char* cells[4];
    int column;
    const char* message;
};

class DefCampiRefusals : public DefCampiTest, public ::testing::WithParamInterface<Refusal>
{
};

TEST_P(DefCampiRefusals, ANewRowThatCannotBeStoredCannotBeLeft)
{
    ASSERT_TRUE(core->AddRow());
    for (int col = 0; col < 4; ++col)
        grid.SetCellText(2, col, QString::fromUtf8(GetParam().cells[col]));
    GridNotifyInfo leave{2, 0, 1, 0, QString()};
    EXPECT_EQ(core->OnCellLeave(leave), -1);
    EXPECT_EQ(leave.fromCol, GetParam().column);
    EXPECT_EQ(boxes.LastText(), QString::fromUtf8(GetParam().message));
    EXPECT_EQ(boxes.Shown().last().caption, "Validazione campi");
    EXPECT_TRUE(core->IsNewRowPending());
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM DefinizioneCampiCustom").toInt(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DefCampiRefusals,
    ::testing::Values(Refusal{"NoName", {"", "Intero", "3", ""}, 0, "Campo obbligatorio!"},
                      Refusal{"NoType", {"Nome", "", "3", ""}, 1, "Campo obbligatorio!"},
                      Refusal{"NoLength", {"Nome", "Intero", "", ""}, 2, "Campo obbligatorio!"},
                      Refusal{"NoDecimalsForADecimal", {"Nome", "Decimale Formattato", "5", ""}, 3,
                              "Campo obbligatorio!"},
                      Refusal{"BarInTheName", {"Peso|kg", "Intero", "3", ""}, 0,
                              "Il carattere \"|\" non è ammesso nel nome di un campo custom."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DefCampiTest, AChangedRowIsSavedWhenLeftAndABarIsRefusedThereToo)
{
    grid.SetCurCell(1, 0);
    Move(1, 0);
    grid.SetCellText(1, 0, "Materiale|x");
    EXPECT_TRUE(core->IsRowModified());
    EXPECT_FALSE(core->SaveRow());
    EXPECT_EQ(Scalar("SELECT Nome FROM DefinizioneCampiCustom WHERE ID=1").toString(), "Materiale");

    // "Add" moves the cursor without a leave step: the changed row is saved first.
    EXPECT_FALSE(core->AddRow());
    EXPECT_EQ(grid.GetRowCount(), 2);
    grid.SetCellText(1, 0, "Tessuto");
    ASSERT_TRUE(core->AddRow());
    EXPECT_EQ(Scalar("SELECT Nome FROM DefinizioneCampiCustom WHERE ID=1").toString(), "Tessuto");
}

TEST_F(DefCampiTest, DeletingAsksAndLogs)
{
    EXPECT_FALSE(core->DeleteRow());
    EXPECT_EQ(boxes.LastText(), "Selezionare la riga da cancellare.");
    EXPECT_EQ(boxes.Shown().last().caption, "Cancellazione campo custom");

    ASSERT_TRUE(core->AddRow());
    ASSERT_TRUE(core->DeleteRow()) << "a row never saved goes from the grid alone";
    EXPECT_EQ(grid.GetRowCount(), 2);
    EXPECT_FALSE(core->IsNewRowPending());

    Move(1, 0);
    ASSERT_TRUE(core->DeleteRow());
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM DefinizioneCampiCustom WHERE ID=1").toInt(), 0);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='DefinizioneCampiCustom' AND IDRecord=1")
                  .toInt(),
              1);
}

TEST_F(DefCampiTest, ChoosingAnotherCategorySavesThePendingRowFirst)
{
    ASSERT_TRUE(core->AddRow());
    grid.SetCellText(2, 0, "Colore");
    EXPECT_FALSE(core->ChooseCategory(5)) << "the type is missing";
    EXPECT_EQ(core->Category(), 0);
    grid.SetCellText(2, 1, "Alfanumerico");
    grid.SetCellText(2, 2, "10");
    ASSERT_TRUE(core->ChooseCategory(5));
    EXPECT_EQ(Scalar("SELECT IDCategoria FROM DefinizioneCampiCustom WHERE Nome='Colore'").toInt(), 0);
}

TEST(DefCampiView, TheViewChoosesItsCategoryAndClosesThroughTheGridRules)
{
    CatalogueFixture f;
    f.AddCategory(5, 0, 1);
    f.AddCategoryName(5, "it", "Scarpe");
    CMessageBoxScript boxes;
    CDefCampiCustomView view(f.Db(), "it", "it");
    QString text;
    view.CategoryEdit()->GetValue(text);
    EXPECT_EQ(text, "Tutte le categorie");

    view.AddButton()->click();
    view.Grid()->SetCellText(1, 0, "Suola");
    view.Grid()->SetCellText(1, 1, "Alfanumerico");
    view.Grid()->SetCellText(1, 2, "12");
    view.ChooseCategory(5, "Scarpe");
    view.CategoryEdit()->GetValue(text);
    EXPECT_EQ(text, "Scarpe");
    EXPECT_EQ(f.Scalar("SELECT IDCategoria FROM DefinizioneCampiCustom WHERE Nome='Suola'").toInt(), 0);

    f.AddCategoryName(5, "en", "Shoes");
    view.m_currentLanguage = [] { return QStringLiteral("en"); };
    view.m_defaultLanguage = [] { return QStringLiteral("it"); };
    view.RefreshLanguage();
    view.CategoryEdit()->GetValue(text);
    EXPECT_EQ(text, "Shoes") << "the chosen category in the new editing language";

    view.AddButton()->click();
    view.Grid()->SetCellText(1, 0, "Tacco");
    EXPECT_FALSE(CCloseProtocol(nullptr, {}).MayClose(view));
    EXPECT_EQ(boxes.LastText(), "Campo obbligatorio!");
    view.Grid()->SetCellText(1, 1, "Intero");
    view.Grid()->SetCellText(1, 2, "2");
    EXPECT_TRUE(CCloseProtocol(nullptr, {}).MayClose(view));
    EXPECT_EQ(f.Scalar("SELECT IDCategoria FROM DefinizioneCampiCustom WHERE Nome='Tacco'").toInt(), 5);
}

} // namespace
