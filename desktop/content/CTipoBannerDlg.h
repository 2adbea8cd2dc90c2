#pragma once

#include "desktop/content/CTipoBannerCore.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QToolButton;

// The modal dialog "Tipo Banner", opened by the banners editor's "...":
// the banner types with their code and description. The caller reads the
// types again afterwards. The rules are CTipoBannerCore.
class CTipoBannerDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CTipoBannerDlg(CDaoDatabase& db, QWidget* parent = nullptr);

    enum Button { AddButton, SaveButton, DeleteButton, ButtonCount };

    CTipoBannerCore& Core() { return m_core; }
    QLineEdit* CodeEdit() const { return m_pCode; }
    QLineEdit* DescriptionEdit() const { return m_pDescription; }
    QListWidget* List() const { return m_pList; }
    QToolButton* GetButton(Button button) const { return m_buttons[button]; }

private:
    void OnButton(int button);
    void OnTypeClicked();
    void Show();

    CTipoBannerCore m_core;
    QLineEdit* m_pCode = nullptr;
    QLineEdit* m_pDescription = nullptr;
    QListWidget* m_pList = nullptr;
    QToolButton* m_buttons[ButtonCount] = {};
};
