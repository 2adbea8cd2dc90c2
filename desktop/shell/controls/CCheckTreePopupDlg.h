#pragma once

#include <QFrame>

class CCheckTreeCtrl;
class QTreeWidgetItem;

// A drop-down holding a check-box tree: it stays where its owner put it
// (SetPosition), and the clicks on its check boxes go to the owner as
// UM_TREE_STATE_CLICK.
class CCheckTreePopupDlg : public QFrame
{
    Q_OBJECT
public:
    explicit CCheckTreePopupDlg(QWidget* owner);

    CCheckTreeCtrl* Tree() const { return m_pTree; }
    void SetPosition(const QPoint& position);
    QPoint Position() const { return m_position; }

signals:
    void UM_TREE_STATE_CLICK(QTreeWidgetItem* item);

protected:
    void moveEvent(QMoveEvent* event) override;

private:
    CCheckTreeCtrl* m_pTree;
    QPoint m_position;
};
