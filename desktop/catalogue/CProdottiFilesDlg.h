#pragma once

#include "desktop/catalogue/CProdottiFilesCore.h"

#include <QWidget>

class CValidatedEdit;
class QListWidget;
class QToolButton;

// The "Files" page of the product card: the code field, the list of the
// product's file codes and the add, replace, delete and open buttons. The
// rules are CProdottiFilesCore's; the view hands in the folder at start
// (SetFolder) and refreshes the list for each product (FillFileList).
class CProdottiFilesDlg : public QWidget
{
    Q_OBJECT
public:
    explicit CProdottiFilesDlg(const QString& projectFolder, QWidget* parent = nullptr);
    ~CProdottiFilesDlg() override;

    CProdottiFilesCore& Core() { return m_core; }
    void SetFolder(const QString& folder) { m_core.SetFolder(folder); }
    void FillFileList(qint32 productId);

    CValidatedEdit* CodeEdit() const { return m_pCode; }
    QListWidget* List() const { return m_pList; }
    QToolButton* AddButton() const { return m_pAdd; }
    QToolButton* ReplaceButton() const { return m_pReplace; }
    QToolButton* DeleteButton() const { return m_pDelete; }
    QToolButton* OpenButton() const { return m_pOpen; }

private:
    QToolButton* MakeButton(int icon, const QString& tip);
    void Run(bool (CProdottiFilesCore::*action)());
    void ShowState();

    CProdottiFilesCore m_core;
    CValidatedEdit* m_pCode;
    QListWidget* m_pList;
    QToolButton* m_pAdd;
    QToolButton* m_pReplace;
    QToolButton* m_pDelete;
    QToolButton* m_pOpen;
};
