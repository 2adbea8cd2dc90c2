#include "desktop/shell/controls/CGridCore.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CValueFormat.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A parent that records what the grid tells it and answers as told.
class TestGrid : public CGridCore
{
public:
    struct Event
    {
        QString name;
        GridNotifyInfo info;
        int position = 0;
        bool busy = false;
    };

    QList<Event> events;
    std::function<int(GridNotifyInfo&)> leaveAnswer;
    int pagingAnswer = 0;
    int editorShown = 0;
    int editorHidden = 0;
    int comboShown = 0;

    QStringList Names() const
    {
        QStringList names;
        for (const auto& e : events)
            names << e.name;
        return names;
    }

    QPoint Centre(int row, int col) const { return CellRect(row, col).center(); }

protected:
    int OnCellLeave(GridNotifyInfo& info) override
    {
        events.append({"leave", info});
        return leaveAnswer ? leaveAnswer(info) : 0;
    }
    void OnCellEnter(GridNotifyInfo& info) override { events.append({"enter", info}); }
    void OnCellDblClk(GridNotifyInfo& info) override { events.append({"dblclk", info}); }
    int OnPaging(PagingMessage message, int position) override
    {
        static const char* kNames[] = {"lineup", "linedown", "pageup", "pagedown", "thumb"};
        events.append({kNames[message], {}, position, IsBusy()});
        return pagingAnswer;
    }
    void EditorShown(int, int) override { ++editorShown; }
    void EditorHidden() override { ++editorHidden; }
    void ComboShown(int, int) override { ++comboShown; }
};

// Columns: 0 check, 1 text, 2 decimal edit with groups, 3 date edit, 4 list;
// a header row and three data rows.
class GridCoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.SetColumnCount(5);
        grid.SetColumn(0, 30, GridCell::Check);
        grid.SetColumn(1, 100, GridCell::TextKind);
        grid.SetColumn(2, 80, GridCell::Edit, {}, GridCell::Right, CValueFormat::GroupedDecimal, 10, 2);
        grid.SetColumn(3, 80, GridCell::Edit, {}, GridCell::Left, CValueFormat::Date, 8, 0);
        grid.SetColumn(4, 80, GridCell::Combo);
        grid.AddComboItem(4, "Rosso", 10);
        grid.AddComboItem(4, "Verde", 20);
        grid.AddRow("\tTitolo\tPrezzo\tData\tColore\t");
        grid.SetFixedFirstRow(true);
        grid.AddRow("\tuno\t1'234.5\t01/02/2024\tVerde\t");
        grid.AddRow("\tdue\t12\t\t\t");
        grid.AddRow("\ttre\t\t\t\t");
    }

    TestGrid grid;
};

TEST(GridRows, AddRowTakesFieldsEndedByTab)
{
    TestGrid grid;
    grid.SetColumnCount(2);
    grid.AddRow("a\tb");
    grid.AddRow("a\tb\t");
    grid.AddRow("\tTitolo\t");
    EXPECT_EQ(grid.GetCellText(0, 0), "a");
    EXPECT_EQ(grid.GetCellText(0, 1), "");
    EXPECT_EQ(grid.GetCellText(1, 1), "b");
    EXPECT_EQ(grid.GetCellText(2, 0), "");
    EXPECT_EQ(grid.GetCellText(2, 1), "Titolo");
    EXPECT_EQ(grid.AddRow("x\t", 1), 1);
    EXPECT_EQ(grid.GetCellText(1, 0), "x");
    EXPECT_EQ(grid.AddRow("y\t", 99), 4);
    EXPECT_EQ(grid.AddRow("z\t", -1), 5);
}

TEST_F(GridCoreTest, HeaderRowAndDeletion)
{
    EXPECT_EQ(grid.GetCell(0, 1)->kind, GridCell::Fixed);
    EXPECT_EQ(grid.GetCell(1, 1)->kind, GridCell::TextKind);
    grid.DeleteAllRows();
    EXPECT_EQ(grid.GetRowCount(), 1);
    EXPECT_TRUE(grid.GetFixedFirstRow());
    grid.DeleteRow(5); // ignored
    grid.DeleteRow(0);
    EXPECT_FALSE(grid.GetFixedFirstRow());
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(grid.GetRowData(3), 0);
}

TEST_F(GridCoreTest, CopyRowCopiesTextsChecksAndData)
{
    grid.SetCellCheck(1, 0, 1);
    grid.SetRowData(1, 77);
    EXPECT_EQ(grid.CopyRow(3, 1), 1);
    EXPECT_EQ(grid.GetCellText(3, 1), "uno");
    EXPECT_EQ(grid.GetCellCheck(3, 0), 1);
    EXPECT_EQ(grid.GetRowData(3), 77);
    EXPECT_EQ(grid.CopyRow(9, 1), 0);
}

TEST_F(GridCoreTest, ColumnCountGrowsAndShrinks)
{
    grid.SetColumnCount(6);
    EXPECT_EQ(grid.GetColumnTemplate(5)->kind, GridCell::TextKind);
    EXPECT_NE(grid.GetCell(1, 5), nullptr);
    grid.SetColumnCount(2);
    EXPECT_EQ(grid.GetCell(1, 2), nullptr);
    EXPECT_EQ(grid.GetCellText(1, 1), "uno");
}

TEST_F(GridCoreTest, SetCurCellSendsNothingAndALaterClickSendsBoth)
{
    grid.SetCurCell(1, 1);
    EXPECT_TRUE(grid.events.isEmpty());
    EXPECT_EQ(grid.GetCurRow(), 1);
    grid.Click(grid.Centre(2, 1));
    ASSERT_EQ(grid.Names(), QStringList({"leave", "enter"}));
    const GridNotifyInfo& leave = grid.events[0].info;
    EXPECT_EQ(std::tie(leave.fromRow, leave.fromCol, leave.toRow, leave.toCol),
              std::make_tuple(1, 1, 2, 1));
    EXPECT_EQ(leave.text, "uno");
    const GridNotifyInfo& enter = grid.events[1].info;
    EXPECT_EQ(std::tie(enter.fromRow, enter.fromCol, enter.toRow, enter.toCol),
              std::make_tuple(1, 1, 2, 1));
    EXPECT_EQ(enter.text, "due");
}

TEST_F(GridCoreTest, FirstClickSendsOnlyEnter)
{
    grid.Click(grid.Centre(1, 1));
    EXPECT_EQ(grid.Names(), QStringList({"enter"}));
    EXPECT_EQ(grid.events[0].info.fromRow, -1);
}

TEST_F(GridCoreTest, ClickOnTheHeaderOrBeyondIsNoCell)
{
    grid.Click(grid.Centre(0, 1));
    grid.Click(QPoint(399, 299));
    EXPECT_TRUE(grid.events.isEmpty());
    EXPECT_EQ(grid.GetCurRow(), -1);
}

TEST_F(GridCoreTest, VetoKeepsTheOldCellAndReopensItsEditor)
{
    grid.Click(grid.Centre(1, 2));
    EXPECT_TRUE(grid.IsEditing());
    grid.leaveAnswer = [](GridNotifyInfo&) { return -1; };
    grid.events.clear();
    grid.Click(grid.Centre(2, 1));
    EXPECT_EQ(grid.Names(), QStringList({"leave", "enter"}));
    EXPECT_EQ(grid.GetCurRow(), 1);
    EXPECT_EQ(grid.GetCurCol(), 2);
    EXPECT_TRUE(grid.IsEditing());
    EXPECT_EQ(grid.editorShown, 2);
    EXPECT_EQ(grid.editorHidden, 1);
}

TEST_F(GridCoreTest, VetoMaySendTheCursorToAnotherColumnOfTheRow)
{
    grid.SetCurCell(1, 1);
    grid.leaveAnswer = [](GridNotifyInfo& info) {
        info.fromCol = 3;
        return -1;
    };
    grid.Click(grid.Centre(2, 1));
    EXPECT_EQ(grid.GetCurRow(), 1);
    EXPECT_EQ(grid.GetCurCol(), 3);
    EXPECT_TRUE(grid.IsEditing());
}

TEST_F(GridCoreTest, CheckTogglesOnlyInsideItsBox)
{
    const QRect cell = grid.CellRect(1, 0);
    grid.Click(QPoint(cell.left() + 1, cell.top() + 1));
    EXPECT_EQ(grid.GetCurCol(), 0);
    EXPECT_EQ(grid.GetCellCheck(1, 0), 0);
    grid.Click(grid.Centre(1, 0));
    EXPECT_EQ(grid.GetCellCheck(1, 0), 1);
    EXPECT_EQ(grid.events.last().name, "enter");
}

TEST_F(GridCoreTest, SpaceTogglesACheckCellAndAlwaysNotifies)
{
    grid.SetCurCell(2, 0);
    grid.SpaceKeyUp();
    EXPECT_EQ(grid.GetCellCheck(2, 0), 1);
    ASSERT_EQ(grid.Names(), QStringList({"enter"}));
    const GridNotifyInfo& info = grid.events[0].info;
    EXPECT_EQ(std::tie(info.fromRow, info.fromCol, info.toRow, info.toCol),
              std::make_tuple(0, 0, 2, 0));
    EXPECT_TRUE(info.text.isEmpty());
    grid.SetCurCell(2, 1);
    grid.SpaceKeyUp();
    EXPECT_EQ(grid.events.size(), 1);
}

TEST_F(GridCoreTest, DoubleClickNamesTheCurrentCell)
{
    grid.DoubleClick();
    EXPECT_TRUE(grid.events.isEmpty());
    grid.Click(grid.Centre(3, 1));
    grid.DoubleClick();
    ASSERT_EQ(grid.events.last().name, "dblclk");
    EXPECT_EQ(grid.events.last().info.toRow, 3);
    EXPECT_EQ(grid.events.last().info.fromRow, 0);
    EXPECT_EQ(grid.events.last().info.text, "tre");
}

TEST_F(GridCoreTest, InPlaceEditingCommitsTheValidatedText)
{
    grid.Click(grid.Centre(2, 2));
    ASSERT_TRUE(grid.IsEditing());
    EXPECT_EQ(grid.Editor().GetWindowText(), "12");
    grid.Editor().SetWindowText("1234.5");
    EXPECT_EQ(grid.GetCellText(2, 2), "1234,5");
    EXPECT_DOUBLE_EQ(grid.GetCellDouble(2, 2), 1234.5);
    grid.Click(grid.Centre(3, 1));
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_EQ(grid.GetCellText(2, 2), "1234,5");
    EXPECT_EQ(grid.events[grid.events.size() - 2].info.text, "1234,5");
}

TEST_F(GridCoreTest, AWrongDateIsReportedAndTheCellKeepsItsDate)
{
    CMessageBoxScript boxes;
    grid.Click(grid.Centre(1, 3));
    EXPECT_EQ(grid.Editor().GetWindowText(), "01022024");
    grid.Editor().SetWindowText("31022024");
    grid.Click(grid.Centre(2, 1));
    EXPECT_EQ(boxes.LastText(), "Data non corretta!");
    EXPECT_EQ(grid.GetCellText(1, 3), "01/02/2024");

    grid.Click(grid.Centre(2, 3));
    grid.Editor().SetWindowText("01022024");
    grid.SetCurCell(3, 1);
    EXPECT_EQ(grid.GetCellText(2, 3), "01/02/2024");
    EXPECT_EQ(boxes.Shown().size(), 1);
}

TEST_F(GridCoreTest, SettersCommitAnOpenEditor)
{
    grid.Click(grid.Centre(2, 2));
    grid.Editor().SetWindowText("7");
    grid.SetCellText(3, 1, "x");
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_EQ(grid.GetCellText(2, 2), "7");
}

TEST_F(GridCoreTest, TypedSettersAndGetters)
{
    grid.SetCellFormat(3, 1, CValueFormat::Integer, 10, 0);
    grid.SetCellInt(3, 1, 1000000001);
    EXPECT_EQ(grid.GetCellText(3, 1), "1000000001");
    EXPECT_EQ(grid.GetCellInt(3, 1), 1000000001);
    EXPECT_EQ(grid.GetCellLong(3, 1), 1000000001);
    grid.SetCellDouble(3, 2, 1234567.25);
    EXPECT_EQ(grid.GetCellText(3, 2), "1234567,25");
    grid.SetCellFloat(3, 2, 12.5f);
    EXPECT_FLOAT_EQ(grid.GetCellFloat(3, 2), 12.5f);
    grid.SetCellDate(3, 3, 2024, 12, 31);
    EXPECT_EQ(grid.GetCellText(3, 3), "31/12/2024");
    EXPECT_EQ(grid.GetCellDate(3, 3).date(), QDate(2024, 12, 31));
    grid.SetCellText(9, 9, "ignored");
    EXPECT_EQ(grid.GetCellText(9, 9), "");
}

TEST_F(GridCoreTest, ComboCellTakesTheListChoice)
{
    EXPECT_EQ(grid.GetCellData(1, 4), 20);
    EXPECT_EQ(grid.GetCellData(2, 4), 0);
    EXPECT_EQ(grid.AddComboItem(1, "no list", 1), -1);
    grid.Click(grid.Centre(2, 4));
    EXPECT_TRUE(grid.IsComboOpen());
    EXPECT_EQ(grid.GetComboSel(4), -1);
    grid.SetComboSel(4, 0);
    EXPECT_EQ(grid.GetCellText(2, 4), "Rosso");
    grid.Click(grid.Centre(3, 1));
    EXPECT_FALSE(grid.IsComboOpen());
    EXPECT_EQ(grid.GetCellText(2, 4), "Rosso");
    EXPECT_EQ(grid.GetCell(2, 4)->itemData, 10);
    grid.Click(grid.Centre(1, 4));
    EXPECT_EQ(grid.GetComboSel(4), 1);
}

TEST_F(GridCoreTest, ScrollWithoutCurrentCellSendsNoLeave)
{
    grid.VScroll(CGridCore::LineDown);
    EXPECT_EQ(grid.Names(), QStringList({"linedown"}));
}

TEST_F(GridCoreTest, ScrollLeavesTowardTheOriginButKeepsTheCell)
{
    grid.Click(grid.Centre(2, 2));
    grid.Editor().SetWindowText("5");
    grid.events.clear();
    grid.leaveAnswer = [](GridNotifyInfo&) { return -1; };
    grid.VScroll(CGridCore::PageDown);
    ASSERT_EQ(grid.Names(), QStringList({"leave", "pagedown"}));
    EXPECT_EQ(grid.events[0].info.toRow, 0);
    EXPECT_EQ(grid.events[0].info.toCol, 0);
    EXPECT_EQ(grid.GetCurRow(), 2);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_EQ(grid.GetCellText(2, 2), "5");
}

TEST_F(GridCoreTest, PagingModeMovesTheBoxOnlyToTheParentsAnswer)
{
    grid.SetVirtualMode(true, 3);
    grid.SetVirtualPos(1);
    grid.SetVirtualCount(50);
    EXPECT_EQ(grid.GetVBar().min, 1);
    EXPECT_EQ(grid.GetVBar().max, 50);
    EXPECT_EQ(grid.GetVBar().page, 3);
    const int before = grid.GetVBar().pos;

    grid.pagingAnswer = 0;
    grid.VScroll(CGridCore::LineDown);
    EXPECT_EQ(grid.GetVBar().pos, before);

    grid.pagingAnswer = 7;
    grid.VScroll(CGridCore::PageDown);
    EXPECT_EQ(grid.GetVBar().pos, 7);
    EXPECT_TRUE(grid.events.last().busy);

    grid.pagingAnswer = 20;
    grid.VScroll(CGridCore::ThumbPosition, 21);
    EXPECT_EQ(grid.events.last().name, "thumb");
    EXPECT_EQ(grid.events.last().position, 21);
    EXPECT_EQ(grid.GetVBar().pos, 20);

    grid.VScroll(CGridCore::ThumbTrack, 30);
    EXPECT_EQ(grid.events.last().name, "thumb");
    grid.VScroll(CGridCore::LineUp);
    EXPECT_FALSE(grid.events.last().busy);
    EXPECT_EQ(grid.GetVOffset(), 0);
    EXPECT_FALSE(grid.IsBusy());
}

TEST(GridScrolling, OffsetsMoveByRowsAndPagesAndStayInRange)
{
    TestGrid grid;
    grid.SetColumnCount(2);
    grid.SetColumn(0, 300, GridCell::TextKind);
    grid.SetColumn(1, 300, GridCell::Edit);
    grid.AddRow("\tA\t");
    grid.SetFixedFirstRow(true);
    for (int i = 0; i < 40; ++i)
        grid.AddRow(QString("r%1\t\t").arg(i));
    grid.SetClientSize(QSize(400, 220)); // page = 200 pixels = 10 rows
    EXPECT_EQ(grid.GetVBar().max, 800);
    EXPECT_EQ(grid.GetVBar().page, 200);

    grid.VScroll(CGridCore::LineDown);
    EXPECT_EQ(grid.GetVOffset(), 20);
    EXPECT_EQ(grid.GetVBar().pos, 20);
    grid.VScroll(CGridCore::PageDown);
    EXPECT_EQ(grid.GetVOffset(), 220);
    grid.VScroll(CGridCore::ThumbTrack, 5000);
    EXPECT_EQ(grid.GetVOffset(), 600);
    grid.VScroll(CGridCore::PageUp);
    grid.VScroll(CGridCore::PageUp);
    grid.VScroll(CGridCore::PageUp);
    grid.VScroll(CGridCore::PageUp);
    EXPECT_EQ(grid.GetVOffset(), 0);

    // A row under the header after scrolling is hit where it is drawn.
    grid.VScroll(CGridCore::ThumbTrack, 100);
    int row = -1;
    int col = -1;
    ASSERT_TRUE(grid.HitTest(QPoint(10, 25), row, col));
    EXPECT_EQ(row, 6);
    EXPECT_FALSE(grid.HitTest(QPoint(10, 5), row, col));

    // Entering a cell scrolls it into view; horizontal lines are one pixel.
    grid.SetCurCell(40, 1);
    EXPECT_EQ(grid.GetVOffset(), 600);
    EXPECT_EQ(grid.GetHOffset(), 200);
    grid.HScroll(CGridCore::LineUp);
    EXPECT_EQ(grid.GetHOffset(), 199);
    EXPECT_FALSE(grid.IsEditing());

    // When everything fits again the offset returns to 0.
    grid.DeleteAllRows();
    EXPECT_EQ(grid.GetVOffset(), 0);
}

} // namespace
