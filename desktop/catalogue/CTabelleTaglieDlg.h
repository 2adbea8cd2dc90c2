#pragma once

#include "desktop/catalogue/CTabelleTaglieCore.h"

#include <QDialog>

class CValidatedEdit;
class QGroupBox;
class QListWidget;
class QToolButton;

// The modal dialog "Tabelle Taglie": the size tables on the left, the sizes
// of the selected one on the right. Opened from the product card's sizes
// page and from the catalogue menu; the caller reads the tables again
// afterwards. The rules are CTabelleTaglieCore.
class CTabelleTaglieDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CTabelleTaglieDlg(CDaoDatabase& db, QWidget* parent = nullptr);

    CTabelleTaglieCore& Core() { return m_core; }
    CValidatedEdit* NomeTabella() const { return m_pName; }
    CValidatedEdit* Taglia() const { return m_pSize; }
    QListWidget* TablesList() const { return m_pTables; }
    QListWidget* SizesList() const { return m_pSizes; }

    enum Button { InsertTable, SaveTable, DeleteTable, InsertSize, SaveSize, DeleteSize, ButtonCount };
    QToolButton* GetButton(Button button) const { return m_buttons[button]; }

    void done(int result) override;

private:
    void OnButton(int button);
    void OnTableClicked();
    void OnSizeClicked();
    // Shows "Campo obbligatorio!" for a refused field; true when refused.
    bool Refused(CTabelleTaglieCore::Field field);
    void ShowTables();
    void ShowSizes();
    void ShowControls();

    CTabelleTaglieCore m_core;
    CValidatedEdit* m_pName = nullptr;
    CValidatedEdit* m_pSize = nullptr;
    QListWidget* m_pTables = nullptr;
    QListWidget* m_pSizes = nullptr;
    QGroupBox* m_pSizeArea = nullptr;
    QToolButton* m_buttons[ButtonCount] = {};
};
