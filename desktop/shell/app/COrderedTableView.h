#pragma once

#include "desktop/shell/app/ITindaView.h"
#include "desktop/shell/controls/CRecordTree.h"

#include <QWidget>

#include <functional>

class COrderedTableCore;
class CTreePopupDlg;
class CDaoDatabase;
class CGridCtrl;
class CValidatedEdit;
class QComboBox;
class QToolButton;

// The window of a COrderedTableCore: the group chooser (a read-only field
// with a tree popup), the choice of the text column 1 shows, the grid, and
// Move up / Move down. It shows and forwards; a changed row is saved when
// the frame closes, and a failed save keeps the frame open on that row.
// The products table and the articles table are this window over their
// own core: the derived view makes its core on Grid() and calls Build.
class COrderedTableView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    // The window's own texts: the caption of its messages, the label of the
    // group field and the group field's text for "all".
    struct Texts
    {
        QString caption;
        QString groupLabel;
        QString allGroups;
    };

    ~COrderedTableView() override;

    CGridCtrl* Grid() const { return m_pGrid; }
    QToolButton* UpButton() const { return m_pUp; }
    QToolButton* DownButton() const { return m_pDown; }

    // ITindaView
    CloseRule GetCloseRule() const override { return CloseGrid; }
    bool IsRowModified() override;
    bool SaveRow() override;
    CGridCore* GetPendingGrid() override;
    int GetPendingRow() const override;
    int GetPendingCol() const override;
    bool CanChangeLanguage() override;
    void RefreshLanguage() override;

    // The main frame's languages, read when the language changes.
    std::function<QString()> m_currentLanguage;
    std::function<QString()> m_defaultLanguage;

protected:
    explicit COrderedTableView(QWidget* parent);
    void Build(COrderedTableCore& core, const Texts& texts, const QVector<TreeNode>& groups,
               const QString& currentLanguage, const QString& defaultLanguage);
    // The group picked in the popup; a typed row is saved first, or the
    // group stays.
    void ChooseGroup(qint32 id, const QString& text);
    QComboBox* TextChoice() const { return m_pText; }

private:
    void ConnectGrid();
    void UpdateButtons();
    void ShowError();

    COrderedTableCore* m_pCore = nullptr;
    QString m_strCaption;
    CGridCtrl* m_pGrid = nullptr;
    CValidatedEdit* m_pGroup = nullptr;
    QToolButton* m_pChoose = nullptr;
    CTreePopupDlg* m_pPopup = nullptr;
    QComboBox* m_pText = nullptr;
    QToolButton* m_pUp = nullptr;
    QToolButton* m_pDown = nullptr;
};
