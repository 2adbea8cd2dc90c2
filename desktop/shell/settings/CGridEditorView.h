#pragma once

#include "desktop/shell/app/ITindaView.h"

#include <QWidget>

#include <functional>
#include <memory>

class CGridCtrl;
class CGridRowEditor;
class CGridCore;
class QToolButton;

// The widget of a grid editor view: the grid, "add" and "delete" buttons,
// and the answers to the frame's close. The rules are the CGridRowEditor
// the view makes on its grid; this class only forwards the grid's
// notifications and the buttons to it.
class CGridEditorView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    using EditorFactory = std::function<std::unique_ptr<CGridRowEditor>(CGridCore& grid)>;

    CGridEditorView(const EditorFactory& makeEditor, CloseRule rule, QWidget* parent = nullptr);
    ~CGridEditorView() override;

    CGridCtrl* Grid() const { return m_pGrid; }
    CGridRowEditor& Editor() { return *m_editor; }
    QToolButton* AddButton() const { return m_pAdd; }
    QToolButton* DeleteButton() const { return m_pDelete; }

    // ITindaView
    CloseRule GetCloseRule() const override { return m_rule; }
    bool IsNewRowPending() const override;
    bool SaveNewRow() override;
    bool IsRowModified() override;
    bool SaveRow() override;
    CGridCore* GetPendingGrid() override;
    int GetPendingRow() const override;
    int GetPendingCol() const override;

protected:
    // Fills the grid once the editor exists (a derived view calls it).
    void Start(const std::function<void()>& fill);

private:
    void OnAdd();
    void OnDelete();

    CGridCtrl* m_pGrid;
    QToolButton* m_pAdd;
    QToolButton* m_pDelete;
    std::unique_ptr<CGridRowEditor> m_editor;
    CloseRule m_rule;
};
