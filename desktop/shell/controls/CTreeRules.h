#pragma once

class QTreeWidgetItem;

// What the program's trees decide about their items, without a window:
// ancestry, whether a dragged branch may land on a target, and the copy of
// a branch. Items carry the record ID in Qt::UserRole and the check state
// in their check-state role.
class CTreeRules
{
public:
    // True when candidate is item or lies inside item's branch.
    static bool IsAncestor(const QTreeWidgetItem* item, const QTreeWidgetItem* candidate);

    // A branch may go anywhere but onto itself, into its own branch, or onto
    // the parent it already has.
    static bool CanDrop(const QTreeWidgetItem* dragged, const QTreeWidgetItem* target);

    // Inserts under newParent, after the sibling after (nullptr: first), a
    // copy of item (text, icon, data, check state) and of its children,
    // each appended last under its copied parent. Returns the copy.
    static QTreeWidgetItem* CopyBranch(const QTreeWidgetItem* item, QTreeWidgetItem* newParent,
                                       QTreeWidgetItem* after);

    // The record ID kept in an item; 0 for none.
    static int ItemData(const QTreeWidgetItem* item);
};
