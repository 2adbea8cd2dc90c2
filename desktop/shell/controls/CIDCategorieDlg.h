#pragma once

#include <QDialog>

class CDaoDatabase;
class QTreeWidget;

// "ID Categorie": the whole category tree, each category shown with its
// ID, for the merchant to look up (CRecordTree::CategoryIds).
class CIDCategorieDlg : public QDialog
{
    Q_OBJECT
public:
    CIDCategorieDlg(CDaoDatabase& db, const QString& language, const QString& defaultLanguage,
                    QWidget* parent = nullptr);

    QTreeWidget* Tree() const { return m_pTree; }

private:
    QTreeWidget* m_pTree;
};
