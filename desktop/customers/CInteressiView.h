#pragma once

#include "desktop/customers/CInteressiViewCore.h"
#include "desktop/shell/app/ITindaView.h"

#include <QWidget>

#include <functional>

class CValidatedEdit;
class QListWidget;
class QPlainTextEdit;
class QToolButton;

// "Interessi Utenti": the interests in the merchant's order, the name and
// the description in the editing language, and the six buttons. The rules
// are CInteressiViewCore; what was not saved is dropped on closing.
class CInteressiView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    enum Button { NewButton, SaveButton, RevertButton, DeleteButton, UpButton, DownButton, ButtonCount };

    CInteressiView(CDaoDatabase& db, const QString& currentLanguage, const QString& defaultLanguage,
                   QWidget* parent = nullptr);

    CInteressiViewCore& Core() { return m_core; }
    QListWidget* List() const { return m_pList; }
    CValidatedEdit* NameEdit() const { return m_pNome; }
    QPlainTextEdit* DescriptionEdit() const { return m_pDescrizione; }
    QToolButton* GetButton(Button button) const { return m_buttons[button]; }

    void RefreshLanguage() override;
    std::function<QString()> m_currentLanguage;
    std::function<QString()> m_defaultLanguage;

private:
    void OnButton(int button);
    void Push();

    CInteressiViewCore m_core;
    CValidatedEdit* m_pNome = nullptr;
    QPlainTextEdit* m_pDescrizione = nullptr;
    QListWidget* m_pList = nullptr;
    QToolButton* m_buttons[ButtonCount] = {};
};
