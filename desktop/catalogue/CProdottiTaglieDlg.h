#pragma once

#include "desktop/catalogue/CProdottiTaglieCore.h"

#include <QWidget>

#include <functional>

class CCellMatrix;
class QCheckBox;
class QComboBox;
class QPushButton;

// Tab page "Taglie" of the product card: whether the product has a size
// table, which one, and the run of its sizes on sale, picked in a cell
// matrix. It works on the card's working copy of the size settings; the
// card creates it when the tab is shown and calls LoadSizes (again from
// ShowRecord while it is current). The rules are CProdottiTaglieCore.
class CProdottiTaglieDlg : public QWidget
{
    Q_OBJECT
public:
    CProdottiTaglieDlg(CDaoDatabase& db, TaglieProdotto& sizes, QWidget* parent = nullptr);

    void LoadSizes();
    CProdottiTaglieCore& Core() { return m_core; }

    QCheckBox* HasTable() const { return m_pHasTable; }
    QComboBox* Tables() const { return m_pTables; }
    CCellMatrix* Matrix() const { return m_pMatrix; }
    QPushButton* TablesButton() const { return m_pTablesButton; }

    // Runs the size tables dialog; a test replaces it.
    std::function<void()> m_runTablesDialog;

private:
    void FillTables();
    void Show();
    void OnTableChosen(int index);
    void OnHasTable(bool checked);
    void OnCellsSelected();
    void OnGestioneTabelle();

    CDaoDatabase& m_db;
    CProdottiTaglieCore m_core;
    QCheckBox* m_pHasTable = nullptr;
    QComboBox* m_pTables = nullptr;
    QPushButton* m_pTablesButton = nullptr;
    CCellMatrix* m_pMatrix = nullptr;
};
