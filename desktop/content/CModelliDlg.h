#pragma once

#include "desktop/content/CModelliCore.h"

#include <QDialog>

class CValidatedEdit;
class QListWidget;
class QToolButton;

// "Modelli": the article page templates, by description, with their code.
// The rules are CModelliCore.
class CModelliDlg : public QDialog
{
    Q_OBJECT
public:
    enum Button { AddButton, ChangeButton, DeleteButton, ButtonCount };

    explicit CModelliDlg(CDaoDatabase& database, QWidget* parent = nullptr);

    CModelliCore& Core() { return m_core; }
    CValidatedEdit* Codice() const { return m_pCodice; }
    CValidatedEdit* Descrizione() const { return m_pDescrizione; }
    QListWidget* List() const { return m_pList; }
    void Press(int button);

private:
    void ShowList();
    void Push();

    CModelliCore m_core;
    CValidatedEdit* m_pCodice;
    CValidatedEdit* m_pDescrizione;
    QListWidget* m_pList;
    QToolButton* m_buttons[ButtonCount] = {};
};
