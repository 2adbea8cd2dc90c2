// The site forms' editor on a project on disk: the form's checks, the
// insertion in the default language, the field grid's kinds and its
// pending new row, moves, and the options of a drop-down field.

#include "desktop/content/CModuliView.h"
#include "desktop/content/COpzioniMenuCore.h"
#include "desktop/content/tests/ContentFixture.h"
#include "desktop/shell/app/CCloseProtocol.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QToolButton>

#include <gtest/gtest.h>

namespace {

const QString kIt = QStringLiteral("it");
const QString kEn = QStringLiteral("en");

class Forms : public ::testing::Test
{
protected:
    void SetUp() override
    {
        shop.Row(QStringLiteral("Moduli"), {{"ID", 1}, {"Codice", "INFO"}, {"Modificato", 0}});
        shop.Row(QStringLiteral("ModuliLingue"),
                 {{"ID", 1}, {"IDModulo", 1}, {"CodiceLingua", "it"}, {"Nome", ""}, {"Modificato", 0}});
    }

    // Moves the grid's cursor as the merchant does; false when refused.
    bool Go(int row, int col)
    {
        CModuliCampiCore& fields = core.Fields();
        GridNotifyInfo leave{fields.CurRow(), fields.CurCol(), row, col, {}};
        if (fields.CurRow() >= 1 && fields.OnCellLeave(leave) != 0) {
            grid.SetCurCell(leave.fromRow, leave.fromCol);
            return false;
        }
        GridNotifyInfo enter{leave.fromRow, leave.fromCol, row, col, {}};
        fields.OnCellEnter(enter);
        grid.SetCurCell(row, col);
        return true;
    }

    void Start(const QString& current = kIt)
    {
        core.SetLanguages(current, kIt);
        core.m_selectDefaultLanguage = [this] { ++defaultSelected; };
        core.Start();
    }

    ContentFixture shop;
    CMessageBoxScript boxes;
    CGridCore grid;
    CModuliViewCore core{shop.Db(), grid};
    int defaultSelected = 0;
};

struct MissingCase
{
    const char* name;
    CModuliViewCore::Form form;
    CModuliViewCore::Field focus;
    const char* text;
};

class FormChecks : public Forms, public ::testing::WithParamInterface<MissingCase>
{
};

TEST_P(FormChecks, RefuseAndPointAtTheField)
{
    const MissingCase& c = GetParam();
    Start();
    CModuliViewCore::Field focused = CModuliViewCore::NoField;
    core.m_focus = [&](CModuliViewCore::Field field) { focused = field; };
    core.OnCommand(ID_RECORD_INSERT);
    core.GetForm() = c.form;
    EXPECT_FALSE(core.SaveNew());
    EXPECT_EQ(boxes.LastText(), QString::fromUtf8(c.text));
    EXPECT_EQ(focused, c.focus);
    EXPECT_TRUE(core.IsInserting());
    EXPECT_EQ(shop.Count(QStringLiteral("Moduli")), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, FormChecks,
    ::testing::Values(
        MissingCase{"NoCode", {"", "N", "", "a@b.it", "Og"}, CModuliViewCore::CodiceField, "Campo obbligatorio!"},
        MissingCase{"NoName", {"X", "", "", "a@b.it", "Og"}, CModuliViewCore::NomeField, "Campo obbligatorio!"},
        MissingCase{"NoEmail", {"X", "N", "", "", "Og"}, CModuliViewCore::EmailField, "Campo obbligatorio!"},
        MissingCase{"NoSubject", {"X", "N", "", "a@b.it", ""}, CModuliViewCore::OggettoField, "Campo obbligatorio!"},
        MissingCase{"DigitFirst", {"1X", "N", "", "a@b.it", "Og"}, CModuliViewCore::CodiceField,
                    "Il primo carattere del codice modulo non può essere un numero!"},
        MissingCase{"CodeTaken", {"info", "N", "", "a@b.it", "Og"}, CModuliViewCore::CodiceField,
                    "Codice modulo già presente in archivio!"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Forms, ANewFormIsMadeInTheDefaultLanguage)
{
    Start(kEn);
    core.OnCommand(ID_RECORD_INSERT);
    EXPECT_EQ(defaultSelected, 1);
    EXPECT_EQ(boxes.LastText(), QStringLiteral("ATTENZIONE: L'inserimento avviene sempre nella lingua predefinita."));
    core.GetForm() = {QStringLiteral("contatti"), QStringLiteral("Contatti"), QStringLiteral("<p>Scrivi</p>"),
                      QStringLiteral("info@negozio.it"), QStringLiteral("Richiesta")};
    ASSERT_TRUE(core.SaveNew());
    const qint32 id = core.CurrentID();
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT Codice FROM Moduli WHERE ID=?"), {id}).toString(),
              QStringLiteral("CONTATTI"));
    EXPECT_EQ(shop.Column(QStringLiteral("SELECT CodiceLingua FROM ModuliLingue WHERE IDModulo=?"), {id}),
              QVariantList({kIt}));
    // The mail address is enciphered by the table class.
    EXPECT_NE(shop.Value(QStringLiteral("SELECT Email FROM Moduli WHERE ID=?"), {id}).toString(),
              QStringLiteral("info@negozio.it"));
    EXPECT_EQ(core.GetForm().email, QStringLiteral("info@negozio.it"));
    EXPECT_EQ(core.GetForm().descrizione, QStringLiteral("<p>Scrivi</p>"));
}

TEST_F(Forms, TheKindShapesItsRowAndANewRowMustBeComplete)
{
    Start();
    CModuliCampiCore& fields = core.Fields();
    ASSERT_TRUE(fields.AddRow());
    grid.SetCellText(1, 0, QStringLiteral("Quantità"));
    grid.SetCellText(1, 1, QStringLiteral("Intero"));
    // An Intero without length cannot be left; the cursor goes to "Lung.".
    EXPECT_FALSE(Go(2, 0));
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Campo obbligatorio!"));
    EXPECT_EQ(fields.FailedCol(), CModuliCampiCore::LengthCol);
    // "Data" fills the length with 8 and locks it.
    grid.SetCellText(1, 1, QStringLiteral("Data"));
    fields.FormatRow(1);
    EXPECT_EQ(grid.GetCellText(1, 2), QStringLiteral("8"));
    EXPECT_EQ(grid.GetCell(1, 2)->kind, GridCell::TextKind);
    ASSERT_TRUE(fields.SaveNewRow());
    const qint32 id = grid.GetRowData(1);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT Tipo FROM ModuliCampi WHERE ID=?"), {id}).toInt(), 5);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT Lunghezza FROM ModuliCampi WHERE ID=?"), {id}).toInt(), 8);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT Ordine FROM ModuliCampi WHERE ID=?"), {id}).toInt(), id);
    // "Etichetta" empties both numbers.
    grid.SetCellText(1, 1, QStringLiteral("Etichetta"));
    fields.FormatRow(1);
    EXPECT_EQ(grid.GetCellText(1, 2), QString());
    EXPECT_TRUE(fields.IsRowModified());
    ASSERT_TRUE(fields.SaveRow());
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT Lunghezza FROM ModuliCampi WHERE ID=?"), {id}).toInt(), 0);
}

TEST_F(Forms, ANewRowNotSavedGoesWithTheFormShown)
{
    shop.Row(QStringLiteral("Moduli"), {{"ID", 2}, {"Codice", "ALTRO"}, {"Modificato", 0}});
    Start();
    ASSERT_TRUE(core.Fields().AddRow());
    grid.SetCellText(1, 0, QStringLiteral("Nome"));
    core.OnCommand(ID_RECORD_NEXT);
    EXPECT_EQ(core.CurrentID(), 2);
    EXPECT_FALSE(core.Fields().IsNewRowPending());
    EXPECT_EQ(grid.GetRowCount(), 1);
    EXPECT_EQ(shop.Count(QStringLiteral("ModuliCampi")), 0);
}

TEST_F(Forms, FieldsMoveAndOnlyADropDownHasOptions)
{
    Start();
    CModuliCampiCore& fields = core.Fields();
    for (const char* kind : {"Etichetta", "Menu a discesa"}) {
        ASSERT_TRUE(fields.AddRow());
        const int row = grid.GetRowCount() - 1;
        grid.SetCellText(row, 0, QString::fromUtf8(kind));
        grid.SetCellText(row, 1, QString::fromUtf8(kind));
        ASSERT_TRUE(fields.SaveNewRow());
    }
    Go(1, 0);
    EXPECT_FALSE(fields.CanEditOptions());
    EXPECT_FALSE(fields.CanMoveUp());
    Go(2, 0);
    EXPECT_TRUE(fields.CanEditOptions());
    EXPECT_FALSE(fields.CanMoveDown());
    const qint32 dropDown = fields.CurrentField();
    ASSERT_TRUE(fields.MoveUp());
    EXPECT_EQ(grid.GetRowData(1), dropDown);
    EXPECT_EQ(fields.CurRow(), 1);

    // Its options, in the editing language and the default one.
    COpzioniMenuCore options(shop.Db(), dropDown, kEn, kIt);
    EXPECT_FALSE(options.Add(QString()));
    ASSERT_TRUE(options.Add(QStringLiteral("Red")));
    ASSERT_TRUE(options.Add(QStringLiteral("Blue")));
    EXPECT_EQ(shop.Count(QStringLiteral("ModuliOpzioniLingue")), 4);
    options.Select(1);
    ASSERT_TRUE(options.MoveUp());
    COpzioniMenuCore again(shop.Db(), dropDown, kIt, kIt);
    ASSERT_EQ(again.Options().size(), 2);
    EXPECT_EQ(again.Options().at(0).strText, QStringLiteral("Blue"));
    again.Select(0);
    EXPECT_EQ(again.SelectedText(), QStringLiteral("Blue"));

    // Deleting the field takes its labels and options.
    boxes.Answer(QMessageBox::Yes);
    ASSERT_TRUE(fields.DeleteRow());
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM ModuliOpzioni")).toInt(), 0);
}

TEST_F(Forms, DeletingTheLastFormEmptiesTheArchive)
{
    Start();
    boxes.Answer(QMessageBox::Yes);
    core.OnCommand(ID_RECORD_DELETE);
    EXPECT_EQ(boxes.LastText(), QStringLiteral("L'archivio moduli ora è vuoto."));
    EXPECT_FALSE(core.IsEditingEnabled());
    EXPECT_FALSE(core.IsCommandEnabled(ID_RECORD_DELETE));
    EXPECT_FALSE(core.IsCommandEnabled(ID_RECORD_NEXT));
}

TEST_F(Forms, TheViewKeepsAPendingFieldRowOpenOnClose)
{
    CModuliView view(shop.Db(), kIt, kIt);
    view.Press(CModuliView::AddField);
    ASSERT_TRUE(view.Core().Fields().IsNewRowPending());
    view.Grid()->SetCellText(1, 0, QStringLiteral("Telefono"));
    EXPECT_FALSE(CCloseProtocol(nullptr, {}).MayClose(view));
    EXPECT_EQ(view.Grid()->GetCurCol(), CModuliCampiCore::KindCol);
    view.Grid()->SetCellText(1, 1, QStringLiteral("Alfanumerico"));
    view.Grid()->SetCellText(1, 2, QStringLiteral("20"));
    view.Nome()->setText(QStringLiteral("Informazioni"));
    view.Email()->setText(QStringLiteral("a@b.it"));
    view.Oggetto()->setText(QStringLiteral("Info"));
    EXPECT_TRUE(CCloseProtocol(nullptr, {}).MayClose(view));
    EXPECT_EQ(shop.Count(QStringLiteral("ModuliCampi")), 1);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT Modificato FROM Moduli WHERE ID=1")).toInt(), 1);
}

} // namespace
