#pragma once

#include "desktop/shell/controls/CIdTree.h"

#include <QTreeWidget>

// The category tree of the editor: items carry the category ID, a press
// reports the item under the mouse (and whether it was already the
// selected one), and a drop onto another category asks "Copia" or
// "Sposta" and reports it; the editor rebuilds the tree from its core, so
// the widget itself never moves items.
class CCategoryDragTree : public QTreeWidget
{
    Q_OBJECT
public:
    static constexpr int kCopy = 113;
    static constexpr int kMove = 114;

    explicit CCategoryDragTree(QWidget* parent = nullptr);

    static qint32 IdOf(const QTreeWidgetItem* item);

    // Shows the tree's nodes below its root again, keeping the branches
    // that were open; answers the item of selected (nullptr when none),
    // which the caller makes current after opening what it wants open.
    QTreeWidgetItem* ShowNodes(const CIdTree& tree, qint32 selected);

    // Tests and the view may answer the drop menu instead of a person.
    std::function<int(const QPoint& globalPos)> m_chooseDropCommand;

signals:
    void ItemPressed(qint32 id, bool wasSelected);
    void UM_TREE_DROP(qint32 source, qint32 target, int command);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool Accepts(const QTreeWidgetItem* source, const QTreeWidgetItem* target) const;
    int ChooseCommand(const QPoint& globalPos) const;
};
