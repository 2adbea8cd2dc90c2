#include "desktop/shell/controls/CCellMatrix.h"
#include "desktop/shell/controls/CCellMatrixCore.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct CellsCase
{
    const char* name;
    const char* text;
    int start;
    int end;
    QStringList texts;
    int expectStart;
    int expectEnd;
};

class CellMatrixCells : public ::testing::TestWithParam<CellsCase>
{
};

TEST_P(CellMatrixCells, TextsAndSelection)
{
    const CellsCase& c = GetParam();
    CCellMatrixCore core;
    core.SetCells(QString::fromUtf8(c.text), c.start, c.end);
    EXPECT_EQ(core.Texts(), c.texts);
    EXPECT_EQ(core.GetSelStart(), c.expectStart);
    EXPECT_EQ(core.GetSelEnd(), c.expectEnd);
}

INSTANTIATE_TEST_SUITE_P(
    CellMatrix, CellMatrixCells,
    ::testing::Values(CellsCase{"EveryTextEnded", "S|M|L|", -1, -1, {"S", "M", "L"}, 0, 2},
                      CellsCase{"TailWithoutBarDropped", "S|M|L", -1, -1, {"S", "M"}, 0, 1},
                      CellsCase{"GivenSelection", "38|39|40|41|", 1, 2, {"38", "39", "40", "41"}, 1, 2},
                      CellsCase{"EmptyTextSelectsNothing", "", 0, 3, {}, -1, -1},
                      CellsCase{"EmptyTexts", "||", -1, -1, {"", ""}, 0, 1}),
    [](const ::testing::TestParamInfo<CellsCase>& info) { return std::string(info.param.name); });

// Ten cells of 40x20 in a 100x60 area: lines at 0, 40, 80 make three
// columns and lines at 0, 20, 40 three rows.
CCellMatrixCore TenCells()
{
    CCellMatrixCore core;
    core.SetCellSize(QSize(40, 20));
    core.SetClientSize(QSize(100, 60));
    core.SetCells(QStringLiteral("0|1|2|3|4|5|6|7|8|9|"));
    return core;
}

TEST(CellMatrix, LayoutAndHitTest)
{
    CCellMatrixCore core = TenCells();
    EXPECT_EQ(core.Columns(), 3);
    EXPECT_EQ(core.Rows(), 3);
    EXPECT_EQ(core.CellRect(4), QRect(40, 20, 40, 20));
    EXPECT_TRUE(core.CellRect(9).isEmpty()) << "only nine cells are visible";
    EXPECT_EQ(core.HitTest(QPoint(45, 25)), 4);
    EXPECT_EQ(core.HitTest(QPoint(85, 45)), 8);

    core.SetCells(QStringLiteral("a|b|"));
    EXPECT_EQ(core.HitTest(QPoint(85, 45)), -1) << "a cell without a text";
}

TEST(CellMatrix, ResizingReflowsTheColumns)
{
    CCellMatrixCore core = TenCells();
    core.SetClientSize(QSize(200, 60));   // five columns
    EXPECT_EQ(core.Columns(), 5);
    EXPECT_EQ(core.CellRect(5), QRect(0, 20, 40, 20));
    EXPECT_EQ(core.HitTest(QPoint(165, 5)), 4);
}

TEST(CellMatrix, DraggingBackwardsSelectsTheRange)
{
    CCellMatrixCore core = TenCells();
    EXPECT_TRUE(core.ButtonDown(QPoint(90, 25)));   // cell 5
    EXPECT_TRUE(core.MouseMove(QPoint(85, 5)));     // cell 2
    EXPECT_TRUE(core.ButtonUp());
    EXPECT_EQ(core.GetSelStart(), 2);
    EXPECT_EQ(core.GetSelEnd(), 5);
    EXPECT_FALSE(core.MouseMove(QPoint(5, 5))) << "no tracking after the release";
    EXPECT_EQ(core.GetSelStart(), 2);
}

TEST(CellMatrix, WidgetTellsItsParentOnRelease)
{
    CCellMatrix matrix;
    matrix.resize(300, 100);
    matrix.show();
    matrix.SetCells(QStringLiteral("S|M|L|XL|"));
    QSignalSpy selected(&matrix, &CCellMatrix::UM_CELLS_SELECTED);
    const QRect second = matrix.Core().CellRect(1);
    const QRect fourth = matrix.Core().CellRect(3);
    QTest::mousePress(&matrix, Qt::LeftButton, {}, fourth.center());
    QMouseEvent move(QEvent::MouseMove, second.center(), matrix.mapToGlobal(second.center()), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&matrix, &move);
    EXPECT_EQ(selected.count(), 0);
    QTest::mouseRelease(&matrix, Qt::LeftButton, {}, second.center());
    EXPECT_EQ(selected.count(), 1);
    EXPECT_EQ(matrix.GetSelStart(), 1);
    EXPECT_EQ(matrix.GetSelEnd(), 3);
}

} // namespace
