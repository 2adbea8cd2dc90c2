#pragma once

#include "desktop/content/CDizionarioViewCore.h"
#include "desktop/shell/app/ITindaView.h"

#include <QWidget>

#include <functional>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QToolButton;

// "Dizionario": the codes on the left, the code and its text in the
// editing language on the right, and the add, save and delete buttons. The
// rules are CDizionarioViewCore.
class CDizionarioView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    CDizionarioView(CDaoDatabase& db, const QString& currentLanguage, const QString& defaultLanguage,
                    QWidget* parent = nullptr);

    enum Button { AddButton, SaveButton, DeleteButton, ButtonCount };

    CDizionarioViewCore& Core() { return m_core; }
    QLineEdit* CodeEdit() const { return m_pCode; }
    QPlainTextEdit* TextEdit() const { return m_pText; }
    QListWidget* List() const { return m_pList; }
    QToolButton* GetButton(Button button) const { return m_buttons[button]; }

    void RefreshLanguage() override;

    // The main frame's editing and default languages, asked on a change.
    std::function<QString()> m_currentLanguage;
    std::function<QString()> m_defaultLanguage;

private:
    void OnButton(int button);
    void OnEntryClicked();
    void ShowEntries();
    void ShowFields();

    CDizionarioViewCore m_core;
    QLineEdit* m_pCode = nullptr;
    QPlainTextEdit* m_pText = nullptr;
    QListWidget* m_pList = nullptr;
    QToolButton* m_buttons[ButtonCount] = {};
};
