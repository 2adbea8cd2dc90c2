#pragma once

#include "desktop/customers/CPermessiViewCore.h"
#include "desktop/shell/app/ITindaView.h"

#include <QWidget>

class CCheckTreeCtrl;
class CSelPickerDlg;
class QLabel;
class QListWidget;
class QRadioButton;
class QTabWidget;
class QTreeWidgetItem;

// "Permessi visualizzazione": groups or customers on the left, and on the
// right what the selected one sees: the category and section trees and
// the product, article and banner pickers, a tick meaning visible. Every
// click is written at once; the rules are CPermessiViewCore.
class CPermessiView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    enum Tab { TabCategorie, TabProdotti, TabSezioni, TabArticoli, TabBanner, TabCount };

    CPermessiView(CDaoDatabase& db, const QString& currentLanguage, const QString& defaultLanguage,
                  QWidget* parent = nullptr);

    CPermessiViewCore& Core() { return m_core; }
    QRadioButton* GroupsButton() const { return m_pGroups; }
    QRadioButton* UsersButton() const { return m_pUsers; }
    QListWidget* List() const { return m_pList; }
    QTabWidget* Tabs() const { return m_pTabs; }
    CCheckTreeCtrl* Tree(int kind) const { return kind == CPermessiViewCore::Categoria ? m_pCategorie : m_pSezioni; }
    CSelPickerDlg* Picker(int tab) const { return m_pickers[tab]; }

    // Rebuilds the page of the current tab for the selected entry.
    void RebuildPage();

private:
    CCheckTreeCtrl* MakeTree(int kind);
    CSelPickerDlg* MakePicker(int kind, const QString& currentLanguage, const QString& defaultLanguage);
    void FillTree(CCheckTreeCtrl* tree, int kind, const QVector<TreeNode>& nodes, QTreeWidgetItem* parent);
    void ShowStates(CCheckTreeCtrl* tree, int kind);
    void OnSide();
    void ShowList();

    CPermessiViewCore m_core;
    QRadioButton* m_pGroups = nullptr;
    QRadioButton* m_pUsers = nullptr;
    QLabel* m_pCaption = nullptr;
    QListWidget* m_pList = nullptr;
    QTabWidget* m_pTabs = nullptr;
    CCheckTreeCtrl* m_pCategorie = nullptr;
    CCheckTreeCtrl* m_pSezioni = nullptr;
    CSelPickerDlg* m_pickers[TabCount] = {};
};
