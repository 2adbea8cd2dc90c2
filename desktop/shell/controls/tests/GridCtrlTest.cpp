#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CGridEditBox.h"
#include "desktop/shell/controls/CValueFormat.h"

#include <QComboBox>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class GridCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.resize(500, 300);
        grid.SetColumnCount(4);
        grid.SetColumn(0, 30, GridCell::Check);
        grid.SetColumn(1, 100, GridCell::TextKind);
        grid.SetColumn(2, 80, GridCell::Edit, {}, GridCell::Right, CValueFormat::Decimal, 6, 2);
        grid.SetColumn(3, 80, GridCell::Combo);
        grid.AddComboItem(3, "Rosso", 10);
        grid.AddComboItem(3, "Verde", 20);
        grid.AddRow("\tTitolo\tPrezzo\tColore\t");
        grid.SetFixedFirstRow(true);
        for (int i = 1; i <= 3; ++i)
            grid.AddRow(QString("\triga %1\t%1\t\t").arg(i));
        grid.show();
        QObject::connect(&grid, &CGridCtrl::UM_GRID_CELL_LEAVE, &grid,
                         [this](GridNotifyInfo* info, int* result) {
                             log << QString("leave %1,%2>%3,%4").arg(info->fromRow).arg(info->fromCol)
                                        .arg(info->toRow).arg(info->toCol);
                             *result = veto;
                         });
        QObject::connect(&grid, &CGridCtrl::UM_GRID_CELL_ENTER, &grid, [this](GridNotifyInfo* info) {
            log << QString("enter %1,%2").arg(info->toRow).arg(info->toCol);
        });
        QObject::connect(&grid, &CGridCtrl::UM_GRID_CELL_DBLCLK, &grid, [this](GridNotifyInfo* info) {
            log << QString("dblclk %1,%2").arg(info->toRow).arg(info->toCol);
        });
    }

    void ClickCell(int row, int col)
    {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.CellRect(row, col).center());
    }

    CGridCtrl grid;
    QStringList log;
    int veto = 0;
};

TEST_F(GridCtrlTest, MouseClicksNotifyTheParent)
{
    ClickCell(1, 1);
    ClickCell(2, 1);
    EXPECT_EQ(log, QStringList({"enter 1,1", "leave 1,1>2,1", "enter 2,1"}));
    log.clear();
    // A double click's first button-up makes the cell current.
    ClickCell(3, 1);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, grid.CellRect(3, 1).center());
    EXPECT_TRUE(log.contains("dblclk 3,1")) << log.join(" | ").toStdString();
}

TEST_F(GridCtrlTest, AVetoAnsweredInTheHandlerKeepsTheCell)
{
    ClickCell(1, 1);
    veto = -1;
    ClickCell(2, 1);
    EXPECT_EQ(grid.GetCurRow(), 1);
    veto = 0;
    ClickCell(2, 1);
    EXPECT_EQ(grid.GetCurRow(), 2);
}

TEST_F(GridCtrlTest, TheEditorFiltersKeysAndCommitsOnLeaving)
{
    ClickCell(2, 2);
    ASSERT_TRUE(grid.IsEditing());
    CGridEditBox* box = grid.GetEditBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(), "2");
    EXPECT_TRUE(box->hasSelectedText());
    QTest::keyClicks(box, "12a3.456");
    EXPECT_EQ(box->text(), "123.45");
    ClickCell(3, 1);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_EQ(grid.GetEditBox(), nullptr);
    EXPECT_EQ(grid.GetCellText(2, 2), "123,45");
}

TEST_F(GridCtrlTest, TheListShowsOverItsCell)
{
    ClickCell(1, 3);
    QComboBox* combo = grid.GetColumnCombo(3);
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(combo->isVisible());
    EXPECT_EQ(combo->count(), 2);
    combo->setCurrentIndex(1);
    ClickCell(2, 1);
    EXPECT_FALSE(combo->isVisible());
    EXPECT_EQ(grid.GetCellText(1, 3), "Verde");
    EXPECT_EQ(grid.GetCellData(1, 3), 20);
    EXPECT_EQ(grid.GetColumnCombo(1), nullptr);
}

TEST_F(GridCtrlTest, SpaceTogglesTheCurrentCheck)
{
    grid.SetCurCell(1, 0);
    QTest::keyClick(&grid, Qt::Key_Space);
    EXPECT_EQ(grid.GetCellCheck(1, 0), 1);
    EXPECT_EQ(log, QStringList({"enter 1,0"}));
}

TEST_F(GridCtrlTest, ScrollBarRequestsReachThePagingParent)
{
    grid.SetVirtualMode(true, 3);
    grid.SetVirtualPos(1);
    grid.SetVirtualCount(40);
    int answer = 0;
    QStringList paging;
    QObject::connect(&grid, &CGridCtrl::UM_GRID_PAGE_DOWN, &grid, [&](int* result) {
        paging << "pagedown";
        *result = answer;
    });
    QObject::connect(&grid, &CGridCtrl::UM_GRID_LINE_DOWN, &grid, [&](int* result) {
        paging << "linedown";
        *result = answer;
    });
    QObject::connect(&grid, &CGridCtrl::UM_GRID_THUMB, &grid, [&](int position, int* result) {
        paging << QString("thumb %1").arg(position);
        *result = answer;
    });
    QScrollBar* bar = grid.verticalScrollBar();
    EXPECT_EQ(bar->minimum(), 1);
    const int before = bar->value();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(bar->value(), before);
    answer = 10;
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(bar->value(), 10);
    answer = 0;
    bar->setSliderDown(true);
    bar->setSliderPosition(25);
    bar->setSliderDown(false);
    EXPECT_EQ(paging, QStringList({"linedown", "pagedown", "thumb 25"}));
    EXPECT_EQ(bar->value(), 10);
}

} // namespace
