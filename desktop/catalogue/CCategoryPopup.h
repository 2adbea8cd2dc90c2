#pragma once

#include <QFrame>

class CCategoryTree;
class QTreeWidget;
class QTreeWidgetItem;

// The drop-down category tree of the catalogue's choosers: shown under a
// field, it closes on a choice and reports the category's ID and text.
class CCategoryPopup : public QFrame
{
    Q_OBJECT
public:
    explicit CCategoryPopup(QWidget* parent = nullptr);

    void Fill(const CCategoryTree& tree);
    // Shows the popup with its top-left corner at the anchor's bottom-left.
    void ShowBelow(QWidget* anchor);
    QTreeWidget* Tree() const { return m_pTree; }

signals:
    void UM_TREE_POPUP_SELECT(qint32 id, const QString& text);

private:
    void OnActivated(QTreeWidgetItem* item);

    QTreeWidget* m_pTree = nullptr;
};
