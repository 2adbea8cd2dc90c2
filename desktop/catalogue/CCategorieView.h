#pragma once

#include "desktop/catalogue/CCategorieViewCore.h"
#include "desktop/shell/app/ITindaView.h"

#include <QWidget>

#include <functional>

class CCategoryDragTree;
class CValidatedEdit;
class QLabel;
class QPlainTextEdit;
class QToolButton;

// "Categorie prodotti": the category tree with its fields and buttons.
// Every change is stored at once by CCategorieViewCore, so the frame's
// close asks nothing; this widget shows the core's tree and state and
// forwards the tree's clicks and drops and the buttons.
class CCategorieView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    CCategorieView(CDaoDatabase& database, const QString& projectFolder, const QString& currentLanguage,
                   const QString& defaultLanguage, QWidget* parent = nullptr);
    ~CCategorieView() override;

    CCategorieViewCore& Core() { return m_core; }
    CCategoryDragTree* Tree() const { return m_pTree; }
    CValidatedEdit* CodiceEdit() const { return m_pCodice; }
    CValidatedEdit* NomeEdit() const { return m_pNome; }
    QPlainTextEdit* DescrizioneEdit() const { return m_pDescrizione; }
    QToolButton* Button(int index) const { return m_buttons[index]; }
    enum ButtonIndex { Insert, Save, Revert, Delete, Picture, MoveUp, MoveDown, ButtonCount };

    void RefreshLanguage() override;

    // The main frame's languages, read when the language changes; the
    // picture chooser (a file dialog unless a test answers).
    std::function<QString()> m_currentLanguage;
    std::function<QString()> m_defaultLanguage;
    std::function<QString()> m_choosePicture;

private:
    void Rebuild();
    void ShowState();
    void ShowPicture();
    CCategorieViewCore::Fields Typed() const;
    void Refused(const CCategorieViewCore::Refusal& refusal);
    template <typename F> void Guard(F&& step);
    void OnPressed(qint32 id, bool wasSelected);
    void OnButton(int index);

    CCategorieViewCore m_core;
    CCategoryDragTree* m_pTree = nullptr;
    CValidatedEdit* m_pCodice = nullptr;
    CValidatedEdit* m_pNome = nullptr;
    QPlainTextEdit* m_pDescrizione = nullptr;
    QLabel* m_pPicture = nullptr;
    QToolButton* m_buttons[ButtonCount] = {};
    bool m_bRebuilding = false;
};
