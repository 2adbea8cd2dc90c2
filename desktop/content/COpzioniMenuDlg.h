#pragma once

#include "desktop/content/COpzioniMenuCore.h"

#include <QDialog>

class CValidatedEdit;
class QListWidget;
class QToolButton;

// "Opzioni menu a discesa": the options of one drop-down field of a site
// form. The rules are COpzioniMenuCore.
class COpzioniMenuDlg : public QDialog
{
    Q_OBJECT
public:
    enum Button { AddButton, SaveButton, DeleteButton, UpButton, DownButton, ButtonCount };

    COpzioniMenuDlg(CDaoDatabase& database, qint32 field, const QString& current, const QString& fallback,
                    QWidget* parent = nullptr);

    COpzioniMenuCore& Core() { return m_core; }
    CValidatedEdit* Text() const { return m_pText; }
    QListWidget* List() const { return m_pList; }
    void Press(int button);

private:
    void ShowList();
    void ShowState();

    COpzioniMenuCore m_core;
    CValidatedEdit* m_pText;
    QListWidget* m_pList;
    QToolButton* m_buttons[ButtonCount] = {};
};
