#pragma once

#include <QTreeWidget>

// A tree whose items carry check boxes. A press on an item's check box is
// told to the parent with UM_TREE_STATE_CLICK before the box toggles; a
// press on the label is not. An owner that sets the boxes to what it stored
// takes Qt::ItemIsUserCheckable off its items: the press is still told, and
// the box then never toggles by itself over the owner's state.
class CCheckTreeCtrl : public QTreeWidget
{
    Q_OBJECT
public:
    explicit CCheckTreeCtrl(QWidget* parent = nullptr);

    // Adds a checkable item under parent (nullptr: top level), item data id.
    QTreeWidgetItem* AddItem(QTreeWidgetItem* parent, const QString& text, int id, bool checked);
    // The item whose check box lies under the viewport point, or nullptr.
    QTreeWidgetItem* CheckBoxAt(const QPoint& point) const;
    QRect CheckBoxRect(QTreeWidgetItem* item) const;

signals:
    void UM_TREE_STATE_CLICK(QTreeWidgetItem* item);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
