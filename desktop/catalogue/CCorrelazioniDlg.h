#pragma once

#include "desktop/catalogue/CCorrelazioniCore.h"

#include <QDialog>

class CCheckTreeCtrl;
class CSelPickerDlg;
class QTabWidget;
class QTreeWidgetItem;

// "Correlazioni": the links of one product, article or banner with
// categories, products, sections, articles and banners, one tab each.
// Every tick is written at once, so closing needs no save. The rules are
// CCorrelazioniCore's (trees) and CCorrPickerCore's (the three pickers).
// The opener constructs it with the owner's kind, ID and name and runs it
// with exec().
class CCorrelazioniDlg : public QDialog
{
    Q_OBJECT
public:
    CCorrelazioniDlg(CDaoDatabase& db, int ownerKind, qint32 ownerId, const QString& ownerName,
                     const QString& currentLanguage, const QString& defaultLanguage, QWidget* parent = nullptr);
    ~CCorrelazioniDlg() override;

    CCorrelazioniCore& Core() { return m_core; }
    QTabWidget* Tabs() const { return m_pTabs; }
    CCheckTreeCtrl* CategoryTree() const { return m_pCategories; }
    CCheckTreeCtrl* SectionTree() const { return m_pSections; }
    // The picker of kind Prodotto, Articolo or Banner.
    CSelPickerDlg* Picker(int kind) const;

private:
    CCheckTreeCtrl* MakeTree(int kind, const QVector<TreeNode>& nodes);
    void FillTree(CCheckTreeCtrl* tree, int kind, const QVector<TreeNode>& nodes, QTreeWidgetItem* parent);
    CSelPickerDlg* MakePicker(int kind, const QString& currentLanguage, const QString& defaultLanguage);
    void OnTabChanged(int index);

    CCorrelazioniCore m_core;
    QTabWidget* m_pTabs;
    CCheckTreeCtrl* m_pCategories = nullptr;
    CCheckTreeCtrl* m_pSections = nullptr;
    CSelPickerDlg* m_pickers[5] = {};
    int m_nPreviousTab = 0;
    bool m_bFilling = false;
};
