#pragma once

#include "desktop/customers/CGruppiViewCore.h"
#include "desktop/shell/app/ITindaView.h"

#include <QWidget>

class CCollegamentiPage;
class CValidatedEdit;
class QComboBox;
class QListWidget;
class QTabWidget;
class QToolButton;

// "Archivio gruppi": the groups on the left, the name with the add, save
// and delete buttons above, the discounts and the members on two tabs.
// The rules are CGruppiViewCore; nothing is pending when it closes.
class CGruppiView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    enum Button { AddButton, SaveButton, DeleteButton, ButtonCount };

    explicit CGruppiView(CDaoDatabase& db, QWidget* parent = nullptr);

    CGruppiViewCore& Core() { return m_core; }
    QListWidget* List() const { return m_pList; }
    QTabWidget* Tabs() const { return m_pTabs; }
    CValidatedEdit* NameEdit() const { return m_pNome; }
    QToolButton* GetButton(Button button) const { return m_buttons[button]; }
    CCollegamentiPage* MembersPage() const { return m_pMembers; }

private:
    template <typename F> void Guard(F&& step);
    void Pull();
    void Push();
    void OnButton(int button);

    CGruppiViewCore m_core;
    CValidatedEdit* m_pNome = nullptr;
    QListWidget* m_pList = nullptr;
    QTabWidget* m_pTabs = nullptr;
    QComboBox* m_pListino = nullptr;
    CValidatedEdit* m_pDal = nullptr;
    CValidatedEdit* m_pAl = nullptr;
    CValidatedEdit* m_pScontoPredefinito = nullptr;
    CValidatedEdit* m_pScontoPeriodo = nullptr;
    CCollegamentiPage* m_pMembers = nullptr;
    QToolButton* m_buttons[ButtonCount] = {};
};
