#pragma once

#include "desktop/content/CContentTreeCore.h"
#include "desktop/shell/app/ITindaView.h"

#include <QWidget>

#include <functional>

class CCategoryDragTree;
class CValidatedEdit;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QToolButton;

// The tree editor of the site's content: the tree on the left, the
// selected row's code, name and description on the right with the
// buttons, and for sections the five switches and the icon. The rules are
// CContentTreeCore; CSezioniView and CArgomentiView are this widget on
// their kind. The frame closes without questions: unsaved values are
// dropped, as the help text says.
class CContentTreeView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    enum Button { Insert, Save, Revert, Delete, Icon, MoveUp, MoveDown, ButtonCount };

    CContentTreeView(CDaoDatabase& database, CContentTreeCore::Kind kind, const QString& projectFolder,
                     const QString& currentLanguage, const QString& defaultLanguage, QWidget* parent = nullptr);
    ~CContentTreeView() override;

    CContentTreeCore& Core() { return m_core; }
    CCategoryDragTree* Tree() const { return m_pTree; }
    CValidatedEdit* Codice() const { return m_pCodice; }
    CValidatedEdit* Nome() const { return m_pNome; }
    QPlainTextEdit* Descrizione() const { return m_pDescrizione; }
    QCheckBox* Switch(int i) const { return m_switches[i]; }
    QToolButton* GetButton(int button) const { return m_buttons[button]; }
    QLabel* IconFrame() const { return m_pIcon; }
    void Press(int button);

    // The main frame's languages; the icon the merchant chooses ("" when
    // cancelled).
    std::function<QString()> m_currentLanguage;
    std::function<QString()> m_defaultLanguage;
    std::function<QString()> m_chooseIcon;

    void RefreshLanguage() override;

private:
    template <typename F> void Guard(F&& step);
    void Rebuild();
    void ShowState();
    void ShowIcon();
    void OnPressed(qint32 id, bool wasSelected);
    CContentTreeCore::Fields Typed() const;
    void Refused(const CContentTreeCore::Refusal& refusal);

    CContentTreeCore m_core;
    CCategoryDragTree* m_pTree = nullptr;
    CValidatedEdit* m_pCodice = nullptr;
    CValidatedEdit* m_pNome = nullptr;
    QPlainTextEdit* m_pDescrizione = nullptr;
    QCheckBox* m_switches[IContentTreeTables::kSwitchCount] = {};
    QLabel* m_pIcon = nullptr;
    QToolButton* m_buttons[ButtonCount] = {};
    bool m_bRebuilding = false;
};
