#pragma once

#include <QSet>
#include <QTreeWidget>

#include <functional>
#include <memory>

class CConfModelloCore;
class CDaoDatabase;
class CProgressDlg;

// The block tree of the graphic project, the left pane of the template
// editor. It shows the core's tree, hands the selection and label edits to
// the core, runs the editing commands the frame forwards and opens the
// dialogs that edit a block's styles and parameters and the site's colours.
class CConfModelloView : public QTreeWidget
{
    Q_OBJECT
public:
    // The view takes the core; shop is the project's shop database (the
    // languages of the parameter dialog).
    CConfModelloView(std::unique_ptr<CConfModelloCore> core, CDaoDatabase& shop, QWidget* parent = nullptr);
    ~CConfModelloView() override;

    CConfModelloCore& Core() { return *m_core; }

    // Fills the tree from the top-level blocks (after the graphic project
    // was opened, made or imported) and selects the first page.
    void FillTree();
    QTreeWidgetItem* FindItemById(qint32 id) const;

    // The editing commands by their menu IDs; false for one the view does
    // not know or that is off.
    bool IsCommandEnabled(int id) const;
    bool OnCommand(int id);

    // The dialogs, replaceable by tests. The feature chooser answers the
    // catalogue block's ID or 0; the others answer whether OK was pressed.
    std::function<qint32()> m_chooseFeature;
    std::function<bool(bool* pageAffected)> m_editStyles;
    std::function<bool()> m_editParameters;
    std::function<QSet<qint32>()> m_editColours;

signals:
    // The selection, and with it the enabled commands, changed.
    void FlagsChanged();

private:
    void AddChildren(QTreeWidgetItem* item, qint32 parentId);
    void Refill(qint32 selectId);
    void OnCurrentItemChanged(QTreeWidgetItem* current);
    void OnItemChanged(QTreeWidgetItem* item, int column);
    void OnDeleteBlock();
    void OnStyles();
    void OnParameters();
    void OnColours();
    void InstallDialogs();

    std::unique_ptr<CConfModelloCore> m_core;
    CDaoDatabase& m_shop;
    CProgressDlg* m_pProgress = nullptr;
    bool m_bFilling = false;
};
