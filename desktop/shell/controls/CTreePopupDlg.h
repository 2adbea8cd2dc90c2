#pragma once

#include <QFrame>

class QTreeWidget;

// A borderless drop-down holding a tree: choosing an item hides it and
// tells the owner (UM_TREE_POPUP_SELECT; the owner reads GetSelectedData),
// and losing the focus hides it without a word. Showing it clears the
// tree's selection, so choosing the same item again still counts. The
// owner fills the tree (CRecordTree::Fill) and shows it with ShowOver.
class CTreePopupDlg : public QFrame
{
    Q_OBJECT
public:
    explicit CTreePopupDlg(QWidget* owner);

    QTreeWidget* Tree() const { return m_pTree; }
    qint32 GetSelectedData() const { return m_nSelected; }
    QString GetSelectedText() const { return m_strSelected; }
    // Moves the popup over the owner's control and shows it.
    void ShowOver(QWidget* control);

signals:
    void UM_TREE_POPUP_SELECT();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnSelectionChanged();

    QTreeWidget* m_pTree;
    qint32 m_nSelected = 0;
    QString m_strSelected;
    bool m_bIgnore = false;
};
