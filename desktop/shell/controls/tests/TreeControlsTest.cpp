#include "desktop/shell/controls/CCheckTreeCtrl.h"
#include "desktop/shell/controls/CCheckTreePopupDlg.h"
#include "desktop/shell/controls/CClickListCtrl.h"
#include "desktop/shell/controls/CDragTreeCtrl.h"
#include "desktop/shell/controls/CTreePopupDlg.h"
#include "desktop/shell/controls/CTreeRules.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// root
//   a
//     a1
//       a11
//   b
class DragTreeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = Add(nullptr, "root", 1);
        a = Add(root, "a", 2);
        a1 = Add(a, "a1", 3);
        a11 = Add(a1, "a11", 4);
        b = Add(root, "b", 5);
        tree.m_beep = [this] { ++beeps; };
        QObject::connect(&tree, &CDragTreeCtrl::UM_TREE_DROP, [this](TreeDropRecord* record) {
            drops << *record;
        });
    }

    QTreeWidgetItem* Add(QTreeWidgetItem* parent, const char* text, int id)
    {
        auto* item = new QTreeWidgetItem(QStringList{QString::fromUtf8(text)});
        item->setData(0, Qt::UserRole, id);
        if (parent)
            parent->addChild(item);
        else
            tree.addTopLevelItem(item);
        return item;
    }

    void Drag(QTreeWidgetItem* from, QTreeWidgetItem* to, int command)
    {
        tree.BeginDrag(from);
        tree.DragOver(to);
        tree.EndDrag(command);
    }

    CDragTreeCtrl tree;
    QTreeWidgetItem* root;
    QTreeWidgetItem* a;
    QTreeWidgetItem* a1;
    QTreeWidgetItem* a11;
    QTreeWidgetItem* b;
    int beeps = 0;
    QList<TreeDropRecord> drops;
};

TEST_F(DragTreeTest, RefusedDropsBeepAndSendNothing)
{
    struct Case
    {
        const char* name;
        QTreeWidgetItem* target;
    };
    for (const Case& c : {Case{"itself", a}, Case{"descendant", a11}, Case{"own parent", root}}) {
        Drag(a, c.target, TreeDropRecord::Move);
        EXPECT_FALSE(tree.IsDragging()) << c.name;
    }
    EXPECT_EQ(beeps, 3);
    EXPECT_TRUE(drops.isEmpty());
}

TEST_F(DragTreeTest, AllowedDropTellsTheOwner)
{
    Drag(a1, b, TreeDropRecord::Copy);
    ASSERT_EQ(drops.size(), 1);
    EXPECT_EQ(drops.first().dragged, a1);
    EXPECT_EQ(drops.first().target, b);
    EXPECT_EQ(drops.first().command, TreeDropRecord::Copy);
    EXPECT_EQ(beeps, 0);
    EXPECT_EQ(tree.GetDropTarget(), nullptr);
}

TEST_F(DragTreeTest, CancelEndsTheDragWithoutAMessage)
{
    Drag(a1, b, TreeDropRecord::Cancel);
    EXPECT_TRUE(drops.isEmpty());
    EXPECT_EQ(beeps, 0);
    EXPECT_FALSE(tree.IsDragging());
}

TEST_F(DragTreeTest, CopyBranchCopiesTheWholeBranchInOrder)
{
    a1->setCheckState(0, Qt::Checked);
    QTreeWidgetItem* copy = tree.CopyBranch(a, b, nullptr);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->parent(), b);
    EXPECT_EQ(copy->text(0), "a");
    EXPECT_EQ(CTreeRules::ItemData(copy), 2);
    ASSERT_EQ(copy->childCount(), 1);
    EXPECT_EQ(copy->child(0)->checkState(0), Qt::Checked);
    ASSERT_EQ(copy->child(0)->childCount(), 1);
    EXPECT_EQ(CTreeRules::ItemData(copy->child(0)->child(0)), 4);
    EXPECT_EQ(a->childCount(), 1) << "the original stays";

    QTreeWidgetItem* after = tree.CopyBranch(a11, root, a);
    EXPECT_EQ(root->indexOfChild(after), 1) << "inserted after the given sibling";
}

TEST(TreeRules, Ancestry)
{
    QTreeWidgetItem top;
    auto* child = new QTreeWidgetItem(&top);
    auto* grandchild = new QTreeWidgetItem(child);
    EXPECT_TRUE(CTreeRules::IsAncestor(&top, grandchild));
    EXPECT_TRUE(CTreeRules::IsAncestor(child, child));
    EXPECT_FALSE(CTreeRules::IsAncestor(grandchild, &top));
    EXPECT_FALSE(CTreeRules::IsAncestor(nullptr, nullptr));
}

TEST(CheckTree, ClickOnTheBoxIsToldOnceAndOnTheLabelNot)
{
    CCheckTreeCtrl tree;
    tree.resize(300, 200);
    QTreeWidgetItem* item = tree.AddItem(nullptr, QStringLiteral("Scarpe"), 7, false);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    QSignalSpy clicks(&tree, &CCheckTreeCtrl::UM_TREE_STATE_CLICK);

    const QRect label = tree.visualItemRect(item);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, QPoint(label.right() - 5, label.center().y()));
    EXPECT_EQ(clicks.count(), 0);

    const QRect box = tree.CheckBoxRect(item);
    ASSERT_FALSE(box.isEmpty());
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, box.center());
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.first().first().value<QTreeWidgetItem*>(), item);
}

TEST(ClickList, ClickSendsTheIndexOrMinusOne)
{
    CClickListCtrl list;
    list.resize(200, 200);
    list.addItems({QStringLiteral("uno"), QStringLiteral("due")});
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QSignalSpy clicks(&list, &CClickListCtrl::UM_LIST_CLICK);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(1)).center());
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(100, 190));
    ASSERT_EQ(clicks.count(), 2);
    EXPECT_EQ(clicks.at(0).first().toInt(), 1);
    EXPECT_EQ(list.currentRow(), 1) << "the list selects first";
    EXPECT_EQ(clicks.at(1).first().toInt(), -1);
}

TEST(TreePopup, ChoosingHidesAndTellsTheOwnerEvenTheSameItemAgain)
{
    QWidget owner;
    owner.resize(300, 300);
    owner.show();
    CTreePopupDlg popup(&owner);
    auto* item = new QTreeWidgetItem(QStringList{QStringLiteral("Borse")});
    item->setData(0, Qt::UserRole, 12);
    popup.Tree()->addTopLevelItem(item);
    QSignalSpy chosen(&popup, &CTreePopupDlg::UM_TREE_POPUP_SELECT);

    popup.ShowOver(&owner);
    popup.Tree()->setCurrentItem(item);
    EXPECT_FALSE(popup.isVisible());
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(popup.GetSelectedData(), 12);
    EXPECT_EQ(popup.GetSelectedText(), "Borse");

    popup.ShowOver(&owner);
    EXPECT_TRUE(popup.Tree()->selectedItems().isEmpty()) << "reopened without a selection";
    popup.Tree()->setCurrentItem(item);
    EXPECT_EQ(chosen.count(), 2);
}

TEST(CheckTreePopup, StaysWhereItsOwnerPutIt)
{
    QWidget owner;
    owner.resize(400, 400);
    owner.show();
    CCheckTreePopupDlg popup(&owner);
    popup.SetPosition(QPoint(30, 40));
    popup.show();
    QSignalSpy clicks(&popup, &CCheckTreePopupDlg::UM_TREE_STATE_CLICK);
    popup.move(120, 150);
    EXPECT_EQ(popup.pos(), QPoint(30, 40));

    QTreeWidgetItem* item = popup.Tree()->AddItem(nullptr, QStringLiteral("Offerte"), 3, true);
    emit popup.Tree()->UM_TREE_STATE_CLICK(item);
    EXPECT_EQ(clicks.count(), 1);
}

} // namespace
