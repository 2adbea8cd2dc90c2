#pragma once

#include <QPointer>
#include <QTreeWidget>

#include <functional>

// The record UM_TREE_DROP points to; it lives only during the call.
struct TreeDropRecord
{
    enum Command { Cancel = 112, Copy = 113, Move = 114 };
    QTreeWidgetItem* dragged = nullptr;
    QTreeWidgetItem* target = nullptr;
    int command = Cancel;
};

// A tree whose branches the user moves or copies by dragging with the
// right mouse button; the release offers "Copia", "Sposta" and "Annulla".
// The tree only checks the drop (CTreeRules::CanDrop) and tells its owner,
// which moves or copies the records and the items (CopyBranch).
class CDragTreeCtrl : public QTreeWidget
{
    Q_OBJECT
public:
    explicit CDragTreeCtrl(QWidget* parent = nullptr);

    // The steps of a drag, as the mouse drives them; tests call them too.
    void BeginDrag(QTreeWidgetItem* item);
    void DragOver(QTreeWidgetItem* item);
    // Ends the drag with the popup's command: a copy or move that is allowed
    // is sent to the owner, one that is not beeps; cancel does nothing.
    void EndDrag(int command);
    bool IsDragging() const { return m_bDragging; }
    QTreeWidgetItem* GetDropTarget() const { return m_pDropTarget; }

    QTreeWidgetItem* CopyBranch(QTreeWidgetItem* item, QTreeWidgetItem* newParent, QTreeWidgetItem* after);

    // How the popup is asked; tests answer it. Returns a TreeDropRecord command.
    std::function<int(const QPoint& globalPos)> m_chooseCommand;
    // How a refused drop is signalled; the default beeps.
    std::function<void()> m_beep;

signals:
    void UM_TREE_DROP(TreeDropRecord* record);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int ChooseFromMenu(const QPoint& globalPos);
    void SetDropHighlight(QTreeWidgetItem* item);

    bool m_bDragging = false;
    bool m_bRightPressed = false;
    QPoint m_pressPos;
    QTreeWidgetItem* m_pDragged = nullptr;
    QTreeWidgetItem* m_pDropTarget = nullptr;
};
